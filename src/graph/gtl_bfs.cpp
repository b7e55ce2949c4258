#include "graph/gtl_bfs.h"

namespace GTL {

void bfs::reset() {
    table_.reset();
    queue_.clear();
    front_ = 0;
    G_ = nullptr;
}

void bfs::begin(const graph& G) {
    G_ = &G;
    if (!table_) {
        table_.emplace(G.tables().levels);
    }
    (*table_)->start_run(static_cast<std::size_t>(G.number_of_node_ids()));
    queue_.clear();
    front_ = 0;
    if (start_.is_null()) {
        start_ = G.choose_node();
    }
    if (!start_.is_null()) {
        (*table_)->set(start_.id) = level_entry{};
        queue_.push_back(start_);
    }
}

int bfs::run(graph& G) {
    begin(G);
    discover_all();
    return GTL_OK;
}

bool bfs::discover(node n) {
    while (!reached(n) && front_ < queue_.size()) {
        take_next();
    }
    return reached(n);
}

void bfs::discover_all() {
    while (front_ < queue_.size()) {
        take_next();
    }
}

void bfs::take_next() {
    node C = queue_[front_++];
    std::int32_t next = (*table_)->get(C.id).level + 1;
    G_->for_each_adj_edge(C, [&](edge L) {
        node N = G_->opposite(L, C);
        if (!(*table_)->has(N.id)) {
            (*table_)->set(N.id) = level_entry{next, L};
            queue_.push_back(N);
        }
    });
}

int bfs_tgt::run(graph& G) {
    begin(G);
    discover(target_);
    return GTL_OK;
}

}  // namespace GTL
