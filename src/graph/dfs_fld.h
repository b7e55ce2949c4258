#pragma once

#include "graph/graph_fld.h"
#include "graph/gtl_dfs.h"
#include "graph/level_search.h"

// The search that grows a subnetwork from its outlet. It never steps to a
// neighbour that lies nearer the start in link count, and it tries the links
// at a node in the network's own order: big links first, then falling size,
// and among links of like size the one that runs most nearly straight on
// (first pass); or the link with the longest reach first (second pass).
class dfs_fld : public GTL::dfs {
public:
    dfs_fld() = default;
    ~dfs_fld() override = default;

    int run(GTL::graph& G) override;
    // The same run with the levels of a complete level search from this
    // search's start node over G as it is now.
    int run_with_levels(GTL::graph& G, const level_search& levels);

    bool secondPass = false;

protected:
    void order_links(const GTL::graph& G, GTL::node C, GTL::node F,
                     std::span<GTL::edge> links) override;
    bool skip_neighbour(GTL::node C, GTL::node N) const override { return levels_->nearer(N, C); }

private:
    // The levels of the running search's start, only while it runs.
    const level_search* levels_ = nullptr;
};

// Neighbour order of the network search, exposed for tests: sorts `links` at
// node C entered from F (null at the start node) exactly as the search does.
void OrderNetworkLinks(const graph_fld& G, GTL::node C, GTL::node F, bool secondPass,
                       std::span<GTL::edge> links);

// The same order as the search uses it at C, entered from F through one of
// `links`: where the order cannot change what the search does, the links
// are left as they are.
void OrderEnteredNodeLinks(const graph_fld& G, GTL::node C, GTL::node F, bool secondPass,
                           std::span<GTL::edge> links);
