#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "host/network_feed.h"
#include "rivo/rivo.h"
#if RIVO_TEST_PROFILES
#include "bench/network_generator.h"
#endif

// Bulk reading answers as the public queries do, asked one by one in the
// order a host asks them, and leaves the node records as they do, on
// hand-made networks and on generated ones of every profile. The tool reads
// in bulk only; hosts that ask query by query must get the same answers.
namespace {

namespace dyn = Velmora::Calculations::Dynamic;
using rivo::host::Network;

template <class T>
void ExpectSameList(const std::vector<T>& asked, const std::vector<T>& read, const char* what) {
    auto [a, r] = std::mismatch(asked.begin(), asked.end(), read.begin(), read.end());
    EXPECT_TRUE(a == asked.end() && r == read.end()) << what << " " << a - asked.begin();
}

// What a query answers, nothing where it raises.
template <class Query>
auto OrNothing(Query query) -> std::optional<decltype(query())> {
    try {
        return query();
    } catch (const CKtHRException&) {
        return std::nullopt;
    }
}

// The answers of an index query, in index order.
template <class Get>
auto Each(std::int32_t count, Get get) {
    std::vector<decltype(get(0))> out;
    for (std::int32_t i = 0; i < count; ++i) {
        out.push_back(get(i));
    }
    return out;
}

dyn::BranchAnswers Ask(const dyn::IVBranch& b) {
    return {b.BranchNumber(),
            b.DownStreamBranchNumber(),
            b.DownStreamUpSectionNumber(),
            b.UpStreamBranchNumber(),
            b.UpStreamUpSectionNumber(),
            b.NumberOfSections(),
            b.IsStorageOutletBranch(),
            b.IsSingleStorageNodeBranch(),
            Each(b.NumberOfNodes(), [&](auto i) { return b.GetNodeID(i); }),
            Each(b.NumberOfEdges(), [&](auto i) { return b.GetEdgeID(i); })};
}

dyn::PumpLinkAnswers Ask(const dyn::IVPumpLink& p) {
    return {p.PumpLinkID(),
            p.UpStreamNodeID(),
            p.DownStreamNodeID(),
            p.UpStreamBranchNumber(),
            p.DownStreamBranchNumber(),
            p.UpStreamNodeUpSectionNumber(),
            p.DownStreamNodeUpSectionNumber()};
}

// The node queries in the order of the fields: of the two node-number
// queries the first fixes the record of a node found only on loop branches.
std::vector<dyn::NodeAnswers> AskNodes(dyn::RivoNetworkParser& p,
                                       const std::vector<std::int32_t>& ids) {
    std::vector<dyn::NodeAnswers> out;
    for (std::int32_t id : ids) {
        out.push_back({id, OrNothing([&] { return p.GetBranchNumberOfNode(id); }),
                       OrNothing([&] { return p.GetNodeIndexInBranch(id); }),
                       OrNothing([&] { return p.GetNodeUpStreamSectionNumber(id); }),
                       OrNothing([&] { return p.GetNodeDownStreamSectionPosition(id); }),
                       OrNothing([&] { return p.GetNodeIsOutfallType(id); }),
                       OrNothing([&] { return p.GetNodeIsConvertedToOutfall(id); }),
                       OrNothing([&] { return p.GetNodeIsPump(id); }),
                       OrNothing([&] { return p.GetNodeIsManholeOrStorageType(id); })});
    }
    return out;
}

// One parser is asked query by query, another read in bulk, in step: a
// node found only on loop branches may answer a query asked again otherwise
// than the first time, and a bulk reading counts as asking. Results are read
// after a raising parse too. The nodes are read in the order they were added
// (in two pieces: the host's come first), then by ID, then asked; the
// branch lists in two pieces, the second running past the end.
void ExpectBulkReadsAsTheQueries(const Network& network, bool longest) {
    std::vector<std::int32_t> nodeIDs = rivo::host::NodeIDs(network);
    dyn::RivoNetworkParser asked, bulk;
    rivo::host::Feed(network, asked, asked);
    rivo::host::Feed(network, bulk, bulk);
    ASSERT_EQ(OrNothing([&] { return asked.ParseNetwork(longest); }),
              OrNothing([&] { return bulk.ParseNetwork(longest); }));

    std::vector<dyn::BranchAnswers> branches, loops;
    for (std::size_t first : {0, 1}) {
        dyn::ReadBranches(bulk, first, first == 0 ? 1 : nodeIDs.size(), branches);
        dyn::ReadLoops(bulk, first, first == 0 ? 1 : nodeIDs.size(), loops);
    }
    ExpectSameList(Each(asked.NumberOfBranches(), [&](auto i) { return Ask(*asked.GetBranch(i)); }),
                   branches, "branch");
    ExpectSameList(Each(asked.NumberOfLoops(), [&](auto i) { return Ask(*asked.GetLoop(i)); }),
                   loops, "loop");
    ExpectSameList(
        Each(asked.NumberOfPumpLinks(), [&](auto i) { return Ask(*asked.GetPumpLink(i)); }),
        dyn::ReadPumpLinks(bulk), "pump");
    std::vector<dyn::NodeAnswers> read;
    dyn::ReadNodes(bulk, 0, 3, read);
    dyn::ReadNodes(bulk, 3, nodeIDs.size(), read);
    read.resize(nodeIDs.size());
    ExpectSameList(AskNodes(asked, nodeIDs), read, "node in order");
    nodeIDs.push_back(-99);  // no node has it
    read.clear();
    dyn::ReadNodes(bulk, nodeIDs, read);
    ExpectSameList(AskNodes(asked, nodeIDs), read, "node");
    ExpectSameList(AskNodes(asked, nodeIDs), AskNodes(bulk, nodeIDs), "node asked after");
}

// Outfall 1 with manholes 2 and 3 (3 a dead end); manhole 4 only on the
// set-aside links 20, 21 and 22 (from 4 to itself); 5 and 7 joined by 12 and
// reaching no outlet; outfall 6 without links; storage 9 without pipes,
// which becomes a single storage node branch, on set-aside link 23.
Network LoopsOnly() {
    Network n;
    n.nodes = {{1, 10, 1, 1}, {2, 20, 2, 0}, {3, 30, 0, 0}, {4, 40, 1, 0},
               {5, 50, 2, 0}, {6, 60, 0, 1}, {7, 70, 1, 0}, {9, 90, 0, 2}};
    n.links = {{10, 2, 1, 3, 1.5, 1, 0}, {11, 3, 2, 4, 2.5, 1, 0}, {12, 5, 7, 6, 7.5, 1, 0},
               {20, 2, 4, 3, 4.5, 1, 5}, {21, 3, 4, 4, 4.5, 1, 5}, {22, 4, 4, 5, 4.5, 1, 5},
               {23, 9, 2, 10, 2.5, 1, 6}};
    return n;
}

// With a pump link from 4 to 1 the parse raises after collecting the
// results; the generated networks are of every profile.
TEST(BulkResults, AnswerAsTheQueries) {
    Network raising = LoopsOnly();
    raising.pumpLinks = {{30, 4, 1}};
    std::vector<std::pair<std::string, Network>> networks{{"loops only", LoopsOnly()},
                                                          {"raising", raising}};
#if RIVO_TEST_PROFILES
    for (rivo_bench::Profile profile : rivo_bench::kAllProfiles) {
        networks.emplace_back(rivo_bench::ProfileName(profile),
                              rivo_bench::Generate(profile, 2000, 1));
    }
#endif
    for (const auto& [name, network] : networks) {
        for (bool longest : {false, true}) {
            SCOPED_TRACE(name + (longest ? " longest" : ""));
            ExpectBulkReadsAsTheQueries(network, longest);
        }
    }
}

}  // namespace
