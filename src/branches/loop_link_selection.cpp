#include <cmath>
#include <optional>

#include "branches/branch_finder.h"
#include "branches/summit_tree.h"
#include "graph/path.h"

namespace {

constexpr double kHeightTolerance = 0.01;
constexpr double kClearDifference = 0.2;
constexpr double kLikeDifference = 0.05;

struct CutLink {
    GTL::edge link;
    GTL::node high;
    GTL::node low;
};

// Between the summit of the loop's path and the back link that closed the
// loop, the one standing higher is cut; near-equal heights are decided by
// size, and finally by the crown (top of the pipe) of each.
CutLink ChooseCutLink(const graph_fld& G, GTL::edge b, GTL::node S, GTL::node T,
                      const summit_link& p) {
    const CEdgeData& bd = G.data(b);
    bool tHigher = bd.GetElevation(T) - bd.GetElevation(S) > kHeightTolerance;
    GTL::node A = tHigher ? T : S;
    GTL::node B = tHigher ? S : T;
    double eA = bd.GetElevation(A);
    double P = p.top;
    double sp = G.data(p.link).size;
    double sb = bd.size;
    double d = P - eA;
    bool cutBack;
    if (d > kClearDifference) {
        cutBack = false;
    } else if (eA - P > kClearDifference) {
        cutBack = true;
    } else if (std::fabs(sp - sb) < kLikeDifference) {
        cutBack = P <= eA - kHeightTolerance;
    } else if (std::fabs(d) < kLikeDifference) {
        cutBack = sp - sb > kClearDifference;
    } else {
        cutBack = P - 0.5 * sp <= eA - 0.5 * sb;
    }
    if (cutBack) {
        return CutLink{b, A, B};
    }
    return CutLink{p.link, p.high, p.low};
}

// Whether, with the back links hidden, the subnetwork is exactly the tree of
// its search: then the path between a back link's ends is the tree path.
bool IsSearchTree(const graph_fld& G, const dfs_fld& search) {
    const std::vector<GTL::node>& order = search.dfs_order();
    const std::vector<GTL::edge>& tree = search.tree_edges();
    if (order.size() != tree.size() + 1) {
        return false;
    }
    for (GTL::edge e : tree) {
        if (G.is_hidden(e)) {
            return false;
        }
    }
    std::size_t ends = 0;
    for (GTL::node n : order) {
        ends += static_cast<std::size_t>(G.degree(n));
    }
    return ends == 2 * tree.size();
}

// The summit of each loop's path, asked as the loops are opened one by one.
// With the back links hidden the subnetwork is its search tree, and each loop
// opened swaps a tree link for its back link; where the tree's answers are
// those of the target searches, a summit tree gives them quickly.
class LoopSummits {
public:
    LoopSummits(graph_fld& G, const dfs_fld& search, const std::vector<GTL::edge>& backLinks)
        : G_(G), isTree_(IsSearchTree(G, search)), path_(&G) {
        if (isTree_ && TopsAreComparable(G, search.tree_edges()) &&
            TopsAreComparable(G, backLinks)) {
            tree_.emplace(G, search.dfs_order(), search.tree_edges(), backLinks);
        }
    }

    // Whether the subnetwork without its back links was its search tree:
    // each loop opened swaps one link of the tree for its back link, so it
    // stays a tree.
    bool IsTree() const { return isTree_; }

    // The summit link of the path between S and T, two different nodes.
    summit_link Summit(GTL::node S, GTL::node T) {
        path_.clear();
        if (tree_) {
            tree_->fill_summit_stretch(T, S, path_);
        } else {
            target_.reset();
            target_.start_node(S);
            target_.target_node(T);
            target_.run(G_);
            FillPathAlongSearchTree(path_, target_, T);
        }
        return ChooseSummitLink(path_);
    }

    // `out`, a link of the tree, was cut in place of the back link `in`.
    void Swapped(GTL::edge out, GTL::edge in) {
        if (tree_) {
            tree_->swap(out, in);
        }
    }

private:
    graph_fld& G_;
    bool isTree_;
    std::optional<summit_tree> tree_;
    GTL::bfs_tgt target_;
    path_record path_;
};

}  // namespace

// Opens every loop of the subnetwork at its summit: for each back link of the
// outlet's search, the highest link of the loop (or the back link itself) is
// cut out as a one-link loop branch, so that the rest is a tree. The
// subnetwork is then searched again without the cut links.
void CBranchFinder::SelectLoopLinks() {
    // The outlet's search, and with it this list, outlives the stage.
    const std::vector<GTL::edge>& backLinks = search->non_tree_edges();
    if (backLinks.empty()) {
        return;
    }
    for (GTL::edge b : backLinks) {
        graph->hide_edge(b);
    }
    // The summit tree goes before the subnetwork is searched again: on a
    // street grid it holds a vertex for every node and link.
    const bool isTree = OpenLoops(backLinks);
    ownedSearch_ = std::make_unique<dfs_fld>();
    ownedSearch_->start_node(outletNode);
    ownedSearch_->store_non_tree_edges(true);
    if (isTree) {
        ownedSearch_->reaches_a_tree();
    }
    search = ownedSearch_.get();
    search->run(*graph);
}

// Cuts each back link's loop at its summit; whether the subnetwork without
// its back links was its search tree.
bool CBranchFinder::OpenLoops(const std::vector<GTL::edge>& backLinks) {
    LoopSummits summits(*graph, *search, backLinks);
    // A street grid opens a loop per block: one list growth, not twenty.
    loopBranches.reserve(loopBranches.size() + backLinks.size());
    for (GTL::edge b : backLinks) {
        const CEdgeData& bd = graph->data(b);
        GTL::node S = bd.sourceNode;
        GTL::node T = bd.targetNode;
        // A link from a node to itself is its own loop: it is cut as it is.
        CutLink cut =
            S == T ? CutLink{b, S, S} : ChooseCutLink(*graph, b, S, T, summits.Summit(S, T));
        auto branch = std::make_unique<CBranch>();
        branch->nodes.push_back(cut.high);
        branch->nodes.push_back(cut.low);
        branch->edges.push_back(cut.link);
        AddLoopBranch(std::move(branch));
        if (cut.link != b) {
            graph->restore_edge(b);
            graph->hide_edge(cut.link);
            summits.Swapped(cut.link, b);
        }
    }
    return summits.IsTree();
}
