#include "graph/edge_data.h"

#include "support/error_texts.h"
#include "support/kt_exception.h"

CEdgeData::CEdgeData(std::int32_t edgeID, GTL::node source, double elevationInSource,
                     GTL::node target, double elevationInTarget, double size, std::int16_t edgeType,
                     double length)
    : size(size),
      length(length),
      elevationInSource(elevationInSource),
      elevationInTarget(elevationInTarget),
      edgeID(edgeID),
      sourceNode(source),
      targetNode(target),
      edgeType(edgeType) {}

void CEdgeData::RaiseNotInEdge() {
    RaiseFailure(texts::kGetElevation, E_INVALIDARG, texts::kNodeNotInEdge);
}
