#include <gtest/gtest.h>

#include "parser/network_fixture.h"

// Loops inside a subnetwork are opened at their summit link. Most cases use a
// square hanging from manhole 2 above outfall 1: the search from the outfall
// enters 2, 3, 4 and then 5, so link 13 (5->4) closes the loop as back link
// and the path searched from 5 back to 4 is 14, 11, 12.
namespace {

namespace host = rivo::host;

host::Network Square(double pathSize = 1.0, double backSize = 1.0, std::int16_t type2 = 0) {
    return {{{1, 0, 0, 1}, {2, 10, 0, type2}, {3, 20, 0}, {4, 20, 10}, {5, 10, 10}},
            {{10, 2, 1, 0.0, -0.5, pathSize},
             {11, 3, 2, 0.0, 0.0, pathSize},
             {12, 4, 3, 0.0, 0.0, pathSize},
             {13, 5, 4, 0.0, 0.0, backSize},
             {14, 5, 2, 0.0, 0.0, pathSize}}};
}

host::Network With(host::Network n, std::int32_t link, double atSource, double atTarget) {
    for (host::Link& l : n.links) {
        if (l.id == link) {
            l.sourceElevation = atSource;
            l.targetElevation = atTarget;
        }
    }
    return n;
}

const rivo_test::ParseCase kLoopCases[] = {
    {"raised path link at the far end", With(Square(), 12, 1.0, 1.0),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 5 4/14 13 out 0/0 in 0/0 sec 5\n"
     "L3 3 4/12 out 0/0 in 0/0 sec 2\n",
     "1:1/1/1 2:2/1/1 3:3/1/0 4:3/2/0 5:2/2/3 ", "10:1/2/- 11:1/4/- 12:3/1/- 13:2/4/+ 14:2/2/- "},
    {"raised back link", With(Square(), 13, 1.0, 1.0),
     "B1 1 2 3 4/10 11 12 out 0/0 in 0/0 sec 7\nB2 2 5/14 out 0/0 in 0/0 sec 3\n"
     "L3 5 4/13 out 0/0 in 0/0 sec 2\n",
     "1:1/1/1 2:2/1/1 3:1/3/5 4:3/2/0 5:3/1/0 ", "10:1/2/- 11:1/4/- 12:1/6/- 13:3/1/+ 14:2/2/- "},
    {"raised path link at the start", With(Square(), 14, 1.0, 1.0),
     "B1 1 2 3 4 5/10 11 12 13 out 0/0 in 0/0 sec 9\nL2 5 2/14 out 1/3 in 0/0 sec 2\n",
     "1:1/1/1 2:1/2/3 3:1/3/5 4:1/4/7 5:2/1/0 ", "10:1/2/- 11:1/4/- 12:1/6/- 13:1/8/- 14:2/1/+ "},
    {"raised middle path link", With(Square(), 11, 1.0, 1.0),
     "B1 1 2 5 4 3/10 14 13 12 out 0/0 in 0/0 sec 9\nL2 2 3/11 out 0/0 in 1/3 sec 2\n",
     "1:1/1/1 2:1/2/3 3:2/2/0 4:1/4/7 5:1/3/5 ", "10:1/2/- 11:2/1/- 12:1/8/+ 13:1/6/+ 14:1/4/- "},
    // Summit at 3; beyond it link 11 falls 1.0 to node 2.
    {"summit next to a storage node", With(With(Square(1, 1, 2), 11, 1.0, 0.0), 12, 0.0, 1.0),
     "B1 1 2 5 4 3/10 14 13 12 out 0/0 in 0/0 sec 9\nL2 3 2/11 out 1/3 in 0/0 sec 2\n",
     "1:1/1/1 2:1/2/3 3:2/1/0 4:1/4/7 5:1/3/5 ", "10:1/2/- 11:2/1/+ 12:1/8/+ 13:1/6/+ 14:1/4/- "},
    {"summit next to a manhole", With(With(Square(), 11, 1.0, 0.0), 12, 0.0, 1.0),
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nB2 2 5 4/14 13 out 0/0 in 0/0 sec 5\n"
     "L3 3 4/12 out 0/0 in 0/0 sec 2\n",
     "1:1/1/1 2:2/1/1 3:3/1/0 4:3/2/0 5:2/2/3 ", "10:1/2/- 11:1/4/- 12:3/1/- 13:2/4/+ 14:2/2/- "},
    // The loop runs through the outfall; link 13 stands highest at the outfall.
    {"summit at an outfall",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 10, 10}, {4, 0, 10}},
      {{10, 2, 1, 0, 0}, {11, 3, 2, 0, 0}, {12, 4, 3, 0, 0}, {13, 4, 1, 0, 1.0}}},
     "B1 1 2 3 4/10 11 12 out 0/0 in 0/0 sec 7\nL2 4 1/13 out 0/0 in 0/0 sec 2\n",
     "1:1/1/1 2:1/2/3 3:1/3/5 4:2/1/0 ",
     "10:1/2/- 11:1/4/- 12:1/6/- 13:2/1/+ "},
    {"self-loop",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}},
      {{10, 2, 1, 1.0, 0.5}, {11, 3, 2, 1.5, 1.0}, {12, 3, 3, 1.5, 1.5}}},
     "B1 1 2 3/10 11 out 0/0 in 0/0 sec 5\nL2 3 3/12 out 0/0 in 0/0 sec 2\n",
     "1:1/1/1 2:1/2/3 3:2/1/0 ",
     "10:1/2/- 11:1/4/- 12:2/1/+ "},
    // Triangles 2-5-6 and 2-3-4; back links 16 then 13. The first loop is cut
    // at its raised link 15, the second at its raised back link.
    {"two loops in back-link order",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 10}, {4, 10, 20}, {5, 20, -10}, {6, 10, -20}},
      {{10, 2, 1, 0, -0.5},
       {11, 3, 2, 0, 0},
       {12, 4, 3, 0, 0},
       {13, 4, 2, 1.0, 1.0},
       {14, 5, 2, 0, 0},
       {15, 6, 5, 1.0, 1.0},
       {16, 6, 2, 0, 0}}},
     "B1 1 2 5/10 14 out 0/0 in 0/0 sec 5\nB2 2 3 4/11 12 out 0/0 in 0/0 sec 5\n"
     "B3 2 6/16 out 0/0 in 0/0 sec 3\nL4 6 5/15 out 0/0 in 0/0 sec 2\n"
     "L5 4 2/13 out 3/1 in 0/0 sec 2\n",
     "1:1/1/1 2:3/1/1 3:2/2/3 4:5/1/0 5:4/2/0 6:4/1/0 ",
     "10:1/2/- 11:2/2/- 12:2/4/- 13:5/1/+ 14:1/4/- 15:4/1/+ 16:3/2/- "},
    // Pressure main link 13 cut as (4 2), both ends on branch 1: turned around
    // for its numbers, while its ID tables keep the order they were filled in.
    {"pressure main loop on one branch",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 20, 10, 2}},
      {{10, 2, 1, 0, -0.5}, {11, 3, 2, 0, 0}, {12, 4, 3, 0, 0}, {13, 4, 2, 1.0, 0, 1.0, 7}}},
     "B1 1 2 3 4/10 11 12 out 1/7 in 0/0 sec 7\nL2 4 2/13 out 1/7 in 1/3 sec 2\n",
     "1:1/1/1 2:1/2/3 3:1/3/5 4:1/4/7 ",
     "10:1/2/- 11:1/4/- 12:1/6/- 13:2/1/- "},
};

RIVO_PARSE_SUITE(LoopNetworks, CutAtTheSummit, kLoopCases)

// Between the path's summit link 11 (top P = 0, high end 3) and the back link
// 13 (high end A, top eA): which one is cut. Sizes sp of the path, sb of 13.
struct RuleCase {
    double sp, sb, atS, atT;  // 13 at node 5 (S) and at node 4 (T)
    const char* loop;
};
constexpr const char* kPath = "L2 3 2/11 out 1/3 in 0/0 sec 2";
constexpr const char* kBack = "L3 5 4/13 out 0/0 in 0/0 sec 2";
constexpr const char* kBackFromT = "L3 4 5/13 out 0/0 in 0/0 sec 2";

const RuleCase kRuleCases[] = {
    {1.0, 1.0, 0.3, 0.3, kBack},           // eA - P > 0.2
    {1.0, 2.0, 0.2, 0.2, kPath},           // eA - P = 0.2; crown decides
    {1.0, 2.0, 0.2001, 0.2001, kBack},     //
    {2.0, 1.0, -0.2, -0.2, kBack},         // P - eA = 0.2; crown decides
    {2.0, 1.0, -0.2001, -0.2001, kPath},   // P - eA > 0.2
    {1.0, 1.02, 0.1, 0.1, kBack},          // like sizes: P <= eA - 0.01
    {1.0, 1.0, 0.01, 0.01, kBack},         //
    {1.0, 1.0, 0.0099, 0.0099, kPath},     //
    {0.1, 0.05, 0.03, 0.03, kPath},        // sizes 0.05 apart are not alike
    {0.1, 0.0501, 0.03, 0.03, kBack},      //
    {1.0, 1.0625, 0.05, 0.05, kBack},      // heights 0.05 apart are not near
    {1.0, 1.0625, 0.0499, 0.0499, kPath},  //
    {0.5, 0.3, 0.04, 0.04, kPath},         // near heights: sp - sb > 0.2 cuts 13
    {0.5, 0.2999, 0.04, 0.04, kBack},      //
    {0.5, 1.5, 0.1, 0.1, kPath},           // crown: P - 0.25 > eA - 0.75
    {1.5, 0.5, 0.1, 0.1, kBack},           //
    {0.5, 0.75, 0.125, 0.125, kBack},      // crown: P - 0.25 = eA - 0.375
    {0.5, 0.75, 0.1249, 0.1249, kPath},    //
    {2.0, 1.0, 0.0, 0.01, kBack},          // T higher by 0.01: A stays S
    {2.0, 1.0, 0.0, 0.0101, kBackFromT},   //
};

TEST(LoopCutRules, SummitAgainstBackLink) {
    for (const RuleCase& c : kRuleCases) {
        host::Network n = With(Square(c.sp, c.sb), 13, c.atS, c.atT);
        rivo_test::RivoNetworkParser parser;
        rivo_test::Feed(n, parser);
        EXPECT_TRUE(parser.ParseNetwork());
        const host::ResultSummary summary = host::ReadSummary(parser);
        ASSERT_EQ(summary.loops.size(), 1u);
        EXPECT_EQ(rivo_test::Describe(summary.loops[0], 'L'), c.loop)
            << "sp " << c.sp << " sb " << c.sb << " 13 at " << c.atS << "/" << c.atT;
    }
}

}  // namespace
