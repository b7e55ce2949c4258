#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "graph/gtl_algorithm.h"
#include "graph/sparse_map.h"

namespace GTL {

// Breadth-first search: levels (links from the start node), discovery links,
// predecessors and optionally the links met again after both ends were found.
class bfs : public algorithm {
public:
    bfs() = default;
    ~bfs() override = default;

    // Execution control.
    int run(graph& G) override;
    int check(graph&) override { return GTL_OK; }
    void reset() override;
    void start_node(node n) { start_ = n; }
    node start_node() const { return start_; }
    void scan_whole_graph(bool on) { wholeGraph_ = on; }
    void calc_level(bool on);
    void store_non_tree_edges(bool on);
    void store_preds(bool on);

    // Queries.
    const std::vector<node>& bfs_order() const { return order_; }
    const std::vector<edge>& tree_edges() const { return treeEdges_; }
    const std::vector<edge>& non_tree_edges() const { return nonTree_ ? *nonTree_ : empty_; }
    const std::vector<std::size_t>& roots() const { return roots_; }
    int bfs_num(node n) const { return entries_.get(n).number; }
    bool reached(node n) const { return bfs_num(n) != 0; }
    int level(node n) const { return levels_ ? entries_.get(n).level : 0; }
    node father(node n) const { return preds_ ? entries_.get(n).father : node{}; }
    // The link by which n was discovered (null for a start node).
    edge discovery_edge(node n) const { return entries_.get(n).via; }
    int number_of_reached_nodes() const { return reached_; }
    const std::deque<node>& queue() const { return queue_; }

protected:
    // Hooks, each doing nothing by default.
    virtual void init_handler(graph&) {}
    virtual void end_handler(graph&) {}
    virtual void popped_node_handler(graph&, node&) {}
    virtual void finished_node_handler(graph&, node&) {}
    virtual void unused_node_handler(graph&, node&, node&) {}
    virtual void used_node_handler(graph&, node&, node&) {}
    virtual void new_start_handler(graph&, node&) {}

    void init_maps();
    // Takes nodes from the queue and discovers their neighbours; stops early
    // when `target` is discovered (after finishing its discoverer).
    void scan(graph& G, node S, node target);
    void discard_marks() { marks_.reset(); }

    std::deque<node> queue_;
    std::vector<node> order_;

private:
    // Everything the search knows of a node, in one entry: one lookup per
    // link met instead of one per recorded map.
    struct Entry {
        int number = 0;
        int level = 0;
        edge via;
        node father;
    };

    int nextNumber_ = 1;
    std::vector<edge> treeEdges_;
    sparse_node_map<Entry> entries_;
    int reached_ = 0;
    std::vector<std::size_t> roots_;
    bool wholeGraph_ = false;
    node start_;
    bool levels_ = false;
    std::unique_ptr<std::vector<edge>> nonTree_;
    bool preds_ = false;
    std::unique_ptr<sparse_edge_map<int>> marks_;
    static inline const std::vector<edge> empty_{};
};

// Breadth-first search that stops once a target node has been discovered: the
// target goes into the order at once and the search ends after finishing the
// node it was discovered from. Nodes still queued stay there until reset.
class bfs_tgt : public bfs {
public:
    ~bfs_tgt() override = default;

    int run(graph& G) override;
    void reset() override;
    void target_node(node n) { target_ = n; }
    node target_node() const { return target_; }

private:
    node target_;
};

}  // namespace GTL
