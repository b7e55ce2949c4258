#include "diagnosis/element_problems.h"

#include <gtest/gtest.h>

#include <string>

namespace rivo::tool {
namespace {

// The place of a record is found by a walk that reads only strings and
// brackets: keys and strings that hold brackets, quotes or section names
// must not move it, and the last array of a name counts, as for the reader.
TEST(FindRecord, CountsOnlyTheRecordsOfTheLastTopLevelArrayOfTheName) {
    struct Case {
        const char* name;
        std::string text;
        const char* section;
        std::size_t index;
        std::optional<TextPosition> expected;
    };
    const Case cases[] = {
        {"second record", "{\"nodes\": [{\"id\": 1},\n  {\"id\": 2}]}", "nodes", 1,
         TextPosition{2, 3}},
        {"brackets and quotes in strings", "{\"x\": \"[{\\\"\", \"nodes\": [{\"s\": \"}]\"}, {}]}",
         "nodes", 1, TextPosition{1, 38}},
        {"nested arrays are no section",
         "{\"links\": [{\"nodes\": [{}, {}]}], \"nodes\": [{\"id\": 7}]}", "nodes", 0,
         TextPosition{1, 44}},
        {"a section named twice counts the last time", "{\"nodes\": [{}, {}],\n\"nodes\": [{}]}",
         "nodes", 0, TextPosition{2, 11}},
        {"beyond the records", "{\"nodes\": [{}]}", "nodes", 1, std::nullopt},
        {"the key as a value", "{\"a\": \"nodes\", \"b\": [{}]}", "nodes", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindRecord(c.text, c.section, c.index), c.expected) << c.name;
    }
}

// The first problem in the order the parser is told the network: nodes
// before links, a link's ends before its ID, then pump links.
TEST(FindElementProblem, TheFirstInTheOrderTheNetworkIsDescribed) {
    host::Network network;
    network.nodes = {{.id = 1}, {.id = 2}};
    network.links = {{.id = 10, .source = 2, .target = 1}, {.id = 10, .source = 2, .target = 1}};
    network.pumpLinks = {{.id = 5, .upstream = 1, .downstream = 3}};
    EXPECT_EQ(FindElementProblem(network, nullptr)->what, "link 10 is given twice (also links[0])");
    network.links[1].target = 4;
    EXPECT_EQ(FindElementProblem(network, nullptr)->what,
              "link 10: target node 4 is not among the nodes");
    network.nodes.push_back({.id = 2});
    const swmm::NameTable names{{"J1", "J2", "J2b"}, {}, {}};
    const auto problem = FindElementProblem(network, &names);
    EXPECT_EQ(std::string(problem->section) + std::to_string(problem->index), "nodes2");
    EXPECT_EQ(problem->what, "node 2 'J2' is given twice (also nodes[1])");
    network.nodes.pop_back();
    network.links.pop_back();
    EXPECT_EQ(FindElementProblem(network, nullptr)->what,
              "pump link 5: downstream node 3 is not among the nodes");
    network.pumpLinks.clear();
    EXPECT_FALSE(FindElementProblem(network, nullptr));
}

}  // namespace
}  // namespace rivo::tool
