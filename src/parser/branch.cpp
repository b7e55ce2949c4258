#include "parser/branch.h"

namespace {
// Tables report node copies as minus the ID of the node copied.
std::int32_t ReportedNodeID(std::int32_t id) {
    return id > kCopyIdBase ? -(id % kCopyIdBase) : id;
}
}  // namespace

void CBranch::FillIDTables() {
    nodeIDs.clear();
    edgeIDs.clear();
    nodeIDs.reserve(nodes.size());
    edgeIDs.reserve(edges.size());
    std::size_t step = 0;
    if (!isSingleStorageNodeBranch) {
        for (; step < edges.size(); ++step) {
            nodeIDs.push_back(ReportedNodeID(graph->data(nodes[step]).nodeID));
            edgeIDs.push_back(graph->data(edges[step]).edgeID);
        }
    }
    if (step < nodes.size()) {
        nodeIDs.push_back(graph->data(nodes[step]).nodeID);
    }
}

// A branch's error object is seen only in the message it raises, so the
// context is named when a check fails rather than on every call: hosts read
// every ID of every branch, and most branches never report anything.
std::int32_t CBranch::GetNodeID(std::int32_t index) const {
    if (index < 0 || index > GetNumberOfNodes() - 1) {
        error().SetContext(texts::kBranchGetNodeID);
        error().ThrowError(E_INVALIDARG, texts::kIndexOutOfRange);
    }
    return nodeIDs[static_cast<std::size_t>(index)];
}

std::int32_t CBranch::GetEdgeID(std::int32_t index) const {
    if (index < 0 || index > GetNumberOfEdges() - 1) {
        error().SetContext(texts::kBranchGetEdgeID);
        error().ThrowError(E_INVALIDARG, texts::kIndexOutOfRange);
    }
    return edgeIDs[static_cast<std::size_t>(index)];
}
