#include <gtest/gtest.h>

#include <cmath>

#include "branches/branch_stage_fixture.h"

namespace {

using namespace rivo_test;

// Outfall 1 and manholes 2..8; link "ab" joins a and b (43 runs beside 34).
host::Network Graph8(std::vector<host::Link> links) {
    host::Network net{{{1, 0, 0, 1}}, std::move(links)};
    for (std::int32_t i = 2; i <= 8; ++i) {
        net.nodes.push_back({i, 10.0 * i, 0});
    }
    return net;
}

const host::Network kLevel = Graph8({{12, 1, 2, 0, 0},
                                     {15, 1, 5, 0, 0},
                                     {25, 2, 5, 0, 0},
                                     {34, 3, 4, 0, 0},
                                     {37, 3, 7, 0, 0},
                                     {43, 4, 3, 0, 0},
                                     {45, 4, 5, 0, 0},
                                     {47, 4, 7, 0, 0},
                                     {56, 5, 6, 0, 0},
                                     {57, 5, 7, 0, 0}});

// Loop (3 7) at the dead end (3 4 5): inverts of 3-4 and 4-5 at both ends, and
// h, that of the loop's link at 3.
host::Network AtFirst(double at3, double at4, double next4, double next5, double h = 0) {
    return Graph8(
        {{12, 1, 2, 0, 0}, {34, 3, 4, at3, at4}, {45, 4, 5, next4, next5}, {37, 3, 7, h, 0}});
}

enum Tweak { kNone, kType8Link34, kOutfallNode4, kBetweenOutlets };

struct ExtendCase {
    const char* name;
    std::vector<const char*> tree, loops;
    const char* expectedTree;
    const char* expectedLoops;
    std::set<std::int32_t> boundaries = {4}, junctions = {}, converted = {};
    host::Network network = kLevel;
    Tweak tweak = kNone;
    bool singleNode = false;
};

const std::vector<const char*> kDeadEnd = {"1 2/12", "4 5 6/45 56"},
                               kAt3 = {"1 2/12", "3 4 5/34 45"};
const char* const kDeadEndKept = "1 2/12; 4 5 6/45 56";
const char* const kAt3Kept = "1 2/12; 3 4 5/34 45";
const char* const kOneTaken = "4 3 7/34 37";
const double kBelow = std::nextafter(.001, 0.), kAbove = std::nextafter(.001, 1.);

// clang-format off
const ExtendCase kExtendCases[] = {
    // At the loop's last node 4.
    {"dead end used up", kDeadEnd, {"3 4/34"}, "1 2/12", "3 4 5 6/34 45 56"},
    {"type 8 one-link loop kept", kDeadEnd, {"3 4/34"}, kDeadEndKept, "3 4/34", {4}, {}, {}, kLevel, kType8Link34},
    {"no boundary at last node", kDeadEnd, {"3 4/34"}, kDeadEndKept, "3 4/34", {}},
    {"junction at last node", kDeadEnd, {"3 4/34"}, kDeadEndKept, "3 4/34", {4}, {4}},
    {"two loop ends at last node", kDeadEnd, {"3 4/34", "4 7/47"}, kDeadEndKept, "3 4/34; 4 7/47"},
    {"stops where another loop ends", kDeadEnd, {"3 4/34", "7 5/57"}, "1 2/12; 5 6/56", "3 4 5/34 45; 7 5/57"},
    {"stops before its own first node", {"1 2/12", "4 3 7/43 37"}, {"3 4/34"}, "1 2/12; 4 3 7/43 37", "3 4/34"},
    {"joins onto first later branch ending at junction", {"1 2/12", "4 5 6/45 56", "2 5/25", "1 5/15"}, {"3 4/34"},
     "1 2/12; 2 5 6/25 56; 1 5/15", "3 4 5/34 45", {4}, {5}},
    {"no join when only the first branch ends at junction", {"1 2 5/12 25", "4 5 6/45 56"}, {"3 4/34"},
     "1 2 5/12 25; 5 6/56", "3 4 5/34 45", {4}, {5}},
    {"used up at converted outfall: single storage node", {"1 2/12", "4 5/45"}, {"3 4/34"},
     "1 2/12; 5/ SS", "3 4 5/34 45", {4}, {}, {5}, kLevel, kNone, true},
    {"used up at converted outfall ending another branch", {"1 2/12", "4 5/45", "2 5/25"}, {"3 4/34"},
     "1 2/12; 2 5/25", "3 4 5/34 45", {4}, {}, {5}},
    // At the loop's first node 3.
    {"level link taken, falling one not", kAt3, {"3 7/37"}, "1 2/12; 4 5/45", kOneTaken, {3}, {}, {}, AtFirst(0, 0, 1, 0)},
    {"fall of exactly 0.001", kAt3, {"3 7/37"}, kAt3Kept, "3 7/37", {3}, {}, {}, AtFirst(.001, 0, 1, 0)},
    {"fall just below 0.001", kAt3, {"3 7/37"}, "1 2/12; 4 5/45", kOneTaken, {3}, {}, {}, AtFirst(kBelow, 0, 1, 0)},
    {"fall just above 0.001", kAt3, {"3 7/37"}, kAt3Kept, "3 7/37", {3}, {}, {}, AtFirst(kAbove, 0, 1, 0)},
    {"upper end exactly h less 0.001", kAt3, {"3 7/37"}, kAt3Kept, "3 7/37", {3}, {}, {}, AtFirst(0, 0, 1, 0, .001)},
    {"upper end just above h less 0.001", kAt3, {"3 7/37"}, "1 2/12; 4 5/45", kOneTaken, {3}, {}, {}, AtFirst(0, 0, 1, 0, kBelow)},
    {"upper end just below h less 0.001", kAt3, {"3 7/37"}, kAt3Kept, "3 7/37", {3}, {}, {}, AtFirst(0, 0, 1, 0, kAbove)},
    {"level read anew from the link taken", kAt3, {"3 7/37"}, "1 2/12; 4 5/45", kOneTaken, {3}, {}, {}, AtFirst(0, .5, .3, .4)},
    {"rising branch used up", kAt3, {"3 7/37"}, "1 2/12", "5 4 3 7/45 34 37", {3}, {}, {}, AtFirst(0, .5, .5, 1)},
    {"stops before outfall-type node", kAt3, {"3 7/37"}, kAt3Kept, "3 7/37", {3}, {}, {}, AtFirst(0, .5, .5, 1), kOutfallNode4},
    {"loop between outlets kept", kAt3, {"3 7/37"}, kAt3Kept, "3 7/37 LO", {3}, {}, {}, AtFirst(0, .5, .5, 1), kBetweenOutlets},
    {"single storage node branch at first node", {"1 2/12", "3/ SS"}, {"3 7/37"}, "1 2/12; 3/ SS", "3 7/37", {3}},
};
// clang-format on

RIVO_TABLE_TEST(LoopExtension, LengthensAlongDeadEnds, kExtendCases) {
    const ExtendCase& c = GetParam();
    CFLDNetworkParser parser;
    Feed(c.network, parser);
    graph_fld& g = ParserTestAccess::Graph(parser);
    CBranchFinder worker(&parser, &g, nullptr, g.GetNode(1), false);
    worker.CountLoopEnds();
    for (const char* b : c.tree) {
        WorkerTestAccess::TreeBranches(worker).push_back(MakeBranch(g, b));
    }
    for (const char* b : c.loops) {
        worker.AddLoopBranch(MakeBranch(g, b));
    }
    worker.LoopBranches().front()->isLoopBetweenOutlets = c.tweak == kBetweenOutlets;
    for (std::int32_t id : c.boundaries) {
        g.data(g.GetNode(id)).branchBoundary = true;
    }
    for (std::int32_t id : c.junctions) {
        g.data(g.GetNode(id)).isJunction = true;
    }
    for (std::int32_t id : c.converted) {
        g.data(g.GetNode(id)).nodeType = 1;
        g.data(g.GetNode(id)).convertedToOutfall = true;
    }
    if (c.tweak == kType8Link34) {
        g.data(g.GetEdge(34)).edgeType = 8;
    }
    if (c.tweak == kOutfallNode4) {
        g.data(g.GetNode(4)).nodeType = 1;
    }

    worker.ExtendLoopBranches();

    EXPECT_EQ(Chains(g, worker.TreeBranches()), c.expectedTree);
    EXPECT_EQ(Chains(g, worker.LoopBranches()), c.expectedLoops);
    EXPECT_EQ(worker.IsSingleNode(), c.singleNode);
    ExpectLoopEndCounts(parser, &worker);
}

// Whole parses: the drop loops of storage drops lengthened.
const ParseCase kParseCases[] = {
    {"drop loop (s, c) lengthened to (s, c, d, e)",
     DropChain({{-.4, -.2}, {-.2, 0}, {.5, .7}, {.7, .9}, {.9, 1.1}}, {3}),
     "B1 1 2 3/12 23 SO out 0/0 in 0/0 sec 6\n"
     "L2 3 4 5 6/34 45 56 out 0/0 in 1/5 sec 6\n",
     nullptr, "12:1/2/- 23:1/4/- 34:2/1/- 45:2/3/- 56:2/5/- "},
    // The upper part (c, s2) is used up at s2, which stays as a single storage
    // node branch; the worker is then numbered as a single-node worker.
    {"two drops with one link between",
     DropChain({{-.4, -.2}, {-.2, 0}, {.5, .7}, {.7, .9}, {1.4, 1.6}}, {3, 5}),
     "B1 1 2 3/12 23 SO out 0/0 in 0/0 sec 2\n"
     "B2 5/ SO SS out 1/-2 in 0/0 sec 2\n"
     "L3 3 4 5/34 45 out 2/1 in 0/0 sec 4\n"
     "L4 5 6/56 out 0/0 in 2/1 sec 2\n",
     nullptr, "12:0/0/+ 23:0/0/+ 34:3/1/- 45:3/3/- 56:4/1/- "},
};

RIVO_PARSE_SUITE(LoopExtensionParse, DecomposeAsExpected, kParseCases)

// Loop ends are counted over the first pass's workers and the parser's own
// loops: drop loops, a loop cut out of a cycle, a set-aside link. The
// longest-branch parse keeps the first pass's counts once its workers are gone.
TEST(LoopEndCount, FirstPassWorkersAndParserLoops) {
    host::Network net = DropChain({{-.4, -.2}, {-.2, 0}, {.5, .7}, {.7, .9}, {1.4, 1.6}}, {3, 5});
    net.links.push_back({46, 6, 4, 1.8, 1.0});
    net.links.push_back({25, 5, 2, 1.0, 0.0, 1.0, 3});
    CFLDNetworkParser plain, longest;
    Feed(net, plain);
    Feed(net, longest);
    plain.ParseAllNetworks(false);
    longest.ParseAllNetworks(true);
    ExpectLoopEndCounts(plain);
    for (const host::Node& node : net.nodes) {
        GTL::node a = ParserTestAccess::Graph(plain).GetNode(node.id);
        GTL::node b = ParserTestAccess::Graph(longest).GetNode(node.id);
        EXPECT_EQ(longest.CountLoopEndsAtNode(b), plain.CountLoopEndsAtNode(a)) << node.id;
    }
}

}  // namespace
