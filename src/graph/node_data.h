#pragma once

#include <cstdint>

// Node type codes as the parse tests them.
namespace node_type {
inline constexpr std::int16_t kManhole = 0;
inline constexpr std::int16_t kOutfall = 1;
inline constexpr std::int16_t kStorage = 2;
// Takes one computational section instead of two between links of type 4.
inline constexpr std::int16_t kSingleSection = 3;
inline constexpr std::int16_t kPump = 4;
// A node inside a pump's pressure main.
inline constexpr std::int16_t kPressureMain = 5;
}  // namespace node_type

// Per-node record of the network: the host's description and everything the
// parse finds out about the node.
struct NodeData {
    double xPosition = 0.0;
    double yPosition = 0.0;
    std::int32_t branchNumber = 0;
    std::int32_t indexInBranch = 0;
    std::int32_t upStreamSectionNumber = 0;
    bool numbered = false;
    double downStreamSectionPosition = 0.0;
    std::int32_t nodeID = 0;
    std::int16_t nodeType = 0;
    bool isJunction = false;
    bool branchBoundary = false;
    bool outfallLinked = false;
    bool convertedToOutfall = false;
    bool storageHasDrain = false;
    bool convertedEndSeen = false;
    // A node is a pond until the host says otherwise.
    bool isPond = true;
    double longestPathLength = 0.0;
};
