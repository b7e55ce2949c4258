#include "graph/path.h"

#include <utility>

namespace {

constexpr double kLevelTolerance = 0.01;
constexpr double kClearHeight = 0.2;
constexpr double kSizeMargin = 0.2;

bool IsStorageOrConvertedOutfall(const NodeData& d) {
    return d.nodeType == node_type::kStorage || IsConvertedOutfall(d);
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
    if (IsOutfallType(high) && !high.convertedToOutfall) {
        std::swap(result.high, result.low);
    }
    return result;
}
