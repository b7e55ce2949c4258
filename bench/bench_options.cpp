#include "bench_options.h"

#include <charconv>
#include <string>

namespace rivo_bench {

namespace {

// Large enough for any network the generator lays out in memory.
constexpr std::uint64_t kMaxSize = 100'000'000;

template <class Number>
std::optional<Number> Digits(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseSize(std::string_view text) {
    std::uint64_t scale = 1;
    if (const std::size_t e = text.find_first_of("eE"); e != std::string_view::npos) {
        const std::optional<unsigned> exponent = Digits<unsigned>(text.substr(e + 1));
        if (!exponent || *exponent > 9) {
            return std::nullopt;
        }
        for (unsigned k = 0; k < *exponent; ++k) {
            scale *= 10;
        }
        text = text.substr(0, e);
    } else if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) {
        scale = 1000;
        text.remove_suffix(1);
    } else if (!text.empty() && (text.back() == 'm' || text.back() == 'M')) {
        scale = 1000000;
        text.remove_suffix(1);
    }
    const std::optional<std::uint64_t> value = Digits<std::uint64_t>(text);
    if (!value || *value == 0 || *value > kMaxSize / scale) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value * scale);
}

Profile ProfileOption(std::string_view name) {
    const std::optional<Profile> profile = ProfileFromName(name);
    if (!profile) {
        throw CLI::ValidationError("unknown profile '" + std::string(name) + "'");
    }
    return *profile;
}

void AddBenchOptions(CLI::App& app, BenchOptions& options) {
    app.add_option_function<std::vector<std::string>>(
           "--sizes",
           [&options](const std::vector<std::string>& items) {
               options.sizes.clear();
               for (const std::string& item : items) {
                   const std::optional<std::int32_t> size = ParseSize(item);
                   if (!size) {
                       throw CLI::ValidationError("bad size '" + item +
                                                  "' (use e.g. 1000, 1e4, 10k or 1M)");
                   }
                   options.sizes.push_back(*size);
               }
           },
           "Node counts, e.g. 1000,1e4,100k,1M (default 1e3,1e4,1e5,1e6)")
        ->delimiter(',');
    app.add_option_function<std::vector<std::string>>(
           "--profiles",
           [&options](const std::vector<std::string>& names) {
               options.profiles.clear();
               for (const std::string& name : names) {
                   if (name == "all") {
                       options.profiles.assign(std::begin(kAllProfiles), std::end(kAllProfiles));
                       return;
                   }
                   options.profiles.push_back(ProfileOption(name));
               }
           },
           "realistic, outfall-heavy, looped, chain, star, ring, extra-loops, or all (default)")
        ->delimiter(',');
    app.add_option("--seed", options.seed, "Generator seed (default 1)");
    app.add_option("--timeout", options.timeoutSeconds,
                   "Stop a case after this many seconds, 0 for none (default 1800)")
        ->check(CLI::Range(0u, 86400u));
    app.add_flag_callback(
        "--no-fork", [&options] { options.isolate = false; },
        "Run every case in this process: peak memory is then the largest so far, and there is "
        "no time limit");
    app.add_flag("--profile", options.profileStages,
                 "After the table, where each case's parses spent their time, stage by stage "
                 "(timing adds a little to the parse times)");
    app.add_flag_callback(
        "--smoke",
        [&options] {
            options.sizes = {10000};
            options.profiles.assign(std::begin(kAllProfiles), std::end(kAllProfiles));
            options.timeoutSeconds = 120;
        },
        "The 1e4 size of every profile, 120 s per case");
}

}  // namespace rivo_bench
