#include <string>
#include <vector>

#include "tool_run.h"

// When the parser cannot number a pump link, the tool names every pump link
// end on no branch and why (the ends found through the public interface
// after the parser raised), then a hint; with --partial it writes what the
// parse found before. Each hand-written SWMM model stops the parse for one
// reason while its pump stations keep their SWMM types, and parses with
// the storage mapping, the default.
namespace {

using namespace rivo_tool_test;

const std::string kLastNode =
    "cannot be numbered: it is the last node of branch 1, which a branch numbers only when it is "
    "an outfall or a storage node";
const std::string kHint = "hint: a pump link needs both its nodes on numbered branches: ";
const std::string kUseMapping = "use the storage mapping (--pump-nodes storage, the default)";

struct StopCase {
    std::string network;
    std::vector<std::string> options;
    std::vector<std::string> lines;  // on stderr, each after "NETWORK: "
};

const StopCase kStops[] = {
    {"swmm/force_main_dead_end.inp",
     {"--pump-nodes", "none"},
     {"pump link 1 'P1': downstream node 2 'FM1' " + kLastNode,
      "pump link 2 'P2': downstream node 2 'FM1' " + kLastNode,
      kHint + kUseMapping + ", or make such a node a storage node"}},
    {"swmm/wet_well_on_one_pipe.inp",
     {"--pump-nodes", "none"},
     {"pump link 1 'P1': upstream node 3 'WW' " + kLastNode,
      kHint + kUseMapping + ", or make such a node a storage node"}},
    {"swmm/pump_into_outfall.inp",
     {"--pump-nodes", "none"},
     {"pump link 1 'P1': downstream node 2 'RIVER' cannot be numbered: it is an outfall without "
      "links, which the parser sets aside (a removed outfall)",
      kHint + kUseMapping + ", or connect the outfall with a link"}},
    {"swmm/loop_only_with_longest.inp",
     {"--pump-nodes", "none", "--longest"},
     {"pump link 1 'P1': downstream node 2 'E' cannot be numbered: it lies only on a loop "
      "branch, which --longest does not report",
      kHint + kUseMapping + ", or parse without --longest"}},
    {"pump_to_unknown_node.json",
     {},
     {":7:16: pumpLinks[0]: pump link 7: downstream node 99 is not among the nodes",
      "pump link 7: downstream node 99 cannot be numbered: no node has this ID",
      kHint + "correct the node IDs of the pump link"}},
};

TEST_F(ToolTest, EveryPumpEndThatStopsTheParseIsNamedWithItsCause) {
    for (const StopCase& c : kStops) {
        const std::string network = Fixture(c.network);
        std::vector<std::string> args = {"parse", network};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.status, 3) << c.network;
        std::string expected;
        for (const std::string& line : c.lines) {
            expected += network + (line.starts_with(":") ? "" : ": ") + line + "\n";
        }
        EXPECT_EQ(run.err, expected);
        const json error = json::parse(run.out);
        EXPECT_EQ(error.size(), 2u) << "an error document: " << run.out;
        EXPECT_EQ(error["error"]["hresult"], "0x80070057");
        if (c.options.empty()) {
            continue;  // a network document has no pump stations to map
        }
        args.erase(args.begin() + 2, args.begin() + 4);  // the storage mapping, by default
        const ToolRun mapped = Tool(args);
        EXPECT_EQ(mapped.status, 0) << c.network;
        EXPECT_EQ(mapped.err, "");
    }
}

// The result document as the parser left it, "result" null and the error
// beside it: pump link fields as they stand (the first pump's upstream
// branch was numbered before the raise), the unnumbered node's null branch
// number, and the SWMM names. The picture rings the pump end.
TEST_F(ToolTest, PartialWritesTheDecompositionFoundBeforeThePumpLinks) {
    const std::string model = Fixture("swmm/force_main_dead_end.inp");
    const ToolRun run = Tool({"parse", model, "--pump-nodes", "none", "--partial"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(Count(run.err, "cannot be numbered"), 2u);
    const json partial = json::parse(run.out);
    EXPECT_TRUE(partial["result"].is_null());
    EXPECT_EQ(partial["error"]["message"],
              "Failed : CFLDNetworkParser::GetBranchNumberOfNode\nNode ID is not in the Graph");
    EXPECT_EQ(partial["branches"].size(), 2u);
    EXPECT_EQ(partial["pumpLinks"][0]["upStreamBranchNumber"], 2);
    EXPECT_EQ(partial["pumpLinks"][0]["downStreamBranchNumber"], 0);
    EXPECT_EQ(partial["pumpLinks"][1]["upStreamBranchNumber"], 0);
    EXPECT_TRUE(partial["nodes"][1]["branchNumber"].is_null());
    EXPECT_EQ(partial["names"]["nodes"]["2"], "FM1");

    const fs::path svg = dir_ / "partial.svg";
    EXPECT_EQ(
        Tool({"render", model, "--pump-nodes", "none", "--partial", "-o", svg.string()}).status, 3);
    const std::string picture = ReadFile(svg);
    EXPECT_EQ(Count(picture, "stroke-dasharray=\"3 2\""), 2u) << "FM1 and the legend";
    EXPECT_NE(picture.find("1 pump ends not numbered (ringed)"), std::string::npos);
    EXPECT_GT(Count(picture, "stroke=\"#"), 3u) << "branches coloured";
}

}  // namespace
