#include "graph/neighbour_order.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graph/rank_set.h"
#include "support/exchange_sort.h"

namespace neighbour_order {

namespace {

constexpr double kBigLink = 3.99999;
constexpr double kSizeTolerance = 0.001;
constexpr double kReachTolerance = 0.001;

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

// Between links of like size, or between big links, the one whose far end
// lies most nearly straight ahead comes first. Without a direction (at the
// start node, or for nodes at the same position) the two keep their order.
bool ExchangeByDirection(const LinkKey& a, const LinkKey& b) {
    if (!a.hasDirection || !b.hasDirection) {
        return false;
    }
    return a.dot < b.dot;
}

// Splits values sorted falling into runs that the rule `together` keeps in
// one class and `apart` orders strictly; false when some run does neither.
template <class Together, class Apart>
bool RankClasses(const std::vector<double>& falling, std::vector<int>& rank, Together together,
                 Apart apart) {
    rank.assign(falling.size(), 0);
    std::size_t start = 0;
    for (std::size_t i = 1; i < falling.size(); ++i) {
        if (together(falling[start], falling[i])) {
            rank[i] = rank[i - 1];
            continue;
        }
        if (!apart(falling[i - 1], falling[i])) {
            return false;
        }
        rank[i] = rank[i - 1] + 1;
        start = i;
    }
    return true;
}

int RankOf(const std::vector<double>& falling, const std::vector<int>& rank, double value) {
    auto it = std::lower_bound(falling.begin(), falling.end(), value, std::greater<double>());
    return rank[static_cast<std::size_t>(it - falling.begin())];
}

std::vector<double> DistinctFalling(std::vector<double> values) {
    std::sort(values.begin(), values.end(), std::greater<double>());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

// Within one class the direction decides; that is an order only when every
// link of the class has a direction or none has.
bool DirectionsConsistent(const std::vector<LinkKey>& keys, const std::vector<int>& cls) {
    int classes = cls.empty() ? 0 : *std::max_element(cls.begin(), cls.end()) + 1;
    std::vector<char> with(static_cast<std::size_t>(classes), 0);
    std::vector<char> without(static_cast<std::size_t>(classes), 0);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        (keys[i].hasDirection ? with : without)[static_cast<std::size_t>(cls[i])] = 1;
    }
    for (int c = 0; c < classes; ++c) {
        if (with[static_cast<std::size_t>(c)] && without[static_cast<std::size_t>(c)]) {
            return false;
        }
    }
    return true;
}

// Sorts by class, then (where the direction decides) by falling dot, then
// by adjacency position: the order a stable sort by class and direction
// gives, since within a class every link has a direction or none has. The
// sort runs over small packed entries rather than positions into the keys,
// which at a node of a million links would each be a wait for memory.
bool StableSortByClass(std::vector<LinkKey>& keys, const std::vector<int>& cls, bool useDot) {
    struct Entry {
        int cls;
        std::uint32_t position;
        double dot;
    };
    std::vector<Entry> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        bool byDot = useDot && keys[i].hasDirection;
        order[i] = Entry{cls[i], static_cast<std::uint32_t>(i), byDot ? keys[i].dot : 0.0};
    }
    std::sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
        if (a.cls != b.cls) {
            return a.cls < b.cls;
        }
        if (a.dot > b.dot || b.dot > a.dot) {
            return a.dot > b.dot;
        }
        return a.position < b.position;
    });
    std::vector<LinkKey> sorted;
    sorted.reserve(keys.size());
    for (const Entry& e : order) {
        sorted.push_back(keys[e.position]);
    }
    keys = std::move(sorted);
    return true;
}

bool SortBySizeClasses(std::vector<LinkKey>& keys) {
    std::vector<double> small;
    double minBig = INFINITY;
    bool anyBig = false;
    for (const LinkKey& k : keys) {
        if (!std::isfinite(k.size) || (k.hasDirection && !std::isfinite(k.dot))) {
            return false;
        }
        if (k.size < kBigLink) {
            small.push_back(k.size);
        } else {
            anyBig = true;
            minBig = std::min(minBig, k.size);
        }
    }
    std::vector<double> falling = DistinctFalling(small);
    // A big link and a small one within the tolerance would be ordered by
    // direction one way round and by size the other.
    if (anyBig && !falling.empty() && !(std::fabs(minBig - falling.front()) >= kSizeTolerance)) {
        return false;
    }
    std::vector<int> rank;
    bool ranked = RankClasses(
        falling, rank, [](double first, double v) { return std::fabs(first - v) < kSizeTolerance; },
        [](double higher, double lower) { return higher - lower > kSizeTolerance; });
    if (!ranked) {
        return false;
    }
    // Big links form class 0 (direction only), small ones follow by size.
    std::vector<int> cls(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        cls[i] = keys[i].size < kBigLink ? 1 + RankOf(falling, rank, keys[i].size) : 0;
    }
    if (!DirectionsConsistent(keys, cls)) {
        return false;
    }
    return StableSortByClass(keys, cls, true);
}

// Ranks of the keys (reach plus tolerance) of the links, and for each link
// the rank of the least key at or above its reach. Nothing is exchanged with a
// reach that is not a number: its key ranks above all, and such a link stops
// where it arrives (after the least key there is).
struct ReachRanks {
    std::size_t levels = 0;
    std::vector<std::uint32_t> key;
    std::vector<std::uint32_t> least;
};

ReachRanks RankReaches(const std::vector<LinkKey>& keys) {
    std::vector<std::pair<double, std::uint32_t>> rising(keys.size());
    for (std::uint32_t i = 0; i < rising.size(); ++i) {
        double reach = keys[i].reach;
        rising[i] = {std::isnan(reach) ? INFINITY : reach, i};
    }
    // The key rises with the reach, so one sort orders both.
    std::sort(rising.begin(), rising.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    ReachRanks ranks;
    ranks.key.resize(keys.size());
    ranks.least.resize(keys.size());
    std::vector<double> levels;
    for (const auto& [reach, i] : rising) {
        double key = reach + kReachTolerance;
        if (levels.empty() || levels.back() != key) {
            levels.push_back(key);
        }
        ranks.key[i] = static_cast<std::uint32_t>(levels.size() - 1);
    }
    std::size_t k = 0;
    for (const auto& [reach, i] : rising) {
        while (levels[k] < reach) {
            ++k;
        }
        ranks.least[i] = std::isnan(keys[i].reach) ? 0 : static_cast<std::uint32_t>(k);
    }
    ranks.levels = levels.size();
    return ranks;
}

}  // namespace

namespace {

// Whether the size rule may consult the direction for this pair of sizes, in
// either order: like sizes, or two sizes neither of which is small (big
// links, and sizes that are not numbers, reach the last rule).
bool DirectionDecides(double a, double b) {
    return std::fabs(a - b) < kSizeTolerance || (!(a < kBigLink) && !(b < kBigLink));
}

bool AnyPairNeedsDirection(const std::vector<LinkKey>& keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = i + 1; j < keys.size(); ++j) {
            if (DirectionDecides(keys[i].size, keys[j].size)) {
                return true;
            }
        }
    }
    return false;
}

void AddDirections(const graph_fld& G, GTL::node C, GTL::node F, std::vector<LinkKey>& keys) {
    const NodeData& c = G.data(C);
    const NodeData& f = G.data(F);
    Unit d = UnitVector(c.xPosition - f.xPosition, c.yPosition - f.yPosition);
    for (LinkKey& k : keys) {
        const NodeData& far = G.data(G.opposite(k.link, C));
        Unit u = UnitVector(far.xPosition - c.xPosition, far.yPosition - c.yPosition);
        k.hasDirection = d.valid && u.valid;
        k.dot = k.hasDirection ? u.x * d.x + u.y * d.y : 0.0;
    }
}

}  // namespace

// The far nodes are read only for what the rule of the pass consults: the
// reach in the second pass; in the first, the direction where a father
// exists and two sizes leave the decision to it (or many links share C).
void MakeKeys(const graph_fld& G, GTL::node C, GTL::node F, std::span<const GTL::edge> links,
              bool secondPass, std::vector<LinkKey>& keys) {
    keys.clear();
    for (GTL::edge L : links) {
        const CEdgeData& ed = G.data(L);
        double reach = secondPass ? G.data(G.opposite(L, C)).longestPathLength + ed.length : 0.0;
        keys.push_back(LinkKey{L, ed.size, reach, 0.0, false});
    }
    if (secondPass || F.is_null()) {
        return;
    }
    if (keys.size() >= kManyLinks || AnyPairNeedsDirection(keys)) {
        AddDirections(G, C, F, keys);
    }
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

void ExchangeSortKeys(std::vector<LinkKey>& keys, bool secondPass) {
    if (secondPass) {
        ExchangeSort(keys, ExchangeByReach);
    } else {
        ExchangeSort(keys, ExchangeBySize);
    }
}

bool SortByClasses(std::vector<LinkKey>& keys) {
    return SortBySizeClasses(keys);
}

// Passes of the exchange sort and straight insertion are one comparator
// network (the triangle of neighbour comparisons): on each position the
// comparisons with its left and right neighbour alternate in the same way,
// so any rule, consistent or not, gives the same result either way. Links
// taken in adjacency order are therefore inserted one at a time, each moving
// left past every link it would be exchanged with. An insertion may stop at
// the first link it is not exchanged with: nothing left of it is exchanged
// with its neighbour either, since a link that moved past another reaches
// farther than that one by more than the tolerance, so the two never swap.
//
// A link x stops right after the last link e of the order so far that holds
// it, !(x > e + tolerance). Only links reaching farther (plus tolerance) than
// everything after them can be that last link; their keys, reach plus
// tolerance, fall along the order, so the last one that holds x is the one of
// least key at or above x. Once x is placed, those it now stands after with
// keys no greater than its own are no longer such links. Keys are handled by
// rank, in a set of bits.
void SortByReach(std::vector<LinkKey>& keys) {
    const auto n = static_cast<std::uint32_t>(keys.size());
    ReachRanks ranks = RankReaches(keys);
    RankSet holders(static_cast<std::uint32_t>(ranks.levels));
    std::vector<std::uint32_t> holder(ranks.levels);
    const std::uint32_t head = n;
    std::vector<std::uint32_t> next(n + 1, n);  // the order as a list from head
    for (std::uint32_t i = 0; i < n; ++i) {
        std::uint32_t r = holders.next(ranks.least[i]);
        std::uint32_t after = r == RankSet::kNone ? head : holder[r];
        next[i] = next[after];
        next[after] = i;
        for (; r != RankSet::kNone && r <= ranks.key[i]; r = holders.next(r)) {
            holders.erase(r);
        }
        holders.insert(ranks.key[i]);
        holder[ranks.key[i]] = i;
    }
    std::vector<LinkKey> sorted;
    sorted.reserve(n);
    for (std::uint32_t i = next[head]; i != n; i = next[i]) {
        sorted.push_back(keys[i]);
    }
    keys = std::move(sorted);
}

}  // namespace neighbour_order
