#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "network_generator.h"

namespace rivo_bench {
// Names profiles in test output.
inline void PrintTo(Profile profile, std::ostream* out) {
    *out << ProfileName(profile);
}
}  // namespace rivo_bench

// The generated networks read independently of the generator. The result
// checksums pin every network; these tests say what the networks must be for
// the benchmark to mean something: valid host input in which every node
// drains, and the shape each profile promises.
namespace {

using namespace rivo_bench;

constexpr std::int32_t kSize = 6000;

// One network per profile, made once per test program.
const Network& Shared(Profile profile) {
    static std::map<Profile, Network> made;
    auto it = made.find(profile);
    if (it == made.end()) {
        it = made.emplace(profile, Generate(profile, kSize, 7)).first;
    }
    return it->second;
}

// Links water runs through: pipes and pressure mains, not controls.
bool Carries(const Link& l) {
    return !link_type::IsSetAside(l.type);
}

// A link seen from one of its nodes.
struct Arm {
    std::size_t link;
    std::size_t other;  // node index at the far end
    double here;        // the link's level at this node
    double there;       // its level at the far end
};

// The links at each node. Node IDs run from one in list order (tested
// below), so a node's index is its ID less one.
struct NetworkView {
    explicit NetworkView(const Network& network) : net(network), arms(network.nodes.size()) {
        for (std::size_t k = 0; k < net.links.size(); ++k) {
            const Link& l = net.links[k];
            const std::size_t s = Index(l.source), t = Index(l.target);
            arms.at(s).push_back({k, t, l.sourceElevation, l.targetElevation});
            arms.at(t).push_back({k, s, l.targetElevation, l.sourceElevation});
        }
    }

    static std::size_t Index(std::int32_t id) { return static_cast<std::size_t>(id) - 1; }
    const Link& LinkOf(const Arm& a) const { return net.links[a.link]; }

    // A pipe falling away from its node, or a pressure main, which a pump
    // drives either way.
    bool Leaves(const Arm& a) const {
        return Carries(LinkOf(a)) &&
               (LinkOf(a).type == link_type::kPressureMain || a.here > a.there);
    }

    bool IsLowPoint(std::size_t i) const {
        return std::none_of(arms[i].begin(), arms[i].end(),
                            [&](const Arm& a) { return Leaves(a); });
    }

    // Nodes from which water reaches an outfall or a storage low point by
    // running downhill, through pressure mains and through pump links.
    std::vector<char> Drained() const {
        std::vector<char> reached(arms.size(), 0);
        std::vector<std::size_t> queue;
        for (std::size_t i = 0; i < arms.size(); ++i) {
            const std::int16_t type = net.nodes[i].type;
            if (type == node_type::kOutfall || (type == node_type::kStorage && IsLowPoint(i))) {
                reached[i] = 1;
                queue.push_back(i);
            }
        }
        std::vector<std::vector<std::size_t>> pumpedFrom(arms.size());
        for (const PumpLink& p : net.pumpLinks) {
            pumpedFrom.at(Index(p.downstream)).push_back(Index(p.upstream));
        }
        for (std::size_t q = 0; q < queue.size(); ++q) {
            const std::size_t v = queue[q];
            std::vector<std::size_t> feeders = pumpedFrom[v];
            for (const Arm& a : arms[v]) {
                if (Leaves(Arm{a.link, v, a.there, a.here})) {
                    feeders.push_back(a.other);
                }
            }
            for (std::size_t u : feeders) {
                if (!reached[u]) {
                    reached[u] = 1;
                    queue.push_back(u);
                }
            }
        }
        return reached;
    }

    // Connected parts made by the links that carry water.
    std::int64_t Parts() const {
        std::vector<std::size_t> root(arms.size());
        std::iota(root.begin(), root.end(), std::size_t{0});
        auto find = [&](std::size_t x) {
            while (root[x] != x) {
                x = root[x] = root[root[x]];
            }
            return x;
        };
        auto parts = static_cast<std::int64_t>(arms.size());
        for (const Link& l : net.links) {
            if (Carries(l)) {
                const std::size_t a = find(Index(l.source)), b = find(Index(l.target));
                parts -= a != b ? 1 : 0;
                root[a] = b;
            }
        }
        return parts;
    }

    // Independent loops (cycle rank) of the links that carry water.
    std::int64_t Loops() const {
        return std::count_if(net.links.begin(), net.links.end(), Carries) -
               static_cast<std::int64_t>(arms.size()) + Parts();
    }

    const Network& net;
    std::vector<std::vector<Arm>> arms;
};

class EveryProfile : public ::testing::TestWithParam<Profile> {
protected:
    const Network& net() const { return Shared(GetParam()); }
};

TEST_P(EveryProfile, IDsRunFromOneAndEveryReferenceNamesAnExistingNodeOrLink) {
    auto numbered = [](const auto& list) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].id != static_cast<std::int32_t>(i + 1)) {
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(numbered(net().nodes) && numbered(net().links) && numbered(net().pumpLinks));
    auto isNode = [&](std::int32_t id) { return id >= 1 && id <= std::ssize(net().nodes); };
    for (const Link& l : net().links) {
        EXPECT_TRUE(isNode(l.source) && isNode(l.target) && l.source != l.target) << l.id;
    }
    for (const PumpLink& p : net().pumpLinks) {
        EXPECT_TRUE(isNode(p.upstream) && isNode(p.downstream)) << "pump " << p.id;
    }
    for (const Gutter& g : net().gutters) {
        EXPECT_TRUE(g.id >= 1 && g.id <= std::ssize(net().links));
    }
}

// Also finds a manhole that is a low point (a pipe laid the wrong way): no
// water runs away from it.
TEST_P(EveryProfile, EveryNodeDrainsDownhillToAnOutfallOrAStorageLowPoint) {
    const std::vector<char> drained = NetworkView(net()).Drained();
    for (std::size_t i = 0; i < drained.size(); ++i) {
        ASSERT_TRUE(drained[i]) << "node " << net().nodes[i].id << " cannot drain";
    }
}

// What each profile promises at kSize nodes, as ranges: outfalls,
// independent loops and connected parts of the links that carry water, and
// the most links meeting at one node.
struct Range {
    std::int64_t low, high;
};
constexpr std::int64_t kAny = kSize * 2;
struct Shape {
    Profile profile;
    Range outfalls, loops, parts, widest;
};
constexpr Shape kShapes[] = {
    // An outfall per ten thousand nodes (at least one), a loop per hundred.
    {Profile::kRealistic, {1, 1}, {54, 66}, {1, kAny}, {1, kAny}},
    // An outfall per ten nodes; some catchments are joined, so there are
    // clearly fewer parts than outfalls, but more than half as many.
    {Profile::kOutfallHeavy, {600, 630}, {0, kAny}, {316, 569}, {1, kAny}},
    // A 77 by 77 street grid, every block a loop.
    {Profile::kLooped, {1, 1}, {76 * 76, 76 * 76}, {1, 1}, {2, 4}},
    {Profile::kChain, {1, 1}, {0, 0}, {1, 1}, {2, 2}},
    {Profile::kStar, {1, 1}, {0, 0}, {1, 1}, {kSize - 1, kSize - 1}},
    {Profile::kRing, {kSize, kSize}, {1, 1}, {1, 1}, {2, 2}},
    // The realistic network with a loop for one node in ten.
    {Profile::kExtraLoops, {1, 1}, {570, 630}, {1, 1}, {1, kAny}},
};

TEST_P(EveryProfile, HasItsProfilesShapeAtNearlyTheNodeCountAskedFor) {
    EXPECT_LE(net().nodes.size(), std::size_t{kSize});
    EXPECT_GE(net().nodes.size(), std::size_t{kSize} * 98 / 100);
    const Shape& shape = *std::find_if(std::begin(kShapes), std::end(kShapes),
                                       [&](const Shape& s) { return s.profile == GetParam(); });
    const NetworkView view(net());
    std::int64_t outfalls = 0, widest = 0;
    for (std::size_t i = 0; i < view.arms.size(); ++i) {
        outfalls += net().nodes[i].type == node_type::kOutfall ? 1 : 0;
        widest = std::max(widest, std::ssize(view.arms[i]));
    }
    auto within = [](std::int64_t value, Range range) {
        return value >= range.low && value <= range.high;
    };
    EXPECT_TRUE(within(outfalls, shape.outfalls)) << outfalls << " outfalls";
    EXPECT_TRUE(within(view.Loops(), shape.loops)) << view.Loops() << " loops";
    EXPECT_TRUE(within(view.Parts(), shape.parts)) << view.Parts() << " parts";
    EXPECT_TRUE(within(widest, shape.widest)) << widest << " links at one node";
}

INSTANTIATE_TEST_SUITE_P(Generator, EveryProfile, ::testing::ValuesIn(kAllProfiles),
                         [](const auto& info) {
                             std::string name(ProfileName(info.param));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
