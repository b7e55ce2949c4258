#include "parser/branch.h"

#include "support/error_texts.h"
#include "support/kt_exception.h"

namespace {
// Tables report node copies as minus the ID of the node copied.
std::int32_t ReportedNodeID(std::int32_t id) {
    return id > kCopyIDBase ? -(id % kCopyIDBase) : id;
}
}  // namespace

void CBranch::FillIDTables(const graph_fld& graph) {
    ids_.clear();
    ids_.reserve(nodes.size() + edges.size());
    std::size_t linked = isSingleStorageNodeBranch ? 0 : edges.size();
    for (std::size_t step = 0; step < linked; ++step) {
        ids_.push_back(ReportedNodeID(graph.data(nodes[step]).nodeID));
    }
    if (linked < nodes.size()) {
        ids_.push_back(graph.data(nodes[linked]).nodeID);
    }
    nodeIDCount_ = static_cast<std::uint32_t>(ids_.size());
    for (std::size_t step = 0; step < linked; ++step) {
        ids_.push_back(graph.data(edges[step]).edgeID);
    }
}

std::int32_t CBranch::GetNodeID(std::int32_t index) const {
    if (index < 0 || index > GetNumberOfNodes() - 1) {
        RaiseFailure(texts::kBranchGetNodeID, E_INVALIDARG, texts::kIndexOutOfRange);
    }
    return NodeIDs()[static_cast<std::size_t>(index)];
}

std::int32_t CBranch::GetEdgeID(std::int32_t index) const {
    if (index < 0 || index > GetNumberOfEdges() - 1) {
        RaiseFailure(texts::kBranchGetEdgeID, E_INVALIDARG, texts::kIndexOutOfRange);
    }
    return EdgeIDs()[static_cast<std::size_t>(index)];
}
