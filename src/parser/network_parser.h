#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graph/dfs_fld.h"
#include "graph/graph_fld.h"
#include "graph/path.h"
#include "parser/branch.h"
#include "parser/longest_branch_workers.h"
#include "parser/network_input.h"
#include "parser/outlet_lists.h"
#include "parser/parse_stages.h"
#include "parser/result_vectors.h"
#include "parser/subnetwork_workers.h"
#include "rivo/bulk_answers.h"
#include "support/impl_object.h"

class CBranchFinder;
class DrainSearches;

// The core object: one per network. It owns the graph, every intermediate
// list of the parse and every result record. The host describes the network,
// parses it once and reads the decomposition back.
class CFLDNetworkParser : public CImplObject {
public:
    CFLDNetworkParser();
    ~CFLDNetworkParser() override;

    // Network input.
    void AddNode(std::int32_t nodeID, double xPosition, double yPosition, std::int16_t nodeType);
    void SetNodeIsPondType(std::int32_t nodeID, bool isPond);
    void SetNodeStorageType(std::int32_t nodeID);
    void AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID, double elevationInSource,
                 std::int32_t targetNodeID, double elevationInTarget, double size,
                 std::int16_t edgeType, double length);
    void AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID, double elevationInSource,
                 std::int32_t targetNodeID, double elevationInTarget, double size,
                 std::int16_t edgeType);
    void AddPumpLink(std::int32_t pumpID, std::int32_t upStreamNodeID,
                     std::int32_t downStreamNodeID);
    void AddGutterLinkIDDirection(std::int32_t gutterID, bool gutterDirectionSameAsUI);
    std::int32_t GetNumberOfNodes() const;
    std::int32_t GetNumberOfLinks() const;

    // The parse.
    bool ParseAllNetworks(bool findLongestBranch);
    // From now on the parse adds the time of each stage to `times` (none:
    // it times nothing, the default). The caller keeps `times` alive.
    void TimeStages(StageTimes* times) { stageTimes_ = times; }

    // Result queries.
    std::int32_t GetNumberOfBranches() const;
    CBranch* GetBranch(std::int32_t index);
    std::int32_t GetNumberOfLoopBranches() const;
    CBranch* GetLoopBranch(std::int32_t index);
    bool ContainsLoop() const;
    std::int32_t GetNumberOfPumpLinks() const;
    CPumpLink* GetPumpLink(std::int32_t index);
    std::int32_t GetNumberOfGutters() const;
    std::int32_t GetGutterLinkID(std::int32_t index);
    bool GetGutterDirectionSameAsUI(std::int32_t index);
    std::int32_t GetNumberOfIsolatedNodes() const;
    std::int32_t GetNumberOfIsolatedEdges() const;
    std::int32_t GetIsolatedNodeId(std::int32_t index);
    std::int32_t GetIsolatedEdgeId(std::int32_t index);
    std::int32_t GetNumberOfRemovedOutfalls() const;
    std::int32_t GetRemovedOutfallId(std::int32_t index);
    bool GetNodeIsPump(std::int32_t nodeID) const;
    bool GetNodeIsOutfallType(std::int32_t nodeID) const;
    bool GetNodeIsConvertedToOutfall(std::int32_t nodeID) const;
    bool GetNodeIsManholeOrStorageType(std::int32_t nodeID) const;
    std::int32_t GetNodeUpStreamSectionNumber(std::int32_t nodeID) const;
    double GetNodeDownStreamSectionPosition(std::int32_t nodeID) const;
    void SetNodeDownStreamSectionPosition(std::int32_t nodeID, double downStreamSectionPosition);
    bool GetParserDirectionSameAsUI(std::int32_t linkID) const;
    std::int32_t GetLinkUpStreamSectionNumber(std::int32_t linkID) const;
    std::int32_t GetBranchNumberOfPipe(std::int32_t pipeID) const;
    double GetFirstSectionPosition(std::int32_t pipeID) const;
    double GetSecondSectionPosition(std::int32_t pipeID) const;
    void SetFirstSectionPosition(std::int32_t pipeID, double firstSectionPosition);
    void SetSecondSectionPosition(std::int32_t pipeID, double secondSectionPosition);
    std::int32_t GetBranchNumberOfNode(std::int32_t nodeID);
    std::int32_t GetNodeIndexInBranch(std::int32_t nodeID);

    // Bulk reading: every answer as the queries give it, empty where they
    // raise, the same writes into the node records; nothing raises.
    using NodeAnswers = Velmora::Calculations::Dynamic::NodeAnswers;
    using LinkAnswers = Velmora::Calculations::Dynamic::LinkAnswers;
    using BranchAnswers = Velmora::Calculations::Dynamic::BranchAnswers;
    using PumpLinkAnswers = Velmora::Calculations::Dynamic::PumpLinkAnswers;
    NodeAnswers AnswerNode(std::int32_t nodeID, GTL::node n);
    LinkAnswers AnswerLink(std::int32_t edgeID, GTL::edge e) const;
    static BranchAnswers AnswerBranch(const CBranch& b);
    const std::vector<CBranch*>& ResultBranches() const { return results_.branches; }
    const std::vector<CBranch*>& ResultLoopBranches() const { return results_.loopBranches; }
    const std::vector<std::unique_ptr<CPumpLink>>& PumpLinks() const { return input_.pumpLinks; }
    const graph_fld& Graph() const { return graph; }

    // Loop branch ends at n over the first-pass workers and linkLoops.
    std::int32_t CountLoopEndsAtNode(GTL::node n) const { return workers_.loopEnds.Count(n); }
    // Bookkeeping of that count, called where a counted loop branch is made,
    // or is about to change its ends (Remove) and has changed them (Add).
    LoopEndIndex& loopEnds() { return workers_.loopEnds; }

private:
    friend struct ParserTestAccess;

    // Pond link loops.
    void CreatePondLinkLoops();
    // Outlet selection.
    bool AddOutletNodes();
    bool StorageNodeDrains(GTL::node S);
    bool FindLowestNonDrainingLink(GTL::node S, double& lowest, GTL::edge& lowestLink);
    bool IsBelowNonDrainingLink(GTL::edge lowestLink, GTL::node S, GTL::edge L,
                                double lowestElevation);
    bool StorageDrainsThroughLink(GTL::node O, GTL::edge L, GTL::node S);
    bool ReachesTargetBelowLevel(GTL::node O, GTL::node S, double level);
    bool TargetReachedBelowLevel(DrainSearches& searches, GTL::node V, double level);
    bool PathStaysBelowLevel(const path_record& path, double H, GTL::edge& breaking);
    // Outlet ordering and subnetwork separation.
    bool FindOutletsAndSubnetworks(ParsePass pass);
    void SortOutlets();
    double LowestLinkEnd(GTL::node n);
    void SeperateAllOutletsAndCreateLinkLoops(ParsePass pass);
    std::unique_ptr<dfs_fld> SearchSubnetwork(std::size_t i,
                                              const std::vector<std::int32_t>& position,
                                              ParsePass pass);
    bool AddWorker(dfs_fld& search, ParsePass pass);
    void CutLinkBetweenOutlets(dfs_fld& search, GTL::node later);
    void AssignLinkLoopsToSubnetworks();
    // Isolated nodes and links.
    void FindIsolatedNodesAndEdges();
    // Longest-branch preparation.
    void ComputeLongestPathLengths();
    void SplitLoopsAtFirstNode();
    void SortOutletsByLongestPath();
    // Branch assembly and the driver's finishing stages.
    void AssembleBranches(ParsePass pass, bool numberWorkerLoops);
    void RunWorkerStages(CBranchFinder& worker, ParsePass pass, bool reportsWorkerLoops);
    void CollectResults(bool findLongestBranch);
    void NumberPumpLinks();
    void ReleaseSearches();
    void NumberForSearches();
    // Runs one stage, timed when the host asked for stage times.
    template <class Stage>
    void Timed(ParsePass pass, ParseStage stage, Stage&& run) {
        StageTimer timer(stageTimes_, pass, stage);
        run();
    }
    CBranch* AppendLinkLoop(std::unique_ptr<CBranch> branch);
    // The node-number queries after the lookup: the answer, or empty where
    // the query raises (it has written into the record all the same).
    std::optional<std::int32_t> BranchNumberOf(NodeData& d, std::int32_t nodeID);
    std::optional<std::int32_t> IndexInBranchOf(NodeData& d, std::int32_t nodeID);

    // The network itself, which every stage reads and most write into.
    graph_fld graph;
    // Written by the input operations; the driver's last stage numbers the
    // pump links.
    NetworkInput input_;
    // Written by outlet selection, the outlet stage and the isolated nodes
    // stage; the searches go when the parse ends.
    OutletLists outletStage_;
    // Written by the outlet stage and, for the parser's own loop branches,
    // by AddEdge and the pond link stage; the assembly works on them.
    SubnetworkWorkers workers_;
    // Written by the second outlet stage of a longest-branch parse.
    LongestBranchWorkers longestPass_;
    // Written by the driver's collection when the parse ends; the queries
    // read them.
    ResultVectors results_;
    bool parsed_ = false;
    StageTimes* stageTimes_ = nullptr;
};
