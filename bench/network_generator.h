#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "interface/network_interfaces.h"

namespace rivo_bench {

// Codes the host uses for node and link types.
namespace node_kind {
inline constexpr std::int16_t kManhole = 0;
inline constexpr std::int16_t kOutfall = 1;
inline constexpr std::int16_t kStorage = 2;
inline constexpr std::int16_t kPump = 4;
}  // namespace node_kind

namespace link_kind {
inline constexpr std::int16_t kPipe = 0;
inline constexpr std::int16_t kPressureMain = 7;
// Weirs, orifices and other controls: the parser keeps them out of the trees.
inline constexpr std::int16_t kSetAside[] = {3, 5, 6, 8};
bool IsSetAside(std::int16_t type);
}  // namespace link_kind

struct Node {
    std::int32_t id = 0;
    double x = 0.0;
    double y = 0.0;
    std::int16_t type = node_kind::kManhole;
    // Only meaningful for storage nodes; the parser treats every node as a
    // pond until told otherwise.
    bool pond = true;
};

// Elevations are the link's invert levels at its source and target ends.
struct Link {
    std::int32_t id = 0;
    std::int32_t source = 0;
    std::int32_t target = 0;
    double sourceElevation = 0.0;
    double targetElevation = 0.0;
    double size = 0.0;
    std::int16_t type = link_kind::kPipe;
    double length = 0.0;
};

struct PumpLink {
    std::int32_t id = 0;
    std::int32_t upNode = 0;
    std::int32_t downNode = 0;
};

struct Gutter {
    std::int32_t linkID = 0;
    bool directionSameAsUI = true;
};

// A network as a host would describe it. Node IDs run 1..N and link IDs
// 1..M, each list in ID order, but the IDs are a random relabelling of the
// network's layout so that ID order says nothing about the topology.
struct Network {
    std::vector<Node> nodes;
    std::vector<Link> links;
    std::vector<PumpLink> pumpLinks;
    std::vector<Gutter> gutters;
};

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
// profile, size and seed give the same network on every platform.
Network Generate(Profile profile, std::int32_t nodes, std::uint64_t seed);

// Describes the network to the host in the order a host does: every node,
// the node flags (storage type, not a pond), every link, the pump links.
void Feed(const Network& network, Velmora::Calculations::Dynamic::IVFLDNetwork& host);

// The same, then the gutter links, which the parser's interface takes.
void Feed(const Network& network, Velmora::Calculations::Dynamic::IVFLDNetwork& host,
          Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser);

}  // namespace rivo_bench
