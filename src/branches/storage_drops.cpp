#include "branches/branch_finder.h"

namespace {
constexpr double kDropThreshold = 0.1;
}

// A storage node inside a branch whose upstream pipe enters well above its
// downstream pipe is a drop: water falls into the storage, which then acts as
// an outlet for the part above. The branch is cut at the first such node.
void CBranchFinder::SplitAtStorageDrops() {
    // Indexes, not iterators: splitting appends upper parts, which are
    // examined in turn after the branches that were already there.
    for (std::size_t k = 0; k < treeBranches.size(); ++k) {
        CBranch& B = *treeBranches[k];
        if (B.nodes.size() < 3) {
            continue;
        }
        for (std::size_t i = 1; i + 1 < B.nodes.size(); ++i) {
            GTL::node bi = B.nodes[i];
            if (graph->data(bi).nodeType != node_type::kStorage) {
                continue;
            }
            double down = graph->data(B.edges[i - 1]).GetElevation(bi);
            double up = graph->data(B.edges[i]).GetElevation(bi);
            if (up - down > kDropThreshold) {
                SplitAtStorageNode(k, i);
                break;
            }
        }
    }
}

// Splits branch k at its node i (a storage node with a drop) into the part
// below and including the storage node, the drop link as a loop branch, and
// the part above the drop link as a new tree branch.
void CBranchFinder::SplitAtStorageNode(std::size_t k, std::size_t i) {
    CBranch& B = *treeBranches[k];
    GTL::node storage = B.nodes[i];
    std::size_t last = B.nodes.size() - 1;

    auto drop = std::make_unique<CBranch>();
    drop->nodes.push_back(storage);
    drop->nodes.push_back(B.nodes[i + 1]);
    drop->edges.push_back(B.edges[i]);
    AddLoopBranch(std::move(drop));

    std::unique_ptr<CBranch> upper;
    if (i + 1 != last) {
        upper = std::make_unique<CBranch>();
        for (std::size_t j = i + 1; j <= last; ++j) {
            upper->nodes.push_back(B.nodes[j]);
        }
        for (std::size_t j = i + 1; j < last; ++j) {
            upper->edges.push_back(B.edges[j]);
        }
        graph->data(B.nodes[i + 1]).branchBoundary = true;
    }
    B.nodes.truncate(i + 1);
    B.edges.truncate(i);
    B.isStorageOutletBranch = true;
    ConvertToOutfall(graph->data(storage));
    if (upper) {
        treeBranches.push_back(std::move(upper));
    }
}
