#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "host/network_feed.h"
#include "host/result_reader.h"
#include "rivo/rivo.h"
#include "test_helpers.h"

// Small networks written as the host's records (rivo::host::Network), fed
// through the host's feeder to the public parser or the core one, and the
// decomposition written out as text that tests compare whole.
namespace rivo_test {

namespace host = rivo::host;
using Velmora::Calculations::Dynamic::RivoNetworkParser;

// The parser is the host network and the parser alike.
template <class Parser>
void Feed(const host::Network& network, Parser& parser) {
    host::Feed(network, parser, parser);
}

// The `count` values of `get`, spaced.
inline std::string Join(std::int32_t count, const std::function<std::int32_t(std::int32_t)>& get) {
    std::string text;
    for (std::int32_t i = 0; i < count; ++i) {
        text += (i ? " " : "") + std::to_string(get(i));
    }
    return text;
}

// A branch as text: its node IDs, a slash, its link IDs ("1 2 3/10 11"),
// then " SO" for a storage outlet branch and " SS" for a single storage node
// branch.
inline std::string BranchText(const std::vector<std::int32_t>& nodes,
                              const std::vector<std::int32_t>& links, bool storageOutlet,
                              bool singleStorage) {
    auto spaced = [](const std::vector<std::int32_t>& ids) {
        return Join(static_cast<std::int32_t>(ids.size()),
                    [&](std::int32_t i) { return ids[static_cast<std::size_t>(i)]; });
    };
    return spaced(nodes) + "/" + spaced(links) + (storageOutlet ? " SO" : "") +
           (singleStorage ? " SS" : "");
}

// "B<number> <branch text> out b/s in b/s sec n", "L" for a loop branch.
inline std::string Describe(const host::BranchResult& b, char kind) {
    return kind + std::to_string(b.branchNumber) + " " +
           BranchText({b.nodeIDs.begin(), b.nodeIDs.end()}, {b.edgeIDs.begin(), b.edgeIDs.end()},
                      b.isStorageOutletBranch, b.isSingleStorageNodeBranch) +
           " out " + std::to_string(b.downStreamBranchNumber) + "/" +
           std::to_string(b.downStreamUpSectionNumber) + " in " +
           std::to_string(b.upStreamBranchNumber) + "/" +
           std::to_string(b.upStreamUpSectionNumber) + " sec " + std::to_string(b.numberOfSections);
}

// Every branch and then every loop branch, one per line.
inline std::string DescribeBranches(RivoNetworkParser& parser) {
    std::string text;
    for (const host::BranchResult& b : ReadBranches(parser)) {
        text += Describe(b, 'B') + "\n";
    }
    for (const host::BranchResult& b : ReadLoops(parser)) {
        text += Describe(b, 'L') + "\n";
    }
    return text;
}

inline std::string Number(const std::optional<std::int32_t>& n) {
    return n ? std::to_string(*n) : "x";
}

// "id:branch/index/section " per node, x where a query raises.
inline std::string DescribeNodes(RivoNetworkParser& parser, const std::vector<std::int32_t>& ids) {
    std::vector<host::NodeAnswers> answers;
    ReadNodes(parser, ids, answers);
    std::string text;
    for (const host::NodeAnswers& a : answers) {
        text += std::to_string(a.id) + ":" + Number(a.branchNumber) + "/" +
                Number(a.indexInBranch) + "/" + Number(a.upStreamSectionNumber) + " ";
    }
    return text;
}

// "id:branch/section/direction " per link, direction + or -.
inline std::string DescribeLinks(RivoNetworkParser& parser, const host::Network& network) {
    std::vector<host::LinkAnswers> answers;
    ReadLinks(parser, host::LinkIDs(network), answers);
    std::string text;
    for (const host::LinkAnswers& a : answers) {
        text += std::to_string(a.id) + ":" + Number(a.branchNumber) + "/" +
                Number(a.upStreamSectionNumber) + "/" + (*a.parserDirectionSameAsUI ? "+ " : "- ");
    }
    return text;
}

// "up-branch down-branch up-section down-section; " per pump link.
inline std::string DescribePumpLinks(RivoNetworkParser& parser) {
    std::string text;
    for (const host::PumpLinkResult& l : ReadPumpLinks(parser)) {
        text += std::to_string(l.upStreamBranchNumber) + " " +
                std::to_string(l.downStreamBranchNumber) + " " +
                std::to_string(l.upStreamNodeUpSectionNumber) + " " +
                std::to_string(l.downStreamNodeUpSectionNumber) + "; ";
    }
    return text;
}

// Outfall 1 with junction 2, where the larger pipe 12 carries branch 1 on to
// dead end 4 and branch 2 runs 2 3 5.
inline const host::Network kJunction{
    {{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 20, 10}, {5, 30, 0}},
    {{10, 2, 1, 1.0, 0.5, 1.0},
     {11, 3, 2, 1.5, 1.0, 0.5},
     {12, 4, 2, 1.5, 1.0, 0.8},
     {13, 5, 3, 2.0, 1.5, 0.5}}};

// The given network beside outfall 5 a storage node 7 in its chain whose upper link drops 0.5 into
// it.
inline host::Network TwoOutfalls(std::vector<host::Node> first,
                                 std::vector<host::Link> firstLinks) {
    host::Network n{first, firstLinks};
    n.nodes.insert(n.nodes.end(), {{5, 0, 100, 1}, {6, 10, 100}, {7, 20, 100, 2}, {8, 30, 100}});
    n.links.insert(n.links.end(),
                   {{20, 6, 5, 1.0, 0.5}, {21, 7, 6, 1.5, 1.0}, {22, 8, 7, 2.5, 2.0}});
    return n;
}

// A whole parse that succeeds, with its decomposition as the Describe* texts.
struct ParseCase {
    const char* name;
    host::Network network;
    const char* branches;
    const char* nodes;  // nullptr: not compared
    const char* links;
};

inline void ExpectParse(const ParseCase& c) {
    RivoNetworkParser parser;
    Feed(c.network, parser);
    EXPECT_TRUE(parser.ParseNetwork());
    EXPECT_EQ(DescribeBranches(parser), c.branches);
    if (c.nodes != nullptr) {
        EXPECT_EQ(DescribeNodes(parser, host::NodeIDs(c.network)), c.nodes);
    }
    EXPECT_EQ(DescribeLinks(parser, c.network), c.links);
}

}  // namespace rivo_test

// A test run once per case of the table `cases`, named after the case, with
// the case as GetParam(); the body follows.
#define RIVO_TABLE_TEST(Suite, Test, cases)                                                       \
    class Suite : public ::testing::TestWithParam<std::decay_t<decltype(*std::begin(cases))>> {}; \
    INSTANTIATE_TEST_SUITE_P(Cases, Suite, ::testing::ValuesIn(cases), ::rivo_test::ByName);      \
    TEST_P(Suite, Test)

// A table of whole parses.
#define RIVO_PARSE_SUITE(Suite, Test, cases)  \
    RIVO_TABLE_TEST(Suite, Test, cases) {     \
        ::rivo_test::ExpectParse(GetParam()); \
    }
