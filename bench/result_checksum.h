#pragma once

#include <cstdint>
#include <span>

#include "rivo/rivo.h"

namespace rivo_bench {

// What reading a parse's results came to. The checksum folds every value
// read, so that the reads cannot be dropped and two runs can be compared.
struct ReadTally {
    // Queries that raised, e.g. the position of a node that lies on no
    // branch. A host reads on after such an error, and so does the reader.
    std::int64_t errors = 0;
    std::uint64_t checksum = 0;
    std::int32_t branches = 0;
    std::int32_t loops = 0;
};

// Reads every result a host reads after a parse (the result reader of the
// tool), with the per-node and per-link answers for the IDs given, and folds
// it into a checksum: branches and loop branches with their nodes and links,
// the pump links, the node and the link answers, then the counts, the lists
// of isolated nodes and links and of removed outfalls, and the gutters.
ReadTally ReadEverything(Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                         std::span<const std::int32_t> nodeIDs,
                         std::span<const std::int32_t> linkIDs);

}  // namespace rivo_bench
