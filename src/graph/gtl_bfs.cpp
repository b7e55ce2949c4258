#include "graph/gtl_bfs.h"

namespace GTL {

void bfs::calc_level(bool on) {
    if (on && !levels_) {
        levels_ = std::make_unique<sparse_node_map<int>>();
    } else if (!on) {
        levels_.reset();
    }
}

void bfs::store_non_tree_edges(bool on) {
    if (on && !nonTree_) {
        nonTree_ = std::make_unique<std::vector<edge>>();
    } else if (!on) {
        nonTree_.reset();
    }
}

void bfs::store_preds(bool on) {
    if (on && !preds_) {
        preds_ = std::make_unique<sparse_node_map<Pred>>();
    } else if (!on) {
        preds_.reset();
    }
}

void bfs::reset() {
    nextNumber_ = 1;
    reached_ = 0;
    order_.clear();
    treeEdges_.clear();
    roots_.clear();
    if (nonTree_) {
        nonTree_->clear();
    }
}

// Every number, level and predecessor reads as unset again; only entries
// written by the last run exist, so this costs what that run reached.
void bfs::init_maps() {
    numbers_.clear();
    discovery_.clear();
    if (levels_) {
        levels_->clear();
    }
    if (preds_) {
        preds_->clear();
    }
    if (nonTree_) {
        marks_ = std::make_unique<sparse_edge_map<int>>();
    }
}

int bfs::run(graph& G) {
    init_maps();
    init_handler(G);
    if (start_.is_null()) {
        start_ = G.choose_node();
    }
    if (!start_.is_null()) {
        // The counter runs on over runs without reset; the shortcut needs this run's count.
        int reachedBefore = reached_;
        new_start_handler(G, start_);
        scan(G, start_, node{});
        if (wholeGraph_ && reached_ - reachedBefore < G.number_of_nodes()) {
            G.for_each_node([&](node n) {
                if (numbers_.get(n) == 0) {
                    new_start_handler(G, n);
                    scan(G, n, node{});
                }
            });
        }
    }
    discard_marks();
    end_handler(G);
    return GTL_OK;
}

void bfs::scan(graph& G, node S, node target) {
    queue_.push_back(S);
    numbers_[S] = nextNumber_++;
    if (levels_) {
        (*levels_)[S] = 0;
    }
    while (!queue_.empty()) {
        node C = queue_.front();
        queue_.pop_front();
        ++reached_;
        order_.push_back(C);
        if (C == S) {
            roots_.push_back(order_.size() - 1);
        }
        popped_node_handler(G, C);
        bool targetFound = false;
        int levelC = levels_ ? levels_->get(C) : 0;
        G.for_each_adj_edge(C, [&](edge L) {
            node N = G.opposite(L, C);
            if (numbers_.get(N) == 0) {
                numbers_[N] = nextNumber_++;
                discovery_[N].via = L;
                treeEdges_.push_back(L);
                if (marks_) {
                    (*marks_)[L] = 1;
                }
                if (levels_) {
                    (*levels_)[N] = levelC + 1;
                }
                if (preds_) {
                    (*preds_)[N].father = C;
                }
                queue_.push_back(N);
                if (N == target && !target.is_null()) {
                    order_.push_back(N);
                    targetFound = true;
                }
                unused_node_handler(G, N, C);
            } else {
                if (nonTree_ && marks_->get(L) == 0) {
                    (*marks_)[L] = 1;
                    nonTree_->push_back(L);
                }
                used_node_handler(G, N, C);
            }
        });
        finished_node_handler(G, C);
        if (targetFound) {
            return;
        }
    }
}

int bfs_tgt::run(graph& G) {
    init_maps();
    init_handler(G);
    node S = start_node();
    if (S.is_null()) {
        S = G.choose_node();
        start_node(S);
    }
    if (!S.is_null()) {
        new_start_handler(G, S);
        scan(G, S, target_);
    }
    discard_marks();
    end_handler(G);
    return GTL_OK;
}

void bfs_tgt::reset() {
    bfs::reset();
    queue_.clear();
}

}  // namespace GTL
