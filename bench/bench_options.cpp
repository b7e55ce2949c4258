#include "bench_options.h"

#include <cctype>
#include <sstream>

namespace rivo_bench {

namespace {

// Large enough for any network the generator lays out in memory.
constexpr std::int64_t kMaxSize = 100'000'000;

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        if (!item.empty()) {
            items.push_back(item);
        }
    }
    return items;
}

bool ParseSizes(const std::string& text, BenchOptions& options, std::string& error) {
    options.sizes.clear();
    for (const auto& item : SplitList(text)) {
        std::int32_t size = 0;
        if (!ParseSize(item, size)) {
            error = "bad size '" + item + "' (use e.g. 1000, 1e4, 10k or 1M)";
            return false;
        }
        options.sizes.push_back(size);
    }
    if (options.sizes.empty()) {
        error = "--sizes needs at least one size";
        return false;
    }
    return true;
}

bool ParseProfiles(const std::string& text, BenchOptions& options, std::string& error) {
    if (text == "all") {
        options.profiles.assign(std::begin(kAllProfiles), std::end(kAllProfiles));
        return true;
    }
    options.profiles.clear();
    for (const auto& item : SplitList(text)) {
        auto profile = ProfileFromName(item);
        if (!profile) {
            error = "unknown profile '" + item + "'";
            return false;
        }
        options.profiles.push_back(*profile);
    }
    if (options.profiles.empty()) {
        error = "--profiles needs at least one profile";
        return false;
    }
    return true;
}

bool ParseUnsigned(const std::string& text, std::uint64_t& value) {
    if (text.empty() || text.size() > 19) {
        return false;
    }
    value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

}  // namespace

bool ParseSize(const std::string& text, std::int32_t& size) {
    std::string digits = text;
    std::uint64_t scale = 1;
    std::size_t e = text.find_first_of("eE");
    if (e != std::string::npos) {
        std::uint64_t exponent = 0;
        if (!ParseUnsigned(text.substr(e + 1), exponent) || exponent > 9) {
            return false;
        }
        digits = text.substr(0, e);
        for (std::uint64_t k = 0; k < exponent; ++k) {
            scale *= 10;
        }
    } else if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) {
        digits.pop_back();
        scale = 1000;
    } else if (!text.empty() && (text.back() == 'm' || text.back() == 'M')) {
        digits.pop_back();
        scale = 1000000;
    }
    std::uint64_t value = 0;
    if (!ParseUnsigned(digits, value) || value == 0 || value > kMaxSize / scale) {
        return false;
    }
    size = static_cast<std::int32_t>(value * scale);
    return true;
}

bool ParseOptions(const std::vector<std::string>& args, BenchOptions& options, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        bool takesValue =
            flag == "--sizes" || flag == "--profiles" || flag == "--seed" || flag == "--timeout";
        if (takesValue && i + 1 == args.size()) {
            error = flag + " needs a value";
            return false;
        }
        std::uint64_t number = 0;
        if (flag == "--sizes") {
            if (!ParseSizes(args[++i], options, error)) {
                return false;
            }
        } else if (flag == "--profiles") {
            if (!ParseProfiles(args[++i], options, error)) {
                return false;
            }
        } else if (flag == "--seed" || flag == "--timeout") {
            if (!ParseUnsigned(args[++i], number) || (flag == "--timeout" && number > 86400)) {
                error = "bad value '" + args[i] + "' for " + flag;
                return false;
            }
            if (flag == "--seed") {
                options.seed = number;
            } else {
                options.timeoutSeconds = static_cast<unsigned>(number);
            }
        } else if (flag == "--smoke") {
            options.sizes = {10000};
            options.profiles.assign(std::begin(kAllProfiles), std::end(kAllProfiles));
            options.timeoutSeconds = 120;
        } else if (flag == "--no-fork") {
            options.isolate = false;
        } else if (flag == "--help" || flag == "-h") {
            options.help = true;
        } else {
            error = "unknown argument '" + flag + "'";
            return false;
        }
    }
    return true;
}

const char* UsageText() {
    return "Usage: rivo_bench [options]\n"
           "Times feeding, parsing and reading synthetic drainage networks.\n"
           "  --sizes LIST      node counts, e.g. 1000,1e4,100k,1M (default 1e3,1e4,1e5,1e6)\n"
           "  --profiles LIST   realistic, outfall-heavy, looped, chain, star, ring,\n"
           "                    extra-loops, or all (default all)\n"
           "  --seed N          generator seed (default 1)\n"
           "  --timeout S       stop a case after S seconds, 0 for none (default 1800)\n"
           "  --no-fork         run every case in this process: peak memory is then\n"
           "                    the largest so far, and there is no time limit\n"
           "  --smoke           the 1e4 size of every profile, 120 s per case\n"
           "  --help            this text\n";
}

}  // namespace rivo_bench
