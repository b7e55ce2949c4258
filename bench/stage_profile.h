#pragma once

#include <string_view>

#include "parser/parse_stages.h"
#include "rivo/rivo.h"

namespace rivo_bench {

// The host's parser with its core's stage clock in reach: the benchmark links
// the core itself, a host has no use for it.
class StageTimedParser : public Velmora::Calculations::Dynamic::RivoNetworkParser {
public:
    // The parse adds each stage's time to `times` (see parse_stages.h).
    void TimeStages(StageTimes* times);
};

// Where the time of one case's two parses went, one Markdown row per stage
// that took any: ParseNetwork(), then the two passes of ParseNetwork(true),
// and what of each parse no stage accounts for.
void PrintStageTable(std::string_view title, const StageTimes& parse, double parseMs,
                     const StageTimes& longest, double longestMs);

}  // namespace rivo_bench
