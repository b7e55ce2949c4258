#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string_view>
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
    // Each parse also reports the time of each of its stages.
    bool profileStages = false;
};

// Adds the benchmark's options to `app`; parsing the command line fills
// `options`, which must outlive `app`.
void AddBenchOptions(CLI::App& app, BenchOptions& options);

// A node count: digits, optionally in the form 1e5, 10k or 2M; nothing when
// the text is none or the count is 0 or beyond what the generator lays out.
std::optional<std::int32_t> ParseSize(std::string_view text);

// A profile by the name the report prints for it; throws CLI::ValidationError.
Profile ProfileOption(std::string_view name);

}  // namespace rivo_bench
