#include "graph/gtl_dfs.h"

namespace GTL {

void dfs::reset() {
    give_tables_back();
    reached_ = 0;
    // A search run again after a reset may reach far less than before (an
    // outlet's search once the path to the next outlet is cut): keep no room.
    std::vector<node>().swap(order_);
    std::vector<edge>().swap(treeEdges_);
    std::vector<edge>().swap(backEdges_);
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
    run_ = std::make_unique<Run>(G);
    run_->positions->start_run(static_cast<std::size_t>(G.number_of_node_ids()));
    if (recordBackEdges_) {
        run_->usedLinks.emplace(G.tables().usedLinks);
        (*run_->usedLinks)->start_run(static_cast<std::size_t>(G.number_of_edge_ids()));
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
    if (!run_) {
        return;
    }
    // A kept search holds only its lists.
    run_.reset();
    tables_returned();
}

void dfs::enter(node C, node F) {
    Run& r = *run_;
    r.positions->set(C.id) = static_cast<std::int32_t>(order_.size() - runOrderBegin_);
    order_.push_back(C);
    ++reached_;
    entered_node(C);
    std::size_t begin = r.links.size();
    r.G->for_each_adj_edge(C, [&](edge L) { r.links.push_back(L); });
    order_links(*r.G, C, F, std::span<edge>(r.links.data() + begin, r.links.size() - begin));
    r.stack.push_back(Frame{C, begin, begin, r.links.size()});
}

// The descent of the recursive procedure, paused after each node it enters:
// the links of the node on top of the stack are tried in turn; a neighbour
// not yet entered is entered through a tree link, one entered before makes
// the link a back link (recorded once); a node whose links are all tried is
// left.
bool dfs::enter_next() {
    if (!run_) {
        return false;
    }
    Run& r = *run_;
    while (!r.stack.empty()) {
        Frame& top = r.stack.back();
        if (top.next == top.end) {
            r.links.resize(top.begin);
            r.stack.pop_back();
            continue;
        }
        edge L = r.links[top.next++];
        node C = top.C;
        node N = r.G->opposite(L, C);
        if (skip_neighbour(C, N)) {
            continue;
        }
        if (!entered_by_run(N)) {
            treeEdges_.push_back(L);
            if (r.usedLinks) {
                (*r.usedLinks)->set(L.id) = 1;
            }
            enter(N, C);
            return true;
        }
        if (r.usedLinks && (*r.usedLinks)->get(L.id) == 0) {
            (*r.usedLinks)->set(L.id) = 1;
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
    std::int32_t at = run_->positions->get(n.id);
    return at == 0 ? edge{} : treeEdges_[runTreeBegin_ + static_cast<std::size_t>(at) - 1];
}

}  // namespace GTL
