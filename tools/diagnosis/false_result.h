#pragma once

#include <string>
#include <vector>

#include "host/network_model.h"
#include "rivo/rivo.h"
#include "swmm/swmm_reader.h"

// Why a parse answered false, in the words of the one who drew the network.
// The parser says false when some node drains to no outlet; it lists those
// nodes, or none at all when it found no outlet to start from. The tool
// groups them by the links that join them and names, for each group, the
// outfalls without links that lie nearest to it: an outfall whose pipe was
// never drawn is the usual cause.
namespace rivo::tool {

struct FalseReason {
    // What stops the network draining: "no outlet: ..." and "N nodes in G
    // groups reach no outlet".
    std::vector<std::string> headlines;
    // One per group, largest first: its size, a few of its nodes, and the
    // outfalls without links beside it.
    std::vector<std::string> groups;

    // The reason on one line, for a title or a map property.
    std::string OneLine() const;
};

// Reads what the parser listed after answering false for `network` (the
// network it was given) and tells why; `names` are a SWMM model's.
FalseReason ExplainFalseResult(Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                               const host::Network& network, const swmm::NameTable* names);

}  // namespace rivo::tool
