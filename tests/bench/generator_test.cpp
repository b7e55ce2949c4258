#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "network_checks.h"
#include "network_generator.h"

// Properties every profile's networks must have.
namespace {

using namespace rivo_bench;
using rivo_bench::testing::NetworkView;

constexpr std::int32_t kSize = 6000;

auto Fields(const Node& n) {
    return std::tie(n.id, n.x, n.y, n.type, n.pond);
}
auto Fields(const Link& l) {
    return std::tie(l.id, l.source, l.target, l.sourceElevation, l.targetElevation, l.size, l.type,
                    l.length);
}
auto Fields(const PumpLink& p) {
    return std::tie(p.id, p.upNode, p.downNode);
}
auto Fields(const Gutter& g) {
    return std::tie(g.linkID, g.directionSameAsUI);
}

template <class T>
bool SameList(const std::vector<T>& a, const std::vector<T>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const T& x, const T& y) { return Fields(x) == Fields(y); });
}

bool Same(const Network& a, const Network& b) {
    return SameList(a.nodes, b.nodes) && SameList(a.links, b.links) &&
           SameList(a.pumpLinks, b.pumpLinks) && SameList(a.gutters, b.gutters);
}

class EveryProfile : public ::testing::TestWithParam<Profile> {
protected:
    static const Network& Shared(Profile profile) {
        static std::vector<std::pair<Profile, Network>> made;
        for (const auto& [p, network] : made) {
            if (p == profile) {
                return network;
            }
        }
        made.emplace_back(profile, Generate(profile, kSize, 7));
        return made.back().second;
    }
    const Network& net() const { return Shared(GetParam()); }
};

TEST_P(EveryProfile, SameSeedGivesTheSameNetworkAndAnotherSeedAnother) {
    EXPECT_TRUE(Same(net(), Generate(GetParam(), kSize, 7)));
    EXPECT_FALSE(Same(net(), Generate(GetParam(), kSize, 8)));
}

TEST_P(EveryProfile, NodeCountIsNearTheTarget) {
    EXPECT_LE(net().nodes.size(), std::size_t{kSize});
    EXPECT_GE(net().nodes.size(), std::size_t{kSize} * 98 / 100);
}

TEST_P(EveryProfile, IDsRunFromOneInListOrder) {
    for (std::size_t i = 0; i < net().nodes.size(); ++i) {
        ASSERT_EQ(net().nodes[i].id, static_cast<std::int32_t>(i + 1));
    }
    for (std::size_t i = 0; i < net().links.size(); ++i) {
        ASSERT_EQ(net().links[i].id, static_cast<std::int32_t>(i + 1));
    }
    for (std::size_t i = 0; i < net().pumpLinks.size(); ++i) {
        ASSERT_EQ(net().pumpLinks[i].id, static_cast<std::int32_t>(i + 1));
    }
}

TEST_P(EveryProfile, EveryReferenceNamesAnExistingNodeOrLink) {
    NetworkView view(net());
    for (const Link& l : net().links) {
        ASSERT_TRUE(view.HasNode(l.source) && view.HasNode(l.target)) << "link " << l.id;
        EXPECT_NE(l.source, l.target) << "link " << l.id;
    }
    for (const PumpLink& p : net().pumpLinks) {
        EXPECT_TRUE(view.HasNode(p.upNode) && view.HasNode(p.downNode)) << "pump " << p.id;
    }
    for (const Gutter& g : net().gutters) {
        EXPECT_TRUE(g.linkID >= 1 && g.linkID <= static_cast<std::int32_t>(net().links.size()));
    }
}

TEST_P(EveryProfile, NoTwoNodesShareAPositionAndNoTwoLinksAPair) {
    std::set<std::pair<double, double>> positions;
    for (const Node& n : net().nodes) {
        EXPECT_TRUE(positions.emplace(n.x, n.y).second) << "node " << n.id;
    }
    std::set<std::pair<std::int32_t, std::int32_t>> pairs;
    for (const Link& l : net().links) {
        auto pair = std::minmax(l.source, l.target);
        EXPECT_TRUE(pairs.insert(pair).second) << "link " << l.id;
    }
}

TEST_P(EveryProfile, EveryNodeDrainsDownhillToAnOutfallOrAStorageLowPoint) {
    NetworkView view(net());
    auto drained = view.Drained();
    for (std::size_t i = 0; i < drained.size(); ++i) {
        ASSERT_TRUE(drained[i]) << "node " << net().nodes[i].id << " cannot drain";
    }
}

// Only outfalls, storage and pumps may lack a way down: a manhole that is a
// low point means a pipe was laid the wrong way.
TEST_P(EveryProfile, EveryManholeHasAPipeFallingAwayFromIt) {
    NetworkView view(net());
    for (std::size_t i = 0; i < net().nodes.size(); ++i) {
        if (net().nodes[i].type == node_kind::kManhole) {
            ASSERT_FALSE(view.IsLowPoint(i)) << "node " << net().nodes[i].id;
        }
    }
}

// Pipes grow downstream: no pipe carrying water on from a node is smaller
// than every pipe bringing water to it.
TEST_P(EveryProfile, PipesDoNotNarrowDownstream) {
    if (GetParam() == Profile::kRing) {
        GTEST_SKIP() << "the ring's pipes have no downstream order";
    }
    NetworkView view(net());
    for (std::size_t i = 0; i < net().nodes.size(); ++i) {
        double in = 0.0;
        double out = 0.0;
        for (const auto& arm : view.Arms(i)) {
            if (rivo_bench::testing::IsPipe(view.LinkAt(arm.link))) {
                double& side = arm.here > arm.there ? out : in;
                side = std::max(side, view.LinkAt(arm.link).size);
            }
        }
        if (out > 0.0) {
            EXPECT_GE(out, in) << "node " << net().nodes[i].id;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Generator, EveryProfile, ::testing::ValuesIn(kAllProfiles),
                         [](const auto& info) {
                             std::string name(ProfileName(info.param));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(ProfileNames, EveryProfileIsFoundByItsName) {
    for (Profile p : kAllProfiles) {
        EXPECT_EQ(ProfileFromName(ProfileName(p)), p);
    }
    EXPECT_FALSE(ProfileFromName("dendritic").has_value());
}

}  // namespace
