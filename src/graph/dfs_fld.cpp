#include "graph/dfs_fld.h"

#include "graph/neighbour_order.h"

// Links at a node are few in real networks; where many links share a node
// (a star), the exchange sort is replaced by a stable sort whenever the sizes
// or reaches fall into classes that the rule orders consistently.
void OrderNetworkLinks(const graph_fld& G, GTL::node C, GTL::node F, bool secondPass,
                       std::span<GTL::edge> links) {
    if (links.size() < 2) {
        return;
    }
    // Reused between calls: most nodes have two or three links, and a fresh
    // vector per node would cost more than ordering them.
    thread_local std::vector<neighbour_order::LinkKey> keys;
    neighbour_order::MakeKeys(G, C, F, links, secondPass, keys);
    if (links.size() < neighbour_order::kManyLinks ||
        !neighbour_order::SortByClasses(keys, secondPass)) {
        neighbour_order::ExchangeSort(keys, secondPass);
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        links[i] = keys[i].link;
    }
}

void OrderEnteredNodeLinks(const graph_fld& G, GTL::node C, GTL::node F, bool secondPass,
                           std::span<GTL::edge> links) {
    // With a father, one of two links is the link the search came by. It
    // leads back to an entered node and is never followed or recorded, so
    // only the other link matters, and one link has no order to keep.
    if (links.size() == 2 && !F.is_null()) {
        return;
    }
    OrderNetworkLinks(G, C, F, secondPass, links);
}

void dfs_fld::order_links(const GTL::graph& G, GTL::node C, GTL::node F,
                          std::span<GTL::edge> links) {
    OrderEnteredNodeLinks(static_cast<const graph_fld&>(G), C, F, secondPass, links);
}

// The levels come first, over the graph as the search finds it: a network
// search never steps back towards its start.
int dfs_fld::run(GTL::graph& G) {
    scratch_lease scratch(static_cast<graph_fld&>(G).scratch());
    GTL::node start = start_.is_null() ? G.choose_node() : start_;
    level_search levels(G, start, scratch->levels, scratch->queue);
    levels.discover_all();
    return run_with_levels(G, levels);
}

int dfs_fld::run_with_levels(GTL::graph& G, const level_search& levels) {
    levels_ = &levels;
    GTL::dfs::run(G);
    levels_ = nullptr;
    return GTL_OK;
}
