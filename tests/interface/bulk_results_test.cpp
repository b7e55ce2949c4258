#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "network_feed.h"
#include "result_reader.h"
#include "rivo.h"
#if RIVO_TEST_PROFILES
#include "network_generator.h"
#endif

// Bulk reading answers as the raising queries do and writes the node records
// as they do, on hand-made networks and on generated ones of every profile.
namespace {

namespace dyn = Velmora::Calculations::Dynamic;
using rivo::host::Network;

// The fields the host's reader and the bulk reading share, by name.
const auto kBranchFields = [](const auto& b) {
    return std::tie(b.branchNumber, b.downStreamBranchNumber, b.downStreamUpSectionNumber,
                    b.upStreamBranchNumber, b.upStreamUpSectionNumber, b.numberOfSections,
                    b.isStorageOutletBranch, b.isSingleStorageNodeBranch, b.nodeIDs, b.edgeIDs);
};
const auto kPumpFields = [](const auto& p) {
    return std::tie(p.pumpLinkID, p.upStreamNodeID, p.downStreamNodeID, p.upStreamBranchNumber,
                    p.downStreamBranchNumber, p.upStreamNodeUpSectionNumber,
                    p.downStreamNodeUpSectionNumber);
};
const auto kNodeFields = [](const auto& n) {
    return std::tie(n.id, n.branchNumber, n.indexInBranch, n.upStreamSectionNumber,
                    n.downStreamSectionPosition, n.isOutfallType, n.isConvertedToOutfall, n.isPump,
                    n.isManholeOrStorageType);
};
const auto kLinkFields = [](const auto& l) {
    return std::tie(l.id, l.branchNumber, l.upStreamSectionNumber, l.parserDirectionSameAsUI,
                    l.firstSectionPosition, l.secondSectionPosition);
};

template <class Expected, class Got, class Fields>
void ExpectSameList(const std::vector<Expected>& expected, const std::vector<Got>& got,
                    Fields fields, const char* what) {
    ASSERT_EQ(expected.size(), got.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(fields(expected[i]), fields(got[i])) << what << " " << i;
    }
}

// Parses, and says what the parse raised ("" for nothing): results are read
// after a raising parse too.
std::string Parse(dyn::RivoNetworkParser& parser, bool longest) {
    try {
        parser.ParseNetwork(longest);
    } catch (const CKtHRException& e) {
        return ToUtf8(e.message);
    }
    return "";
}

// One parser is read through the queries, in the order a host asks them,
// another in bulk; then both are read through the queries again, which shows
// that the bulk reading left the node records as the queries do.
void ExpectBulkReadsAsTheQueries(const Network& network, bool longest) {
    std::vector<std::int32_t> nodeIDs = rivo::host::NodeIDs(network);
    std::vector<std::int32_t> linkIDs = rivo::host::LinkIDs(network);
    nodeIDs.push_back(-99);  // no node has it
    linkIDs.push_back(-99);
    dyn::RivoNetworkParser asked;
    dyn::RivoNetworkParser bulk;
    dyn::RivoNetworkParser inOrder;
    for (dyn::RivoNetworkParser* p : {&asked, &bulk, &inOrder}) {
        rivo::host::Feed(network, *p, *p);
    }
    std::string raised = Parse(asked, longest);
    ASSERT_EQ(Parse(bulk, longest), raised);
    ASSERT_EQ(Parse(inOrder, longest), raised);

    rivo::host::Result expected = rivo::host::ReadWholeResult(asked, nodeIDs, linkIDs);
    ExpectSameList(expected.summary.branches, dyn::ReadBranches(bulk), kBranchFields, "branch");
    ExpectSameList(expected.summary.loops, dyn::ReadLoops(bulk), kBranchFields, "loop");
    ExpectSameList(expected.summary.pumpLinks, dyn::ReadPumpLinks(bulk), kPumpFields, "pump");
    std::vector<dyn::NodeAnswers> nodes;
    std::vector<dyn::LinkAnswers> links;
    dyn::ReadNodes(bulk, nodeIDs, nodes);
    dyn::ReadLinks(bulk, linkIDs, links);
    ExpectSameList(expected.nodes, nodes, kNodeFields, "node");
    ExpectSameList(expected.links, links, kLinkFields, "link");

    // In the order they were added, in two pieces: the host's nodes come first.
    nodes.clear();
    links.clear();
    dyn::ReadNodes(inOrder, 0, 3, nodes);
    dyn::ReadNodes(inOrder, 3, nodeIDs.size(), nodes);
    dyn::ReadLinks(inOrder, 0, linkIDs.size(), links);
    nodes.resize(network.nodes.size());
    links.resize(network.links.size());
    expected.nodes.pop_back();
    expected.links.pop_back();
    ExpectSameList(expected.nodes, nodes, kNodeFields, "node in order");
    ExpectSameList(expected.links, links, kLinkFields, "link in order");

    rivo::host::Result after = rivo::host::ReadWholeResult(asked, nodeIDs, {});
    ExpectSameList(after.nodes, rivo::host::ReadWholeResult(bulk, nodeIDs, {}).nodes, kNodeFields,
                   "node after");
    ExpectSameList(after.nodes, rivo::host::ReadWholeResult(inOrder, nodeIDs, {}).nodes,
                   kNodeFields, "node after in order");
}

// Outfall 1 with manholes 2 and 3 (3 a dead end); manhole 4 only on the
// set-aside links 20, 21 and 22 (from 4 to itself); 5 and 7 joined by 12 and
// reaching no outlet; outfall 6 without links; storage 9 without pipes,
// which becomes a single storage node branch, on set-aside link 23. A pump
// link from 4 to 1 makes the parse raise after collecting the results.
Network LoopsOnly(bool withPump) {
    Network n;
    const std::int32_t nodes[][2] = {{1, 1}, {2, 0}, {3, 0}, {4, 0},
                                     {5, 0}, {6, 1}, {7, 0}, {9, 2}};
    for (const auto& [id, type] : nodes) {
        n.nodes.push_back(
            {id, 10.0 * id, 1.0 * (id % 3), static_cast<std::int16_t>(type), {}, false});
    }
    const std::int32_t links[][4] = {{10, 2, 1, 0}, {11, 3, 2, 0}, {12, 5, 7, 0}, {20, 2, 4, 5},
                                     {21, 3, 4, 5}, {22, 4, 4, 5}, {23, 9, 2, 6}};
    for (const auto& [id, source, target, type] : links) {
        n.links.push_back({id, source, target, 1.0 + source, 0.5 + target, 1.0,
                           static_cast<std::int16_t>(type), std::nullopt});
    }
    if (withPump) {
        n.pumpLinks = {{30, 4, 1}};
    }
    n.gutters = {{10, false}};
    return n;
}

TEST(BulkResults, NodesOnLoopBranchesOnlyAndUnknownIDs) {
    for (bool longest : {false, true}) {
        for (bool withPump : {false, true}) {
            SCOPED_TRACE(std::to_string(longest) + std::to_string(withPump));
            ExpectBulkReadsAsTheQueries(LoopsOnly(withPump), longest);
        }
    }
}

#if RIVO_TEST_PROFILES
class BulkResultsOnProfiles : public ::testing::TestWithParam<rivo_bench::Profile> {};

TEST_P(BulkResultsOnProfiles, AnswerAsTheQueries) {
    Network network = rivo_bench::Generate(GetParam(), 2000, 1);
    ExpectBulkReadsAsTheQueries(network, false);
    ExpectBulkReadsAsTheQueries(network, true);
}

INSTANTIATE_TEST_SUITE_P(Every, BulkResultsOnProfiles,
                         ::testing::ValuesIn(rivo_bench::kAllProfiles), [](const auto& info) {
                             std::string name(rivo_bench::ProfileName(info.param));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
#endif

}  // namespace
