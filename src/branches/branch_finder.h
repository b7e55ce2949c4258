#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graph/dfs_fld.h"
#include "graph/graph_fld.h"
#include "graph/id_index.h"
#include "parser/branch.h"
#include "support/impl_object.h"

class CFLDNetworkParser;
class TreeBranchIndex;

// The worker of one subnetwork: the part of the network that drains to one
// outlet. It cuts the subnetwork's search tree into tree branches, refines
// them at storage drops, dead ends and pump pressure mains, and numbers them.
// Loops of the subnetwork are kept apart as loop branches.
class CBranchFinder : public CImplObject {
public:
    using BranchList = std::vector<std::unique_ptr<CBranch>>;

    CBranchFinder(CFLDNetworkParser* parser, graph_fld* graph, dfs_fld* search, GTL::node node,
                  bool isSingleNode);
    ~CBranchFinder() override;

    // Stages, in the order the assembly runs them.
    void SelectLoopLinks();
    void CutSubnetworkTree();
    void MakeSingleNodeBranch();
    void SplitAtStorageDrops();
    void ExtendLoopBranches();
    void SplitAtPressureMainEnds();
    void FillBranchIDTables(bool ofTreeBranches, bool ofLoopBranches);
    void NumberTreeBranches(std::int32_t& branchCounter, std::int32_t& outletSectionCount);
    void OrientLoopBranches();
    void NumberLoopBranches(std::int32_t& branchCounter);
    // Longest accumulated link length from branch b's start, carried on into
    // the branch that holds b's last node.
    void PropagatePathLength(GTL::node v, CBranch* b, double length);

    // Appends a loop branch, keeping the parser's count of loop branch ends
    // current when this worker's loop branches are counted.
    CBranch* AddLoopBranch(std::unique_ptr<CBranch> branch);
    // Appends one of the parser's own loop branches, whose ends are counted
    // already.
    void TakeLoopBranch(std::unique_ptr<CBranch> branch) {
        loopBranches.push_back(std::move(branch));
    }
    // From now on this worker's loop branches count as loop ends at their
    // nodes (the workers of the first outlet pass).
    void CountLoopEnds() { countsLoopEnds = true; }

    // What the parser collects, and the search the subnetwork was grown by
    // (loop link selection may have run it again).
    const BranchList& TreeBranches() const { return treeBranches; }
    const BranchList& LoopBranches() const { return loopBranches; }
    const dfs_fld& Search() const { return *search; }
    bool IsSingleNode() const { return isSingleNode; }
    GTL::node SingleNode() const { return singleNode; }
    GTL::node OutletNode() const { return outletNode; }

private:
    friend struct WorkerTestAccess;

    CFLDNetworkParser* parser;
    graph_fld* graph;
    dfs_fld* search;
    GTL::node singleNode;
    GTL::node outletNode;
    BranchList treeBranches;
    BranchList loopBranches;
    bool isSingleNode;
    bool countsLoopEnds = false;

    // Loop link selection.
    bool OpenLoops(const std::vector<GTL::edge>& backLinks);
    // Storage drops.
    void SplitAtStorageNode(std::size_t branch, std::size_t storageNode);
    // Lengthening loop branches.
    void ExtendLoopBranchAtLastNode(CBranch& L, TreeBranchIndex& index);
    void ExtendLoopBranchAtFirstNode(CBranch& L, TreeBranchIndex& index);
    void ChangeLoopEnds(CBranch& L, bool before);
    // Pressure mains.
    bool MarkPressureMain(std::size_t branch);
    bool SeparateMain(std::size_t branch);
    void SplitOffPressureMain(std::size_t branch, std::size_t highest);

    std::unique_ptr<dfs_fld> ownedSearch_;
    std::unique_ptr<IdIndex> firstHolder_;
};

// Numbers one loop branch with the branch counter and records the branches
// and sections met at its two ends.
void NumberLoopBranch(graph_fld& graph, CBranch& B, std::int32_t& branchCounter);
