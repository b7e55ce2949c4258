#pragma once

#include <ostream>

#include "network_model.h"
#include "rivo.h"

namespace rivo::tool {

// Runs a checked document through the system: feeds it, parses it, reads the
// result and writes the result document to `out`. When the system raises
// (while fed, while parsing or while the summary is read) the error document
// is written instead. Returns kParsed or kSystemRaised.
//
// The document is taken by value and dropped once fed: from then on the
// system holds the network, and only the IDs are kept for the result's
// per-node and per-link lines. On a large network that is most of the
// tool's own memory.
int RunNetwork(host::Network document, bool findLongestBranch,
               Velmora::Calculations::Dynamic::IVFLDNetwork& hostNetwork,
               Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser, std::ostream& out);

}  // namespace rivo::tool
