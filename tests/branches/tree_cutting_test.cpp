#include <gtest/gtest.h>

#include "branches/branch_stage_fixture.h"

namespace {

using namespace rivo_test;

// Outfall 1; links run down from their first node. At a node with a father the
// larger link is searched first, at the outlet too.
const host::Network kChain{{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 30, 0}},
                           {{10, 2, 1, .2, 0}, {11, 3, 2, .4, .2}, {12, 4, 3, .6, .4}}};
const host::Network kTwoChains{
    {{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 0, 10}, {5, 0, 20}},
    {{10, 2, 1, .2, 0, 2}, {11, 3, 2, .4, .2}, {12, 4, 1, .2, 0, 1}, {13, 5, 4, .4, .2}}};
// Junction 3 on the chain 1 2 3 4, with 5 hanging from it too.
host::Network Junction(double size34, double size35) {
    return {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}, {4, 30, 0}, {5, 20, 10}},
            {{10, 2, 1, .2, 0},
             {11, 3, 2, .4, .2},
             {12, 4, 3, .6, .4, size34},
             {13, 5, 3, .6, .4, size35}}};
}

struct CutCase {
    const char* name;
    host::Network network;
    std::int32_t outfallAfterSearch;  // made outfall-type between search and cutting
    const char* tree;
    std::set<std::int32_t> boundaries, junctions;
};

// clang-format off
const CutCase kCutCases[] = {
    {"two upstream chains at the outlet", kTwoChains, 0, "1 2 3/10 11; 1 4 5/12 13", {1, 5}, {1}},
    {"junction mid-chain", Junction(2, 1), 0, "1 2 3 4/10 11 12; 3 5/13", {1, 5}, {3}},
    {"outfall passed through", kChain, 3, "1 2 3/10 11; 3 4/12", {1, 4}, {3}},
};
// clang-format on

RIVO_TABLE_TEST(TreeCutting, CutsSearchTreeIntoChains, kCutCases) {
    const CutCase& c = GetParam();
    CFLDNetworkParser parser;
    CBranchFinder& worker = PrepareWorker(parser, c.network);
    graph_fld& g = ParserTestAccess::Graph(parser);
    if (c.outfallAfterSearch) {
        g.data(g.GetNode(c.outfallAfterSearch)).nodeType = 1;
    }
    worker.CutSubnetworkTree();

    EXPECT_EQ(Chains(g, worker.TreeBranches()), c.tree);
    EXPECT_EQ(NodesWith(g, c.network, [](const NodeData& d) { return d.branchBoundary; }),
              c.boundaries);
    EXPECT_EQ(NodesWith(g, c.network, [](const NodeData& d) { return d.isJunction; }), c.junctions);
}

}  // namespace
