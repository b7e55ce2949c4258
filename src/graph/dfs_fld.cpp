#include "graph/dfs_fld.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kBigLink = 3.99999;
constexpr double kSizeTolerance = 0.001;
constexpr double kReachTolerance = 0.001;

// What the exchange rule needs of one link at C, computed once per node.
struct LinkKey {
    GTL::edge link;
    double size;
    double reach;
    double dot;         // unit(C -> far end) . unit(F -> C)
    bool hasDirection;  // false for a zero-length vector or at the start node
};

struct Unit {
    double x;
    double y;
    bool valid;
};

Unit UnitVector(double dx, double dy) {
    double len = std::sqrt(dx * dx + dy * dy);
    if (len == 0.0) {
        return Unit{0.0, 0.0, false};
    }
    return Unit{dx / len, dy / len, true};
}

// Between links of like size, or between big links, the one whose far end lies
// most nearly straight ahead comes first. Without a direction, keep the order.
bool ExchangeByDirection(const LinkKey& a, const LinkKey& b) {
    if (!a.hasDirection || !b.hasDirection) {
        return false;
    }
    return a.dot < b.dot;
}

bool ExchangeBySize(const LinkKey& A, const LinkKey& B) {
    double a = A.size;
    double b = B.size;
    if (b < kBigLink && b - a > kSizeTolerance) {
        return true;
    }
    if (b >= kBigLink && a < kBigLink) {
        return true;
    }
    if (std::fabs(a - b) < kSizeTolerance) {
        return ExchangeByDirection(A, B);
    }
    if (b < kBigLink) {
        return false;
    }
    if (a < kBigLink) {
        return false;
    }
    return ExchangeByDirection(A, B);
}

bool ExchangeByReach(const LinkKey& A, const LinkKey& B) {
    return B.reach > A.reach + kReachTolerance;
}

std::vector<LinkKey> MakeKeys(const graph_fld& G, GTL::node C, GTL::node F,
                              std::span<GTL::edge> links) {
    const NodeData& c = G.data(C);
    Unit d{0.0, 0.0, false};
    if (!F.is_null()) {
        const NodeData& f = G.data(F);
        d = UnitVector(c.xPosition - f.xPosition, c.yPosition - f.yPosition);
    }
    std::vector<LinkKey> keys;
    keys.reserve(links.size());
    for (GTL::edge L : links) {
        const CEdgeData& ed = G.data(L);
        const NodeData& far = G.data(G.opposite(L, C));
        Unit u = UnitVector(far.xPosition - c.xPosition, far.yPosition - c.yPosition);
        bool hasDirection = d.valid && u.valid;
        double dot = hasDirection ? u.x * d.x + u.y * d.y : 0.0;
        keys.push_back(LinkKey{L, ed.size, far.longestPathLength + ed.length, dot, hasDirection});
    }
    return keys;
}

}  // namespace

// The exchange rule is not a strict weak order (sizes within 0.001 fall back
// to direction), so the result depends on the exact exchange sort: n-1 passes
// over shrinking prefixes. A pass without exchange leaves every later pass
// nothing to do, which is the only shortcut taken.
void OrderNetworkLinks(const graph_fld& G, GTL::node C, GTL::node F, bool secondPass,
                       std::span<GTL::edge> links) {
    std::size_t n = links.size();
    if (n < 2) {
        return;
    }
    std::vector<LinkKey> keys = MakeKeys(G, C, F, links);
    for (std::size_t p = 0; p + 1 < n; ++p) {
        bool exchanged = false;
        for (std::size_t j = 0; j + 1 < n - p; ++j) {
            bool swap = secondPass ? ExchangeByReach(keys[j], keys[j + 1])
                                   : ExchangeBySize(keys[j], keys[j + 1]);
            if (swap) {
                std::swap(keys[j], keys[j + 1]);
                exchanged = true;
            }
        }
        if (!exchanged) {
            break;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
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
