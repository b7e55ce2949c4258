#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "graph/graph_fld.h"
#include "parser/chain.h"
#include "rivo/record_fields.h"
#include "support/impl_object.h"

// A chain of nodes joined by links: a tree branch (listed from its end nearer
// the outlet) or a loop branch. nodes has one entry more than edges; link i
// joins nodes i and i+1. Besides its number a branch knows how many
// computational sections the solver gives it and which branch and section it
// meets at each end.
//
// A looped network has about one branch per node, so the record is kept
// small: no error object of its own (the raised error is made where a check
// fails) and the host IDs in one list that holds a branch of two nodes and
// one link, the commonest, in place.
class CBranch {
public:
    // Host IDs of nodes and edges, in order, as they are when the branch is
    // reported (the lists may change later; the tables do not). A node copy
    // made by the longest-branch pass (ID above 100000000) is reported as
    // minus the ID of the node copied, except as the branch's last node.
    void FillIDTables(const graph_fld& graph);
    std::int32_t GetNodeID(std::int32_t index) const;
    std::int32_t GetEdgeID(std::int32_t index) const;
    std::span<const std::int32_t> NodeIDs() const { return {ids_.begin(), nodeIDCount_}; }
    std::span<const std::int32_t> EdgeIDs() const {
        return {ids_.begin() + nodeIDCount_, ids_.end()};
    }

    std::int32_t GetNumberOfSections() const { return numberOfSections; }
    std::int32_t GetNumberOfNodes() const { return static_cast<std::int32_t>(nodes.size()); }
    std::int32_t GetNumberOfEdges() const { return static_cast<std::int32_t>(edges.size()); }

    // A branch of one link, the commonest, holds its nodes and its link in
    // place.
    Chain<GTL::node> nodes;
    Chain<GTL::edge, 1> edges;
    std::int32_t branchNumber = 0;
    std::int32_t outBranchNumber = 0;
    std::int32_t outUpSectionNumber = 0;
    std::int32_t numberOfSections = 0;
    std::int32_t inBranchNumber = 0;
    std::int32_t inUpSectionNumber = 0;
    bool isStorageOutletBranch = false;
    bool isLoopBetweenOutlets = false;
    bool isSingleStorageNodeBranch = false;

private:
    // Ahead of the ID list, in the room the flags leave, so that the record
    // takes 120 bytes: with the allocator's word, 128 where 136 took 144.
    std::uint32_t nodeIDCount_ = 0;
    // The node IDs, then the link IDs.
    Chain<std::int32_t> ids_;
};

// A million-branch network holds a million of these.
static_assert(sizeof(CBranch) <= 120);

// A pump link as the host gave it, and the branches and sections it joins.
class CPumpLink : public CImplObject {
public:
    CPumpLink(std::int32_t pumpID, std::int32_t upStreamNodeID, std::int32_t downStreamNodeID)
        : pumpLinkID(pumpID), upStreamNodeID(upStreamNodeID), downStreamNodeID(downStreamNodeID) {}
    ~CPumpLink() override = default;

#define RIVO_MEMBER(type, name, ...) type name = 0;
    RIVO_PUMP_LINK_FIELDS(RIVO_MEMBER)
#undef RIVO_MEMBER
};
