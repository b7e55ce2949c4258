#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>

#include "generator_internal.h"

// Gravity trees grown on a lattice of street corners. Each outfall seeds a
// tree; trees claim free neighbouring cells in random order until the target
// node count is reached, so catchments come out as irregular patches and
// every node's parent is the neighbour the water flows to. Parents are always
// created before their children, which lets every pass below run in index
// order without recursion.
namespace rivo_bench::detail {

namespace {

constexpr double kSpacing = 35.0;      // metres between lattice points
constexpr double kJitter = 7.0;        // keeps nodes 21-49 m from their neighbours
constexpr double kBlockedShare = 0.2;  // parks, buildings, rivers
constexpr double kFill = 0.55;         // nodes per lattice cell
constexpr std::int32_t kFree = -1;
constexpr std::int32_t kBlocked = -2;
constexpr std::int32_t kNoParent = -1;

// Which trees the two ends of an extra link may belong to.
enum class Trees : std::uint8_t { kSame, kDifferent, kAny };

// How a node's pipe to its parent is laid.
enum class Lay : std::uint8_t {
    kGravity,   // falls to the parent, entering just above its outgoing pipe
    kDropIn,    // falls to a storage node, entering well above its outgoing pipe
    kSink,      // rises to the parent: the node (storage) cannot drain
    kMain,      // pressure main rising from a pump towards its high point
    kCrest,     // gravity pipe from the high point of a pressure main
    kDetached,  // wet well: no pipe; a pump link takes its water to the pump
};

class Forest {
public:
    Forest(const ForestPlan& plan, SeededRandom& random)
        : plan_(plan), random_(random), builder_(random) {}

    Network Build();

private:
    void LayOutLattice();
    void Grow();
    void AddTreeNode(std::int32_t cell, std::int32_t parent);
    void IndexChildren();

    void PlaceStorage(std::int32_t count);
    void PlacePumps(std::int32_t count);
    void PlacePondPairs(std::int32_t count);
    template <class Try>
    void Place(std::int32_t count, Try tryOnce);
    bool Available(std::int32_t node) const;
    void Reserve(std::int32_t node);
    bool HasOnlyChild(std::int32_t node) const { return ChildCount(node) == 1; }

    void ComputeInverts();
    void AddTreePipes();
    void AddPumpControls();
    void AddNeighbourLinks(std::int32_t count, Trees trees, bool control);
    bool PickNeighbourPair(Trees trees, std::int32_t& u, std::int32_t& v);
    void AddGutters(std::int32_t count);

    std::int32_t ChildCount(std::int32_t node) const {
        return childStart_[Ix(node) + 1] - childStart_[Ix(node)];
    }
    static std::size_t Ix(std::int32_t i) { return static_cast<std::size_t>(i); }
    std::int32_t Parent(std::int32_t i) const { return parent_[Ix(i)]; }

    const ForestPlan& plan_;
    SeededRandom& random_;
    NetworkBuilder builder_;

    std::int32_t side_ = 0;
    std::vector<std::int32_t> owner_;  // per cell: node index, kFree or kBlocked
    std::vector<std::pair<std::int32_t, std::int32_t>> frontier_;  // (parent, cell)

    std::vector<std::int32_t> cell_, parent_, tree_;
    std::vector<std::int32_t> childStart_, children_;
    std::vector<Lay> lay_;
    std::vector<char> reserved_;
    std::vector<double> invert_, entry_;  // node invert; its pipe's level at the parent
    std::vector<std::int32_t> treePipes_;
    std::vector<std::pair<std::int32_t, std::int32_t>> stations_;  // (wet well, pump)
    std::unordered_set<std::uint64_t> extraPairs_;
};

Network Forest::Build() {
    LayOutLattice();
    Grow();
    IndexChildren();
    std::int32_t n = plan_.nodes;
    if (plan_.features) {
        PlaceStorage(std::max(3, n / 2000));
        PlacePumps(std::max(1, n / 5000));
        PlacePondPairs(std::max(1, n / 20000));
    }
    ComputeInverts();
    AddTreePipes();
    AddPumpControls();
    AddNeighbourLinks(plan_.loopLinks, Trees::kSame, false);
    AddNeighbourLinks(plan_.joinLinks, Trees::kDifferent, false);
    if (plan_.features) {
        AddNeighbourLinks(std::max(4, n / 1000), Trees::kAny, true);
        AddGutters(std::max(2, n / 5000));
    }
    return builder_.Finish();
}

void Forest::LayOutLattice() {
    side_ = static_cast<std::int32_t>(std::ceil(std::sqrt(plan_.nodes / kFill)));
    owner_.assign(Ix(side_) * Ix(side_), kFree);
    for (auto& cell : owner_) {
        if (random_.Chance(kBlockedShare)) {
            cell = kBlocked;
        }
    }
}

void Forest::Grow() {
    auto randomFreeCell = [this] {
        for (;;) {
            auto cell = random_.Index(owner_.size());
            if (owner_[Ix(cell)] == kFree) {
                return cell;
            }
        }
    };
    for (std::int32_t k = 0; k < plan_.outfalls; ++k) {
        AddTreeNode(randomFreeCell(), kNoParent);
    }
    while (builder_.NodeCount() < plan_.nodes) {
        // An outfall boxed in by blocked cells stops growing; when no tree
        // can grow any more, a new outfall takes the rest.
        if (frontier_.empty()) {
            AddTreeNode(randomFreeCell(), kNoParent);
            continue;
        }
        std::swap(frontier_[random_.Below(frontier_.size())], frontier_.back());
        auto [parent, cell] = frontier_.back();
        frontier_.pop_back();
        if (owner_[Ix(cell)] == kFree) {
            AddTreeNode(cell, parent);
        }
    }
}

void Forest::AddTreeNode(std::int32_t cell, std::int32_t parent) {
    std::int32_t row = cell / side_;
    std::int32_t col = cell % side_;
    double x = col * kSpacing + random_.Between(-kJitter, kJitter);
    double y = row * kSpacing + random_.Between(-kJitter, kJitter);
    auto type = parent == kNoParent ? node_type::kOutfall : node_type::kManhole;
    std::int32_t node = builder_.AddNode(x, y, type);
    owner_[Ix(cell)] = node;
    cell_.push_back(cell);
    parent_.push_back(parent);
    tree_.push_back(parent == kNoParent ? node : tree_[Ix(parent)]);
    const std::pair<std::int32_t, std::int32_t> steps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (auto [dr, dc] : steps) {
        std::int32_t r = row + dr;
        std::int32_t c = col + dc;
        if (r >= 0 && r < side_ && c >= 0 && c < side_ && owner_[Ix(r * side_ + c)] == kFree) {
            frontier_.emplace_back(node, r * side_ + c);
        }
    }
}

// Children of every node as one array (counting sort by parent).
void Forest::IndexChildren() {
    std::size_t n = parent_.size();
    childStart_.assign(n + 1, 0);
    for (std::int32_t p : parent_) {
        if (p != kNoParent) {
            ++childStart_[Ix(p) + 1];
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        childStart_[i + 1] += childStart_[i];
    }
    children_.resize(Ix(childStart_[n]));
    std::vector<std::int32_t> next(childStart_.begin(), childStart_.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        if (parent_[i] != kNoParent) {
            children_[Ix(next[Ix(parent_[i])]++)] = static_cast<std::int32_t>(i);
        }
    }
    lay_.assign(n, Lay::kGravity);
    reserved_.assign(n, 0);
    frontier_ = {};
}

// A feature claims its nodes with their parents and children, so that no
// two features set the lay of the same pipe.
bool Forest::Available(std::int32_t node) const {
    if (Parent(node) == kNoParent || reserved_[Ix(node)] || reserved_[Ix(Parent(node))]) {
        return false;
    }
    for (auto c = childStart_[Ix(node)]; c < childStart_[Ix(node) + 1]; ++c) {
        if (reserved_[Ix(children_[Ix(c)])]) {
            return false;
        }
    }
    return true;
}

void Forest::Reserve(std::int32_t node) {
    reserved_[Ix(node)] = 1;
    reserved_[Ix(Parent(node))] = 1;
    for (auto c = childStart_[Ix(node)]; c < childStart_[Ix(node) + 1]; ++c) {
        reserved_[Ix(children_[Ix(c)])] = 1;
    }
}

// Tries random candidates until `count` features are placed or the tries
// run out (small networks may lack a suitable spot).
template <class Try>
void Forest::Place(std::int32_t count, Try tryOnce) {
    std::int64_t tries = 1000 + std::int64_t{count} * 200;
    for (std::int32_t placed = 0; placed < count && tries > 0; --tries) {
        if (tryOnce(random_.Index(parent_.size()))) {
            ++placed;
        }
    }
}

// Inline tanks: most drain onwards; one in five is a low point all of whose
// pipes rise away from it, and one in five has its inflow dropping in.
void Forest::PlaceStorage(std::int32_t count) {
    std::int32_t k = 0;
    Place(count, [&](std::int32_t s) {
        int variant = k % 5;
        if (!Available(s) || ChildCount(s) == 0 || (variant == 2 && !HasOnlyChild(s))) {
            return false;
        }
        Reserve(s);
        builder_.MakeStorage(s, false);
        if (variant == 1) {
            lay_[Ix(s)] = Lay::kSink;
        } else if (variant == 2) {
            lay_[Ix(children_[Ix(childStart_[Ix(s)])])] = Lay::kDropIn;
        }
        ++k;
        return true;
    });
}

// A pump station: the wet well W (storage) collects its catchment; the pump
// P lifts it through a pressure main P-M-H to the high point H, from where a
// gravity pipe falls to H's parent. W keeps no pipe to P: the pump link and
// the pump itself, drawn as a control link, join them.
void Forest::PlacePumps(std::int32_t count) {
    Place(count, [&](std::int32_t w) {
        if (!Available(w) || ChildCount(w) == 0) {
            return false;
        }
        std::int32_t p = Parent(w);
        if (!Available(p) || !HasOnlyChild(p)) {
            return false;
        }
        std::int32_t m = Parent(p);
        if (!Available(m) || !HasOnlyChild(m) || !Available(Parent(m))) {
            return false;
        }
        std::int32_t h = Parent(m);
        for (std::int32_t node : {w, p, m, h}) {
            Reserve(node);
        }
        builder_.MakeStorage(w, false);
        builder_.NodeAt(p).type = node_type::kPump;
        lay_[Ix(w)] = Lay::kDetached;
        lay_[Ix(p)] = Lay::kMain;
        lay_[Ix(m)] = Lay::kMain;
        lay_[Ix(h)] = Lay::kCrest;
        builder_.AddPumpLink(w, p);
        stations_.emplace_back(w, p);
        return true;
    });
}

// Two ponds joined by a pipe: the parser treats that pipe as a pond link.
void Forest::PlacePondPairs(std::int32_t count) {
    Place(count, [&](std::int32_t c) {
        std::int32_t p = Parent(c);
        if (!Available(c) || !Available(p)) {
            return false;
        }
        Reserve(c);
        Reserve(p);
        builder_.MakeStorage(c, true);
        builder_.MakeStorage(p, true);
        return true;
    });
}

void Forest::ComputeInverts() {
    std::size_t n = parent_.size();
    invert_.assign(n, 0.0);
    entry_.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        std::int32_t p = parent_[i];
        if (p == kNoParent) {
            invert_[i] = random_.Between(1.0, 5.0);
            continue;
        }
        double below = invert_[Ix(p)];
        double fall =
            random_.Between(0.003, 0.02) * builder_.Distance(static_cast<std::int32_t>(i), p);
        switch (lay_[i]) {
            case Lay::kGravity:
                entry_[i] = below + random_.Between(0.0, 0.05);
                invert_[i] = entry_[i] + fall;
                break;
            case Lay::kDropIn:
                entry_[i] = below + random_.Between(0.15, 0.6);
                invert_[i] = entry_[i] + fall;
                break;
            case Lay::kSink:
                entry_[i] = below + random_.Between(0.0, 0.05);
                invert_[i] = below - random_.Between(0.3, 1.0);
                break;
            case Lay::kMain:
                entry_[i] = below;
                invert_[i] = below - random_.Between(1.0, 2.5);
                break;
            case Lay::kCrest:
                entry_[i] = below + random_.Between(0.0, 0.05);
                invert_[i] = entry_[i] + fall + random_.Between(1.5, 3.0);
                break;
            case Lay::kDetached:
                invert_[i] = below - random_.Between(0.5, 1.5);
                break;
        }
    }
}

// Pipe sizes follow the number of nodes each pipe drains.
void Forest::AddTreePipes() {
    std::size_t n = parent_.size();
    std::vector<std::int64_t> drained(n, 1);
    for (std::size_t i = n; i-- > 0;) {
        if (parent_[i] != kNoParent) {
            drained[Ix(parent_[i])] += drained[i];
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (parent_[i] == kNoParent || lay_[i] == Lay::kDetached) {
            continue;
        }
        bool main = lay_[i] == Lay::kMain;
        double size = main ? SmallPipeSize(random_) : PipeSizeFor(drained[i]);
        auto type = main ? link_type::kPressureMain : link_type::kPipe;
        auto node = static_cast<std::int32_t>(i);
        std::int32_t link = builder_.AddLink(node, invert_[i], parent_[i], entry_[i], size, type);
        if (!main) {
            treePipes_.push_back(link);
        }
    }
}

// The pump as a control link from the wet well's floor to the pump; the
// parser keeps it out of the trees like a weir.
void Forest::AddPumpControls() {
    for (auto [well, pump] : stations_) {
        double floor = invert_[Ix(well)];
        builder_.AddLink(well, floor, pump, floor, random_.Between(0.5, 1.0),
                         link_type::kSetAside[0]);
    }
}

// Two lattice neighbours that are not yet joined, away from any feature.
bool Forest::PickNeighbourPair(Trees trees, std::int32_t& u, std::int32_t& v) {
    u = random_.Index(parent_.size());
    std::int32_t row = cell_[Ix(u)] / side_;
    std::int32_t col = cell_[Ix(u)] % side_;
    switch (random_.Below(4)) {
        case 0:
            ++row;
            break;
        case 1:
            --row;
            break;
        case 2:
            ++col;
            break;
        default:
            --col;
            break;
    }
    if (row < 0 || row >= side_ || col < 0 || col >= side_) {
        return false;
    }
    v = owner_[Ix(row * side_ + col)];
    if (v < 0 || Parent(u) == kNoParent || Parent(v) == kNoParent || reserved_[Ix(u)] ||
        reserved_[Ix(v)] || Parent(u) == v || Parent(v) == u) {
        return false;
    }
    bool same = tree_[Ix(u)] == tree_[Ix(v)];
    if ((trees == Trees::kSame && !same) || (trees == Trees::kDifferent && same) ||
        std::abs(invert_[Ix(u)] - invert_[Ix(v)]) < 0.01) {
        return false;
    }
    auto key = (std::uint64_t(std::min(u, v)) << 32) | std::uint64_t(std::max(u, v));
    return extraPairs_.insert(key).second;
}

// Pipes closing loops or joining trees fall from the higher invert to the
// lower and have the smallest gravity size, never more than the pipe that
// carries their water on. Controls (weirs, orifices) sit at a crest above both ends.
void Forest::AddNeighbourLinks(std::int32_t count, Trees trees, bool control) {
    std::int64_t tries = 1000 + std::int64_t{count} * 50;
    std::int32_t u = 0;
    std::int32_t v = 0;
    for (std::int32_t added = 0; added < count && tries > 0; --tries) {
        if (!PickNeighbourPair(trees, u, v)) {
            continue;
        }
        if (invert_[Ix(u)] < invert_[Ix(v)]) {
            std::swap(u, v);
        }
        double high = invert_[Ix(u)];
        double low = invert_[Ix(v)];
        if (control) {
            double crest = high + random_.Between(0.3, 1.0);
            auto type = link_type::kSetAside[added % std::size(link_type::kSetAside)];
            builder_.AddLink(u, crest, v, crest, random_.Between(0.5, 5.0), type);
        } else {
            double end = low + std::min(0.05, (high - low) / 2);
            builder_.AddLink(u, high, v, end, PipeSizeFor(1), link_type::kPipe);
        }
        ++added;
    }
}

void Forest::AddGutters(std::int32_t count) {
    for (std::int32_t k = 0; k < count && !treePipes_.empty(); ++k) {
        std::int32_t link = treePipes_[random_.Below(treePipes_.size())];
        builder_.AddGutter(link, random_.Chance(0.8));
    }
}

}  // namespace

Network GrowForest(const ForestPlan& plan, SeededRandom& random) {
    return Forest(plan, random).Build();
}

}  // namespace rivo_bench::detail
