#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

// `rivo import-swmm`, `rivo parse MODEL.inp` and `rivo render`, run as a
// user runs them.
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kTool = RIVO_TOOL;
const fs::path kFixtures = fs::path(RIVO_TOOL_FIXTURES) / "swmm";
const fs::path kExamples = RIVO_EXAMPLES;
const fs::path kShared = RIVO_SHARED_NETWORKS;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

json ReadJson(const fs::path& path) {
    return json::parse(ReadFile(path));
}

// Whether `text` is well-formed XML as far as a picture needs: every tag
// closed in order, attribute values quoted, no stray `<` or `&` in text.
::testing::AssertionResult WellFormed(const std::string& text) {
    std::vector<std::string> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && text.find(';', i) > text.find_first_of(" <&", i + 1)) {
            return ::testing::AssertionFailure() << "bare & at " << i;
        }
        if (text[i] != '<') {
            continue;
        }
        const std::size_t close = text.find('>', i);
        if (close == std::string::npos) {
            return ::testing::AssertionFailure() << "unclosed tag at " << i;
        }
        const std::string tag = text.substr(i + 1, close - i - 1);
        std::size_t quotes = 0;
        for (char c : tag)
            quotes += c == '"';
        if (quotes % 2 != 0 || tag.find('<') != std::string::npos) {
            return ::testing::AssertionFailure() << "bad tag <" << tag << ">";
        }
        const std::string name = tag.substr(0, tag.find_first_of(" /", 1));
        if (tag.front() == '/') {
            if (open.empty() || open.back() != tag.substr(1)) {
                return ::testing::AssertionFailure() << "unbalanced </" << tag.substr(1) << ">";
            }
            open.pop_back();
        } else if (tag.front() != '?' && tag.back() != '/') {
            open.push_back(name);
        }
        i = close;
    }
    if (!open.empty()) {
        return ::testing::AssertionFailure() << "<" << open.back() << "> never closed";
    }
    return ::testing::AssertionSuccess();
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

class SwmmToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "rivo_swmm_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool; returns its exit status, standard error in `err`.
    int Tool(const std::vector<std::string>& args, std::string* err = nullptr) {
        std::string command = "'" + kTool + "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        const fs::path errFile = dir_ / "stderr.txt";
        const int wait =
            std::system((command + " >/dev/null 2>'" + errFile.string() + "'").c_str());
        if (err != nullptr) {
            *err = ReadFile(errFile);
        }
        fs::remove(errFile);
        return WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    }

    // The exit status and the result (or error) document of `rivo parse`.
    std::pair<int, json> Parse(const fs::path& network) {
        const fs::path out = dir_ / "result.json";
        const int status = Tool({"parse", network.string(), "-o", out.string()});
        EXPECT_TRUE(status == 0 || status == 3) << network << " exits " << status;
        json result = fs::exists(out) ? ReadJson(out) : json();
        fs::remove(out);
        return {status, result};
    }

    fs::path dir_;
};

TEST_F(SwmmToolTest, ImportWritesTheDocumentAndTheNames) {
    const fs::path out = dir_ / "net.json", names = dir_ / "names.json";
    ASSERT_EQ(Tool({"import-swmm", (kFixtures / "every_kind.inp").string(), "-o", out.string(),
                    "--names", names.string()}),
              0);
    EXPECT_EQ(ReadJson(out), ReadJson(kFixtures / "every_kind.json"));
    EXPECT_EQ(ReadJson(names), ReadJson(kFixtures / "every_kind.names.json"));
}

TEST_F(SwmmToolTest, UnusableModelWritesNothingAndNamesEveryBadLine) {
    const std::string model = (kFixtures / "bad_lines.inp").string();
    const fs::path out = dir_ / "net.json", names = dir_ / "names.json";
    std::string err;
    EXPECT_EQ(Tool({"import-swmm", model, "-o", out.string(), "--names", names.string()}, &err), 2);
    EXPECT_EQ(err, model + ":3: [JUNCTIONS] J2: elevation 'abc' is not a number\n" + model +
                       ":5: C1: unknown node 'J9'\n" + model +
                       ":6: [CONDUITS] expected at least 4 fields (name from-node to-node "
                       "length), found 2\n");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(names));
    for (const char* command : {"parse", "render"}) {
        EXPECT_EQ(Tool({command, model, "-o", out.string()}), 2) << command;
        EXPECT_FALSE(fs::exists(out)) << command;
    }
}

TEST_F(SwmmToolTest, ParseOfAModelEqualsParseOfItsDocument) {
    EXPECT_EQ(Parse(kFixtures / "every_kind.inp"), Parse(kFixtures / "every_kind.json"));
}

// Small shared models covering pumps, weirs, orifices, outlets, storage,
// elevation offsets, coordinates missing and parallel links.
TEST_F(SwmmToolTest, SharedModelsParseAsTheirConvertedDocuments) {
    if (!fs::is_directory(kShared)) {
        GTEST_SKIP() << kShared << " is absent";
    }
    for (const char* name : {"swmmio-full-features", "nrt-gate-control-2", "pystorms-alpha",
                             "swmm5plus-all-pumps", "swmm5plus-parallel", "nrt-extran10"}) {
        const fs::path model = kShared / "inp" / (std::string(name) + ".inp");
        const fs::path document = kShared / "json" / (std::string(name) + ".json");
        if (!fs::exists(model) || !fs::exists(document)) {
            ADD_FAILURE() << name << " is missing from " << kShared;
            continue;
        }
        EXPECT_EQ(Parse(model), Parse(document)) << name;
    }
}

TEST_F(SwmmToolTest, RenderWritesWellFormedSvgWithOnePathPerLink) {
    struct Case {
        fs::path network;
        std::size_t links;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {kExamples / "showcase.json", 28, {}},
        {kExamples / "showcase.json", 28, {"--longest"}},
        {kFixtures / "every_kind.inp", 5, {}},
    };
    for (const Case& c : cases) {
        const fs::path svg = dir_ / "picture.svg";
        std::vector<std::string> args = {"render", c.network.string(), "-o", svg.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ASSERT_EQ(Tool(args), 0) << c.network;
        const std::string text = ReadFile(svg);
        EXPECT_TRUE(WellFormed(text)) << c.network;
        EXPECT_EQ(Count(text, "<path "), c.links) << c.network;
        EXPECT_NE(text.find("<g id=\"legend\""), std::string::npos);
    }
}

TEST_F(SwmmToolTest, RenderShowsWhatTheParserFound) {
    const fs::path svg = dir_ / "picture.svg";
    ASSERT_EQ(Tool({"render", (kExamples / "showcase.json").string(), "-o", svg.string()}), 0);
    const std::string text = ReadFile(svg);
    const json result = ReadJson(kExamples / "showcase.result.json");
    const std::string title = std::to_string(result["branches"].size()) + " branches, " +
                              std::to_string(result["loops"].size()) + " loops, " +
                              std::to_string(result["isolatedNodeIDs"].size()) +
                              " isolated nodes, " +
                              std::to_string(result["isolatedEdgeIDs"].size()) +
                              " isolated links; result " + (result["result"] ? "true" : "false");
    EXPECT_NE(text.find(title), std::string::npos) << title;
    EXPECT_EQ(Count(text, "class=\"i\""), result["isolatedEdgeIDs"].size());
    EXPECT_GT(Count(text, "class=\"l\""), 0u);
    EXPECT_GT(Count(text, "<text class=\"lab\""), 0u);
}

TEST_F(SwmmToolTest, RenderNeedsAnOutputItCanWrite) {
    const std::string network = (kExamples / "showcase.json").string();
    EXPECT_EQ(Tool({"render", network}), 2);
    EXPECT_EQ(Tool({"render", network, "-o", (dir_ / "no" / "such" / "dir.svg").string()}), 2);
}

}  // namespace
