#include "graph/gtl_graph.h"

#include "graph/permute.h"

namespace GTL {

node graph::new_node() {
    nodes_.emplace_back();
    nodeOrder_.push_back(static_cast<std::int32_t>(nodes_.size()) - 1);
    return node{nodeOrder_.back()};
}

edge graph::new_edge(node source, node target) {
    auto e = static_cast<std::int32_t>(edges_.size());
    EdgeRec rec{};
    rec.source = source.id;
    rec.target = target.id;
    edges_.push_back(rec);
    edgeOrder_.push_back(e);
    if (!deferred_) {
        link_adjacency(e);
        append_to_edge_list(e);
    }
    return edge{e};
}

// While deferred, edges lie in creation order and no restore has happened,
// so linking the visible ones in memory order gives the lists eager
// linking would have left. The ends of edges a few steps ahead, and the
// list heads they will be put in front of, are fetched while the current
// one is linked (a head may change before its edge comes; that only wastes
// the fetch).
void graph::link_deferred() const {
    if (!deferred_) {
        return;
    }
    deferred_ = false;
    constexpr std::size_t kNodesAhead = 16;
    constexpr std::size_t kHeadsAhead = 8;
    const std::size_t m = edges_.size();
    for (std::size_t e = 0; e < m; ++e) {
        if (e + kNodesAhead < m) {
            __builtin_prefetch(&nodes_[edges_[e + kNodesAhead].source], 1);
            __builtin_prefetch(&nodes_[edges_[e + kNodesAhead].target], 1);
        }
        if (e + kHeadsAhead < m) {
            std::int32_t out = nodes_[edges_[e + kHeadsAhead].source].outHead;
            std::int32_t in = nodes_[edges_[e + kHeadsAhead].target].inHead;
            if (out >= 0) {
                __builtin_prefetch(&edges_[out], 1);
            }
            if (in >= 0) {
                __builtin_prefetch(&edges_[in], 1);
            }
        }
        if (!edges_[e].hidden) {
            link_adjacency(static_cast<std::int32_t>(e));
            append_to_edge_list(static_cast<std::int32_t>(e));
        }
    }
}

void graph::hide_edge(edge e) {
    EdgeRec& r = edges_[e.id];
    if (r.hidden) {
        return;
    }
    if (!deferred_) {
        unlink_adjacency(e.id);
        remove_from_edge_list(e.id);
    }
    r.hidden = true;
    ++hiddenEdges_;
}

void graph::restore_edge(edge e) {
    link_deferred();
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
void graph::link_adjacency(std::int32_t e) const {
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

void graph::append_to_edge_list(std::int32_t e) const {
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

void graph::renumber(const large_vector<std::int32_t>& newNode,
                     const large_vector<std::int32_t>& newEdge, const PermutationCycles& nodeCycles,
                     const PermutationCycles& edgeCycles) {
    link_deferred();
    auto edgeNo = [&](std::int32_t e) { return e < 0 ? e : newEdge[static_cast<std::size_t>(e)]; };
    for (NodeRec& n : nodes_) {
        n.outHead = edgeNo(n.outHead);
        n.inHead = edgeNo(n.inHead);
    }
    for (EdgeRec& r : edges_) {
        r.source = newNode[static_cast<std::size_t>(r.source)];
        r.target = newNode[static_cast<std::size_t>(r.target)];
        for (std::int32_t* link :
             {&r.outPrev, &r.outNext, &r.inPrev, &r.inNext, &r.listPrev, &r.listNext}) {
            *link = edgeNo(*link);
        }
    }
    edgeHead_ = edgeNo(edgeHead_);
    edgeTail_ = edgeNo(edgeTail_);
    for (std::int32_t& n : nodeOrder_) {
        n = newNode[static_cast<std::size_t>(n)];
    }
    for (std::int32_t& e : edgeOrder_) {
        e = newEdge[static_cast<std::size_t>(e)];
    }
    nodeCycles.Apply(nodes_);
    edgeCycles.Apply(edges_);
}

}  // namespace GTL
