#include <gtest/gtest.h>

#include <random>

#include "branches/branch_stage_fixture.h"
#include "test_helpers.h"

namespace {

using namespace rivo_test;

// Outfall 1, pump 2, x 3 on the first branch; the branch (pump, a 4, b 5,
// c 6) starts at the pump. Inverts of pump-a, a-b and b-c at both ends.
host::Network PumpNet(std::vector<double> at, std::int16_t bType = 0) {
    return {{{1, 0, 0, 1}, {2, 10, 0, 4}, {3, 20, 0}, {4, 10, 10}, {5, 10, 20, bType}, {6, 10, 30}},
            {{12, 2, 1, .2, 0},
             {23, 3, 2, .4, .2, 2},
             {24, 2, 4, at[0], at[1]},
             {45, 4, 5, at[2], at[3]},
             {56, 5, 6, at[4], at[5]}}};
}

// Link and node types after the parse: "12:0 23:7 / 1:1 2:4".
std::string Types(OpenParser& parser, const host::Network& net) {
    const graph_fld& g = ParserTestAccess::Graph(parser.core());
    std::ostringstream out;
    for (const host::Link& l : net.links) {
        out << l.id << ":" << g.data(g.GetEdge(l.id)).edgeType << " ";
    }
    out << "/";
    for (const host::Node& n : net.nodes) {
        out << " " << n.id << ":" << g.data(g.GetNode(n.id)).nodeType;
    }
    return out.str();
}

struct MainCase {
    const char* name;
    host::Network network;
    const char* branches;  // after the first branch (1 2 3), which never changes
    const char* links;     // of the pump's branch
    const char* types;
};

const MainCase kMainCases[] = {
    {"b highest: main (pump, a, b) split off after (b, c)", PumpNet({1, 2, 2, 3, 3, 2.5}),
     "B2 5 6/56 out 0/0 in 0/0 sec 3\nB3 2 4 5/24 45 out 2/1 in 0/0 sec 4\n",
     "24:3/1/+ 45:3/3/+ 56:2/2/+ ", "12:0 23:0 24:7 45:7 56:0 / 1:1 2:4 3:0 4:5 5:0 6:0"},
    {"pump highest: unchanged", PumpNet({3, 2, 2, 1.5, 1.5, 1}),
     "B2 2 4 5 6/24 45 56 out 0/0 in 0/0 sec 6\n", "24:2/1/+ 45:2/3/+ 56:2/5/+ ",
     "12:0 23:0 24:0 45:0 56:0 / 1:1 2:4 3:0 4:0 5:0 6:0"},
    {"a and b level: main ends at a", PumpNet({1, 2, 2, 2, 2, 1.5}),
     "B2 4 5 6/45 56 out 0/0 in 0/0 sec 5\nB3 2 4/24 out 2/1 in 0/0 sec 2\n",
     "24:3/1/+ 45:2/2/+ 56:2/4/+ ", "12:0 23:0 24:7 45:0 56:0 / 1:1 2:4 3:0 4:0 5:0 6:0"},
    {"rising to its last node: marked, not cut", PumpNet({1, 2, 2, 3, 3, 4}),
     "B2 2 4 5 6/24 45 56 out 0/0 in 0/0 sec 6\n", "24:2/1/+ 45:2/3/+ 56:2/5/+ ",
     "12:0 23:0 24:7 45:7 56:7 / 1:1 2:4 3:0 4:5 5:5 6:0"},
    // b is a storage node with a drop: the main rises to it once it is converted.
    {"rising to a converted storage node", PumpNet({1, 2, 2, 3, 3.5, 3.6}, 2),
     "B2 5/ SS out 1/0 in 0/0 sec 2\nB3 2 4 5/24 45 out 2/1 in 0/0 sec 4\n"
     "L4 5 6/56 out 0/0 in 2/1 sec 2\n",
     "24:3/1/+ 45:3/3/+ 56:4/1/+ ", "12:0 23:0 24:7 45:7 56:0 / 1:1 2:4 3:0 4:5 5:1 6:0"},
};

RIVO_TABLE_TEST(PressureMains, SplitOffAtHighestPoint, kMainCases) {
    const MainCase& c = GetParam();
    OpenParser parser;
    Feed(c.network, parser);
    EXPECT_TRUE(parser.ParseNetwork());
    EXPECT_EQ(DescribeBranches(parser),
              "B1 1 2 3/12 23 out 0/0 in 0/0 sec 5\n" + std::string(c.branches));
    EXPECT_EQ(DescribeLinks(parser, c.network), std::string("12:1/2/- 23:1/4/- ") + c.links);
    EXPECT_EQ(Types(parser, c.network), c.types);
}

// The stage on hand-made lists. Node 5 is a converted storage node; pump 2's
// main (2 4 5) rises all the way to it. The host marked 3-4, 4-5 and 5-6 as
// mains, with 4 inside one: a cut part is walked again from the list's start.
struct ListCase {
    const char* name;
    std::vector<const char*> tree;
    const char* expected;
};

const ListCase kListCases[] = {
    {"main first: single storage node branch before it",
     {"2 4 5/24 45 SO", "1 5/15"},
     "5/ SS; 2 4 5/24 45; 1 5/15"},
    {"end seen first: nothing added", {"1 5/15", "2 4 5/24 45 SO"}, "1 5/15; 2 4 5/24 45 SO"},
    {"single storage node branch does not mark its node",
     {"5/ SS", "2 4 5/24 45"},
     "5/ SS; 5/ SS; 2 4 5/24 45"},
    {"host-marked main cut where its marks end",
     {"3 4 5 6 7/34 45 56 67"},
     "6 7/67; 5 6/56; 5/ SS; 3 4 5/34 45"},
};

RIVO_TABLE_TEST(PressureMainLists, SplitAsMarked, kListCases) {
    const ListCase& c = GetParam();
    host::Network net{
        {{1, 0, 0, 1}, {2, 0, 0, 4}, {3, 0, 0}, {4, 0, 0, 5}, {5, 0, 0}, {6, 0, 0}, {7, 0, 0}},
        {{15, 1, 5, 0, 0},
         {24, 2, 4, 1, 2},
         {34, 3, 4, 0, 0, 1, 7},
         {45, 4, 5, 2, 3, 1, 7},
         {56, 5, 6, 0, 0, 1, 7},
         {67, 6, 7, 0, 0}}};
    CFLDNetworkParser parser;
    Feed(net, parser);
    graph_fld& g = ParserTestAccess::Graph(parser);
    g.data(g.GetNode(5)).nodeType = 1;
    g.data(g.GetNode(5)).convertedToOutfall = true;
    CBranchFinder worker(&parser, &g, nullptr, g.GetNode(1), false);
    for (const char* b : c.tree) {
        WorkerTestAccess::TreeBranches(worker).push_back(MakeBranch(g, b));
    }

    worker.SplitAtPressureMainEnds();

    EXPECT_EQ(Chains(g, worker.TreeBranches()), c.expected);
    EXPECT_TRUE(g.data(g.GetNode(5)).convertedEndSeen);
}

// Random branch lists as the stage meets them: chains that often start at a
// pump, with repeated levels, links and nodes the host already marked as a
// main, and converted storage nodes that several branches end at. Returns
// the lists, node types and seen marks, and link types after the walk.
std::string WalkRandomBranches(std::uint32_t seed, bool restart) {
    std::mt19937 random(seed);
    auto pick = [&](unsigned n) { return static_cast<std::int32_t>(random() % n); };
    const double levels[] = {0.0, 1.0, 1.0, 2.0, 3.0};
    Network net;
    CBranchFinder worker(nullptr, &net.G, nullptr, GTL::node{}, false);
    for (std::int32_t id = 1; id <= 3; ++id) {
        ConvertToOutfall(net.G.data(net.Node(id)));
    }
    std::int32_t nodeID = 4;
    std::int32_t linkID = 100;
    for (std::int32_t b = 0, count = 3 + pick(6); b < count; ++b) {
        auto B = std::make_unique<CBranch>();
        B->nodes.push_back(net.Node(nodeID++, 0, 0, pick(2) ? 4 : pick(4) ? 0 : 5));
        B->isSingleStorageNodeBranch = pick(8) == 0;
        if (B->isSingleStorageNodeBranch) {
            B->nodes.front() = net(1 + pick(3));
        }
        for (std::int32_t i = 1, m = B->isSingleStorageNodeBranch ? 0 : 1 + pick(5); i <= m; ++i) {
            GTL::node next =
                i == m && pick(2) ? net(1 + pick(3)) : net.Node(nodeID++, 0, 0, pick(4) ? 0 : 5);
            GTL::edge e = net.Link(linkID++, net.Id(B->nodes.back()), net.Id(next), 1.0,
                                   levels[pick(5)], levels[pick(5)]);
            net.G.data(e).edgeType = pick(5) ? 0 : 7;
            B->edges.push_back(e);
            B->nodes.push_back(next);
        }
        B->isStorageOutletBranch = IsConvertedOutfall(net.G.data(B->nodes.back()));
        WorkerTestAccess::TreeBranches(worker).push_back(std::move(B));
    }
    if (restart) {
        WorkerTestAccess::RestartingWalk(worker);
    } else {
        worker.SplitAtPressureMainEnds();
    }
    std::ostringstream out;
    out << Chains(net.G, worker.TreeBranches()) << " /";
    net.G.for_each_node([&](GTL::node n) {
        out << " " << net.G.data(n).nodeType << (net.G.data(n).convertedEndSeen ? "s" : "");
    });
    out << " /";
    net.G.for_each_edge([&](GTL::edge e) { out << " " << net.G.data(e).edgeType; });
    return out.str();
}

// The stage goes on from the branch it changed instead of walking from the
// first branch again; both walks give the same lists and marks.
TEST(PressureMainWalk, ResumingAtTheChangedBranchEqualsRestarting) {
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        EXPECT_EQ(WalkRandomBranches(seed, false), WalkRandomBranches(seed, true)) << seed;
    }
}

}  // namespace
