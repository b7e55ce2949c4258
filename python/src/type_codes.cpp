#include <pybind11/pybind11.h>

#include "bindings.h"
#include "rivo/type_codes.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

// An IntEnum of the library's codes: Python code names a type as C++ code
// does, and the value passes wherever a code is taken.
void AddCodes(py::module_& module, const char* name, const char* doc,
              std::initializer_list<std::pair<const char*, std::int16_t>> codes) {
    py::dict members;
    for (const auto& [member, code] : codes) {
        members[member] = code;
    }
    py::object type = py::module_::import("enum").attr("IntEnum")(name, members);
    type.attr("__doc__") = doc;
    type.attr("__module__") = "rivo";
    module.attr(name) = type;
}

}  // namespace

void BindTypeCodes(py::module_& module) {
    AddCodes(module, "NodeType", "Node type codes: the node_type argument of add_node.",
             {{"MANHOLE", node_type::kManhole},
              {"OUTFALL", node_type::kOutfall},
              {"STORAGE", node_type::kStorage},
              {"SINGLE_SECTION", node_type::kSingleSection},
              {"PUMP", node_type::kPump},
              {"PRESSURE_MAIN", node_type::kPressureMain}});
    AddCodes(module, "LinkType", "Link type codes: the edge_type argument of add_edge.",
             {{"PIPE", link_type::kPipe},
              {"CONTROL", link_type::kControl},
              {"SINGLE_SECTION_NEIGHBOUR", link_type::kSingleSectionNeighbour},
              {"ORIFICE", link_type::kOrifice},
              {"WEIR", link_type::kWeir},
              {"PRESSURE_MAIN", link_type::kPressureMain},
              {"OUTLET", link_type::kOutlet}});
}

}  // namespace rivo::python
