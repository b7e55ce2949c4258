#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "bench/bench_options.h"

namespace {

using namespace rivo_bench;

class BenchCommandLine : public ::testing::Test {
protected:
    bool Parse(const std::string& commandLine) {
        CLI::App app;
        AddBenchOptions(app, options);
        try {
            app.parse(commandLine, false);
        } catch (const CLI::ParseError& e) {
            error = e.what();
            return false;
        }
        return true;
    }
    BenchOptions options;
    std::string error;
};

TEST_F(BenchCommandLine, ReadsSizesInEveryWrittenForm) {
    ASSERT_TRUE(Parse("--sizes 1000,1e4,100k,1M")) << error;
    EXPECT_EQ(options.sizes, (std::vector<std::int32_t>{1000, 10000, 100000, 1000000}));
    for (const char* bad : {"0", "-5", "+5", "1e", "k", "1e10", "12x", "500000000", ""}) {
        EXPECT_FALSE(ParseSize(bad)) << bad;
    }
    EXPECT_FALSE(Parse("--sizes 10,12x"));
    EXPECT_NE(error.find("12x"), std::string::npos);
}

// Every profile by the name the report prints for it, in the order given.
TEST_F(BenchCommandLine, SelectsProfilesByNameAndRejectsUnknownOnes) {
    const std::vector<Profile> backwards(std::rbegin(kAllProfiles), std::rend(kAllProfiles));
    std::string names;
    for (Profile p : backwards) {
        names += (names.empty() ? "" : ",") + std::string(ProfileName(p));
    }
    ASSERT_TRUE(Parse("--profiles " + names)) << error;
    EXPECT_EQ(options.profiles, backwards);
    EXPECT_FALSE(Parse("--profiles looped,grid"));
    EXPECT_NE(error.find("grid"), std::string::npos);
}

}  // namespace
