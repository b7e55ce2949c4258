#include "graph/level_search.h"

level_search::level_search(const GTL::graph& G, GTL::node start, stamped_table<int>& levels,
                           std::vector<GTL::node>& queue)
    : G_(G), levels_(levels), queue_(queue) {
    levels_.start_run(static_cast<std::size_t>(G.number_of_node_ids()));
    queue_.clear();
    if (!start.is_null()) {
        levels_.set(start.id) = 0;
        queue_.push_back(start);
    }
}

bool level_search::discover(GTL::node n) {
    while (!discovered(n) && front_ < queue_.size()) {
        scan_front();
    }
    return discovered(n);
}

void level_search::discover_all() {
    while (front_ < queue_.size()) {
        scan_front();
    }
}

void level_search::scan_front() {
    GTL::node C = queue_[front_++];
    int next = levels_.get(C.id) + 1;
    G_.for_each_adj_edge(C, [&](GTL::edge L) {
        GTL::node N = G_.opposite(L, C);
        if (!levels_.has(N.id)) {
            levels_.set(N.id) = next;
            queue_.push_back(N);
        }
    });
}
