#include "graph/edge_data.h"

CEdgeData::CEdgeData(std::int32_t edgeID, GTL::node source, double elevationInSource,
                     GTL::node target, double elevationInTarget, double size, std::int16_t edgeType,
                     double length)
    : size(size),
      edgeID(edgeID),
      edgeType(edgeType),
      length(length),
      elevationInSource(elevationInSource),
      elevationInTarget(elevationInTarget),
      sourceNode(source),
      targetNode(target) {}

// The context is named only on the failure path: it is observable only in the
// raised message, and naming it on every elevation lookup would cost an
// allocation per link of a large network.
void CEdgeData::RaiseNotInEdge() const {
    error().SetContext(texts::kGetElevation);
    error().ThrowError(E_INVALIDARG, texts::kNodeNotInEdge);
    __builtin_unreachable();
}
