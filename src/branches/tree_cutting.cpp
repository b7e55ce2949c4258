#include "branches/branch_finder.h"

// Cuts the subnetwork's search tree into branches: a branch runs on while the
// search steps from the previous node to the next, and a new one starts
// wherever the search jumps back to an earlier node or passes an outfall, so
// every branch is a simple chain listed from its end nearer the outlet.
void CBranchFinder::CutSubnetworkTree() {
    const std::vector<GTL::node>& order = search->dfs_order();
    const std::vector<GTL::edge>& tree = search->tree_edges();
    auto B = std::make_unique<CBranch>();
    B->nodes.push_back(order[0]);
    GTL::node prev;
    if (order.size() > 1) {
        B->edges.push_back(tree[0]);
        B->nodes.push_back(order[1]);
        prev = order[1];
    }
    for (std::size_t k = 2; k < order.size(); ++k) {
        GTL::node x = order[k];
        GTL::edge t = tree[k - 1];
        GTL::node p = graph->opposite(t, x);
        if (p == prev && !IsOutfallType(graph->data(prev))) {
            B->nodes.push_back(x);
            B->edges.push_back(t);
        } else {
            graph->data(B->nodes.front()).branchBoundary = true;
            treeBranches.push_back(std::move(B));
            B = std::make_unique<CBranch>();
            graph->data(p).isJunction = true;
            B->nodes.push_back(p);
            B->nodes.push_back(x);
            B->edges.push_back(t);
        }
        prev = x;
    }
    treeBranches.push_back(std::move(B));
    if (!prev.is_null()) {
        graph->data(prev).branchBoundary = true;
    }
}

// A subnetwork that is one converted storage node is one branch of one node.
void CBranchFinder::MakeSingleNodeBranch() {
    auto B = std::make_unique<CBranch>();
    B->isSingleStorageNodeBranch = true;
    B->nodes.push_back(singleNode);
    treeBranches.push_back(std::move(B));
}
