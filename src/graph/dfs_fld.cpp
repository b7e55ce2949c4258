#include "graph/dfs_fld.h"

#include "graph/neighbour_order.h"

namespace {
// Below this many links the exchange sort is as quick as anything else.
constexpr std::size_t kExchangeSortLimit = 16;
}  // namespace

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
    neighbour_order::MakeKeys(G, C, F, links, keys);
    if (links.size() < kExchangeSortLimit || !neighbour_order::SortByClasses(keys, secondPass)) {
        neighbour_order::ExchangeSort(keys, secondPass);
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        links[i] = keys[i].link;
    }
}

void dfs_fld::order_links(const GTL::graph& G, GTL::node C, GTL::node F,
                          std::span<GTL::edge> links) {
    OrderNetworkLinks(static_cast<const graph_fld&>(G), C, F, secondPass, links);
}

int dfs_fld::run(GTL::graph& G) {
    levelSearch_ = std::make_unique<GTL::bfs>();
    levelSearch_->scan_whole_graph(false);
    levelSearch_->calc_level(true);
    levelSearch_->start_node(start_);
    levelSearch_->run(G);
    GTL::dfs::run(G);
    levelSearch_.reset();
    return GTL_OK;
}
