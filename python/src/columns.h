#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace rivo::python {

// One argument of a bulk call (add_nodes, add_edges, add_pump_links): any
// iterable of Python numbers, or an object with a one-dimensional buffer
// (a numpy array, array.array, memoryview). Values are converted and checked
// before the first call reaches the parser, so a bad value changes nothing.
// `name` names the argument in messages: "ids[3]: expected an integer,
// found float".
std::vector<std::int32_t> IdColumn(pybind11::handle values, const char* name);
std::vector<std::int16_t> TypeColumn(pybind11::handle values, const char* name);
std::vector<double> NumberColumn(pybind11::handle values, const char* name);
// Numbers where None stands for "not given".
std::vector<std::optional<double>> OptionalNumberColumn(pybind11::handle values, const char* name);

}  // namespace rivo::python
