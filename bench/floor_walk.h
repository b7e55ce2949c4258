#pragma once

#include <cstdint>

#include "network_generator.h"

namespace rivo_bench {

// What any decomposition of a network must at least do, written plainly
// over dense arrays: adjacency lists built from the nodes and links as the
// host feeds them, then one breadth-first and one depth-first walk over every
// component, each from the component's lowest-ID node. The parse is measured
// against it.
struct FloorWalk {
    std::int64_t components = 0;
    // Sum of the walks' visiting positions: a use of every step, so that
    // nothing of the walks can be left out by the compiler.
    std::uint64_t checksum = 0;
};

FloorWalk WalkFloor(const Network& network);

}  // namespace rivo_bench
