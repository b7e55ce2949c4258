#include "result_writer.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "exit_status.h"
#include "fake_network_parser.h"
#include "parse_run.h"

namespace rivo::tool {
namespace {

using nlohmann::json;
using testing::FakeNetworkParser;

ResultSummary SmallSummary() {
    ResultSummary summary;
    summary.result = false;
    summary.numberOfNodes = 3;
    summary.numberOfLinks = 2;
    summary.containsLoop = true;
    summary.branches.push_back({1, 0, 0, 2, 3, 5, true, false, {1, 2}, {10}});
    summary.loops.push_back({2, 1, 3, 0, 0, 2, false, true, {2}, {}});
    summary.pumpLinks.push_back({100, 3, 2, 4, 5, 6, 7});
    summary.gutters.push_back({10, false});
    summary.isolatedNodeIDs = {7};
    summary.isolatedEdgeIDs = {8, 9};
    return summary;
}

// Every member under its documented name; a query that raises leaves null
// in its own field only, and an unknown ID nulls every query of its line.
TEST(ResultWriter, WritesEveryMemberWithNullForRaisingQueries) {
    FakeNetworkParser parser;
    parser.unknownIDs = {7};
    parser.notInBranch = {2};
    const std::vector<std::int32_t> nodeIDs = {1, 2, 7};
    const std::vector<std::int32_t> linkIDs = {10, 7};
    std::ostringstream out;
    WriteResultDocument(out, SmallSummary(), nodeIDs, linkIDs, parser);

    const json expected = json::parse(R"({
      "result": false, "numberOfNodes": 3, "numberOfLinks": 2, "containsLoop": true,
      "branches": [{"branchNumber": 1, "downStreamBranchNumber": 0, "downStreamUpSectionNumber": 0,
                    "upStreamBranchNumber": 2, "upStreamUpSectionNumber": 3, "numberOfSections": 5,
                    "isStorageOutletBranch": true, "isSingleStorageNodeBranch": false,
                    "nodeIDs": [1, 2], "edgeIDs": [10]}],
      "loops": [{"branchNumber": 2, "downStreamBranchNumber": 1, "downStreamUpSectionNumber": 3,
                 "upStreamBranchNumber": 0, "upStreamUpSectionNumber": 0, "numberOfSections": 2,
                 "isStorageOutletBranch": false, "isSingleStorageNodeBranch": true,
                 "nodeIDs": [2], "edgeIDs": []}],
      "pumpLinks": [{"pumpLinkID": 100, "upStreamNodeID": 3, "downStreamNodeID": 2,
                     "upStreamBranchNumber": 4, "downStreamBranchNumber": 5,
                     "upStreamNodeUpSectionNumber": 6, "downStreamNodeUpSectionNumber": 7}],
      "gutters": [{"id": 10, "sameDirectionAsUI": false}],
      "isolatedNodeIDs": [7], "isolatedEdgeIDs": [8, 9], "removedOutfallIDs": [],
      "nodes": [
        {"id": 1, "branchNumber": 1001, "indexInBranch": 2001, "upStreamSectionNumber": 3001,
         "isOutfallType": true, "isConvertedToOutfall": false, "isPump": false,
         "isManholeOrStorageType": false},
        {"id": 2, "branchNumber": null, "indexInBranch": null, "upStreamSectionNumber": 3002,
         "isOutfallType": false, "isConvertedToOutfall": false, "isPump": false,
         "isManholeOrStorageType": true},
        {"id": 7, "branchNumber": null, "indexInBranch": null, "upStreamSectionNumber": null,
         "isOutfallType": null, "isConvertedToOutfall": null, "isPump": null,
         "isManholeOrStorageType": null}],
      "links": [
        {"id": 10, "branchNumber": 4010, "upStreamSectionNumber": 5010,
         "parserDirectionSameAsUI": true},
        {"id": 7, "branchNumber": null, "upStreamSectionNumber": null,
         "parserDirectionSameAsUI": null}]
    })");
    EXPECT_EQ(json::parse(out.str()), expected);
}

TEST(ResultWriter, ErrorDocumentKeepsTheMessageAndPadsTheCode) {
    struct Case {
        HRESULT hr;
        std::string message;
        std::string document;
    };
    const Case cases[] = {
        {E_INVALIDARG, "Failed : graph_fld::GetNode",
         "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x80070057\", \"message\": "
         "\"Failed : graph_fld::GetNode\"}\n}\n"},
        {1, "Failed : CBranch::GetNodeID\nIndex out of range",
         "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x00000001\", \"message\": "
         "\"Failed : CBranch::GetNodeID\\nIndex out of range\"}\n}\n"},
        {E_FAIL, "say \"no\"\t\\",
         "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x80004005\", \"message\": "
         "\"say \\\"no\\\"\\t\\\\\"}\n}\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        WriteErrorDocument(out, c.hr, c.message);
        EXPECT_EQ(out.str(), c.document);
    }
}

// A raise replaces the whole result: nothing of a result document may
// precede the error document.
TEST(ResultWriter, RaiseDuringParseWritesOnlyTheErrorDocument) {
    FakeNetworkParser parser;
    parser.raiseOnParse = true;
    NetworkDocument document;
    document.nodes.push_back({});
    std::ostringstream out;
    EXPECT_EQ(RunNetwork(document, true, parser, parser, out), kSystemRaised);
    EXPECT_EQ(out.str(),
              "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x80004005\", \"message\": "
              "\"No outlet in the network\"}\n}\n");
}

}  // namespace
}  // namespace rivo::tool
