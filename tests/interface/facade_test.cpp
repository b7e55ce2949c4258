#include <gtest/gtest.h>

#include <vector>

#include "parser/network_fixture.h"
#include "parser/parser_access.h"

// The host's classes: they forward to the core parser and its records, wrap
// each result anew, and let every core error through unchanged.
namespace {

using rivo_test::NetworkSpec;
using rivo_test::RivoNetworkParser;

constexpr HRESULT kInvalidArg = static_cast<HRESULT>(0x80070057u);

// Reaches the core parser, and records what the one-argument parse is given.
struct OpenParser : RivoNetworkParser {
    using RivoNetworkParser::ParseNetwork;
    bool ParseNetwork(bool findLongestBranch) override {
        arguments.push_back(findLongestBranch);
        return RivoNetworkParser::ParseNetwork(findLongestBranch);
    }
    CFLDNetworkParser* core() { return networkParser; }
    std::vector<bool> arguments;
};

// Branch 1 = 1 2 4 (links 10 12), branch 2 = 2 3 5 (11 13); set-aside link 14
// is a loop; pump link 7 joins 3 and 1.
const NetworkSpec kJunction{{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 20, 10}, {5, 30, 0}},
                            {{10, 2, 1, 1.0, 0.5, 1.0},
                             {11, 3, 2, 1.5, 1.0, 0.5},
                             {12, 4, 2, 1.5, 1.0, 0.8},
                             {13, 5, 3, 2.0, 1.5, 0.5},
                             {14, 4, 5, 1.0, 1.0, 1.0, 3}},
                            {{7, 3, 1}}};

TEST(Facade, ParseWithoutArgumentIsParseWithoutLongestBranch) {
    OpenParser parser;
    rivo_test::Feed(kJunction, parser);
    RivoNetworkParser plain;
    rivo_test::Feed(kJunction, plain);
    EXPECT_TRUE(parser.ParseNetwork());
    EXPECT_EQ(parser.arguments, std::vector<bool>{false});
    EXPECT_TRUE(plain.ParseNetwork(false));
    EXPECT_EQ(rivo_test::DescribeBranches(parser), rivo_test::DescribeBranches(plain));
}

// Every call wraps the record anew, and every read goes to the record as it
// is now.
TEST(Facade, WrapsEachRecordAnewAndReadsItOnEveryAccess) {
    OpenParser parser;
    rivo_test::Feed(kJunction, parser);
    parser.ParseNetwork();
    EXPECT_NE(parser.GetBranch(0).get(), parser.GetBranch(0).get());
    EXPECT_NE(parser.GetLoop(0).get(), parser.GetLoop(0).get());
    EXPECT_NE(parser.GetPumpLink(0).get(), parser.GetPumpLink(0).get());
    auto b = parser.GetBranch(1);
    EXPECT_FALSE(b->IsStorageOutletBranch());
    parser.core()->GetBranch(1)->isStorageOutletBranch = true;
    EXPECT_TRUE(b->IsStorageOutletBranch());
}

// Core errors pass unchanged (the queries' own tests check each message);
// arguments reach the core in their places, and the short AddEdge has length 1.
TEST(Facade, CoreErrorsPassUnchangedAndArgumentsKeepTheirPlaces) {
    OpenParser parser;
    rivo_test::Feed(kJunction, parser);
    EXPECT_RAISES(parser.GetBranch(-1), "Failed : CFLDNetworkParser::GetBranch\nIndex out of range",
                  kInvalidArg);
    parser.AddNode(8, 2.5, 3.5, 2);
    parser.AddEdge(15, 8, 1.25, 1, 0.75, 0.6, 0);
    const graph_fld& g = ParserTestAccess::Graph(*parser.core());
    const NodeData& n = g.data(g.GetNode(8));
    const CEdgeData& e = g.data(g.GetEdge(15));
    EXPECT_EQ(std::vector<double>({n.xPosition, n.yPosition, double(n.nodeType),
                                   e.elevationInSource, e.elevationInTarget, e.size, e.length}),
              std::vector<double>({2.5, 3.5, 2, 1.25, 0.75, 0.6, 1.0}));
}

TEST(Facade, PumpListIsOneListTheParseLeavesAlone) {
    RivoNetworkParser parser;
    rivo_test::Feed(kJunction, parser);
    std::vector<std::any>& list = parser.PumpList();
    EXPECT_TRUE(list.empty());
    list.emplace_back(42);
    parser.ParseNetwork();
    EXPECT_EQ(&parser.PumpList(), &list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(std::any_cast<int>(list[0]), 42);
}

TEST(Facade, ReleaseDeletesTheCoreOnce) {
    OpenParser parser;
    rivo_test::Feed(kJunction, parser);
    parser.Release();
    EXPECT_EQ(parser.core(), nullptr);
    parser.Release();  // nothing left; the destructor deletes nothing either
    EXPECT_EQ(parser.core(), nullptr);
    Velmora::Calculations::Dynamic::RivoBranch branch;
    branch.Release();  // owns no record
}

}  // namespace
