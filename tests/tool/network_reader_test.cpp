#include "input/network_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input/input_error.h"
#include "input/tracked_input.h"
#include "swmm/network_json.h"

namespace rivo::tool {
namespace {

// The JSON reader reports a syntax error up to two bytes behind what it has
// consumed, possibly across line breaks, and at the end of the text. The
// text arrives one byte per block, so that every byte crosses a block
// boundary.
TEST(TrackedInput, PositionsOfRecentBytesAndOfTheEnd) {
    const std::string text = "ab\ncd\n\nx";
    std::size_t next = 0;
    TrackedInput input([&]() -> std::span<const char> {
        return next == text.size() ? std::span<const char>() : std::span(&text[next++], 1);
    });
    for (auto it = input.begin(); it != input.end(); ++it) {
    }
    EXPECT_EQ(input.PositionOfOffset(7), (TextPosition{4, 1}));  // x
    EXPECT_EQ(input.PositionOfOffset(6), (TextPosition{3, 1}));  // the empty line
    EXPECT_EQ(input.PositionOfOffset(5), (TextPosition{2, 3}));  // the break ending "cd"
    EXPECT_EQ(input.PositionOfOffset(8), (TextPosition{4, 2}));  // the end
    EXPECT_EQ(input.PositionOfOffset(99), (TextPosition{4, 2}));
}

std::string ReadError(std::string_view text) {
    try {
        ReadNetworkText(text, "net.json");
    } catch (const InputError& error) {
        return error.what();
    }
    return "(read without error)";
}

// Only the nodes must be there.
TEST(NetworkReader, OptionalSectionsDefaultToEmpty) {
    EXPECT_EQ(ReadNetworkText(R"({"nodes": []})", "net.json"), host::Network{});
}

// Each message names the file, the line and column of the offending value
// (the record's opening brace for a missing field), and its JSON path. The
// end-to-end tests read more such documents from files.
TEST(NetworkReader, RejectsWithPlaceAndPath) {
    const char* const kNode = R"("x": 0, "y": 0, "type": 0)";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"{\"nodes\": [\n\n  tru]}",
         "net.json:3:6: invalid JSON: syntax error while parsing value - invalid literal; last "
         "read: '\"nodes\": [<U+000A><U+000A>  tru]'"},
        {"{\"nodes\": []} {}",
         "net.json:1:15: invalid JSON: syntax error while parsing value - unexpected '{'; "
         "expected end of input"},
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
        {std::string(R"({"nodes": [{"id": 7e0, )") + kNode + "}]}",
         "net.json:1:19: nodes[0].id: expected an integer, found 7e0"},
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
        {R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": 0, "storage": 0}]})",
         "net.json:1:60: nodes[0].storage: expected true or false, found 0"},
        {R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": {"code": 1}}]})",
         "net.json:1:46: nodes[0].type: expected an integer, found an object"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadError(c.text), c.message) << c.text;
    }
}

std::string Written(const host::Network& network) {
    std::ostringstream out;
    swmm::WriteNetworkDocument(out, network);
    return out.str();
}

// Documents that follow the format in ways the fast reader leaves to the
// checking one, or that it must read exactly as that one does: the two make
// the same network of each, bit for bit (numbers are written in their
// shortest form, the sign of a zero included).
TEST(NetworkReader, FastAndCheckingReadersAgree) {
    const std::string deep = std::string(70, '[') + std::string(70, ']');
    const std::string texts[] = {
        R"({"\u006eodes": [{"id": 1, "x": 0, "y": 0, "type": 0}]})",
        "\xEF\xBB\xBF{\"nodes\": []}",
        R"({"nodes": [{"id": 1, "x": -0, "y": -0.0, "type": 0}]})",
        R"({"nodes": [{"id": 1, "x": 9007199254740993, "y": 18446744073709551616, "type": 0}]})",
        // More than nineteen significant digits, which the fast reader's own
        // number parsing got wrong (0.0776..., 0.0).
        R"({"nodes": [{"id": 1, "x": 0.99999999999999999990, "y": 1.999999999999999999990,
                       "type": 0}]})",
        R"({"nodes": [{"id": 1, "x": 1e-400, "y": 4.9e-324, "type": 0, "type": 2, "pond": true}]})",
        // Nineteen digits, the most the fast reader takes its own value of;
        // twenty, leading zeros counted; zeros of every form.
        R"({"nodes": [{"id": 1, "x": -1234567890.123456789, "y": 0.00000000000000000012,
                       "type": 0}, {"id": 2, "x": 9999999999999999999,
                       "y": 1.9999999999999999999e-5, "type": 0},
                      {"id": 3, "x": 0e5, "y": -0.0e-3, "type": 0}]})",
        R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": 0}], "links": [], "nodes": [],
            "names": {"a": [1, "b\n", null, true, -1.5e3, {}]}})",
        "{\"nodes\": [], \"names\": " + deep + "}",
    };
    for (const std::string& text : texts) {
        EXPECT_EQ(Written(ReadNetworkText(text, "net.json")),
                  Written(ReadNetworkTextChecked(text, "net.json")))
            << text;
    }
}

}  // namespace
}  // namespace rivo::tool
