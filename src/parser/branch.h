#pragma once

#include <cstdint>
#include <vector>

#include "graph/graph_fld.h"
#include "parser/chain.h"
#include "support/impl_object.h"

// A chain of nodes joined by links: a tree branch (listed from its end nearer
// the outlet) or a loop branch. nodes has one entry more than edges; link i
// joins nodes i and i+1. Besides its number a branch knows how many
// computational sections the solver gives it and which branch and section it
// meets at each end.
class CBranch : public CImplObject {
public:
    explicit CBranch(graph_fld* graph) : graph(graph) {}
    ~CBranch() override = default;

    // Host IDs of nodes and edges, in order. A node copy made by the
    // longest-branch pass (ID above 100000000) is reported as minus the ID of
    // the node copied, except as the branch's last node.
    void FillIDTables();
    std::int32_t GetNodeID(std::int32_t index) const;
    std::int32_t GetEdgeID(std::int32_t index) const;

    std::int32_t GetNumberOfSections() const { return numberOfSections; }
    std::int32_t GetNumberOfNodes() const { return static_cast<std::int32_t>(nodes.size()); }
    std::int32_t GetNumberOfEdges() const { return static_cast<std::int32_t>(edges.size()); }

    Chain<GTL::node> nodes;
    Chain<GTL::edge> edges;
    bool isStorageOutletBranch = false;
    bool isLoopBetweenOutlets = false;
    bool isSingleStorageNodeBranch = false;
    std::int32_t branchNumber = 0;
    std::int32_t outBranchNumber = 0;
    std::int32_t outUpSectionNumber = 0;
    std::int32_t numberOfSections = 0;
    std::int32_t inBranchNumber = 0;
    std::int32_t inUpSectionNumber = 0;
    // One ID in place keeps the record as small as with lists of their own.
    Chain<std::int32_t, 1> nodeIDs;
    Chain<std::int32_t, 1> edgeIDs;
    graph_fld* graph;
};

// A pump link as the host gave it, and the branches and sections it joins.
class CPumpLink : public CImplObject {
public:
    CPumpLink(std::int32_t pumpID, std::int32_t upStreamNodeID, std::int32_t downStreamNodeID)
        : pumpLinkID(pumpID), upStreamNodeID(upStreamNodeID), downStreamNodeID(downStreamNodeID) {}
    ~CPumpLink() override = default;

    std::int32_t GetPumpLinkID() const { return pumpLinkID; }
    std::int32_t GetUpStreamNodeID() const { return upStreamNodeID; }
    std::int32_t GetDownStreamNodeID() const { return downStreamNodeID; }
    std::int32_t GetUpStreamBranchNumber() const { return upStreamBranchNumber; }
    std::int32_t GetDownStreamBranchNumber() const { return downStreamBranchNumber; }
    std::int32_t GetUpStreamNodeUpSectionNumber() const { return upStreamNodeUpSectionNumber; }
    std::int32_t GetDownStreamNodeUpSectionNumber() const { return downStreamNodeUpSectionNumber; }

    std::int32_t pumpLinkID = 0;
    std::int32_t upStreamNodeID = 0;
    std::int32_t downStreamNodeID = 0;
    std::int32_t upStreamBranchNumber = 0;
    std::int32_t downStreamBranchNumber = 0;
    std::int32_t upStreamNodeUpSectionNumber = 0;
    std::int32_t downStreamNodeUpSectionNumber = 0;
};
