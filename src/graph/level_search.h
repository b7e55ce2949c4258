#pragma once

#include <vector>

#include "graph/gtl_graph.h"
#include "graph/stamped_table.h"

// Breadth-first levels from a start node: 0 at the start, one more per link,
// counting only visible links. Nodes are discovered in level order and only
// as far as a caller needs them, so a search that stops early pays only for
// the levels it looked at.
class level_search {
public:
    // `levels` and `queue` are borrowed tables, emptied here.
    level_search(const GTL::graph& G, GTL::node start, stamped_table<int>& levels,
                 std::vector<GTL::node>& queue);

    // Discovers nodes until n is discovered or none is left; whether n is.
    bool discover(GTL::node n);
    void discover_all();

    bool discovered(GTL::node n) const { return levels_.has(n.id); }
    // Every node discovered so far, in the order of discovery.
    const std::vector<GTL::node>& discovered_nodes() const { return queue_; }
    // The level of a discovered node (0 for one not discovered).
    int level(GTL::node n) const { return levels_.get(n.id); }

    // Whether N lies nearer the start than C, for a discovered C. A node not
    // yet discovered lies beyond every level the queue has finished, and C
    // lies within them, so N is not nearer.
    bool nearer(GTL::node N, GTL::node C) const { return discovered(N) && level(N) < level(C); }

private:
    // Takes the node at the front of the queue and discovers its neighbours.
    void scan_front();

    const GTL::graph& G_;
    stamped_table<int>& levels_;
    std::vector<GTL::node>& queue_;
    std::size_t front_ = 0;
};
