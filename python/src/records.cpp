#include "records.h"

#include <pybind11/stl.h>

#include <string>
#include <vector>

#include "bindings.h"
#include "rivo/record_fields.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

// A read-only property that forwards to a member of the record; each read
// shows the record's current contents.
template <class Object, class Record, class R>
void Property(py::class_<Object>& cls, const char* name, R (Record::*member)() const,
              const char* doc) {
    cls.def_property_readonly(
        name, [member](const Object& self) { return (self.Get().*member)(); }, doc);
}

std::vector<std::int32_t> Ids(const dyn::IVBranch& branch, bool nodes) {
    const std::int32_t count = nodes ? branch.NumberOfNodes() : branch.NumberOfEdges();
    std::vector<std::int32_t> ids;
    ids.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (std::int32_t i = 0; i < count; ++i) {
        ids.push_back(nodes ? branch.GetNodeID(i) : branch.GetEdgeID(i));
    }
    return ids;
}

std::string BranchRepr(const BranchObject& self) {
    if (const char* reason = self.state->Unavailable()) {
        return std::string("<rivo.Branch: ") + reason + ">";
    }
    const dyn::IVBranch& b = *self.branch;
    return "Branch(branch_number=" + std::to_string(b.BranchNumber()) +
           ", number_of_nodes=" + std::to_string(b.NumberOfNodes()) +
           ", number_of_sections=" + std::to_string(b.NumberOfSections()) + ", down_stream=(" +
           std::to_string(b.DownStreamBranchNumber()) + ", " +
           std::to_string(b.DownStreamUpSectionNumber()) + "), up_stream=(" +
           std::to_string(b.UpStreamBranchNumber()) + ", " +
           std::to_string(b.UpStreamUpSectionNumber()) + "))";
}

std::string PumpLinkRepr(const PumpLinkObject& self) {
    if (const char* reason = self.state->Unavailable()) {
        return std::string("<rivo.PumpLink: ") + reason + ">";
    }
    const dyn::IVPumpLink& p = *self.pumpLink;
    return "PumpLink(pump_link_id=" + std::to_string(p.PumpLinkID()) + ", up_stream=(node " +
           std::to_string(p.UpStreamNodeID()) + ", branch " +
           std::to_string(p.UpStreamBranchNumber()) + ", section " +
           std::to_string(p.UpStreamNodeUpSectionNumber()) + "), down_stream=(node " +
           std::to_string(p.DownStreamNodeID()) + ", branch " +
           std::to_string(p.DownStreamBranchNumber()) + ", section " +
           std::to_string(p.DownStreamNodeUpSectionNumber()) + "))";
}

// A field of a record list as a property read by `Record`'s reader.
#define RIVO_PROPERTY(type, name, Reader, python_name, meaning) \
    Property(cls, #python_name, &Record::Reader, meaning);

void BindBranch(py::module_& m) {
    using Record = dyn::IVBranch;
    py::class_<BranchObject> cls(m, "Branch", R"(A branch or loop branch of the result.

A chain of nodes and links that the solver marches through as computational
sections, listed from its end nearer the outlet. Each end meets another branch
at one of its sections (the down- and upstream numbers) or ends the network
(0). The object reads the parser's record on every access and keeps the parser
alive; after NetworkParser.release() every read raises RuntimeError.)");
    RIVO_BRANCH_FIELDS(RIVO_PROPERTY)
    Property(cls, "number_of_nodes", &Record::NumberOfNodes, "Nodes on the branch.");
    Property(cls, "number_of_edges", &Record::NumberOfEdges, "Links on the branch (nodes - 1).");
    cls.def(
           "get_node_id",
           [](const BranchObject& self, std::int32_t index) { return self.Get().GetNodeID(index); },
           py::arg("index"), "The ID of the node at `index`; raises ParserError when out of range.")
        .def(
            "get_edge_id",
            [](const BranchObject& self, std::int32_t index) {
                return self.Get().GetEdgeID(index);
            },
            py::arg("index"),
            "The ID of the link at `index`; raises ParserError when out of range.")
        .def_property_readonly(
            "node_ids", [](const BranchObject& self) { return Ids(self.Get(), true); },
            "The IDs of all its nodes, in order.")
        .def_property_readonly(
            "edge_ids", [](const BranchObject& self) { return Ids(self.Get(), false); },
            "The IDs of all its links, in order.")
        .def("__repr__", BranchRepr);
}

void BindPumpLink(py::module_& m) {
    using Record = dyn::IVPumpLink;
    py::class_<PumpLinkObject> cls(m, "PumpLink", R"(A pump link of the result.

The branches and sections at the nodes the pump lifts from (up stream) and into
(down stream). Like Branch, it keeps its parser alive and reads the record on
every access.)");
    RIVO_PUMP_LINK_FIELDS(RIVO_PROPERTY)
    cls.def("__repr__", PumpLinkRepr);
}

#undef RIVO_PROPERTY

}  // namespace

void BindRecords(py::module_& module) {
    BindBranch(module);
    BindPumpLink(module);
}

}  // namespace rivo::python
