#pragma once

#include <cstdint>

#include "network_generator.h"
#include "rivo.h"

namespace rivo_bench {

// What reading a parse's results came to. The checksum folds every value
// read, so that the reads cannot be dropped and two runs can be compared.
struct ReadTally {
    std::int64_t queries = 0;
    // Queries that raised, e.g. the position of a node that lies on no
    // branch. A host reads on after such an error, and so does the reader.
    std::int64_t errors = 0;
    std::uint64_t checksum = 0;
    std::int32_t branches = 0;
    std::int32_t loops = 0;
};

// Reads every result a host reads after a parse: all branches and loop
// branches with their nodes and links, the pump links, the per-node and
// per-link queries for every node and link of `network`, and the lists of
// isolated nodes and links, removed outfalls and gutters.
ReadTally ReadEverything(Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser,
                         const Network& network);

}  // namespace rivo_bench
