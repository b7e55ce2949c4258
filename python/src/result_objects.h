#pragma once

#include <pybind11/pybind11.h>

#include "tool_bridge.h"

namespace rivo::python {

// The result document as Python objects (dicts, lists, ints, bools, None),
// with the keys and values `rivo parse` writes. Keys are interned once.
pybind11::dict ResultObject(const ResultTables& tables);

}  // namespace rivo::python
