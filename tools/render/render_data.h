#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "network_model.h"
#include "result_summary.h"

// What a picture of a network shows: the network as described plus the
// system's decomposition of it, read through the public interface.
namespace rivo::tool::render {

struct RenderData {
    std::string title;  // usually the file name
    host::Network document;
    bool raised = false;  // the system raised while fed, parsing or summarised
    std::string error;    // its message
    ResultSummary summary;
    std::vector<std::optional<std::int32_t>> linkBranch;  // per document link
    std::vector<bool> convertedOutfall;                   // per document node
    std::unordered_set<std::int32_t> loopBranches;
    std::unordered_set<std::int32_t> isolatedNodes;
    std::unordered_set<std::int32_t> isolatedLinks;
};

// Feeds `document` to a fresh parser, parses it and reads what is drawn.
// A per-link or per-node query that raises leaves its item without answer;
// when the parse itself raises, `raised` is set and nothing is coloured.
RenderData AnalyseNetwork(host::Network document, bool findLongestBranch, std::string title);

// The fill colour of a branch: hues a golden-ratio turn apart, so that
// branches with neighbouring numbers never look alike. "#rrggbb".
std::string BranchColour(std::int32_t branchNumber);

}  // namespace rivo::tool::render
