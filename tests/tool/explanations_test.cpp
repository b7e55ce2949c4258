#include <algorithm>
#include <fstream>

#include "tool_run.h"

// What the tool says in words besides its documents: why a result is false,
// which element made the parser raise, and what is wrong with a command line.
namespace {

using namespace rivo_tool_test;

// Standard error names the element and its record, whichever command read
// the network (the error documents are checked with -o and by the map test).
TEST_F(ToolTest, ElementsThatMakeTheParserRaiseAreNamedWithTheirPlaceByEveryCommand) {
    const std::pair<std::string, std::string> cases[] = {
        {"duplicate_node.json", ":5:5: nodes[2]: node 2 is given twice (also nodes[1])"},
        {"link_to_missing_node.json",
         ":7:5: links[0]: link 10: target node 99 is not among the nodes"},
    };
    const std::vector<std::string> commands[] = {
        {"parse"}, {"render", "-o", (dir_ / "p.svg").string()}, {"geojson"}};
    for (const auto& [fixture, line] : cases) {
        for (std::vector<std::string> args : commands) {
            args.insert(args.begin() + 1, Fixture(fixture));
            const ToolRun run = Tool(args);
            EXPECT_EQ(run.status, 3) << args[0] << " " << fixture;
            EXPECT_EQ(run.err, Fixture(fixture) + line + "\n") << args[0];
        }
    }
}

// The example's false comes from manholes that drain nowhere: the result
// document stays the golden one, the reason goes to standard error, the
// picture, the view and the map.
TEST_F(ToolTest, FalseResultsSayWhyInEveryOutput) {
    const std::string showcase = (kExamples / "showcase.json").string();
    const ToolRun parse = Tool({"parse", showcase});
    EXPECT_EQ(parse.out, ReadFile(kExamples / "showcase.result.json"));
    EXPECT_EQ(parse.err, showcase + ": result false: 3 nodes in 2 groups reach no outlet\n" +
                             showcase + ":   2 nodes (42 and 43)\n" + showcase +
                             ":   1 node (41)\n");
    const std::string reason =
        "3 nodes in 2 groups reach no outlet: 2 nodes (42 and 43); 1 node (41)";
    EXPECT_NE(Render(showcase).find("why: " + reason), std::string::npos);
    const fs::path view = dir_ / "view.html";
    Tool({"render", showcase, "-o", view.string()});
    EXPECT_NE(ReadFile(view).find(reason), std::string::npos);
    EXPECT_EQ(json::parse(Tool({"geojson", showcase}).out)["reason"], reason);
}

// Without an outlet the parser lists nothing; the tool finds the parts
// itself and the outfall beside them that has no link.
TEST_F(ToolTest, NoOutletNamesTheOutfallsWithoutLinksAndThePartsBesideThem) {
    const fs::path network = dir_ / "no_outlet.json";
    std::ofstream(network) << R"({"nodes": [{"id": 1, "x": 0, "y": 0, "type": 1},
        {"id": 2, "x": 1, "y": 0, "type": 0}, {"id": 3, "x": 2, "y": 0, "type": 0},
        {"id": 4, "x": 50, "y": 0, "type": 0}],
      "links": [{"id": 10, "source": 3, "target": 2, "sourceElevation": 1,
                 "targetElevation": 0, "size": 1, "type": 0}]})";
    const std::string file = network.string();
    const ToolRun run = Tool({"parse", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              file + ": result false: no outlet: no outfall has a link (outfall 1 has none)\n" +
                  file + ": result false: 3 nodes in 2 groups reach no outlet\n" + file +
                  ":   2 nodes (2 and 3), beside outfall 1 that has no link\n" + file +
                  ":   1 node (4)\n");
}

// Coordinates of hundreds of units cannot be degrees; --crs names them.
TEST_F(ToolTest, GeojsonAsksForTheSystemOfCoordinatesThatAreNoDegrees) {
    const std::string showcase = (kExamples / "showcase.json").string();
    EXPECT_NE(Tool({"geojson", showcase}).err.find("name the system with --crs"),
              std::string::npos);
    EXPECT_EQ(Tool({"geojson", showcase, "--crs", "EPSG:28992"}).err.find("--crs"),
              std::string::npos);
}

}  // namespace
