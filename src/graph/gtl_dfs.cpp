#include "graph/gtl_dfs.h"

namespace GTL {

void dfs::reset() {
    give_tables_back();
    reached_ = 0;
    order_.clear();
    treeEdges_.clear();
    backEdges_.clear();
    start_ = node{};
}

int dfs::run(graph& G) {
    begin(G);
    while (enter_next()) {
    }
    give_tables_back();
    return GTL_OK;
}

void dfs::begin(graph& G) {
    give_tables_back();
    G_ = &G;
    positions_.emplace(G.tables().positions);
    (*positions_)->start_run(static_cast<std::size_t>(G.number_of_node_ids()));
    if (recordBackEdges_) {
        usedLinks_.emplace(G.tables().usedLinks);
        (*usedLinks_)->start_run(static_cast<std::size_t>(G.number_of_edge_ids()));
    }
    runOrderBegin_ = order_.size();
    runTreeBegin_ = treeEdges_.size();
    if (G.number_of_nodes() == 0) {
        return;
    }
    if (start_.is_null()) {
        start_ = G.choose_node();
    }
    prepare(G);
    enter(start_, node{});
}

void dfs::give_tables_back() {
    if (!positions_) {
        return;
    }
    positions_.reset();
    usedLinks_.reset();
    // A kept search holds only its lists.
    std::vector<Frame>().swap(stack_);
    std::vector<edge>().swap(links_);
    tables_returned();
}

void dfs::enter(node C, node F) {
    (*positions_)->set(C.id) = static_cast<std::int32_t>(order_.size() - runOrderBegin_);
    order_.push_back(C);
    ++reached_;
    entered_node(C);
    std::size_t begin = links_.size();
    G_->for_each_adj_edge(C, [&](edge L) { links_.push_back(L); });
    order_links(*G_, C, F, std::span<edge>(links_.data() + begin, links_.size() - begin));
    stack_.push_back(Frame{C, begin, begin, links_.size()});
}

// The descent of the recursive procedure, paused after each node it enters:
// the links of the node on top of the stack are tried in turn; a neighbour
// not yet entered is entered through a tree link, one entered before makes
// the link a back link (recorded once); a node whose links are all tried is
// left.
bool dfs::enter_next() {
    while (!stack_.empty()) {
        Frame& top = stack_.back();
        if (top.next == top.end) {
            links_.resize(top.begin);
            stack_.pop_back();
            continue;
        }
        edge L = links_[top.next++];
        node C = top.C;
        node N = G_->opposite(L, C);
        if (skip_neighbour(C, N)) {
            continue;
        }
        if (!entered_by_run(N)) {
            treeEdges_.push_back(L);
            if (usedLinks_) {
                (*usedLinks_)->set(L.id) = 1;
            }
            enter(N, C);
            return true;
        }
        if (usedLinks_ && (*usedLinks_)->get(L.id) == 0) {
            (*usedLinks_)->set(L.id) = 1;
            backEdges_.push_back(L);
        }
    }
    return false;
}

node dfs::entered(std::size_t k) {
    while (order_.size() - runOrderBegin_ <= k) {
        if (!enter_next()) {
            return node{};
        }
    }
    return order_[runOrderBegin_ + k];
}

bool dfs::reaches(node n) {
    while (!entered_by_run(n)) {
        if (!enter_next()) {
            return false;
        }
    }
    return true;
}

edge dfs::tree_edge_to(node n) const {
    std::int32_t at = (*positions_)->get(n.id);
    return at == 0 ? edge{} : treeEdges_[runTreeBegin_ + static_cast<std::size_t>(at) - 1];
}

}  // namespace GTL
