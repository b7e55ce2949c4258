#include "swmm/swmm_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "input/input_error.h"
#include "swmm/network_json.h"
#include "swmm/swmm_lines.h"

// The SWMM reader in-process: how sections become records and how unusable
// lines are reported. The end-to-end tests check a whole model file.
namespace rivo::tool::swmm {
namespace {

// The messages of a model the reader rejects, one per line; none when it
// is read.
std::vector<std::string> Problems(const std::string& text) {
    try {
        ReadSwmmText(text, "m.inp");
    } catch (const InputError& error) {
        std::vector<std::string> lines;
        std::istringstream in(error.what());
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    return {};
}

const std::string kTwoNodes = "[JUNCTIONS]\nJ1 10\n[OUTFALLS]\nJ2 9 FREE\n";

// The shared models check offsets, sizes and numbering byte for byte; here
// what they do not show: the offset mode named in lower case after the links
// it applies to, and "*" for no offset in elevation mode.
TEST(SwmmOffsets, ModeAppliesToLinksReadBeforeIt) {
    const std::string text =
        kTwoNodes + "[CONDUITS]\nC1 J1 J2 100 0.01 * 8.9\n[OPTIONS]\nlink_offsets elevation\n";
    const host::Link link = ReadSwmmText(text, "m.inp").document.links.at(0);
    EXPECT_EQ(link.sourceElevation, 10.0);
    EXPECT_EQ(link.targetElevation, 8.9);
}

// Each node at a pump end as the storage mapping leaves it: the types of
// the SWMM sections (0 junction, 1 outfall, 2 storage) and, for a node the
// mapping made a storage node, "pond": false.
TEST(SwmmPumpStations, NodesAtPumpEndsBecomeStorageWhereTheParserNeedsIt) {
    const std::string text =
        "[JUNCTIONS]\n"
        "W1 0\n"                   // 1: a pump's inlet junction, on two conduits
        "J2 0\n"                   // 2: an outlet whose conduits lead to two nodes
        "J3 0\n"                   // 3
        "J4 0\n"                   // 4
        "F5 0\n"                   // 5: an outlet with twin force mains to one node
        "F6 0\n"                   // 6: an outlet with a self-loop, a conduit and a weir
        "[OUTFALLS]\nO7 0 FREE\n"  // 7: an outlet no conduit reaches
        "O8 0 FREE\n"              // 8: an inlet outfall with a conduit
        "[STORAGE]\nS9 0 5\n"      // 9: an inlet storage unit
        "[CONDUITS]\nC1 W1 J2 1\nC2 W1 J3 1\nC3 J2 J3 1\nC4 J2 J4 1\nC5 F5 J3 1\n"
        "C6 F5 J3 1\nC7 F6 F6 1\nC8 F6 J3 1\nC9 J4 O8 1\n"
        "[WEIRS]\nX1 F6 J4 TRANSVERSE 0\n"
        "[PUMPS]\nP1 W1 J2 c\nP2 S9 F5 c\nP3 O8 F6 c\nP4 S9 O7 c\n";
    struct Expected {
        std::int16_t type;
        std::optional<bool> pond;
    };
    const Expected storage{2, false};
    const std::vector<Expected> expected = {storage, {0, {}}, {0, {}}, {0, {}}, storage,
                                            storage, storage, {1, {}}, {2, {}}};
    const host::Network mapped = ReadSwmmText(text, "m.inp").document;
    const host::Network plain = ReadSwmmText(text, "m.inp", PumpNodes::kNone).document;
    ASSERT_EQ(mapped.nodes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(mapped.nodes[i].type, expected[i].type) << "node " << i + 1;
        EXPECT_EQ(mapped.nodes[i].pond, expected[i].pond) << "node " << i + 1;
        EXPECT_FALSE(mapped.nodes[i].storage);
        EXPECT_EQ(plain.nodes[i].type, i < 6 ? 0 : i < 8 ? 1 : 2);
    }
    EXPECT_EQ(mapped.pumpLinks, plain.pumpLinks);
}

// The shortest text that reads back as the same number, laid out as the
// shared collection's documents are (with a point, or an exponent of two or
// more digits outside 1e-4 to 1e16), so that import-swmm gives them byte for
// byte.
TEST(NetworkDocumentWriter, WritesNumbersInTheirShortestForm) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {123.0, "123.0"},
        {0.1, "0.1"},
        {0.0001, "0.0001"},
        {1e-05, "1e-05"},
        {5e-324, "5e-324"},
        {1e16, "1e+16"},
        {1234567890123456.0, "1234567890123456.0"},
        {1.5e16, "1.5e+16"},
        {7077848.942851, "7077848.942851"},
    };
    for (const auto& [value, text] : cases) {
        host::Network network;
        network.nodes.push_back({1, value, 0.0, 0, {}, false});
        std::ostringstream out;
        WriteNetworkDocument(out, network);
        EXPECT_NE(out.str().find(std::string("{\"id\":1,\"x\":") + text + ",\"y\":0.0,"),
                  std::string::npos)
            << out.str();
    }
}

TEST(SwmmLexical, LinesAreSplitAsSwmmDoes) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"J1\t10  5", {"J1", "10", "5"}}, {"J1 10 ; comment 5", {"J1", "10"}},
        {";; only a comment", {}},        {"\"A;B c\" 1", {"A;B c", "1"}},
        {"J1 10\r", {"J1", "10"}},        {"   ", {}},
    };
    for (const auto& [line, fields] : cases) {
        EXPECT_EQ(SplitFields(line), fields) << line;
    }
    EXPECT_EQ(SectionHeader(" [Conduits] \r"), "CONDUITS");
    EXPECT_EQ(SectionHeader("J1 [x]"), std::nullopt);
}

TEST(SwmmLexical, NumbersAndNames) {
    const std::vector<std::pair<std::string, std::optional<double>>> numbers = {
        {"+2", 2.0},           {"1e3", 1000.0},         {"-0.5", -0.5},
        {"abc", std::nullopt}, {"1e400", std::nullopt}, {"nan", std::nullopt},
        {"", std::nullopt},    {"1.5x", std::nullopt},
    };
    for (const auto& [field, value] : numbers) {
        EXPECT_EQ(ParseNumber(field), value) << field;
    }
    // Latin-1 names become UTF-8; names already in UTF-8 stay as they are.
    EXPECT_EQ(ToUtf8Name("A\240B"), "A\302\240B");
    EXPECT_EQ(ToUtf8Name("A\302\240B"), "A\302\240B");
    // Found by fuzzing: no UTF-8 sequence may start with 0xF6.
    EXPECT_EQ(ToUtf8Name("\366\200\200\200"), "\303\266\302\200\302\200\302\200");
    const std::pair<const char*, bool> paths[] = {{"a.inp", true},
                                                  {"dir.x/A.INP", true},
                                                  {"a.json", false},
                                                  {"inp", false},
                                                  {"a.inp.gz", true}};
    for (const auto& [path, isSwmm] : paths) {
        EXPECT_EQ(IsSwmmPath(path), isSwmm) << path;
    }
}

const std::string kNoNode =
    "m.inp: no node to parse: the file has no junction, outfall, storage or divider lines";

std::string Outside(int line) {
    return "m.inp:" + std::to_string(line) + ": data outside any [SECTION]";
}

TEST(SwmmErrors, EveryUnusableLineIsReportedInLineOrder) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"J1 1\n", {"m.inp:1: data outside any [SECTION]"}},
        {"[JUNCTIONS]\nJ1\n",
         {"m.inp:2: [JUNCTIONS] expected at least 2 fields (name elevation), found 1"}},
        {"[JUNCTIONS]\nJ1 abc\n", {"m.inp:2: [JUNCTIONS] J1: elevation 'abc' is not a number"}},
        {"[JUNCTIONS]\nJ1 1\n[OUTFALLS]\nj1 0\n",
         {"m.inp:4: [OUTFALLS] node 'j1' is already defined"}},
        {kTwoNodes + "[CONDUITS]\nC1 J1 J9 10\n", {"m.inp:6: C1: unknown node 'J9'"}},
        {kTwoNodes + "[CONDUITS]\nC1 J1 J2 10\n[PUMPS]\nc1 J1 J2 x\n",
         {"m.inp:8: [PUMPS] link 'c1' is already defined on line 6"}},
        {kTwoNodes + "[CONDUITS]\nC1 J1 J2 1 0.01 x\n",
         {"m.inp:6: C1: offset 'x' is not a number"}},
        {kTwoNodes + "[CONDUITS]\nC1 J1 J2 ten\n",
         {"m.inp:6: [CONDUITS] C1: length 'ten' is not a number"}},
        {kTwoNodes + "[XSECTIONS]\nC7 CIRCULAR 1\n", {"m.inp:6: [XSECTIONS] unknown link 'C7'"}},
        {kTwoNodes + "[CONDUITS]\nC1 J1 J2 1\n[XSECTIONS]\nC1 CIRCULAR\n",
         {"m.inp:8: [XSECTIONS] C1: shape CIRCULAR needs a Geom1"}},
        {"[OPTIONS]\nLINK_OFFSETS HEIGHT\n",
         {"m.inp:2: [OPTIONS] LINK_OFFSETS must be DEPTH or ELEVATION, found 'HEIGHT'"}},
        {"[COORDINATES]\nJ1 1 north\n", {"m.inp:2: [COORDINATES] J1: y 'north' is not a number"}},
        // A reference checked at the end still comes before a later line.
        {"[JUNCTIONS]\nJ1 1\n[PUMPS]\nP1 J1 J2\n[JUNCTIONS]\nJ3\n",
         {"m.inp:4: P1: unknown node 'J2'",
          "m.inp:6: [JUNCTIONS] expected at least 2 fields (name elevation), found 1"}},
        // Nothing to parse, whatever else the file holds.
        {"", {kNoNode}},
        {"[TITLE]\nJ1 1\n[JUNCTIONS]\n[CONDUITS]\n;C1 J1 J2 1\n", {kNoNode}},
        // Two stray lines before the first section are problems of a model;
        // the third shows the text is none, and nothing after it is read.
        {"x\ny\n[JUNCTIONS]\nJ1\n",
         {Outside(1), Outside(2),
          "m.inp:4: [JUNCTIONS] expected at least 2 fields (name elevation), found 1"}},
        {"x\n\ny\nz\n[JUNCTIONS]\nJ1\n",
         {Outside(1), Outside(3), Outside(4),
          "m.inp: not SWMM input text (no [SECTION] header before its data): reading stopped "
          "at line 4"}},
    };
    for (const auto& [text, messages] : cases) {
        EXPECT_EQ(Problems(text), messages) << text;
    }
}

TEST(SwmmErrors, ReportsAreCappedAndTheRestCounted) {
    std::string text = "[JUNCTIONS]\n";
    for (int i = 0; i < 25; ++i) {
        text += "J" + std::to_string(i) + " x\n";
    }
    const std::vector<std::string> problems = Problems(text);
    ASSERT_EQ(problems.size(), kMaxReportedErrors + 1);
    EXPECT_EQ(problems.front(), "m.inp:2: [JUNCTIONS] J0: elevation 'x' is not a number");
    EXPECT_EQ(problems.back(), "m.inp: 5 more problems not shown");
}

}  // namespace
}  // namespace rivo::tool::swmm
