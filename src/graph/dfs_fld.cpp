#include "graph/dfs_fld.h"

#include "graph/neighbour_order.h"

// Links at a node are few in real networks; where many links share a node
// (a star), the exchange sort is replaced by a method that ends in the same
// order: by reach always, by size where the sizes fall into classes that the
// rule orders consistently.
void OrderNetworkLinks(const graph_fld& G, GTL::node C, GTL::node F, bool secondPass,
                       std::span<GTL::edge> links) {
    if (links.size() < 2) {
        return;
    }
    // Reused between calls: most nodes have two or three links, and a fresh
    // vector per node would cost more than ordering them.
    thread_local std::vector<neighbour_order::LinkKey> keys;
    neighbour_order::MakeKeys(G, C, F, links, secondPass, keys);
    if (links.size() < neighbour_order::kManyLinks) {
        neighbour_order::ExchangeSortKeys(keys, secondPass);
    } else if (secondPass) {
        neighbour_order::SortByReach(keys);
    } else if (!neighbour_order::SortByClasses(keys)) {
        neighbour_order::ExchangeSortKeys(keys, secondPass);
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        links[i] = keys[i].link;
    }
}

void dfs_fld::order_links(const GTL::graph& G, GTL::node C, GTL::node F,
                          std::span<GTL::edge> links) {
    // With a father, one of two links is the link the search came by. It
    // leads back to an entered node and is never followed or recorded, so
    // only the other link matters, and one link has no order to keep.
    if (links.size() == 2 && !F.is_null()) {
        return;
    }
    OrderNetworkLinks(static_cast<const graph_fld&>(G), C, F, secondPass, links);
}

// A network search never steps back towards its start: it knows the level of
// every node it enters, and of every neighbour nearer the start than that.
void dfs_fld::prepare(GTL::graph& G) {
    if (tree_) {
        levels_ = nullptr;
        return;
    }
    if (givenLevels_) {
        levels_ = givenLevels_;
        return;
    }
    ownLevels_ = std::make_unique<GTL::bfs>();
    ownLevels_->start_node(start_node());
    ownLevels_->begin(G);
    levels_ = ownLevels_.get();
}

void dfs_fld::tables_returned() {
    ownLevels_.reset();
    givenLevels_ = nullptr;
    tree_ = false;
    levels_ = nullptr;
}
