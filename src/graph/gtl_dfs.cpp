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
    runNodes_.clear();
    runCompNums_.clear();
    runFathers_.clear();
    runFirstNum_ = nextDfsNum_;
    positionIndex_.clear();
    indexed_ = false;
}

int dfs::run(graph& G) {
    init_maps();
    scratch_lease scratch(G.scratch());
    // The borrowed tables go back when the run ends, however it ends.
    struct Running {
        search_scratch*& tables;
        ~Running() { tables = nullptr; }
    } running{running_};
    running_ = &*scratch;
    running_->positions.start_run(static_cast<std::size_t>(G.number_of_node_ids()));
    if (backEdges_) {
        running_->usedLinks.start_run(static_cast<std::size_t>(G.number_of_edge_ids()));
    }
    init_handler(G);
    if (G.number_of_nodes() == 0) {
        return GTL_OK;
    }
    if (start_.is_null()) {
        start_ = G.choose_node();
    }
    new_start_handler(G, start_);
    dfs_sub(G, start_);
    if (wholeGraph_ && static_cast<int>(runNodes_.size()) < G.number_of_nodes()) {
        G.for_each_node([&](node n) {
            if (!entered(n)) {
                new_start_handler(G, n);
                dfs_sub(G, n);
            }
        });
    }
    end_handler(G);
    return GTL_OK;
}

bool dfs::entered(node n) const {
    return running_->positions.has(n.id);
}

int dfs::position(node n) const {
    if (running_) {
        return entered(n) ? running_->positions.get(n.id) : -1;
    }
    if (!indexed_) {
        for (std::size_t p = 0; p < runNodes_.size(); ++p) {
            positionIndex_[runNodes_[p]] = static_cast<int>(p) + 1;
        }
        indexed_ = true;
    }
    return positionIndex_.get(n) - 1;
}

int dfs::dfs_num(node n) const {
    int p = position(n);
    return p < 0 ? 0 : runFirstNum_ + p;
}

int dfs::comp_num(node n) const {
    int p = position(n);
    return p < 0 || runCompNums_.empty() ? 0 : runCompNums_[static_cast<std::size_t>(p)];
}

node dfs::father(node n) const {
    int p = position(n);
    return p < 0 || runFathers_.empty() ? node{} : runFathers_[static_cast<std::size_t>(p)];
}

// Steps 1 to 4 of the descent into C: number it, call the entry hook and put
// its links, in the order they are tried, on the shared link stack.
void dfs::enter(graph& G, node C, node F, edge via, std::vector<Frame>& stack) {
    order_.push_back(C);
    if (F.is_null()) {
        roots_.push_back(order_.size() - 1);
    }
    int at = static_cast<int>(runNodes_.size());
    running_->positions.set(C.id) = at;
    runNodes_.push_back(C);
    if (compNums_) {
        runCompNums_.push_back(0);
    }
    if (preds_) {
        runFathers_.push_back(F);
    }
    ++reached_;
    entry_handler(G, C, F);
    ++nextDfsNum_;
    std::size_t begin = linkStack_.size();
    G.for_each_adj_edge(C, [&](edge L) { linkStack_.push_back(L); });
    order_links(G, C, F, std::span<edge>(linkStack_.data() + begin, linkStack_.size() - begin));
    stack.push_back(Frame{C, F, via, at, begin, begin, linkStack_.size()});
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
                runCompNums_[static_cast<std::size_t>(top.position)] = nextCompNum_++;
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
        if (!entered(N)) {
            treeEdges_.push_back(L);
            if (backEdges_) {
                running_->usedLinks.set(L.id) = 1;
            }
            before_recursive_call_handler(G, L, N);
            enter(G, N, C, L, stack);
        } else {
            if (backEdges_ && running_->usedLinks.get(L.id) == 0) {
                running_->usedLinks.set(L.id) = 1;
                backEdges_->push_back(L);
            }
            old_adj_node_handler(G, L, N);
        }
    }
}

}  // namespace GTL
