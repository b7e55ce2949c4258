#include "stage_profile.h"

#include <cstdio>
#include <numeric>
#include <string>

#include "parser/network_parser.h"

namespace rivo_bench {

void StageTimedParser::TimeStages(StageTimes* times) {
    networkParser->TimeStages(times);
}

namespace {

double Total(const StageTimes& times) {
    double total = 0.0;
    for (const auto& pass : times.ms) {
        total = std::accumulate(pass.begin(), pass.end(), total);
    }
    return total;
}

std::string Cell(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ms);
    return text;
}

}  // namespace

void PrintStageTable(std::string_view title, const StageTimes& parse, double parseMs,
                     const StageTimes& longest, double longestMs) {
    std::printf(
        "\n%.*s\n\n| stage | parse ms | share | longest, first pass ms | longest, second pass "
        "ms |\n|---|--:|--:|--:|--:|\n",
        static_cast<int>(title.size()), title.data());
    constexpr auto kFirst = static_cast<std::size_t>(ParsePass::kFirst);
    constexpr auto kSecond = static_cast<std::size_t>(ParsePass::kSecond);
    for (std::size_t s = 0; s < kParseStageCount; ++s) {
        const double plain = parse.ms[kFirst][s];
        const double first = longest.ms[kFirst][s];
        const double second = longest.ms[kSecond][s];
        if (plain + first + second <= 0.0) {
            continue;
        }
        std::printf("| %s | %s | %s%% | %s | %s |\n", std::string(kParseStageNames[s]).c_str(),
                    Cell(plain).c_str(),
                    Cell(parseMs > 0.0 ? 100.0 * plain / parseMs : 0.0).c_str(),
                    Cell(first).c_str(), Cell(second).c_str());
    }
    // The call into the core, the parse's bookkeeping between stages and
    // the clock itself; nothing for a longest-branch parse that raised, whose
    // stages ran only as far as the raise and whose time was not taken.
    const std::string rest = longestMs > 0.0 ? Cell(longestMs - Total(longest)) : "-";
    std::printf("| (no stage) | %s | | %s | |\n", Cell(parseMs - Total(parse)).c_str(),
                rest.c_str());
    std::fflush(stdout);
}

}  // namespace rivo_bench
