#pragma once

#include <cstdint>

#include "graph/gtl_graph.h"

// Link type codes as the parse tests them.
namespace edge_type {
// Kinds that never become part of a branch tree (kept as one-link loop branches).
inline constexpr std::int16_t kSetAside3 = 3;
inline constexpr std::int16_t kSetAside5 = 5;
inline constexpr std::int16_t kSetAside6 = 6;
inline constexpr std::int16_t kSetAside8 = 8;
// A link next to which a type-3 node takes one section.
inline constexpr std::int16_t kSingleSectionNeighbour = 4;
// A link of a pump's pressure main.
inline constexpr std::int16_t kPressureMain = 7;

inline constexpr bool IsSetAside(std::int16_t type) {
    return type == kSetAside3 || type == kSetAside5 || type == kSetAside6 || type == kSetAside8;
}
}  // namespace edge_type

// Per-link record: the host's description of the link and what the parse
// writes about it. A million-link network holds a million of these (and the
// longest-branch pass copies one per loop), so the record is plain data with
// its fields ordered to leave no padding.
class CEdgeData {
public:
    CEdgeData(std::int32_t edgeID, GTL::node source, double elevationInSource, GTL::node target,
              double elevationInTarget, double size, std::int16_t edgeType, double length);

    // The link's end elevation at n; the source is tested first, so a link
    // whose ends are one node answers with its source elevation.
    double GetElevation(GTL::node n) const {
        if (n == sourceNode) {
            return elevationInSource;
        }
        if (n == targetNode) {
            return elevationInTarget;
        }
        RaiseNotInEdge();
    }

    double size;
    double firstSectionPosition = 0.0;
    double secondSectionPosition = 0.0;
    double length;
    double elevationInSource;
    double elevationInTarget;
    std::int32_t edgeID;
    std::int32_t branchNumber = 0;
    std::int32_t upStreamSectionNumber = 0;
    GTL::node sourceNode;
    GTL::node targetNode;
    std::int16_t edgeType;
    bool parserDirectionSameAsUI = true;

private:
    [[noreturn]] static void RaiseNotInEdge();
};
