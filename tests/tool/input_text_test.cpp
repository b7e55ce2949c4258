#include "tool_run.h"

// Model files as engineers get them: compressed, saved with a byte-order
// mark, or no text at all; read by the built tool.
namespace {

using namespace rivo_tool_test;

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void Gzip(const fs::path& from, const fs::path& to) {
    ASSERT_EQ(std::system(("gzip -c '" + from.string() + "' >'" + to.string() + "'").c_str()), 0);
}

// Whatever the name says: a JSON document in a file without extension, a
// SWMM model with a byte-order mark in a file named .json.
TEST_F(ToolTest, CompressedAndMarkedFilesGiveWhatThePlainFileGives) {
    const fs::path model = kSwmm / "every_kind.inp", document = Fixture("chain.json");
    const std::string mark = "\xEF\xBB\xBF";
    Gzip(model, dir_ / "model.inp.gz");
    Gzip(document, dir_ / "network");
    Write(dir_ / "model.json", mark + ReadFile(model));
    Write(dir_ / "marked.json", mark + ReadFile(document));
    Gzip(dir_ / "model.json", dir_ / "marked.gz");
    const std::pair<fs::path, fs::path> cases[] = {
        {dir_ / "model.inp.gz", model}, {dir_ / "network", document},
        {dir_ / "model.json", model},   {dir_ / "marked.json", document},
        {dir_ / "marked.gz", model},
    };
    for (const auto& [file, plain] : cases) {
        for (const char* command : {"parse", "geojson"}) {
            const ToolRun run = Tool({command, file.string()});
            EXPECT_EQ(run.status, 0) << file << run.err;
            EXPECT_EQ(run.out, Tool({command, plain.string()}).out) << command << " " << file;
        }
    }
    const ToolRun imported = Tool({"import-swmm", (dir_ / "marked.gz").string()});
    EXPECT_EQ(imported.out, Tool({"import-swmm", model.string()}).out);
}

// Each is exit status 2, nothing on standard output, and the lines given
// after the file's name on standard error. Places in a compressed file are
// those of its text. The messages themselves are the readers' (their own
// tests); here they come from files, with places counted over many lines.
TEST_F(ToolTest, UnusableInputIsSaidInAFewLinesOnStderrOnly) {
    Gzip(Fixture("not_json.json"), dir_ / "damaged.json.gz");
    Write(dir_ / "cut.inp.gz", ReadFile(dir_ / "damaged.json.gz").substr(0, 40));
    Write(dir_ / "empty.inp", "");
    Gzip(dir_ / "empty.inp", dir_ / "empty.inp.gz");
    Write(dir_ / "utf16.inp", std::string("\xFF\xFE[\0T\0I\0T\0L\0E\0]\0", 16));
    Write(dir_ / "noise.inp", "\x89\xE2\x01\n\x7F\xC3 [\n\x93\x02\n\x11\n[JUNCTIONS]\n");
    const std::string noText = ": not a text file (UTF-16?)";
    const std::pair<fs::path, std::vector<std::string>> cases[] = {
        {Fixture("no_such_file.json"), {": cannot open: No such file or directory"}},
        {Fixture("."), {": cannot read: Is a directory"}},
        {Fixture("empty.json"),
         {":1:1: invalid JSON: syntax error while parsing value - unexpected end of input; "
          "expected '[', '{', or a literal"}},
        {Fixture("not_json.json"),
         {":4:46: invalid JSON: syntax error while parsing object key - unexpected '}'; "
          "expected string literal"}},
        // Its link names a missing node, which the system would raise on:
        // the whole document is checked before the first host call.
        {Fixture("late_field_error.json"),
         {":9:47: gutters[0].sameDirectionAsUI: expected true or false, found a string"}},
        {dir_ / "utf16.inp", {noText}},
        {RIVO_TOOL, {noText}},
        {dir_ / "empty.inp",
         {": no node to parse: the file has no junction, outfall, storage or divider lines"}},
        {dir_ / "empty.inp.gz",
         {": no node to parse: the file has no junction, outfall, storage or divider lines"}},
        {dir_ / "damaged.json.gz",
         {":4:46: invalid JSON: syntax error while parsing object key - unexpected '}'; "
          "expected string literal"}},
        {dir_ / "cut.inp.gz", {": cannot decompress: the file ends early"}},
        {dir_ / "noise.inp",
         {":1: data outside any [SECTION]", ":2: data outside any [SECTION]",
          ":3: data outside any [SECTION]",
          ": not SWMM input text (no [SECTION] header before its data): reading stopped at "
          "line 3"}},
    };
    for (const auto& [file, lines] : cases) {
        std::string expected;
        for (const std::string& line : lines) {
            expected += file.string() + line + "\n";
        }
        const ToolRun run = Tool({"parse", file.string()});
        EXPECT_EQ(run.status, 2) << file;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, expected);
    }
}

}  // namespace
