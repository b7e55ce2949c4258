#include "graph/incremental_dfs.h"

#include "graph/dfs_fld.h"

incremental_dfs::incremental_dfs(graph_fld& G, GTL::node start, bool secondPass,
                                 level_search* levels)
    : G_(G), secondPass_(secondPass), scratch_(G.scratch()), levels_(levels) {
    if (!levels_) {
        levels_ = &ownLevels_.emplace(G, start, scratch_->levels, scratch_->queue);
    }
    scratch_->entered.start_run(static_cast<std::size_t>(G.number_of_node_ids()));
    enter(start, GTL::node{}, GTL::edge{});
}

GTL::node incremental_dfs::entered(std::size_t k) {
    while (order_.size() <= k) {
        if (!enter_next()) {
            return GTL::node{};
        }
    }
    return order_[k];
}

bool incremental_dfs::reaches(GTL::node V) {
    while (!scratch_->entered.has(V.id)) {
        if (!enter_next()) {
            return false;
        }
    }
    return true;
}

void incremental_dfs::finish() {
    while (enter_next()) {
    }
}

void incremental_dfs::fill_path(path_record& path, GTL::node V) const {
    GTL::node C = V;
    path.nodes.push_back(C);
    for (GTL::edge via = scratch_->entered.get(C.id); !via.is_null();
         via = scratch_->entered.get(C.id)) {
        path.links.push_back(via);
        C = G_.opposite(via, C);
        path.nodes.push_back(C);
    }
}

void incremental_dfs::enter(GTL::node C, GTL::node F, GTL::edge via) {
    order_.push_back(C);
    scratch_->entered.set(C.id) = via;
    levels_->discover(C);
    std::size_t begin = links_.size();
    G_.for_each_adj_edge(C, [&](GTL::edge L) { links_.push_back(L); });
    OrderEnteredNodeLinks(G_, C, F, secondPass_,
                          std::span<GTL::edge>(links_.data() + begin, links_.size() - begin));
    stack_.push_back(Frame{C, F, begin, begin, links_.size()});
}

// The loop of the depth-first descent, stopped after each node it enters.
bool incremental_dfs::enter_next() {
    while (!stack_.empty()) {
        Frame& top = stack_.back();
        if (top.next == top.end) {
            links_.resize(top.begin);
            stack_.pop_back();
            continue;
        }
        GTL::edge L = links_[top.next++];
        GTL::node C = top.C;
        GTL::node N = G_.opposite(L, C);
        if (levels_->nearer(N, C) || scratch_->entered.has(N.id)) {
            continue;
        }
        enter(N, C, L);
        return true;
    }
    return false;
}
