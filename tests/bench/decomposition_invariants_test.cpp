#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "bench/network_generator.h"
#include "host/network_feed.h"
#include "host/result_reader.h"

// What every decomposition must be, whatever the network: checked on
// generated networks of every benchmark profile, read as a host reads them.
namespace {

using namespace rivo_bench;
using Velmora::Calculations::Dynamic::RivoNetworkParser;

struct Parse {
    Network network;
    host::Result result;
    std::map<std::int32_t, const host::NodeAnswers*> nodes;
    std::map<std::int32_t, const host::LinkAnswers*> links;
};

// The parse of a small network of the profile, or nothing when the parser
// raises (a pump link whose node no branch numbers).
std::optional<Parse> ParseGenerated(Profile profile, bool longest) {
    Parse p{Generate(profile, 1200, 5), {}, {}, {}};
    RivoNetworkParser parser;
    host::Feed(p.network, parser, parser);
    try {
        host::Parse(parser, longest);
    } catch (const CKtHRException&) {
        return std::nullopt;
    }
    p.result = host::ReadWholeResult(parser, host::NodeIDs(p.network), host::LinkIDs(p.network));
    for (const host::NodeAnswers& a : p.result.nodes) {
        p.nodes[a.id] = &a;
    }
    for (const host::LinkAnswers& a : p.result.links) {
        p.links[a.id] = &a;
    }
    return p;
}

class Decomposition : public ::testing::TestWithParam<std::tuple<Profile, bool>> {
protected:
    void SetUp() override {
        parse = ParseGenerated(std::get<0>(GetParam()), std::get<1>(GetParam()));
        if (!parse) {
            GTEST_SKIP() << "the parse raises";
        }
    }
    // The tree branches, then the loop branches.
    std::vector<const host::BranchResult*> All() const {
        std::vector<const host::BranchResult*> all;
        for (const auto* list : {&parse->result.summary.branches, &parse->result.summary.loops}) {
            for (const host::BranchResult& b : *list) {
                all.push_back(&b);
            }
        }
        return all;
    }
    std::optional<Parse> parse;
};

TEST_P(Decomposition, BranchesAreNumberedOneToNInTheOrderListed) {
    std::int32_t expected = 1;
    for (const host::BranchResult* b : All()) {
        EXPECT_EQ(b->branchNumber, expected++);
    }
}

// A link moved onto a node copy is listed by its negated ID. The longest
// branch parse does not report the loop branches of its subnetworks: their
// links lie on no branch listed.
TEST_P(Decomposition, EveryLinkNotIsolatedLiesOnOneBranch) {
    std::map<std::int32_t, int> seen;
    for (const host::BranchResult* b : All()) {
        for (std::int32_t id : b->edgeIDs) {
            ++seen[std::abs(id)];
        }
    }
    const auto& isolated = parse->result.summary.isolatedEdgeIDs;
    for (const host::Link& l : parse->network.links) {
        const int most = std::count(isolated.begin(), isolated.end(), l.id) ? 0 : 1;
        EXPECT_LE(seen[l.id], most) << "link " << l.id;
        if (!std::get<1>(GetParam())) {
            EXPECT_EQ(seen[l.id], most) << "link " << l.id;
        }
    }
    EXPECT_EQ(seen.size(), parse->network.links.size());
}

// Along each branch its links carry its number, and the sections of its
// links and of the nodes it numbers strictly increase; a loop branch numbers
// only its interior nodes. A node at a junction, where later branches start,
// keeps the numbers of the last of them, and a node on loop branches only
// answers for the first of them: such nodes are found at their index.
TEST_P(Decomposition, IndexesAndSectionsIncreaseAlongEachBranch) {
    const std::size_t trees = parse->result.summary.branches.size();
    for (const host::BranchResult* b : All()) {
        const bool loop = b->branchNumber > static_cast<std::int32_t>(trees);
        std::vector<std::int32_t> sections;
        for (std::size_t k = 0; k < b->nodeIDs.size(); ++k) {
            auto node = parse->nodes.find(b->nodeIDs[k]);
            if (node != parse->nodes.end() && node->second->branchNumber == b->branchNumber) {
                if (!b->isSingleStorageNodeBranch) {
                    EXPECT_EQ(node->second->indexInBranch, static_cast<std::int32_t>(k + 1))
                        << "node " << node->first << " on branch " << b->branchNumber;
                }
                if (!loop || (k > 0 && k + 1 < b->nodeIDs.size())) {
                    sections.push_back(*node->second->upStreamSectionNumber);
                }
            }
            auto link = parse->links.end();
            if (k < b->edgeIDs.size()) {
                link = parse->links.find(b->edgeIDs[k]);
            }
            if (link != parse->links.end()) {
                EXPECT_EQ(link->second->branchNumber, b->branchNumber) << "link " << link->first;
                sections.push_back(*link->second->upStreamSectionNumber);
            }
        }
        for (std::size_t k = 1; k < sections.size(); ++k) {
            EXPECT_LT(sections[k - 1], sections[k]) << "branch " << b->branchNumber;
        }
    }
}

TEST_P(Decomposition, PumpLinksCarryTheNumbersOfTheirNodes) {
    for (const host::PumpLinkResult& p : parse->result.summary.pumpLinks) {
        const host::NodeAnswers& up = *parse->nodes.at(p.upStreamNodeID);
        const host::NodeAnswers& down = *parse->nodes.at(p.downStreamNodeID);
        EXPECT_EQ(p.upStreamBranchNumber, up.branchNumber) << "pump " << p.pumpLinkID;
        EXPECT_EQ(p.upStreamNodeUpSectionNumber, up.upStreamSectionNumber);
        EXPECT_EQ(p.downStreamBranchNumber, down.branchNumber);
        EXPECT_EQ(p.downStreamNodeUpSectionNumber, down.upStreamSectionNumber);
    }
}

INSTANTIATE_TEST_SUITE_P(Generated, Decomposition,
                         ::testing::Combine(::testing::ValuesIn(kAllProfiles), ::testing::Bool()),
                         [](const auto& info) {
                             std::string name(ProfileName(std::get<0>(info.param)));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + (std::get<1>(info.param) ? "_longest" : "");
                         });

}  // namespace
