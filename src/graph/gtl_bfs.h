#pragma once

#include <optional>
#include <vector>

#include "graph/gtl_algorithm.h"

namespace GTL {

// Breadth-first search from one start node: the level of every node it
// discovers (0 at the start, one more per link, counting visible links only)
// and the link by which it discovered the node. Nodes are discovered in level
// order and only as far as the caller asks, so a caller that stops early pays
// only for the levels it looked at. From its start until reset the search
// holds a dense table borrowed from the graph, which must not change meanwhile.
class bfs : public algorithm {
public:
    // Execution control: begin discovers the start node (the graph's first
    // node when none is set); run discovers every node the start reaches.
    int run(graph& G) override;
    void reset() override;
    void begin(const graph& G);
    // Takes nodes from the queue until n is discovered or none is left.
    bool discover(node n);
    void discover_all();

    // Queries on the nodes discovered so far.
    bool reached(node n) const { return table_ && (*table_)->has(n.id); }
    int level(node n) const { return reached(n) ? (*table_)->get(n.id).level : 0; }
    // The tree link by which n was discovered; null for the start.
    edge tree_edge_to(node n) const { return reached(n) ? (*table_)->get(n.id).via : edge{}; }
    // Every node discovered, in the order of discovery.
    const std::vector<node>& discovered_nodes() const { return queue_; }
    // Whether N lies nearer the start than C, for a discovered C. A node not
    // yet discovered lies beyond every level the queue has finished, and C
    // lies within them, so N is not nearer.
    bool nearer(node N, node C) const { return reached(N) && level(N) < level(C); }

private:
    // Takes the node at the front of the queue and discovers its neighbours.
    void take_next();

    const graph* G_ = nullptr;
    std::optional<table_lease<level_entry>> table_;
    std::vector<node> queue_;
    std::size_t front_ = 0;
};

// Breadth-first search that ends once it has discovered a target node: its
// tree path from the target back to the start is a shortest path in links.
class bfs_tgt : public bfs {
public:
    int run(graph& G) override;
    void target_node(node n) { target_ = n; }
    node target_node() const { return target_; }

private:
    node target_;
};

}  // namespace GTL
