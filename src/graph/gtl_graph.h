#pragma once

#include <cstdint>
#include <vector>

#include "graph/handles.h"
#include "graph/search_scratch.h"
#include "support/large_allocation.h"

class PermutationCycles;

namespace GTL {

// Adjacency-list graph whose edges can be hidden and restored. Nodes are never
// hidden or deleted here, so the node list is the creation order. Every list
// is intrusive (positions kept in the edge records), which makes hiding and
// restoring an edge O(1). The internal numbers can be given out anew (say, in
// the order a search meets the nodes, so that searches walk memory in order);
// every order the graph shows stays as it was.
class graph {
public:
    graph() = default;
    graph(const graph&) = delete;
    graph& operator=(const graph&) = delete;
    virtual ~graph() = default;

    node new_node();
    edge new_edge(node source, node target);

    // From here on new edges only record their ends; the adjacency and edge
    // lists are made in one pass when first needed (link_deferred). Linking
    // each edge as it comes costs a wait for memory at both of its ends,
    // and a host adds a million of them one call at a time. Until then,
    // edges may be added and hidden.
    void defer_links() { deferred_ = true; }
    // Makes every list an eager graph would hold: visible edges in creation
    // order, each at the front of its ends' lists. Reading the adjacency
    // does this first, so it is const: the lists only catch up with the
    // edges already there.
    void link_deferred() const;

    bool is_directed() const { return directed_; }
    void make_undirected() { directed_ = false; }

    void hide_edge(edge e);
    void restore_edge(edge e);
    bool is_hidden(edge e) const { return edges_[e.id].hidden; }

    node source(edge e) const { return node{edges_[e.id].source}; }
    node target(edge e) const { return node{edges_[e.id].target}; }
    // The end of e that is not n: the target when n is the source, else the source.
    node opposite(edge e, node n) const {
        const EdgeRec& r = edges_[e.id];
        return node{r.source == n.id ? r.target : r.source};
    }

    // Visits the visible edges at n in adjacency order: out-edges, then (when
    // undirected) in-edges, each newest first.
    template <class F>
    void for_each_adj_edge(node n, F&& visit) const {
        if (deferred_) {
            link_deferred();
        }
        for (std::int32_t e = nodes_[n.id].outHead; e >= 0; e = edges_[e].outNext) {
            visit(edge{e});
        }
        if (!directed_) {
            for (std::int32_t e = nodes_[n.id].inHead; e >= 0; e = edges_[e].inNext) {
                visit(edge{e});
            }
        }
    }
    // Number of visible edges at n, counted as adjacency visits them.
    int degree(node n) const;

    // Visible edges in edge list order (creation order, restored ones last).
    template <class F>
    void for_each_edge(F&& visit) const {
        if (deferred_) {
            link_deferred();
        }
        for (std::int32_t e = edgeHead_; e >= 0; e = edges_[e].listNext) {
            visit(edge{e});
        }
    }
    // All nodes in node list order.
    template <class F>
    void for_each_node(F&& visit) const {
        for (std::int32_t n : nodeOrder_) {
            visit(node{n});
        }
    }

    node choose_node() const { return nodes_.empty() ? node{} : node{nodeOrder_[0]}; }
    // The node created k-th (from 0) and the edge created k-th.
    node nth_node(std::size_t k) const { return node{nodeOrder_[k]}; }
    edge nth_edge(std::size_t k) const { return edge{edgeOrder_[k]}; }

    // Gives node n the number newNode[n] and edge e the number newEdge[e]
    // (each a permutation of the numbers in use, with its cycles listed).
    void renumber(const large_vector<std::int32_t>& newNode,
                  const large_vector<std::int32_t>& newEdge, const PermutationCycles& nodeCycles,
                  const PermutationCycles& edgeCycles);
    int number_of_nodes() const { return static_cast<int>(nodes_.size()); }
    int number_of_edges() const { return static_cast<int>(edges_.size()) - hiddenEdges_; }
    int number_of_hidden_edges() const { return hiddenEdges_; }
    // Every number ever given out (no deletions happen in this system).
    int number_of_node_ids() const { return static_cast<int>(nodes_.size()); }
    int number_of_edge_ids() const { return static_cast<int>(edges_.size()); }

    // Tables that searches over this graph borrow while they run; lending
    // them changes nothing of the graph.
    search_tables& tables() const { return tables_; }

private:
    struct NodeRec {
        std::int32_t outHead = -1;
        std::int32_t inHead = -1;
    };
    struct EdgeRec {
        std::int32_t source;
        std::int32_t target;
        std::int32_t outPrev = -1, outNext = -1;
        std::int32_t inPrev = -1, inNext = -1;
        std::int32_t listPrev = -1, listNext = -1;
        bool hidden = false;
    };

    void link_adjacency(std::int32_t e) const;
    void unlink_adjacency(std::int32_t e);
    void append_to_edge_list(std::int32_t e) const;
    void remove_from_edge_list(std::int32_t e);

    bool directed_ = true;
    // The lists below are made late (link_deferred), hence mutable.
    mutable bool deferred_ = false;
    mutable large_vector<NodeRec> nodes_;
    mutable large_vector<EdgeRec> edges_;
    // Internal numbers in creation order.
    large_vector<std::int32_t> nodeOrder_;
    large_vector<std::int32_t> edgeOrder_;
    mutable std::int32_t edgeHead_ = -1;
    mutable std::int32_t edgeTail_ = -1;
    int hiddenEdges_ = 0;
    mutable search_tables tables_;
};

}  // namespace GTL
