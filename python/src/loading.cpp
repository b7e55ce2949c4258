#include <pybind11/stl.h>

#include <string>

#include "bindings.h"
#include "tool_bridge.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

PumpNodes ToPumpNodes(const std::string& name) {
    if (name == "storage") {
        return PumpNodes::kStorage;
    }
    if (name == "none") {
        return PumpNodes::kNone;
    }
    throw py::value_error("pump_nodes must be \"storage\" or \"none\", not \"" + name + "\"");
}

// Reads with the GIL released: a network of a million nodes takes seconds.
template <class Load>
std::shared_ptr<LoadedNetwork> Released(Load load) {
    py::gil_scoped_release release;
    return load();
}

template <std::shared_ptr<LoadedNetwork> (*Load)(const std::string&, PumpNodes)>
void DefineFileLoader(py::module_& m, const char* name) {
    m.def(
        name,
        [](const std::string& path, const std::string& pumpNodes) {
            const PumpNodes mapping = ToPumpNodes(pumpNodes);
            return Released([&] { return Load(path, mapping); });
        },
        py::arg("path"), py::arg("pump_nodes"));
}

}  // namespace

void BindLoading(py::module_& m) {
    py::class_<LoadedNetwork, std::shared_ptr<LoadedNetwork>>(m, "_Network")
        .def("document_text", &LoadedNetwork::DocumentText)
        .def("names_text", &LoadedNetwork::NamesText);
    DefineFileLoader<LoadNetworkFile>(m, "_load_file");
    DefineFileLoader<LoadSwmmFile>(m, "_load_swmm");
    m.def(
        "_load_text",
        [](const std::string& text, const std::string& name, const std::string& pumpNodes) {
            ToPumpNodes(pumpNodes);  // no pumps to map in a document, but the same check
            return Released([&] { return LoadNetworkText(text, name); });
        },
        py::arg("text"), py::arg("name"), py::arg("pump_nodes"));
}

}  // namespace rivo::python
