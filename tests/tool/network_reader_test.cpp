#include "network_reader.h"

#include <gtest/gtest.h>

#include "input_error.h"

namespace rivo::tool {
namespace {

std::string ReadError(std::string_view text) {
    try {
        ReadNetworkText(text, "net.json");
    } catch (const InputError& error) {
        return error.what();
    }
    return "(read without error)";
}

TEST(NetworkReader, FillsRecordsAndIgnoresUnknownFields) {
    NetworkDocument document = ReadNetworkText(R"({
        "version": {"nested": [1, {"deep": [[], {}]}], "nodes": 3},
        "links": [{"id": 99, "source": 1, "target": 1, "sourceElevation": 0,
                   "targetElevation": 0, "size": 0, "type": 0}],
        "nodes": [
            {"id": -2147483648, "x": -1.5e2, "y": 7, "type": 32767, "label": "A"},
            {"id": 2147483647, "x": 0.25, "y": 1E-3, "type": -32768, "pond": false,
             "storage": true, "extra": null}],
        "links": [{"id": 10, "source": 2, "target": 1, "sourceElevation": 1,
                   "targetElevation": 0.5, "size": 0.6, "type": 8, "length": 25}],
        "pumpLinks": [{"id": 100, "upstream": 3, "downstream": 2}],
        "gutters": [{"id": 10, "sameDirectionAsUI": false}]
    })",
                                               "net.json");
    NetworkDocument expected;
    expected.nodes = {{-2147483648, -150.0, 7.0, 32767, std::nullopt, false},
                      {2147483647, 0.25, 1e-3, -32768, false, true}};
    // A section named twice: the last one counts.
    expected.links = {{10, 2, 1, 1.0, 0.5, 0.6, 8, 25.0}};
    expected.pumpLinks = {{100, 3, 2}};
    expected.gutters = {{10, false}};
    EXPECT_EQ(document, expected);
}

TEST(NetworkReader, OptionalSectionsDefaultToEmpty) {
    EXPECT_EQ(ReadNetworkText(R"({"nodes": []})", "net.json"), NetworkDocument{});
}

// Each message names the file, the line and column of the offending value
// (the record's opening brace for a missing field), and its JSON path.
TEST(NetworkReader, RejectsWithPlaceAndPath) {
    const char* const kNode = R"("x": 0, "y": 0, "type": 0)";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"",
         "net.json:1:1: invalid JSON: syntax error while parsing value - unexpected end of "
         "input; expected '[', '{', or a literal"},
        {"{\"nodes\": [\n\n  tru]}",
         "net.json:3:6: invalid JSON: syntax error while parsing value - invalid literal; last "
         "read: '\"nodes\": [<U+000A><U+000A>  tru]'"},
        {"{\"nodes\": []} {}",
         "net.json:1:15: invalid JSON: syntax error while parsing value - unexpected '{'; "
         "expected end of input"},
        {"[]", "net.json:1:1: expected an object, found an array"},
        {" 7", "net.json:1:2: expected an object, found 7"},
        {R"({"links": []})", "net.json:1:1: nodes: required field is missing"},
        {R"({"nodes": null})", "net.json:1:11: nodes: expected an array, found null"},
        {R"({"nodes": [], "gutters": {}})",
         "net.json:1:26: gutters: expected an array, found an object"},
        {R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": 0}, 5]})",
         "net.json:1:50: nodes[1]: expected an object, found 5"},
        {R"({"nodes": [[]]})", "net.json:1:12: nodes[0]: expected an object, found an array"},
        {"{\"nodes\": [],\r\n \"links\": [{}, \r\n  {\"id\": 1}]}",
         "net.json:2:12: links[0].id: required field is missing"},
        {R"({"nodes": [{"id": 1, "x": 0, "type": 0}]})",
         "net.json:1:12: nodes[0].y: required field is missing"},
        {R"({"nodes": [], "pumpLinks": [{"id": 1, "upstream": 2}]})",
         "net.json:1:29: pumpLinks[0].downstream: required field is missing"},
        {R"({"nodes": [], "gutters": [{"id": 1}]})",
         "net.json:1:27: gutters[0].sameDirectionAsUI: required field is missing"},
        {std::string(R"({"nodes": [{"id": "7", )") + kNode + "}]}",
         "net.json:1:19: nodes[0].id: expected an integer, found a string"},
        {std::string(R"({"nodes": [{"id": 7.0, )") + kNode + "}]}",
         "net.json:1:19: nodes[0].id: expected an integer, found 7.0"},
        {std::string(R"({"nodes": [{"id": 7e0, )") + kNode + "}]}",
         "net.json:1:19: nodes[0].id: expected an integer, found 7e0"},
        {std::string(R"({"nodes": [{"id": true, )") + kNode + "}]}",
         "net.json:1:19: nodes[0].id: expected an integer, found true"},
        {std::string(R"({"nodes": [{"id": 2147483648, )") + kNode + "}]}",
         "net.json:1:19: nodes[0].id: 2147483648 is outside the range of an ID "
         "(-2147483648 to 2147483647)"},
        {std::string(R"({"nodes": [{"id": -18446744073709551617, )") + kNode + "}]}",
         "net.json:1:19: nodes[0].id: -18446744073709551617 is outside the range of an ID "
         "(-2147483648 to 2147483647)"},
        {R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": -32769}]})",
         "net.json:1:46: nodes[0].type: -32769 is outside the range of a type "
         "(-32768 to 32767)"},
        {R"({"nodes": [{"id": 1, "x": "0", "y": 0, "type": 0}]})",
         "net.json:1:27: nodes[0].x: expected a number, found a string"},
        {R"({"nodes": [{"id": 1, "x": 0, "y": -1e309, "type": 0}]})",
         "net.json:1:35: nodes[0].y: -1e309 is not a finite number"},
        {R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": 0, "pond": null}]})",
         "net.json:1:57: nodes[0].pond: expected true or false, found null"},
        {R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": 0, "storage": 0}]})",
         "net.json:1:60: nodes[0].storage: expected true or false, found 0"},
        {R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": {"code": 1}}]})",
         "net.json:1:46: nodes[0].type: expected an integer, found an object"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadError(c.text), c.message) << c.text;
    }
}

// Validation covers the whole document before any host call: a bad field
// late in the text is found even though the records before it are fine.
TEST(NetworkReader, FindsAnErrorAfterManyRecords) {
    std::string text = "{\"nodes\": [\n";
    for (int i = 0; i < 5000; ++i) {
        text += "  {\"id\": " + std::to_string(i) + ", \"x\": 1.5, \"y\": 2.5, \"type\": 0},\n";
    }
    text += "  {\"id\": 5000, \"x\": 1.5, \"y\": 2.5, \"type\": 0.5}\n]}";
    EXPECT_EQ(ReadError(text),
              "net.json:5002:44: nodes[5000].type: expected an integer, found 0.5");
}

}  // namespace
}  // namespace rivo::tool
