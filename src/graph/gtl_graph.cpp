#include "graph/gtl_graph.h"

namespace GTL {

node graph::new_node() {
    nodes_.emplace_back();
    return node{static_cast<std::int32_t>(nodes_.size()) - 1};
}

edge graph::new_edge(node source, node target) {
    auto e = static_cast<std::int32_t>(edges_.size());
    EdgeRec rec{};
    rec.source = source.id;
    rec.target = target.id;
    edges_.push_back(rec);
    link_adjacency(e);
    append_to_edge_list(e);
    return edge{e};
}

void graph::hide_edge(edge e) {
    EdgeRec& r = edges_[e.id];
    if (r.hidden) {
        return;
    }
    unlink_adjacency(e.id);
    remove_from_edge_list(e.id);
    r.hidden = true;
    ++hiddenEdges_;
}

void graph::restore_edge(edge e) {
    EdgeRec& r = edges_[e.id];
    if (!r.hidden) {
        return;
    }
    r.hidden = false;
    link_adjacency(e.id);
    append_to_edge_list(e.id);
    --hiddenEdges_;
}

int graph::degree(node n) const {
    int count = 0;
    for_each_adj_edge(n, [&](edge) { ++count; });
    return count;
}

// A new or restored edge goes to the front of its source's out-edges and of
// its target's in-edges, so adjacency lists run newest first.
void graph::link_adjacency(std::int32_t e) {
    EdgeRec& r = edges_[e];
    NodeRec& s = nodes_[r.source];
    r.outPrev = -1;
    r.outNext = s.outHead;
    if (s.outHead >= 0) {
        edges_[s.outHead].outPrev = e;
    }
    s.outHead = e;
    NodeRec& t = nodes_[r.target];
    r.inPrev = -1;
    r.inNext = t.inHead;
    if (t.inHead >= 0) {
        edges_[t.inHead].inPrev = e;
    }
    t.inHead = e;
}

void graph::unlink_adjacency(std::int32_t e) {
    EdgeRec& r = edges_[e];
    if (r.outPrev >= 0) {
        edges_[r.outPrev].outNext = r.outNext;
    } else {
        nodes_[r.source].outHead = r.outNext;
    }
    if (r.outNext >= 0) {
        edges_[r.outNext].outPrev = r.outPrev;
    }
    if (r.inPrev >= 0) {
        edges_[r.inPrev].inNext = r.inNext;
    } else {
        nodes_[r.target].inHead = r.inNext;
    }
    if (r.inNext >= 0) {
        edges_[r.inNext].inPrev = r.inPrev;
    }
}

void graph::append_to_edge_list(std::int32_t e) {
    EdgeRec& r = edges_[e];
    r.listPrev = edgeTail_;
    r.listNext = -1;
    if (edgeTail_ >= 0) {
        edges_[edgeTail_].listNext = e;
    } else {
        edgeHead_ = e;
    }
    edgeTail_ = e;
}

void graph::remove_from_edge_list(std::int32_t e) {
    EdgeRec& r = edges_[e];
    if (r.listPrev >= 0) {
        edges_[r.listPrev].listNext = r.listNext;
    } else {
        edgeHead_ = r.listNext;
    }
    if (r.listNext >= 0) {
        edges_[r.listNext].listPrev = r.listPrev;
    } else {
        edgeTail_ = r.listPrev;
    }
}

}  // namespace GTL
