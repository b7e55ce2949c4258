#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>

#include "host/network_model.h"
#include "output/result_writer.h"
#include "rivo/rivo.h"

namespace rivo::tool {

// What describing a network to the parser and parsing it came to.
struct ParseOutcome {
    std::optional<bool> result;        // what ParseNetwork returned
    std::optional<RaisedError> error;  // what the parser raised instead
    bool raisedWhileParsing = false;   // rather than while the network was described
};

// Feeds `network` to the parser (rivo::host::Feed) and parses it; a raise
// of the parser becomes the outcome.
ParseOutcome FeedAndParse(const host::Network& network, bool findLongestBranch,
                          Velmora::Calculations::Dynamic::IVFLDNetwork& hostNetwork,
                          Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser);

// Writes the result document of a parse, or the error document when the
// parser raised, and returns kParsed or kSystemRaised. The answers are read
// for the nodes and links given; a raise while the summary is read (which
// writes nothing) gives the error document too. With `partial`, a parse
// that raised gets the result document as the parser left it, with the
// error beside a null result. `names` (a SWMM model's) close the document.
int WriteParseDocument(std::ostream& out, const ParseOutcome& outcome,
                       Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                       std::span<const std::int32_t> nodeIDs, std::span<const std::int32_t> linkIDs,
                       const swmm::NameTable* names = nullptr, bool partial = false);

}  // namespace rivo::tool
