#include <sys/stat.h>

#include <algorithm>

#include "tool_run.h"

// The built tool run as a user runs it: `parse` on the fixture files and the
// examples, `import-swmm` and `parse` of SWMM models, and `render`.
namespace {

using namespace rivo_tool_test;

// Whether `file` is well-formed XML, as Python's XML parser reads it.
bool IsXml(const fs::path& file) {
    const std::string check =
        "python3 -c 'import sys, xml.dom.minidom; "
        "xml.dom.minidom.parse(sys.argv[1])' '" +
        file.string() + "'";
    return std::system(check.c_str()) == 0;
}

// One line on stderr: the exact one where given, else one naming the tool.
TEST_F(ToolTest, BadCommandLinesExitTwoWithOneLine) {
    const std::string chain = Fixture("chain.json"), png = (dir_ / "x.png").string();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, ""},
        {{"parse"}, ""},
        {{"frob", chain},
         "rivo: unknown subcommand 'frob'; the subcommands are parse, import-swmm, render, "
         "geojson (see rivo --help)\n"},
        {{"parse", "--bogus", chain}, ""},
        {{"parse", chain, Fixture("ring.json")}, ""},
        {{"import-swmm", (kSwmm / "every_kind.inp").string(), "--pump-nodes", "wet"}, ""},
        {{"render", chain}, ""},  // a picture needs an output file
        {{"render", chain, "-o", png},
         png + ": render writes an SVG picture (.svg) or an HTML view (.html)\n"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        if (!message.empty()) {
            EXPECT_EQ(run.err, message);
            continue;
        }
        EXPECT_EQ(run.err.rfind("rivo: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_FALSE(fs::exists(png));
}

// The help texts are read from stdout by doc_examples_test.
TEST_F(ToolTest, VersionGoesToStdout) {
    const ToolRun version = Tool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string(RIVO_EXPECTED_VERSION) + "\n");
}

TEST_F(ToolTest, OutputFileIsReplacedWholeOrNotAtAll) {
    const fs::path result = dir_ / "result.json";
    std::ofstream(result) << "earlier result";
    // Nothing but the result file may be left in its directory.
    auto files = [&] { return std::distance(fs::directory_iterator(dir_), {}); };

    const ToolRun unusable = Tool({"parse", Fixture("not_json.json"), "-o", result.string()});
    EXPECT_EQ(unusable.status, 2);
    EXPECT_EQ(ReadFile(result), "earlier result");
    EXPECT_EQ(files(), 1);

    const ToolRun raised = Tool({"parse", Fixture("duplicate_node.json"), "-o", result.string()});
    EXPECT_EQ(raised.status, 3);
    EXPECT_EQ(raised.out, "");
    EXPECT_EQ(ReadJson(result)["error"]["message"], "Failed : graph_fld::add_node");

    const ToolRun parsed = Tool({"parse", Fixture("chain.json"), "--output", result.string()});
    EXPECT_EQ(parsed.status, 0);
    EXPECT_EQ(parsed.out, "");
    EXPECT_EQ(ReadFile(result), Tool({"parse", Fixture("chain.json")}).out);
    EXPECT_EQ(files(), 1);

    // A target that is no regular file (a pipe here, /dev/null elsewhere)
    // is written to, not replaced.
    const fs::path pipe = dir_ / "pipe", piped = dir_ / "piped.json";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(Tool({"parse", Fixture("chain.json"), "-o", pipe.string()},
                   "cat '" + pipe.string() + "' >'" + piped.string() + "' & {}; wait")
                  .status,
              0);
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(ReadFile(piped), ReadFile(result));

    // Checked before the input is read.
    const std::string nowhere = (dir_ / "no" / "result.svg").string();
    for (const char* command : {"parse", "render"}) {
        const ToolRun missing = Tool({command, Fixture("chain.json"), "-o", nowhere});
        EXPECT_EQ(missing.status, 2) << command;
        EXPECT_EQ(missing.err,
                  nowhere + ": cannot create the result file: No such file or directory\n");
    }
}

// A write that fails is exit status 1 with one line on stderr, whatever the
// output: standard output on a full device, a file cut short by a file size
// limit (which the shell makes the tool meet as a failed write), or the
// network document of import-swmm, whose names table then stays unwritten.
// A file that was there stays as it was and no temporary file is left.
TEST_F(ToolTest, FailedWritesExitOneAndLeaveEarlierFilesAsTheyWere) {
    const fs::path result = dir_ / "result.json", names = dir_ / "names.json";
    auto files = [&] { return std::distance(fs::directory_iterator(dir_), {}); };
    std::ofstream(result) << "earlier result";
    const ToolRun tooBig =
        Tool({"parse", (kExamples / "pressure_main.json").string(), "-o", result.string()},
             "trap '' XFSZ; ulimit -f 1; {}");
    EXPECT_EQ(tooBig.status, 1);
    EXPECT_EQ(tooBig.err, result.string() + ": cannot write the result file: File too large\n");
    EXPECT_EQ(ReadFile(result), "earlier result");
    EXPECT_EQ(files(), 1);

    const ToolRun full = Tool({"parse", Fixture("chain.json")}, "{} >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "stdout: cannot write the result\n");

    const std::string model = (kSwmm / "every_kind.inp").string();
    const ToolRun half = Tool({"import-swmm", model, "--names", names.string()}, "{} >/dev/full");
    EXPECT_EQ(half.status, 1);
    EXPECT_FALSE(fs::exists(names));
    EXPECT_EQ(files(), 1);
}

// The result documents the system gives today. Set RIVO_UPDATE_GOLDEN=1 to
// rewrite them after a deliberate change, and review the difference.
TEST_F(ToolTest, ResultDocumentsMatchTheGoldenFiles) {
    const std::pair<std::vector<std::string>, fs::path> cases[] = {
        {{"parse", Fixture("chain.json")}, Fixture("chain.result.json")},
        {{"parse", "--longest", Fixture("ring.json")}, Fixture("ring.longest.result.json")},
        {{"parse", Fixture("ring.json")}, Fixture("ring.result.json")},
        // Checked by hand against the rules: a pump branch split at the top of
        // its pressure main, a wet well numbered as branch 1's last node.
        {{"parse", (kExamples / "pressure_main.json").string()},
         kExamples / "pressure_main.result.json"},
        {{"parse", (kExamples / "showcase.json").string()}, kExamples / "showcase.result.json"},
    };
    const bool update = std::getenv("RIVO_UPDATE_GOLDEN") != nullptr;
    for (const auto& [args, golden] : cases) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.status, 0) << golden;
        if (update) {
            std::ofstream(golden, std::ios::binary) << run.out;
        }
        EXPECT_EQ(json::parse(run.out), ReadJson(golden)) << golden;
    }
}

TEST_F(ToolTest, UnusableModelWritesNothingAndNamesEveryBadLine) {
    const std::string model = (kSwmm / "bad_lines.inp").string();
    const fs::path out = dir_ / "net.json", names = dir_ / "names.json";
    const ToolRun run = Tool({"import-swmm", model, "-o", out.string(), "--names", names.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, model + ":3: [JUNCTIONS] J2: elevation 'abc' is not a number\n" + model +
                           ":5: C1: unknown node 'J9'\n" + model +
                           ":6: [CONDUITS] expected at least 4 fields (name from-node to-node "
                           "length), found 2\n");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(names));
    for (const char* command : {"parse", "render"}) {
        EXPECT_EQ(Tool({command, model, "-o", out.string()}).status, 2) << command;
        EXPECT_FALSE(fs::exists(out)) << command;
    }
}

// `parse MODEL.inp` parses the model as import-swmm converts it, with either
// mapping of its pump stations, and its result document ends with the SWMM
// names: the names table of import-swmm.
TEST_F(ToolTest, ModelsParseAsTheirConvertedDocumentsWithTheirNames) {
    const std::string model = (kSwmm / "every_kind.inp").string();
    const fs::path document = dir_ / "net.json", names = dir_ / "names.json";
    for (const char* mapping : {"storage", "none"}) {
        ASSERT_EQ(Tool({"import-swmm", model, "-o", document.string(), "--pump-nodes", mapping,
                        "--names", names.string()})
                      .status,
                  0);
        EXPECT_EQ(ReadJson(names), ReadJson(kSwmm / "every_kind.names.json"));
        const ToolRun run = Tool({"parse", model, "--pump-nodes", mapping});
        EXPECT_EQ(run.status, 0) << run.err;
        json result = json::parse(run.out);
        EXPECT_EQ(result["names"], ReadJson(kSwmm / "every_kind.names.json"));
        result.erase("names");
        EXPECT_EQ(result, json::parse(Tool({"parse", document.string()}).out)) << mapping;
    }
    EXPECT_FALSE(
        json::parse(Tool({"parse", (kSwmm / "every_kind.json").string()}).out).contains("names"));
}

TEST_F(ToolTest, RenderShowsWhatTheParserFound) {
    EXPECT_EQ(Count(Render(kSwmm / "every_kind.inp"), "<path "), 5u);
    const std::string svg = Render(kExamples / "showcase.json");
    EXPECT_TRUE(IsXml(dir_ / "picture.svg"));
    EXPECT_EQ(Count(svg, "<path "), 28u);  // one per link
    EXPECT_NE(svg.find("<g id=\"legend\""), std::string::npos);
    // The counts of the golden result document.
    EXPECT_NE(svg.find("10 branches, 8 loops, 3 isolated nodes, 1 isolated links; result false"),
              std::string::npos);
    EXPECT_EQ(Count(svg, "class=\"i\""), 1u);  // the isolated link
    EXPECT_GT(Count(svg, "class=\"l\""), 0u);
    EXPECT_GT(Count(svg, "<text class=\"lab\""), 0u);
}

}  // namespace
