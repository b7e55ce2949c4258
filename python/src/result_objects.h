#pragma once

#include <pybind11/pybind11.h>

#include "answer_stream.h"
#include "tool_bridge.h"

namespace rivo::python {

// The result document as Python objects (dicts, lists, ints, bools, None),
// with the keys and values `rivo parse` writes: the summary, then the
// per-node and per-link answers as `answers` delivers them. Keys are
// interned once.
pybind11::dict ResultObject(const ResultSummary& summary, AnswerStream& answers);

}  // namespace rivo::python
