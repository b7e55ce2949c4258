#include "graph/graph_fld.h"

namespace {
[[noreturn]] void RaiseGraphError(const wchar_t* context) {
    CKtHRException(context, E_INVALIDARG).Throw();
    __builtin_unreachable();
}
}  // namespace

// A duplicate ID is rejected before anything is created, so a failed call
// leaves the graph exactly as it was.
GTL::node graph_fld::add_node(std::int32_t nodeID, std::int16_t nodeType, double xPosition,
                              double yPosition) {
    if (HasNode(nodeID)) {
        RaiseGraphError(texts::kGraphAddNode);
    }
    GTL::node n = new_node();
    NodeData& d = nodeData_.emplace_back();
    d.xPosition = xPosition;
    d.yPosition = yPosition;
    d.nodeType = nodeType;
    d.nodeID = nodeID;
    nodeByID_.insert(nodeID, n.id);
    return n;
}

GTL::edge graph_fld::add_edge(std::int32_t edgeID, GTL::node source, GTL::node target,
                              std::int16_t edgeType, double elevationInSource,
                              double elevationInTarget, double size, double length) {
    if (HasEdge(edgeID)) {
        RaiseGraphError(texts::kGraphAddEdge);
    }
    GTL::edge e = new_edge(source, target);
    edgeData_.emplace_back(edgeID, source, elevationInSource, target, elevationInTarget, size,
                           edgeType, length);
    edgeByID_.insert(edgeID, e.id);
    return e;
}

GTL::node graph_fld::GetNode(std::int32_t nodeID) const {
    std::int32_t n = nodeByID_.find(nodeID);
    if (n < 0) {
        RaiseGraphError(texts::kGraphGetNode);
    }
    return GTL::node{n};
}

GTL::edge graph_fld::GetEdge(std::int32_t edgeID) const {
    std::int32_t e = edgeByID_.find(edgeID);
    if (e < 0) {
        RaiseGraphError(texts::kGraphGetEdge);
    }
    return GTL::edge{e};
}

void graph_fld::SetNodeIsPondType(std::int32_t nodeID, bool isPond) {
    std::int32_t n = nodeByID_.find(nodeID);
    if (n < 0) {
        RaiseGraphError(texts::kGraphSetNodeIsPondType);
    }
    nodeData_[n].isPond = isPond;
}

void graph_fld::reserve(std::size_t nodes, std::size_t edges) {
    nodeByID_.reserve(nodes);
    edgeByID_.reserve(edges);
}
