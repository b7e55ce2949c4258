#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "network_generator.h"

namespace rivo_bench {

struct BenchOptions {
    std::vector<std::int32_t> sizes{1000, 10000, 100000, 1000000};
    std::vector<Profile> profiles{std::begin(kAllProfiles), std::end(kAllProfiles)};
    std::uint64_t seed = 1;
    // Each case runs in a child process, so that its peak memory is its own
    // and a crash or a hang ends only that case.
    bool isolate = true;
    // A case that runs longer is stopped and reported; 0 means no limit.
    unsigned timeoutSeconds = 1800;
    bool help = false;
};

// Reads the command line (without the program name). On a bad argument,
// returns false and says why in `error`.
bool ParseOptions(const std::vector<std::string>& args, BenchOptions& options, std::string& error);

// A node count: digits, optionally in the form 1e5, 10k or 2M.
bool ParseSize(const std::string& text, std::int32_t& size);

const char* UsageText();

}  // namespace rivo_bench
