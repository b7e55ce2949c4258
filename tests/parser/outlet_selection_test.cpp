#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "parser/network_fixture.h"
#include "parser/parser_access.h"

// Pond links and the choice of outlets: which outfalls are outlets or set
// aside, and which storage nodes drain or become outlets themselves.
namespace {

namespace host = rivo::host;
using rivo_test::PondStage;
using A = ParserTestAccess;

struct PondCase {
    const char* name;
    double atSource;
    double atTarget;
    const char* nodes;  // of the loop branch
};

// The loop runs from the higher end; ends within 0.01 keep source to target.
const PondCase kPondCases[] = {
    {"source 0.5 higher", 1.5, 1.0, "1 2"},    {"source 0.5 lower", 1.0, 1.5, "2 1"},
    {"source 0.005 lower", 1.0, 1.005, "1 2"}, {"source 0.0099 lower", 0.0, 0.0099, "1 2"},
    {"source 0.01 lower", 0.0, 0.01, "2 1"},   {"source 0.0101 lower", 0.0, 0.0101, "2 1"},
};

RIVO_TABLE_TEST(PondLinkOrientation, RunsFromTheHigherEnd, kPondCases) {
    const PondCase& c = GetParam();
    CFLDNetworkParser core;
    PondStage(core, {{{1, 0, 0, 2}, {2, 10, 0, 2}}, {{10, 1, 2, c.atSource, c.atTarget}}});
    ASSERT_EQ(A::LinkLoops(core).size(), 1u);
    const CBranch& loop = *A::LinkLoops(core)[0];
    EXPECT_EQ(std::to_string(loop.GetNodeID(0)) + " " + std::to_string(loop.GetNodeID(1)), c.nodes);
}

TEST(PondLinkLoops, OnlyLinksBetweenTwoPondStorageNodes) {
    // 1, 2 pond storage; 3 storage that is no pond; 4 a manhole. Link 14 was
    // set aside when it was added and is already a loop.
    CFLDNetworkParser core;
    PondStage(core, {{{1, 0, 0, 2}, {2, 10, 0, 2}, {3, 20, 0, 2, false}, {4, 30, 0}},
                     {{10, 1, 2, 1, 1},
                      {11, 2, 1, 1, 1},
                      {12, 1, 3, 1, 1},
                      {13, 1, 4, 1, 1},
                      {14, 1, 2, 1, 1, 1, 5}}});
    const auto& loops = A::LinkLoops(core);
    EXPECT_EQ(rivo_test::Join(static_cast<std::int32_t>(loops.size()),
                              [&](auto i) { return loops[std::size_t(i)]->GetEdgeID(0); }),
              "14 10 11");
    std::string hidden;
    for (std::int32_t id : {10, 11, 12, 13, 14}) {
        hidden += A::Graph(core).is_hidden(A::Graph(core).GetEdge(id)) ? "h" : "v";
    }
    EXPECT_EQ(hidden, "hhvvh");
}

struct SelectionCase {
    const char* name;
    host::Network network;
    bool found;
    const char* expected;  // "outlets ... | removed ... | converted ... | drains ..."
};

// Storage 2 with one link to outfall 1.
host::Network ToOutfall(double atStorage, double atOutfall) {
    return {{{1, 0, 0, 1}, {2, 10, 0, 2}}, {{10, 2, 1, atStorage, atOutfall}}};
}

// Storage 2 drains over link 10 (falling 0.5) to outfall 1 and has link 11 to
// manhole 3, a dead end.
host::Network WithDeadEnd(double drainAtStorage, double deadEndAtStorage, double deadEndFar) {
    return {{{1, 0, 0, 1}, {2, 10, 0, 2}, {3, 20, 0}},
            {{10, 2, 1, drainAtStorage, drainAtStorage - 0.5},
             {11, 2, 3, deadEndAtStorage, deadEndFar}}};
}

// Storage 2 falls over link 10 (level 0.0) into manholes 3 and 4 and on to
// outfall 1; link 11 (the larger, searched first) ends at 4 at `at4`. With
// `at5`, a second path runs through manhole 5, its link 13 ending there at `at5`.
host::Network Chain(double at4, double at5 = 0.0, bool secondPath = false) {
    host::Network n{{{1, 30, 0, 1}, {2, 0, 0, 2}, {3, 10, 0}, {4, 20, 0}},
                    {{10, 2, 3, 0, -0.1}, {11, 3, 4, -0.2, at4, 2.0}, {12, 4, 1, -0.4, -0.5}}};
    if (secondPath) {
        n.nodes.push_back({5, 20, 10});
        n.links.push_back({13, 3, 5, -0.2, at5});
        n.links.push_back({14, 5, 1, -0.4, -0.5});
    }
    return n;
}

// Storage nodes 1 and 2 (no ponds) joined by link 10 from 1 down to 2.
host::Network StoragePair(double at1, double at2, bool lowerFirst = false) {
    host::Node n1{1, 0, 0, 2, false};
    host::Node n2{2, 10, 0, 2, false};
    return {lowerFirst ? std::vector<host::Node>{n2, n1} : std::vector<host::Node>{n1, n2},
            {{10, 1, 2, at1, at2}}};
}

// Storage 3 drains through manhole 4 towards storage 2, which drains over
// link 12 lying above storage 3's level.
host::Network BehindManhole(bool storage3First) {
    host::Node s2{2, 10, 0, 2};
    host::Node s3{3, 20, 0, 2};
    return {{{1, 0, 0, 1}, storage3First ? s3 : s2, storage3First ? s2 : s3, {4, 15, 0}},
            {{10, 3, 4, 2.0, 1.5}, {11, 2, 4, 1.5, 1.4}, {12, 2, 1, 3.0, 2.5}}};
}

const char* const kDrains = "outlets 1 | removed | converted | drains 2";
const char* const kConverts = "outlets 1 2 | removed | converted 2 | drains";
const char* const kIntoLower = "outlets 2 | removed | converted 2 | drains 1";

const SelectionCase kSelectionCases[] = {
    {"outfall without links is removed",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 0, 10, 1}}, {{10, 2, 1, 1.0, 0.5}}},
     true,
     "outlets 1 | removed 3 | converted | drains"},
    {"storage node without links",
     {{{1, 0, 0, 1}, {3, 10, 0}, {2, 20, 0, 2}}, {{10, 3, 1, 1, .5}}},
     true,
     kConverts},
    {"no outlet",
     {{{1, 0, 0, 1}, {2, 10, 0}, {3, 20, 0}}, {{10, 2, 3, 1.0, 0.5}}},
     false,
     "outlets | removed 1 | converted | drains"},
    {"pond storage nodes with only a pond link",
     {{{1, 0, 0, 2}, {2, 10, 0, 2}}, {{10, 1, 2, 1, .5}}},
     true,
     "outlets 1 2 | removed | converted 1 2 | drains"},
    // The far end may lie up to 0.001 higher.
    {"level link to an outfall", ToOutfall(1.0, 1.0), true, kDrains},
    {"outfall end 0.0009 higher", ToOutfall(1.0, 1.0009), true, kDrains},
    {"outfall end 0.001 higher", ToOutfall(0.999, 1.0), true, kConverts},
    // A dead end rising away (end 1.5 at the storage node) sets the level no
    // drain may lie above.
    {"drain below the rising dead end", WithDeadEnd(1.0, 1.5, 2.0), true, kDrains},
    {"drain 0.0009 above the rising dead end", WithDeadEnd(1.5009, 1.5, 2.0), true, kDrains},
    {"drain 0.001 above the rising dead end", WithDeadEnd(1.501, 1.5, 2.0), true, kConverts},
    // Only a dead end falling less than 0.01 holds water.
    {"dead end falling 0.0099", WithDeadEnd(2.0, 0.0099, 0), true, kConverts},
    {"dead end falling 0.01", WithDeadEnd(2.0, 0.01, 0), true, kDrains},
    // No pipe end on the way to the outfall may lie more than 0.001 above 0.0.
    {"chain of manholes", Chain(-0.3), true, kDrains},
    {"chain with a pipe end 0.0009 above", Chain(0.0009), true, kDrains},
    {"chain with a pipe end 0.001 above", Chain(0.001), true, kDrains},
    {"chain with a pipe end 0.0011 above", Chain(0.0011), true, kConverts},
    {"blocked chain with a clear second path", Chain(0.5, -0.3, true), true, kDrains},
    {"blocked chain with a blocked second path", Chain(0.5, 0.5, true), true, kConverts},
    // Whichever is decided first, the higher storage node drains into the
    // lower one, which becomes the outlet: at once when it falls more than
    // 0.001, else only once the other has been converted.
    {"storage pair, lower first", StoragePair(2.0, 1.0, true), true, kIntoLower},
    {"storage pair falling 0.0011", StoragePair(0.0011, 0), true, kIntoLower},
    {"storage pair falling 0.001", StoragePair(0.001, 0), true,
     "outlets 1 2 | removed | converted 1 2 | drains"},
    {"storage pair falling 0.0009", StoragePair(0.0009, 0), true,
     "outlets 1 | removed | converted 1 | drains 2"},
    // Only an undecided storage node is a target of its own.
    {"undecided storage node behind a manhole", BehindManhole(true), true,
     "outlets 1 | removed | converted | drains 3 2"},
    {"drained storage node behind a manhole", BehindManhole(false), true,
     "outlets 1 3 | removed | converted 3 | drains 2"},
};

RIVO_TABLE_TEST(OutletSelection, ChoosesOutlets, kSelectionCases) {
    const SelectionCase& c = GetParam();
    CFLDNetworkParser core;
    PondStage(core, c.network);
    graph_fld& g = A::Graph(core);
    int hiddenBefore = g.number_of_hidden_edges();
    EXPECT_EQ(A::AddOutletNodes(core), c.found);

    std::ostringstream out;
    out << "outlets";
    for (GTL::node n : A::Outlets(core)) {
        out << " " << g.data(n).nodeID;
        EXPECT_EQ(g.data(n).nodeType, node_type::kOutfall);
    }
    out << " | removed";
    for (std::int32_t i = 0; i < core.GetNumberOfRemovedOutfalls(); ++i) {
        out << " " << core.GetRemovedOutfallId(i);
    }
    out << " | converted";
    for (const auto& n : c.network.nodes) {
        out << (core.GetNodeIsConvertedToOutfall(n.id) ? " " + std::to_string(n.id) : "");
    }
    out << " | drains";
    for (const auto& n : c.network.nodes) {
        out << (g.data(g.GetNode(n.id)).storageHasDrain ? " " + std::to_string(n.id) : "");
    }
    EXPECT_EQ(out.str(), c.expected);
    // Every link a drain test hides is visible again afterwards.
    EXPECT_EQ(g.number_of_hidden_edges(), hiddenBefore);
}

// The drain test restores the links it hid at the front of their nodes'
// adjacency lists, so later searches meet them first.
TEST(OutletSelectionOrder, RestoredLinksComeFirstAtTheirNodes) {
    struct Case {
        const char* name;
        host::Network network;
        std::int32_t node;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"blocked chain", Chain(0.5, -0.3, true), 3, "13 11 10 ", "11 13 10 "},
        // Link 10 leads to the outfall but lies above the rising link 11: it is
        // tested all the same, and so hidden and restored.
        {"drain above a rising link",
         {{{1, 0, 0, 1}, {2, 10, 0, 2}, {3, 20, 0}, {4, 30, 0}},
          {{10, 2, 3, 2.0, 1.5}, {11, 2, 4, 1.5, 2.0}, {12, 3, 1, 1.4, 1.0}}},
         2,
         "11 10 ",
         "10 11 "},
        // Storage 2 drains through manholes 3 and 4; link 11 rises above the
        // level, cutting off storage 5 behind it. Outfall 1, reached in the
        // first search only through 11, is searched for again with 11 back in
        // place, and link 12, rising at the outfall, is hidden and restored.
        {"second target searched again",
         {{{1, 40, 0, 1}, {2, 0, 0, 2}, {3, 10, 0}, {4, 20, 0}, {5, 30, 10, 2}},
          {{10, 2, 3, 0, -0.1},
           {11, 3, 4, -0.2, 0.5, 2.0},
           {12, 4, 1, -0.3, 0.5},
           {13, 4, 5, -0.3, -0.4, 1.5}}},
         4,
         "13 12 11 ",
         "12 13 11 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFLDNetworkParser core;
        PondStage(core, c.network);
        graph_fld& g = A::Graph(core);
        auto adjacency = [&](std::int32_t id) {
            std::string ids;
            g.for_each_adj_edge(
                g.GetNode(id), [&](GTL::edge e) { ids += std::to_string(g.data(e).edgeID) + " "; });
            return ids;
        };
        EXPECT_EQ(adjacency(c.node), c.before);
        A::AddOutletNodes(core);
        EXPECT_EQ(adjacency(c.node), c.after);
    }
}

}  // namespace
