#pragma once

#include <memory>

#include "graph/graph_fld.h"
#include "graph/gtl_bfs.h"
#include "graph/gtl_dfs.h"

// The search that grows a subnetwork from its outlet. It never steps to a
// neighbour that lies nearer the start in link count, and it tries the links
// at a node in the network's own order: big links first, then falling size,
// and among links of like size the one that runs most nearly straight on
// (first pass); or the link with the longest reach first (second pass).
class dfs_fld : public GTL::dfs {
public:
    // For the next run only: the levels of a level search from this search's
    // start over the graph as it is. Without, the run finds levels itself,
    // as far as it needs them.
    void use_levels(GTL::bfs* levels) { givenLevels_ = levels; }
    // For the next run only: what the start reaches is a tree. No neighbour
    // but a node's father lies nearer the start, so no levels are needed.
    void reaches_a_tree() { tree_ = true; }

    bool secondPass = false;

protected:
    void prepare(GTL::graph& G) override;
    void entered_node(GTL::node C) override {
        if (levels_) {
            levels_->discover(C);
        }
    }
    void order_links(const GTL::graph& G, GTL::node C, GTL::node F,
                     std::span<GTL::edge> links) override;
    bool skip_neighbour(GTL::node C, GTL::node N) const override {
        return levels_ && levels_->nearer(N, C);
    }
    void tables_returned() override;

private:
    GTL::bfs* givenLevels_ = nullptr;
    bool tree_ = false;
    // Held apart from the search: a parse keeps one search per outlet, and
    // only a running search has levels of its own.
    std::unique_ptr<GTL::bfs> ownLevels_;
    GTL::bfs* levels_ = nullptr;
};

// Neighbour order of the network search, exposed for tests: sorts `links` at
// node C entered from F (null at the start node) exactly as the search does.
void OrderNetworkLinks(const graph_fld& G, GTL::node C, GTL::node F, bool secondPass,
                       std::span<GTL::edge> links);
