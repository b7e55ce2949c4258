#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "parser/network_fixture.h"
#include "parser/parser_access.h"

// What the host reads back: bounds and messages of the queries, the loop
// branch fallback of the node queries, branch ID tables, the parse result and
// the numbering of pump links.
namespace {

namespace host = rivo::host;
using rivo_test::RivoNetworkParser;

constexpr HRESULT kInvalidArg = E_INVALIDARG;
constexpr HRESULT kFail = E_FAIL;

// Outfall 1 with manholes 2 and 3 upstream (3 a dead end). Manhole 4 lies
// only on the set-aside links 20, 21 and 22 (from 4 to itself); 7 and 8 hang
// from 5 by 12 and 13 and reach no outlet; pump 9 stands alone; outfall 6 has
// no link. The parse returns false.
const host::Network kLoopsOnly{{{1, 0, 0, 1},
                                {2, 10, 0},
                                {3, 20, 0},
                                {4, 30, 10},
                                {5, 40, 40},
                                {6, 90, 90, 1},
                                {7, 50, 40},
                                {8, 60, 40},
                                {9, 70, 70, 4}},
                               {{10, 2, 1, 1.0, 0.5},
                                {11, 3, 2, 1.5, 1.0},
                                {12, 5, 7, 1.0, 0.9},
                                {13, 5, 8, 1.0, 0.8},
                                {20, 2, 4, 1, 1, 1, 5},
                                {21, 3, 4, 1, 1, 1, 5},
                                {22, 4, 4, 1, 1, 1, 5}},
                               {{30, 2, 1}}};

void FeedLoopsOnly(RivoNetworkParser& parser) {
    rivo_test::Feed(kLoopsOnly, parser);
    parser.AddGutterLinkIDDirection(40, true);
    parser.AddGutterLinkIDDirection(41, false);
}

// Host values and counts around the parse, then every index query.
TEST(FailingParse, HostValuesSurviveAndIndexQueriesRaiseOutsideTheCount) {
    RivoNetworkParser parser;
    FeedLoopsOnly(parser);
    EXPECT_THROW_MSG(parser.GetBranch(0),
                     "Failed : CFLDNetworkParser::GetBranch\nIndex out of range", kInvalidArg);
    parser.SetFirstSectionPosition(10, 2.5);
    parser.SetSecondSectionPosition(10, 3.5);
    parser.SetNodeDownStreamSectionPosition(2, 4.5);
    EXPECT_THROW_MSG(parser.AddEdge(14, 99, 1, 1, 1, 1, 0), "Failed : graph_fld::GetNode",
                     kInvalidArg);
    EXPECT_EQ(parser.NumberOfNodes(), 9);
    EXPECT_EQ(parser.NumberOfLinks(), 7);  // set-aside links are hidden but counted
    EXPECT_FALSE(parser.ContainsLoop());   // loops are reported after a parse
    EXPECT_FALSE(parser.ParseNetwork());
    EXPECT_TRUE(parser.ContainsLoop());
    EXPECT_EQ(parser.GetFirstSectionPosition(10), 2.5);
    EXPECT_EQ(parser.GetSecondSectionPosition(10), 3.5);
    EXPECT_EQ(parser.GetNodeDownStreamSectionPosition(2), 4.5);
    // An isolated node is on no branch and no loop.
    EXPECT_THROW_MSG(
        parser.GetBranchNumberOfNode(5),
        "Failed : CFLDNetworkParser::GetBranchNumberOfNode\nNode ID is not in the Graph",
        kInvalidArg);
    EXPECT_THROW_MSG(
        parser.GetNodeIndexInBranch(5),
        "Failed : CFLDNetworkParser::GetNodeIndexInBranch\nNode ID is not in the Graph",
        kInvalidArg);
    using Call = std::function<std::int32_t(RivoNetworkParser&, std::int32_t)>;
    const std::tuple<const char*, std::int32_t, Call, const char*> queries[] = {
        {"GetBranch", 1, [](auto& p, auto i) { return p.GetBranch(i)->BranchNumber(); }, "1"},
        {"GetLoopBranch", 3, [](auto& p, auto i) { return p.GetLoop(i)->BranchNumber(); }, "2 3 4"},
        {"GetPumpLink", 1, [](auto& p, auto i) { return p.GetPumpLink(i)->PumpLinkID(); }, "30"},
        {"GetGutterLinkID", 2, [](auto& p, auto i) { return p.GetGutterLinkID(i); }, "40 41"},
        {"GetGutterDirectionSameAsUI", 2,
         [](auto& p, auto i) { return std::int32_t(p.GetGutterDirectionSameAsUI(i)); }, "1 0"},
        // Isolated nodes in node order; their visible links in the adjacency
        // order of the first node, newest first.
        {"GetIsolatedNodeId", 5, [](auto& p, auto i) { return p.GetIsolatedNodeId(i); },
         "4 5 7 8 9"},
        {"GetIsolatedEdgeId", 2, [](auto& p, auto i) { return p.GetIsolatedEdgeId(i); }, "13 12"},
        {"GetRemovedOutfallId", 1, [](auto& p, auto i) { return p.GetRemovedOutfallID(i); }, "6"},
    };
    const std::int32_t counts[] = {
        parser.NumberOfBranches(),      parser.NumberOfLoops(),
        parser.NumberOfPumpLinks(),     parser.NumberOfGutters(),
        parser.NumberOfGutters(),       parser.NumberOfIsolatedNodes(),
        parser.NumberOfIsolatedEdges(), parser.NumberOfRemovedOutfalls()};
    for (std::size_t q = 0; q < std::size(queries); ++q) {
        const auto& [name, count, call, values] = queries[q];
        SCOPED_TRACE(name);
        EXPECT_EQ(counts[q], count);
        std::string message =
            std::string("Failed : CFLDNetworkParser::") + name + "\nIndex out of range";
        EXPECT_THROW_MSG(call(parser, -1), message, kInvalidArg);
        EXPECT_THROW_MSG(call(parser, count), message, kInvalidArg);
        EXPECT_EQ(rivo_test::Join(count, [&](std::int32_t i) { return call(parser, i); }), values);
    }
    EXPECT_EQ(rivo_test::DescribePumpLinks(parser), "0 0 0 0; ");  // a failed parse numbers none
}

TEST(IdQueries, UnknownIdsFailInTheGraphLookup) {
    RivoNetworkParser p;
    FeedLoopsOnly(p);
    const std::string node = "Failed : graph_fld::GetNode";
    const std::string link = "Failed : graph_fld::GetEdge";
    const std::pair<std::string, std::function<void()>> calls[] = {
        {node, [&] { p.GetNodeIsPump(99); }},
        {node, [&] { p.GetNodeIsOutfallType(99); }},
        {node, [&] { p.GetNodeIsConvertedToOutfall(99); }},
        {node, [&] { p.GetNodeIsManholeOrStorageType(99); }},
        {node, [&] { p.GetNodeUpStreamSectionNumber(99); }},
        {node, [&] { p.GetNodeDownStreamSectionPosition(99); }},
        {node, [&] { p.SetNodeDownStreamSectionPosition(99, 1.0); }},
        {node, [&] { p.GetBranchNumberOfNode(99); }},
        {node, [&] { p.GetNodeIndexInBranch(99); }},
        {link, [&] { p.GetParserDirectionSameAsUI(99); }},
        {link, [&] { p.GetLinkUpStreamSectionNumber(99); }},
        {link, [&] { p.GetBranchNumberOfPipe(99); }},
        {link, [&] { p.GetFirstSectionPosition(99); }},
        {link, [&] { p.GetSecondSectionPosition(99); }},
        {link, [&] { p.SetFirstSectionPosition(99, 1.0); }},
        {link, [&] { p.SetSecondSectionPosition(99, 1.0); }},
    };
    for (const auto& [message, call] : calls) {
        EXPECT_THROW_MSG(call(), message, kInvalidArg);
    }
}

TEST(NodeQueries, TypesAsTheHostSeesThem) {
    host::Network network{{}, {{10, 2, 1, 1, .5}, {11, 7, 1, 1, .5}}};
    for (std::int16_t type : {1, 0, 2, 3, 4, 5, 2}) {  // nodes 1 to 7
        const auto id = static_cast<std::int32_t>(network.nodes.size()) + 1;
        network.nodes.push_back({id, 10.0 * (id - 1), 0, type});
    }
    RivoNetworkParser p;
    rivo_test::Feed(network, p);
    p.ParseNetwork();  // storage 3 has no link and converts; 7 drains
    std::string flags;
    for (std::int32_t id = 1; id <= 7; ++id) {
        flags += std::string(p.GetNodeIsManholeOrStorageType(id) ? "m" : ".") +
                 (p.GetNodeIsOutfallType(id) ? "o" : ".") +
                 (p.GetNodeIsConvertedToOutfall(id) ? "c" : ".") +
                 (p.GetNodeIsPump(id) ? "p " : ". ");
    }
    EXPECT_EQ(flags, ".o.. m... ..c. .... ...p m... m... ");
}

// Node 4 lies on loops 2 (2, 4), 3 (3, 4) and 4 (4, 4) only; dead end 3 on
// loop 3 only. The first position in a loop counts.
TEST(NodeQueries, LoopFallbackIsFixedByTheFirstQuery) {
    const std::tuple<bool, std::int32_t, const char*> cases[] = {
        {true, 4, "2 2"}, {false, 4, "4 1"}, {true, 3, "3 1"}, {false, 3, "3 1"}, {true, 2, "1 2"}};
    for (const auto& [branchFirst, node, expected] : cases) {
        RivoNetworkParser p;
        FeedLoopsOnly(p);
        p.ParseNetwork();
        std::int32_t branch = branchFirst ? p.GetBranchNumberOfNode(node) : 0;
        std::int32_t index = p.GetNodeIndexInBranch(node);
        branch = branchFirst ? branch : p.GetBranchNumberOfNode(node);
        EXPECT_EQ(std::to_string(branch) + " " + std::to_string(index), expected)
            << node << (branchFirst ? " branch first" : " index first");
    }
}

TEST(BranchIDTables, NodeCopiesAreReportedAsTheirOriginal) {
    rivo_test::Network net;
    graph_fld& g = net.G;
    CBranch b;
    for (std::int32_t id : {100000007, 200000012, 100000000, 300000005}) {
        b.nodes.push_back(net.Node(id));
    }
    for (std::int32_t k = 1; k < 4; ++k) {  // links 21, 22, 23
        b.edges.push_back(net.Link(20 + k, net.Id(b.nodes[k - 1]), net.Id(b.nodes[k])));
    }
    b.FillIDTables(g);
    b.FillIDTables(g);
    EXPECT_EQ(std::vector<std::int32_t>(b.NodeIDs().begin(), b.NodeIDs().end()),
              (std::vector<std::int32_t>{-7, -12, 100000000, 300000005}));
    EXPECT_EQ(std::vector<std::int32_t>(b.EdgeIDs().begin(), b.EdgeIDs().end()),
              (std::vector<std::int32_t>{21, 22, 23}));
    EXPECT_THROW_MSG(b.GetNodeID(4), "Failed : CBranch::GetNodeID\nIndex out of range",
                     kInvalidArg);
    EXPECT_THROW_MSG(b.GetEdgeID(-1), "Failed : CBranch::GetEdgeID\nIndex out of range",
                     kInvalidArg);

    CBranch single;
    single.isSingleStorageNodeBranch = true;
    single.nodes.push_back(b.nodes[0]);
    single.FillIDTables(g);
    ASSERT_EQ(single.NodeIDs().size(), 1U);
    EXPECT_EQ(single.NodeIDs()[0], 100000007);
    EXPECT_TRUE(single.EdgeIDs().empty());
}

// Pump links are numbered in order after a successful count, through the
// node queries; the first failing lookup ends the parse.
TEST(PumpLinks, NumberedFromTheBranchesOfTheirNodes) {
    const char* const noBranch =
        "Failed : CFLDNetworkParser::GetBranchNumberOfNode\nNode ID is not in the Graph";
    const std::tuple<std::vector<host::PumpLink>, const char*, const char*> cases[] = {
        {{{7, 3, 1}}, nullptr, "2 1 3 1; "},
        {{{7, 3, 1}, {8, 5, 1}}, noBranch, "2 1 3 1; 0 0 0 0; "},
        {{{8, 1, 4}}, noBranch, "1 0 0 0; "},
        {{{9, 99, 1}}, "Failed : graph_fld::GetNode", "0 0 0 0; "},
    };
    for (const auto& [pumps, failure, numbers] : cases) {
        RivoNetworkParser p;
        host::Network network = rivo_test::kJunction;  // dead ends 4 and 5 are not numbered
        network.nodes.push_back({6, 90, 90, 1});       // an outfall without links fails nothing
        network.pumpLinks = pumps;
        rivo_test::Feed(network, p);
        if (failure == nullptr) {
            EXPECT_TRUE(p.ParseNetwork());
        } else {
            EXPECT_THROW_MSG(p.ParseNetwork(), failure, kInvalidArg);
        }
        EXPECT_EQ(p.NumberOfBranches(), 2);  // collected before the pumps
        EXPECT_EQ(rivo_test::DescribePumpLinks(p), numbers);
    }
}

TEST(ParseResult, NoOutletReturnsFalseAndCollectsNothing) {
    RivoNetworkParser p;
    rivo_test::Feed({{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}},
                     {{10, 2, 3, 1.0, 0.5}, {11, 2, 3, 1, 1, 1, 3}},
                     {{30, 2, 3}}},
                    p);
    EXPECT_FALSE(p.ParseNetwork());  // no raise
    EXPECT_EQ(p.NumberOfBranches() + p.NumberOfLoops() + p.NumberOfIsolatedNodes(), 0);
    EXPECT_EQ(p.NumberOfRemovedOutfalls(), 1);
    EXPECT_EQ(p.GetPumpLink(0)->UpStreamBranchNumber(), 0);
    EXPECT_THROW_MSG(
        p.ParseNetwork(true),
        "Failed : CFLDNetworkParser::ParseAllNetworks\nThe network has already been parsed", kFail);
}

}  // namespace
