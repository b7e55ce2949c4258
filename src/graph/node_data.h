#pragma once

#include <cstdint>

#include "rivo/type_codes.h"

// The node type codes the host passes; the core says node_type:: as the host does.
namespace node_type = rivo::node_type;

// Copies of a node made by the longest-branch pass have the IDs
// k * kCopyIDBase + the copied node's ID (k = 1, 2, ...).
inline constexpr std::int32_t kCopyIDBase = 100000000;

// Per-node record of the network: the host's description and everything the
// parse finds out about the node. The flags are single bits, so that the
// record of a million-node network (and of the node copies the
// longest-branch pass makes) packs into 56 bytes.
struct NodeData {
    double xPosition = 0.0;
    double yPosition = 0.0;
    double downStreamSectionPosition = 0.0;
    double longestPathLength = 0.0;
    std::int32_t branchNumber = 0;
    std::int32_t indexInBranch = 0;
    std::int32_t upStreamSectionNumber = 0;
    std::int32_t nodeID = 0;
    std::int16_t nodeType = 0;
    bool numbered : 1 = false;
    bool isJunction : 1 = false;
    bool branchBoundary : 1 = false;
    bool outfallLinked : 1 = false;
    bool convertedToOutfall : 1 = false;
    bool storageHasDrain : 1 = false;
    bool convertedEndSeen : 1 = false;
    // A node is a pond until the host says otherwise.
    bool isPond : 1 = true;
};

// An outfall-type node: an outfall, or a storage node the parse turned into one.
inline bool IsOutfallType(const NodeData& d) {
    return d.nodeType == node_type::kOutfall;
}

inline bool IsConvertedOutfall(const NodeData& d) {
    return IsOutfallType(d) && d.convertedToOutfall;
}

// A storage node that cannot drain, or that water drops into, holds its water
// as an outfall does, and the part of the network behind it drains to it.
inline void ConvertToOutfall(NodeData& d) {
    d.nodeType = node_type::kOutfall;
    d.convertedToOutfall = true;
}
