#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "network_checks.h"
#include "network_generator.h"

// What each profile promises beyond the common properties.
namespace {

using namespace rivo_bench;
using rivo_bench::testing::CarriesWater;
using rivo_bench::testing::IsPipe;
using rivo_bench::testing::NetworkView;

std::size_t CountNodes(const Network& net, std::int16_t type) {
    return static_cast<std::size_t>(std::count_if(net.nodes.begin(), net.nodes.end(),
                                                  [&](const Node& n) { return n.type == type; }));
}

class Realistic : public ::testing::Test {
protected:
    static constexpr std::int32_t kSize = 20000;
    static const Network& net() {
        static const Network network = Generate(Profile::kRealistic, kSize, 3);
        return network;
    }
    NetworkView view{net()};

    bool IsWetWell(std::int32_t id) const {
        return std::any_of(net().pumpLinks.begin(), net().pumpLinks.end(),
                           [&](const PumpLink& p) { return p.upNode == id; });
    }
};

TEST_F(Realistic, HasOneOutfallPerTenThousandNodes) {
    EXPECT_GE(CountNodes(net(), node_kind::kOutfall), std::size_t{2});
    EXPECT_LE(CountNodes(net(), node_kind::kOutfall), std::size_t{4});
}

TEST_F(Realistic, NeighbouringNodesAreTwentyToFiftyMetresApart) {
    for (const Link& l : net().links) {
        if (IsPipe(l)) {
            EXPECT_GE(l.length, 20.0) << "link " << l.id;
            EXPECT_LE(l.length, 52.0) << "link " << l.id;
        }
    }
}

TEST_F(Realistic, HasOneLoopPerHundredNodes) {
    double loops = static_cast<double>(view.Loops(CarriesWater));
    EXPECT_NEAR(loops, kSize / 100.0, kSize / 1000.0);
}

// Storage nodes come as draining tanks, low points that cannot drain, and
// tanks whose inflow drops in more than 0.1 above their outflow.
TEST_F(Realistic, HasDrainingLowPointAndDropStorage) {
    int draining = 0, lowPoints = 0, drops = 0;
    for (std::size_t i = 0; i < net().nodes.size(); ++i) {
        const Node& n = net().nodes[i];
        if (n.type != node_kind::kStorage || IsWetWell(n.id)) {
            continue;
        }
        if (view.IsLowPoint(i)) {
            ++lowPoints;
            continue;
        }
        ++draining;
        const auto& arms = view.Arms(i);
        if (arms.size() == 2) {
            const auto& out = arms[0].here > arms[0].there ? arms[0] : arms[1];
            const auto& in = &out == &arms[0] ? arms[1] : arms[0];
            drops += in.there > in.here && in.here - out.here > 0.1 ? 1 : 0;
        }
    }
    EXPECT_GE(draining, 4);
    EXPECT_GE(lowPoints, 1);
    EXPECT_GE(drops, 1);
}

TEST_F(Realistic, OnlyTwoJoinedStorageNodesArePonds) {
    int pondLinks = 0;
    for (const Link& l : net().links) {
        const Node& a = view.NodeAt(view.Index(l.source));
        const Node& b = view.NodeAt(view.Index(l.target));
        bool storage = a.type == node_kind::kStorage && b.type == node_kind::kStorage;
        pondLinks += storage && a.pond && b.pond ? 1 : 0;
    }
    EXPECT_GE(pondLinks, 1);
    for (std::size_t i = 0; i < net().nodes.size(); ++i) {
        const Node& n = net().nodes[i];
        if (n.type == node_kind::kStorage && n.pond) {
            bool joined = std::any_of(view.Arms(i).begin(), view.Arms(i).end(), [&](const auto& a) {
                return view.NodeAt(a.other).type == node_kind::kStorage;
            });
            EXPECT_TRUE(joined) << "pond " << n.id << " has no pond link";
        }
    }
}

// Wet well -> pump link (and the pump drawn as a control link) -> pump; the
// pressure main rises from the pump to a high point, from which a pipe falls.
TEST_F(Realistic, PumpsLiftThroughARisingPressureMain) {
    ASSERT_GE(net().pumpLinks.size(), std::size_t{kSize / 5000});
    for (const PumpLink& p : net().pumpLinks) {
        EXPECT_EQ(view.NodeAt(view.Index(p.upNode)).type, node_kind::kStorage);
        std::size_t at = view.Index(p.downNode);
        ASSERT_EQ(view.NodeAt(at).type, node_kind::kPump);
        const auto& arms = view.Arms(at);
        ASSERT_EQ(arms.size(), std::size_t{2});
        EXPECT_EQ(std::count_if(arms.begin(), arms.end(),
                                [&](auto& a) {
                                    return view.Carries(a) == false &&
                                           view.NodeAt(a.other).id == p.upNode;
                                }),
                  1)
            << "no control link from the wet well";
        std::size_t from = at;
        for (int step = 0; step < 10; ++step) {
            auto main = std::find_if(view.Arms(at).begin(), view.Arms(at).end(), [&](auto& a) {
                return a.other != from && view.LinkAt(a.link).type == link_kind::kPressureMain;
            });
            if (main == view.Arms(at).end()) {
                break;
            }
            EXPECT_LT(main->here, main->there) << "the main must rise";
            from = at;
            at = main->other;
        }
        ASSERT_NE(at, view.Index(p.downNode));
        bool fallsOn = std::any_of(view.Arms(at).begin(), view.Arms(at).end(), [&](auto& a) {
            return IsPipe(view.LinkAt(a.link)) && a.here > a.there;
        });
        EXPECT_TRUE(fallsOn) << "no gravity pipe leaves the main's high point";
    }
}

TEST_F(Realistic, HasWeirsOrificesAndGutters) {
    std::map<std::int16_t, int> controls;
    for (const Link& l : net().links) {
        controls[l.type] += link_kind::IsSetAside(l.type) ? 1 : 0;
    }
    for (std::int16_t type : {5, 6, 8}) {
        EXPECT_GE(controls[type], 1) << "type " << type;
    }
    ASSERT_GE(net().gutters.size(), std::size_t{2});
    for (const Gutter& g : net().gutters) {
        EXPECT_TRUE(IsPipe(net().links[static_cast<std::size_t>(g.linkID - 1)]));
    }
}

TEST(ExtraLoops, HasALoopForOneNodeInTen) {
    Network net = Generate(Profile::kExtraLoops, 10000, 5);
    double loops = static_cast<double>(NetworkView(net).Loops(CarriesWater));
    EXPECT_NEAR(loops, 1000.0, 50.0);
}

TEST(OutfallHeavy, HasAnOutfallPerTenNodesAndJoinsSomeCatchments) {
    Network net = Generate(Profile::kOutfallHeavy, 10000, 5);
    std::size_t outfalls = CountNodes(net, node_kind::kOutfall);
    EXPECT_GE(outfalls, std::size_t{1000});
    EXPECT_LE(outfalls, std::size_t{1050});
    std::size_t parts = NetworkView(net).Components(CarriesWater);
    EXPECT_LT(parts, outfalls * 95 / 100);
    EXPECT_GT(parts, outfalls / 2);
}

// Every block of the street grid closes a loop.
TEST(Looped, IsOneGridWithABlockLoopPerNode) {
    Network net = Generate(Profile::kLooped, 10000, 5);
    NetworkView view(net);
    EXPECT_EQ(view.Components(CarriesWater), std::size_t{1});
    EXPECT_EQ(CountNodes(net, node_kind::kOutfall), std::size_t{1});
    EXPECT_EQ(view.Loops(CarriesWater), 99 * 99);
    for (std::size_t i = 0; i < net.nodes.size(); ++i) {
        EXPECT_LE(view.Arms(i).size(), std::size_t{4});
    }
}

TEST(StressShapes, ChainStarAndRingHaveTheirShape) {
    constexpr std::int32_t n = 5000;
    Network chain = Generate(Profile::kChain, n, 1);
    NetworkView chainView(chain);
    EXPECT_EQ(chain.links.size(), std::size_t{n - 1});
    EXPECT_EQ(chainView.Components(CarriesWater), std::size_t{1});
    EXPECT_EQ(CountNodes(chain, node_kind::kOutfall), std::size_t{1});

    Network star = Generate(Profile::kStar, n, 1);
    NetworkView starView(star);
    std::size_t widest = 0;
    for (std::size_t i = 0; i < star.nodes.size(); ++i) {
        widest = std::max(widest, starView.Arms(i).size());
    }
    EXPECT_EQ(widest, std::size_t{n - 1});

    Network ring = Generate(Profile::kRing, n, 1);
    NetworkView ringView(ring);
    EXPECT_EQ(CountNodes(ring, node_kind::kOutfall), std::size_t{n});
    EXPECT_EQ(ringView.Loops(CarriesWater), 1);
    EXPECT_EQ(ringView.Components(CarriesWater), std::size_t{1});
}

}  // namespace
