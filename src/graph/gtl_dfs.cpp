#include "graph/gtl_dfs.h"

namespace GTL {

void dfs::calc_comp_num(bool on) {
    compNums_ = on;
}

void dfs::store_preds(bool on) {
    preds_ = on;
}

void dfs::store_non_tree_edges(bool on) {
    if (on && !backEdges_) {
        backEdges_ = std::make_unique<std::vector<edge>>();
    } else if (!on) {
        backEdges_.reset();
    }
}

void dfs::reset() {
    nextDfsNum_ = 1;
    nextCompNum_ = 1;
    reached_ = 0;
    treeEdges_.clear();
    order_.clear();
    roots_.clear();
    start_ = node{};
    if (backEdges_) {
        backEdges_->clear();
    }
}

// Every depth-first number, component number and predecessor reads as unset
// again; the lists (order, tree links, roots, back links) only reset empties.
void dfs::init_maps() {
    entries_.clear();
    if (backEdges_) {
        marks_ = std::make_unique<sparse_edge_map<int>>();
    }
}

int dfs::run(graph& G) {
    init_maps();
    init_handler(G);
    if (G.number_of_nodes() == 0) {
        return GTL_OK;
    }
    if (start_.is_null()) {
        start_ = G.choose_node();
    }
    // The counter runs on over runs without reset; the shortcut needs this run's count.
    int reachedBefore = reached_;
    new_start_handler(G, start_);
    dfs_sub(G, start_);
    if (wholeGraph_ && reached_ - reachedBefore < G.number_of_nodes()) {
        G.for_each_node([&](node n) {
            if (dfs_num(n) == 0) {
                new_start_handler(G, n);
                dfs_sub(G, n);
            }
        });
    }
    discard_marks();
    end_handler(G);
    return GTL_OK;
}

// Steps 1 to 4 of the descent into C: number it, call the entry hook and put
// its links, in the order they are tried, on the shared link stack.
void dfs::enter(graph& G, node C, node F, edge via, std::vector<Frame>& stack) {
    order_.push_back(C);
    if (F.is_null()) {
        roots_.push_back(order_.size() - 1);
    }
    Entry& e = entries_[C];
    e.dfsNum = nextDfsNum_;
    ++reached_;
    if (preds_) {
        e.father = F;
    }
    entry_handler(G, C, F);
    ++nextDfsNum_;
    std::size_t begin = linkStack_.size();
    G.for_each_adj_edge(C, [&](edge L) { linkStack_.push_back(L); });
    order_links(G, C, F, std::span<edge>(linkStack_.data() + begin, linkStack_.size() - begin));
    stack.push_back(Frame{C, F, via, begin, begin, linkStack_.size()});
}

void dfs::dfs_sub(graph& G, node start) {
    std::vector<Frame> stack;
    enter(G, start, node{}, edge{}, stack);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.end) {
            node C = top.C;
            node F = top.F;
            edge via = top.via;
            leave_handler(G, C, F);
            if (compNums_) {
                entries_[C].compNum = nextCompNum_++;
            }
            linkStack_.resize(top.begin);
            stack.pop_back();
            if (!stack.empty()) {
                after_recursive_call_handler(G, via, C);
            }
            continue;
        }
        edge L = linkStack_[top.next++];
        node C = top.C;
        node N = G.opposite(L, C);
        if (skip_neighbour(C, N)) {
            continue;
        }
        if (dfs_num(N) == 0) {
            treeEdges_.push_back(L);
            if (marks_) {
                (*marks_)[L] = 1;
            }
            before_recursive_call_handler(G, L, N);
            enter(G, N, C, L, stack);
        } else {
            if (backEdges_ && marks_->get(L) == 0) {
                (*marks_)[L] = 1;
                backEdges_->push_back(L);
            }
            old_adj_node_handler(G, L, N);
        }
    }
}

}  // namespace GTL
