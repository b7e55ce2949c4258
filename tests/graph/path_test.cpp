#include <gtest/gtest.h>

#include "graph/dfs_fld.h"
#include "graph/path.h"
#include "test_helpers.h"

namespace {

using rivo_test::Ids;
using rivo_test::Network;

// Path 0 - 1 - 2 - 3 (from the target 0 back to the start 3). Link 11 rises
// from 4 at node 1 to the summit 5 at node 2, size 1.5; link 12 beyond it runs
// from eH at node 2 down to eX at node 3.
struct SummitCase {
    const char* name;
    double eH;
    double eX;
    double neighbourSize;
    std::int16_t xType;
    bool xConverted;
    bool neighbour;
};

const SummitCase kSummitCases[] = {
    {"0.1 below a bigger summit", 4.9, 4.0, 1.0, 0, false, true},
    {"just under 0.2 below", 4.81, 4.0, 1.0, 0, false, true},
    {"just over 0.2 below", 4.79, 4.0, 1.0, 0, false, false},
    {"summit just over 0.2 bigger", 4.9, 4.0, 1.29, 0, false, true},
    {"summit just under 0.2 bigger", 4.9, 4.0, 1.31, 0, false, false},
    {"level and nearly flat", 4.995, 4.99, 1.5, 0, false, true},
    {"level but falling 0.02", 4.995, 4.975, 1.5, 0, false, false},
    {"level to a storage node", 4.995, 3.0, 1.5, 2, false, true},
    {"level to a converted outfall", 4.995, 3.0, 1.5, 1, true, true},
    {"level to a plain outfall", 4.995, 3.0, 1.5, 1, false, false},
    {"0.02 below a storage node", 4.98, 3.0, 1.5, 2, false, false},
};

class SummitLink : public ::testing::TestWithParam<SummitCase> {};

TEST_P(SummitLink, NeighbourBeyondTheHighEndTakesOverWhenTheRulesSay) {
    const SummitCase& c = GetParam();
    Network net;
    for (std::int32_t id = 0; id <= 3; ++id) {
        net.Node(id, id, 0, id == 3 ? c.xType : std::int16_t{0});
    }
    net.G.data(net(3)).convertedToOutfall = c.xConverted;
    path_record path(&net.G);
    path.nodes = {net(0), net(1), net(2), net(3)};
    path.links = {net.Link(10, 1, 0, 1.0, 4.0, 3.0), net.Link(11, 1, 2, 1.5, 4.0, 5.0),
                  net.Link(12, 3, 2, c.neighbourSize, c.eX, c.eH)};
    summit_link s = ChooseSummitLink(path);
    EXPECT_EQ(net.Id(s.link), c.neighbour ? 12 : 11) << c.name;
    EXPECT_EQ(s.high, net(2));
    EXPECT_EQ(net.Id(s.low), c.neighbour ? 3 : 1);
    EXPECT_EQ(s.top, c.neighbour ? c.eH : 5.0);
}

INSTANTIATE_TEST_SUITE_P(Path, SummitLink, ::testing::ValuesIn(kSummitCases), rivo_test::ByName);

TEST(SummitLink, FirstOfEqualTopsNoNeighbourAtThePathEndAndTheOutfallExchange) {
    Network net;
    for (std::int32_t id = 0; id <= 2; ++id) {
        net.Node(id, id, 0);
    }
    path_record path(&net.G);
    path.nodes = {net(0), net(1), net(2)};
    // Both links top out at 5 on node 1: the first is the summit, and the
    // second, of the same size and falling 1.0, does not take over.
    path.links = {net.Link(10, 0, 1, 1.0, 4.0, 5.0), net.Link(11, 1, 2, 1.0, 5.0, 4.0)};
    summit_link s = ChooseSummitLink(path);
    EXPECT_EQ(net.Id(s.link), 10);
    EXPECT_EQ(net.Id(s.high), 1);
    // Summit on the first link, high at the target: nothing lies beyond it, and
    // the much smaller link at its low end is no neighbour.
    net.G.data(path.links[0]).elevationInSource = 6.0;
    net.G.data(path.links[1]).size = 0.1;
    s = ChooseSummitLink(path);
    EXPECT_EQ(net.Ids(std::vector{s.high, s.low}), (Ids{0, 1}));
    EXPECT_EQ(s.top, 6.0);
    // A high end at an outfall the parse has not converted is exchanged with the low end.
    net.G.data(net(0)).nodeType = node_type::kOutfall;
    s = ChooseSummitLink(path);
    EXPECT_EQ(net.Ids(std::vector{s.high, s.low}), (Ids{1, 0}));
    net.G.data(net(0)).convertedToOutfall = true;
    s = ChooseSummitLink(path);
    EXPECT_EQ(net.Ids(std::vector{s.high, s.low}), (Ids{0, 1}));
}

}  // namespace
