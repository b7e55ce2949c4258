#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/parse_run.h"
#include "diagnosis/pump_diagnosis.h"
#include "host/network_model.h"
#include "host/result_reader.h"
#include "swmm/swmm_reader.h"

// What a picture of a network shows: the network as described plus the
// system's decomposition of it, read through the public interface.
namespace rivo::tool::render {

struct RenderData {
    std::string title;  // usually the file name
    host::Network network;
    std::optional<swmm::NameTable> names;  // of a SWMM model
    bool raised = false;                   // the parser raised while fed, parsing or read
    std::string error;                     // its message
    rivo::HRESULT hresult = 0;             // and its code
    bool result = false;                   // what ParseNetwork returned
    std::string falseReason;               // why it returned false, on one line
    // The parser's answers, nodes and links in network order; without any
    // answer where the parser raised.
    host::Result answers;
    std::unordered_set<std::int32_t> loopBranches;
    std::unordered_set<std::int32_t> isolatedNodes;
    std::unordered_set<std::int32_t> isolatedLinks;
    // Nodes at pump link ends the parser could not number, marked when a
    // parse stopped there is drawn as far as it got.
    std::unordered_set<std::int32_t> unnumberedPumpEnds;
};

// Reads what is drawn from a parser that parsed `network` with `outcome`.
// When the parser raised, `raised` is set and nothing is coloured, unless
// it stopped at the pump link ends `unnumbered` and `partial` asks for what
// it found before.
RenderData AnalyseNetwork(host::Network network, const ParseOutcome& outcome,
                          Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                          std::string title, const std::vector<UnnumberedPumpEnd>& unnumbered,
                          bool partial);

// The parser's message on one line: its context and detail stand on two.
std::string OneLine(std::string message);

// The fill colour of a branch: hues a golden-ratio turn apart, so that
// branches with neighbouring numbers never look alike. "#rrggbb".
std::string BranchColour(std::int32_t branchNumber);

}  // namespace rivo::tool::render
