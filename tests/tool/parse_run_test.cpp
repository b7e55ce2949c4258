#include "cli/parse_run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "host/network_feed.h"
#include "input/network_reader.h"
#include "output/result_writer.h"
#include "rivo/rivo.h"

// A run of the system as the tool makes it: the host calls, the parse, and
// the error document when the system raises. The member names and values of
// result documents, and the nulls of queries that raise, are checked against
// the golden files in the end-to-end tests.
namespace rivo::tool {
namespace {

// The system with the host calls it receives logged instead of carried out.
class CallLog : public Velmora::Calculations::Dynamic::RivoNetworkParser {
public:
    std::vector<std::string> calls;

    void AddNode(std::int32_t id, double x, double y, std::int16_t type) override {
        Log("AddNode", id, x, y, type);
    }
    void SetNodeIsPondType(std::int32_t id, bool isPond) override {
        Log("SetNodeIsPondType", id, isPond);
    }
    void AddEdge(std::int32_t id, std::int32_t s, double es, std::int32_t t, double et, double size,
                 std::int16_t type, double length) override {
        Log("AddEdge", id, s, es, t, et, size, type, length);
    }
    void AddEdge(std::int32_t id, std::int32_t s, double es, std::int32_t t, double et, double size,
                 std::int16_t type) override {
        Log("AddEdge", id, s, es, t, et, size, type);
    }
    void AddPumpLink(std::int32_t id, std::int32_t up, std::int32_t down) override {
        Log("AddPumpLink", id, up, down);
    }
    void SetNodeStorageType(std::int32_t id) override { Log("SetNodeStorageType", id); }
    void AddGutterLinkIDDirection(std::int32_t id, bool same) override {
        Log("AddGutterLinkIDDirection", id, same);
    }
    bool ParseNetwork(bool longest) override { return Log("ParseNetwork", longest); }
    bool ParseNetwork() override { return Log("ParseNetwork"); }

private:
    template <class... Args>
    bool Log(const char* name, Args... args) {
        std::ostringstream text;
        text << name << '(';
        [[maybe_unused]] const char* separator = "";
        ((text << separator << +args, separator = ", "), ...);
        calls.push_back(text.str() + ')');
        return true;
    }
};

// The document as read reaches the host in the host's order: the nodes, the
// flags (they name nodes that must exist; a present pond flag is passed on
// whatever the node's type), the links (one without a length through the
// seven-argument AddEdge), the pump links and the gutters. The reader skips
// unknown fields however nested, and of a section named twice the last counts.
TEST(HostCalls, FeedTheDocumentAsReadInTheHostsOrder) {
    host::Network document = ReadNetworkText(R"({
        "version": {"nested": [1, {"deep": [[], {}]}], "nodes": 3},
        "gutters": [{"id": 10, "sameDirectionAsUI": false}],
        "pumpLinks": [{"id": 100, "upstream": 3, "downstream": 2}],
        "links": [{"id": 99, "source": 1, "target": 1, "sourceElevation": 0,
                   "targetElevation": 0, "size": 0, "type": 0}],
        "links": [
            {"id": 10, "source": 2, "target": 1, "sourceElevation": 1.5, "targetElevation": 0.5,
             "size": 0.6, "type": 0, "length": 25.0},
            {"id": 11, "source": 3, "target": 2, "sourceElevation": 2.5, "targetElevation": 1.5,
             "size": 0.4, "type": 3}],
        "nodes": [
            {"id": 1, "x": -1.5e2, "y": 1E-3, "type": 1, "pond": true, "label": "A"},
            {"id": 2, "x": 10, "y": 0, "type": 0, "storage": true, "pond": false, "extra": null},
            {"id": 3, "x": 20, "y": 5, "type": 2, "storage": false},
            {"id": -2147483648, "x": 0.25, "y": 7, "type": 32767},
            {"id": 2147483647, "x": 0, "y": 0, "type": -32768}]
    })",
                                             "net.json");
    CallLog parser;
    host::Feed(document, parser, parser);
    host::Parse(parser, false);
    host::Parse(parser, true);
    EXPECT_EQ(parser.calls, (std::vector<std::string>{
                                "AddNode(1, -150, 0.001, 1)",
                                "AddNode(2, 10, 0, 0)",
                                "AddNode(3, 20, 5, 2)",
                                "AddNode(-2147483648, 0.25, 7, 32767)",
                                "AddNode(2147483647, 0, 0, -32768)",
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

// The code in eight hex digits, the message quoted as JSON.
TEST(ResultWriter, ErrorDocumentKeepsTheMessageAndPadsTheCode) {
    struct Case {
        HRESULT hr;
        std::string message;
        std::string document;
    };
    const Case cases[] = {
        {1, "Failed : CBranch::GetNodeID\nIndex out of range",
         "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x00000001\", \"message\": "
         "\"Failed : CBranch::GetNodeID\\nIndex out of range\"}\n}\n"},
        {E_FAIL, "say \"no\"\t\\",
         "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x80004005\", \"message\": "
         "\"say \\\"no\\\"\\t\\\\\"}\n}\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        WriteErrorDocument(out, {c.hr, c.message});
        EXPECT_EQ(out.str(), c.document);
    }
}

// A raise replaces the whole result: nothing of a result document may
// precede the error document. The end-to-end tests see the system raise
// while it is fed; here it raises in the parse itself.
TEST(ParseRun, RaiseDuringParseWritesOnlyTheErrorDocument) {
    struct NoOutlet : Velmora::Calculations::Dynamic::RivoNetworkParser {
        bool ParseNetwork(bool) override {
            CKtHRException(L"No outlet in the network", E_FAIL).Throw();
        }
    } parser;
    host::Network network;
    network.nodes.push_back({});
    const ParseOutcome outcome = FeedAndParse(network, true, parser, parser);
    std::ostringstream out;
    EXPECT_EQ(WriteParseDocument(out, outcome, parser, {}, {}), kSystemRaised);
    EXPECT_EQ(out.str(),
              "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x80004005\", \"message\": "
              "\"No outlet in the network\"}\n}\n");
}

}  // namespace
}  // namespace rivo::tool
