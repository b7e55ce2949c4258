#include "graph/path.h"

#include <algorithm>

namespace {

constexpr double kStartTop = -9.99e24;
constexpr double kLevelTolerance = 0.01;
constexpr double kClearHeight = 0.2;
constexpr double kSizeMargin = 0.2;

bool IsStorageOrConvertedOutfall(const NodeData& d) {
    return d.nodeType == node_type::kStorage ||
           (d.nodeType == node_type::kOutfall && d.convertedToOutfall);
}

// The first path link whose top is strictly above every earlier top; `at` is
// its position among the path links and `highFirst` whether its high end is
// the path node before it.
summit_link HighestLink(const path_record& path, std::size_t& at, bool& highFirst) {
    const graph_fld& G = *path.graph;
    summit_link best;
    best.top = kStartTop;
    for (std::size_t i = 0; i < path.links.size(); ++i) {
        const CEdgeData& d = G.data(path.links[i]);
        double a = d.GetElevation(path.nodes[i]);
        double c = d.GetElevation(path.nodes[i + 1]);
        bool firstEndHigh = a > c;
        double top = firstEndHigh ? a : c;
        if (top > best.top) {
            best.link = path.links[i];
            best.top = top;
            best.high = firstEndHigh ? path.nodes[i] : path.nodes[i + 1];
            best.low = firstEndHigh ? path.nodes[i + 1] : path.nodes[i];
            at = i;
            highFirst = firstEndHigh;
        }
    }
    return best;
}

}  // namespace

void FillPathFromTargetSearch(path_record& path, const GTL::bfs& search, GTL::node T) {
    const std::vector<GTL::node>& order = search.bfs_order();
    if (order.empty()) {
        return;
    }
    const graph_fld& G = *path.graph;
    GTL::node first = order.front();
    // In a breadth-first tree the only tree link at C whose other end has a
    // smaller level is the link that discovered C, so the walk back over the
    // tree links follows the discovery links.
    GTL::node C = T;
    path.nodes.push_back(C);
    while (C != first) {
        GTL::edge via = search.discovery_edge(C);
        if (via.is_null()) {
            return;
        }
        path.links.push_back(via);
        C = G.opposite(via, C);
        path.nodes.push_back(C);
    }
}

// Position k of the order holds the node entered through tree link k-1, so
// one walk back over both lists meets each node of the path in turn.
void FillPathFromDepthFirstSearch(path_record& path, const GTL::dfs& search, GTL::node T) {
    const std::vector<GTL::node>& order = search.dfs_order();
    const std::vector<GTL::edge>& tree = search.tree_edges();
    const graph_fld& G = *path.graph;
    GTL::node C = T;
    path.nodes.push_back(C);
    for (std::size_t k = std::min(order.size(), tree.size() + 1); k-- > 1;) {
        if (order[k] == C) {
            GTL::edge via = tree[k - 1];
            path.links.push_back(via);
            C = G.opposite(via, C);
            path.nodes.push_back(C);
        }
    }
}

summit_link ChooseSummitLink(const path_record& path) {
    const graph_fld& G = *path.graph;
    std::size_t at = 0;
    bool highFirst = false;
    summit_link M = HighestLink(path, at, highFirst);
    summit_link result = M;
    // The neighbour is the path link beyond the high end; none at a path end.
    GTL::edge N;
    if (highFirst && at > 0) {
        N = path.links[at - 1];
    } else if (!highFirst && at + 1 < path.links.size()) {
        N = path.links[at + 1];
    }
    if (!N.is_null()) {
        const CEdgeData& nd = G.data(N);
        GTL::node X = G.opposite(N, M.high);
        double eH = nd.GetElevation(M.high);
        double eX = nd.GetElevation(X);
        double d1 = M.top - eH;
        bool takeNeighbour = (d1 < kLevelTolerance && eH - eX < kLevelTolerance) ||
                             (d1 < kLevelTolerance && IsStorageOrConvertedOutfall(G.data(X))) ||
                             (d1 < kClearHeight && G.data(M.link).size - nd.size > kSizeMargin);
        if (takeNeighbour) {
            result = summit_link{N, M.high, X, eH};
        }
    }
    const NodeData& high = G.data(result.high);
    if (high.nodeType == node_type::kOutfall && !high.convertedToOutfall) {
        std::swap(result.high, result.low);
    }
    return result;
}
