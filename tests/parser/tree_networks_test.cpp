#include <gtest/gtest.h>

#include "parser/network_fixture.h"

namespace {

using rivo_test::NetworkSpec;

struct TreeCase {
    const char* name;
    NetworkSpec network;
    bool result;
    const char* branches;
    const char* nodes;
    const char* links;
};

// Outfall 1, manholes falling towards it.
const TreeCase kTreeCases[] = {
    {"single chain",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 30, 0}},
      {{10, 2, 1, 1.0, 0.5}, {11, 3, 2, 1.5, 1.0}, {12, 4, 3, 2.0, 1.5}}},
     true,
     "B1 [1 2 3 4] (10 11 12) out 0/0 in 0/0 sec 7\n",
     "1:1/1/1 2:1/2/3 3:1/3/5 4:x/x/0 ",
     "10:1/2/- 11:1/4/- 12:1/6/- "},
    {"junction with two upstream chains, the larger pipe continues",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 20, 10}, {5, 30, 0}},
      {{10, 2, 1, 1.0, 0.5, 1.0},
       {11, 3, 2, 1.5, 1.0, 0.5},
       {12, 4, 2, 1.5, 1.0, 0.8},
       {13, 5, 3, 2.0, 1.5, 0.5}}},
     true,
     "B1 [1 2 4] (10 12) out 0/0 in 0/0 sec 5\n"
     "B2 [2 3 5] (11 13) out 0/0 in 0/0 sec 5\n",
     "1:1/1/1 2:2/1/1 3:2/2/3 4:x/x/0 5:x/x/0 ",
     "10:1/2/- 11:2/2/- 12:1/4/- 13:2/4/- "},
};

class TreeNetworks : public ::testing::TestWithParam<TreeCase> {};

TEST_P(TreeNetworks, DecomposeAsExpected) {
    const TreeCase& c = GetParam();
    rivo_test::RivoNetworkParser parser;
    rivo_test::Feed(c.network, parser);
    EXPECT_EQ(parser.ParseNetwork(), c.result);
    EXPECT_EQ(rivo_test::DescribeBranches(parser), c.branches);
    EXPECT_EQ(rivo_test::DescribeNodes(parser, c.network), c.nodes);
    EXPECT_EQ(rivo_test::DescribeLinks(parser, c.network), c.links);
}

INSTANTIATE_TEST_SUITE_P(Parse, TreeNetworks, ::testing::ValuesIn(kTreeCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

}  // namespace
