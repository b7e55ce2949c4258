#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

// The built tool run as a user runs it, in a fresh folder per test.
namespace rivo_tool_test {

namespace fs = std::filesystem;
using nlohmann::json;

inline const fs::path kFixtures = RIVO_TOOL_FIXTURES;
inline const fs::path kSwmm = kFixtures / "swmm";
inline const fs::path kExamples = RIVO_EXAMPLES;

inline std::string Fixture(const std::string& name) {
    return (kFixtures / name).string();
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline json ReadJson(const fs::path& path) {
    return json::parse(ReadFile(path));
}

inline std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "rivo_tool_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool with `args` through the shell; `shell` may wrap the
    // command (`{}` stands for it), to set limits first or redirect its output.
    ToolRun Tool(const std::vector<std::string>& args, std::string shell = "{}") {
        std::string command = "'" RIVO_TOOL "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        shell.replace(shell.find("{}"), 2, command);
        const fs::path out = dir_ / "stdout.txt", err = dir_ / "stderr.txt";
        const int wait = std::system(
            ("(" + shell + ") >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
        ToolRun run{WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, ReadFile(out), ReadFile(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }

    std::string Render(const fs::path& network, std::vector<std::string> args = {}) {
        const fs::path svg = dir_ / "picture.svg";
        args.insert(args.begin(), {"render", network.string(), "-o", svg.string()});
        EXPECT_EQ(Tool(args).status, 0) << network;
        return ReadFile(svg);
    }

    fs::path dir_;
};

}  // namespace rivo_tool_test
