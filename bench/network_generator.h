#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "host/network_model.h"

namespace rivo_bench {

namespace host = rivo::host;

using host::Gutter;
using host::Link;
using host::Network;
using host::Node;
using host::PumpLink;
namespace node_type = host::node_type;
namespace link_type = host::link_type;

enum class Profile {
    // Dendritic gravity trees with loops, storage, pumps and controls.
    kRealistic,
    // Many outfalls, each with a small catchment; a few catchments joined.
    kOutfallHeavy,
    // A street grid: every block a loop, one outfall at a corner.
    kLooped,
    // Stress shapes.
    kChain,       // N-1 manholes in one line to an outfall
    kStar,        // one manhole joined to every other node
    kRing,        // N outfalls joined in a ring
    kExtraLoops,  // the realistic network with loop links for 10% of nodes
};

inline constexpr Profile kAllProfiles[] = {
    Profile::kRealistic, Profile::kOutfallHeavy, Profile::kLooped,    Profile::kChain,
    Profile::kStar,      Profile::kRing,         Profile::kExtraLoops};

std::string_view ProfileName(Profile profile);
std::optional<Profile> ProfileFromName(std::string_view name);

// The network of a profile with about `nodes` nodes (at least 16). The same
// profile, size and seed give the same network on every platform. Node IDs
// run 1..N and link IDs 1..M, each list in ID order, but the IDs are a
// random relabelling of the layout, so that ID order says nothing about the
// topology.
Network Generate(Profile profile, std::int32_t nodes, std::uint64_t seed);

}  // namespace rivo_bench
