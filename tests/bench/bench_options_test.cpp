#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench_options.h"

namespace {

using namespace rivo_bench;

bool Parse(const std::vector<std::string>& args, BenchOptions& options, std::string& error) {
    return ParseOptions(args, options, error);
}

TEST(BenchOptions, ReadsSizesInEveryWrittenForm) {
    BenchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--sizes", "1000,1e4,100k,1M"}, options, error)) << error;
    EXPECT_EQ(options.sizes, (std::vector<std::int32_t>{1000, 10000, 100000, 1000000}));
    for (const char* bad : {"0", "-5", "1e", "k", "1e10", "12x", "500000000"}) {
        std::int32_t size = 0;
        EXPECT_FALSE(ParseSize(bad, size)) << bad;
    }
}

TEST(BenchOptions, SelectsProfilesByNameAndRejectsUnknownOnes) {
    BenchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--profiles", "looped,chain"}, options, error)) << error;
    EXPECT_EQ(options.profiles, (std::vector<Profile>{Profile::kLooped, Profile::kChain}));
    EXPECT_FALSE(Parse({"--profiles", "looped,grid"}, options, error));
    EXPECT_NE(error.find("grid"), std::string::npos);
}

TEST(BenchOptions, SmokeRunsEveryProfileAtTenThousandNodesUnderATimeLimit) {
    BenchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--profiles", "star", "--smoke"}, options, error)) << error;
    EXPECT_EQ(options.sizes, std::vector<std::int32_t>{10000});
    EXPECT_EQ(options.profiles.size(), std::size(kAllProfiles));
    EXPECT_GT(options.timeoutSeconds, 0u);
}

TEST(BenchOptions, RejectsMissingValuesAndUnknownFlags) {
    BenchOptions options;
    std::string error;
    EXPECT_FALSE(Parse({"--sizes"}, options, error));
    EXPECT_FALSE(Parse({"--seed", "x1"}, options, error));
    EXPECT_FALSE(Parse({"--fast"}, options, error));
    ASSERT_TRUE(Parse({"--seed", "42", "--no-fork"}, options, error)) << error;
    EXPECT_EQ(options.seed, 42u);
    EXPECT_FALSE(options.isolate);
}

}  // namespace
