#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <span>

#include "tool_bridge.h"

namespace rivo::python {

// The result document as columns, for notebooks and array code: the keys of
// the dict form, every table (branches, loops, pump links, gutters, nodes,
// links) a dict of one-dimensional numpy arrays, one per field, and every
// ID list an array. A branch table keeps its node and link IDs in one flat
// array each: branch i's are nodeIDs[nodeOffsets[i]:nodeOffsets[i + 1]]. A
// per-node or per-link answer is a numpy masked array, masked where the
// query raised (the dict form's None). No Python object is made per row:
// the answers are read with the GIL released straight into the arrays.
// Called with the GIL held and the parser marked busy.
pybind11::dict ResultColumns(const ResultSummary& summary, dyn::RivoNetworkParser& parser,
                             std::span<const std::int32_t> nodeIDs,
                             std::span<const std::int32_t> linkIDs);

}  // namespace rivo::python
