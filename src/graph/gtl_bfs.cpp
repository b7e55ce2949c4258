#include "graph/gtl_bfs.h"

namespace GTL {

void bfs::calc_level(bool on) {
    levels_ = on;
}

void bfs::store_non_tree_edges(bool on) {
    if (on && !nonTree_) {
        nonTree_ = std::make_unique<std::vector<edge>>();
    } else if (!on) {
        nonTree_.reset();
    }
}

void bfs::store_preds(bool on) {
    preds_ = on;
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
    entries_.clear();
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
                if (bfs_num(n) == 0) {
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
    Entry& s = entries_[S];
    s.number = nextNumber_++;
    s.level = 0;
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
        int levelC = entries_.get(C).level;
        G.for_each_adj_edge(C, [&](edge L) {
            node N = G.opposite(L, C);
            Entry& n = entries_[N];
            if (n.number == 0) {
                n.number = nextNumber_++;
                n.via = L;
                n.level = levelC + 1;
                n.father = C;
                treeEdges_.push_back(L);
                if (marks_) {
                    (*marks_)[L] = 1;
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
