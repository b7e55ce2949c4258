#include "host_calls.h"

#include <gtest/gtest.h>

#include "fake_network_parser.h"
#include "network_reader.h"

namespace rivo::tool {
namespace {

using testing::FakeNetworkParser;

// Flags come after all nodes (they name nodes that must exist), a present
// pond flag is passed on whatever the node's type, and a link without a
// length uses the seven-argument AddEdge.
TEST(HostCalls, FeedsEverythingInTheHostsOrder) {
    NetworkDocument document = ReadNetworkText(R"({
        "gutters": [{"id": 10, "sameDirectionAsUI": false}],
        "pumpLinks": [{"id": 100, "upstream": 3, "downstream": 2}],
        "links": [
            {"id": 10, "source": 2, "target": 1, "sourceElevation": 1.5, "targetElevation": 0.5,
             "size": 0.6, "type": 0, "length": 25.0},
            {"id": 11, "source": 3, "target": 2, "sourceElevation": 2.5, "targetElevation": 1.5,
             "size": 0.4, "type": 3}],
        "nodes": [
            {"id": 1, "x": 0, "y": 0, "type": 1, "pond": true},
            {"id": 2, "x": 10, "y": 0, "type": 0, "storage": true, "pond": false},
            {"id": 3, "x": 20, "y": 5, "type": 2, "storage": false}]
    })",
                                               "net.json");
    FakeNetworkParser parser;
    FeedNetwork(document, parser, parser);
    ParseFedNetwork(parser, false);
    ParseFedNetwork(parser, true);
    EXPECT_EQ(parser.calls, (std::vector<std::string>{
                                "AddNode(1, 0, 0, 1)",
                                "AddNode(2, 10, 0, 0)",
                                "AddNode(3, 20, 5, 2)",
                                "SetNodeIsPondType(1, 1)",
                                "SetNodeIsPondType(2, 0)",
                                "SetNodeStorageType(2)",
                                "AddEdge(10, 2, 1.5, 1, 0.5, 0.6, 0, 25)",
                                "AddEdge(11, 3, 2.5, 2, 1.5, 0.4, 3)",
                                "AddPumpLink(100, 3, 2)",
                                "AddGutterLinkIDDirection(10, 0)",
                                "ParseNetwork()",
                                "ParseNetwork(1)",
                            }));
}

}  // namespace
}  // namespace rivo::tool
