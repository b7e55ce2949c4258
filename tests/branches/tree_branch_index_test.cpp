#include <gtest/gtest.h>

#include <random>

#include "branches/tree_branch_index.h"
#include "test_helpers.h"

namespace {

using rivo_test::Network;

// The scans the index replaces, over the branches still in the list.
struct Scan {
    const CBranchFinder::BranchList& list;

    CBranch* StartingAt(GTL::node n) const {
        for (const auto& b : list) {
            if (b && b->nodes.front() == n) {
                return b.get();
            }
        }
        return nullptr;
    }
    // The list's first branch is never returned.
    CBranch* EndingAt(GTL::node n) const {
        bool first = true;
        for (const auto& b : list) {
            if (!b) {
                continue;
            }
            if (!first && b->nodes.back() == n) {
                return b.get();
            }
            first = false;
        }
        return nullptr;
    }
    std::int32_t CountEndingAt(GTL::node n) const {
        std::int32_t count = 0;
        for (const auto& b : list) {
            count += b && b->nodes.back() == n && count < 2;
        }
        return count;
    }
};

class TreeBranchIndexTest : public ::testing::TestWithParam<std::uint32_t> {};

// Branches over a few nodes (so that many start and end at one node) lose
// their first nodes, grow at their ends and are removed, as lengthening loop
// branches does; after every step the index answers as the scans.
TEST_P(TreeBranchIndexTest, AnswersAsTheScansWhileBranchesChange) {
    std::mt19937 random(GetParam());
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    Network net;
    for (std::int32_t id = 0; id < 6; ++id) {
        net.Node(id);
    }
    CBranchFinder::BranchList list;
    for (int b = 0; b < 12; ++b) {
        list.push_back(std::make_unique<CBranch>());
        for (std::size_t k = 0, n = 1 + pick(4); k < n; ++k) {
            list.back()->nodes.push_back(net(static_cast<std::int32_t>(pick(6))));
        }
    }
    TreeBranchIndex index(list);
    Scan scan{list};
    for (int step = 0; step < 60; ++step) {
        CBranch* b = list[pick(list.size())].get();
        if (b && b->nodes.size() > 1 && random() % 3 == 0) {
            b->nodes.pop_front();
            index.FirstNodeChanged(b);
        } else if (b && random() % 2 == 0) {
            b->nodes.push_back(net(static_cast<std::int32_t>(pick(6))));
            index.LastNodeChanged(b);
        } else if (b) {
            b->nodes.clear();
            index.Remove(b);
        }
        for (std::int32_t id = 0; id < 6; ++id) {
            ASSERT_EQ(index.StartingAt(net(id)), scan.StartingAt(net(id))) << step;
            ASSERT_EQ(index.EndingAt(net(id)), scan.EndingAt(net(id))) << step;
            ASSERT_EQ(index.CountEndingAt(net(id)), scan.CountEndingAt(net(id))) << step;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TreeBranchIndexTest, ::testing::Range(1u, 31u));

}  // namespace
