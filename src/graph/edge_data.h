#pragma once

#include <cstdint>

#include "graph/gtl_graph.h"
#include "rivo/type_codes.h"

// The link type codes the host passes, under the core's name for links.
namespace edge_type = rivo::link_type;

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
