#include "records.h"

#include <pybind11/stl.h>

#include <string>
#include <vector>

#include "bindings.h"

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

void BindBranch(py::module_& m) {
    using B = dyn::IVBranch;
    py::class_<BranchObject> cls(m, "Branch", R"(A branch or loop branch of the result.

A chain of nodes and links that the solver marches through as computational
sections, listed from its end nearer the outlet. Each end meets another branch
at one of its sections (the down- and upstream numbers) or ends the network
(0). The object reads the parser's record on every access and keeps the parser
alive; after NetworkParser.release() every read raises RuntimeError.)");
    Property(cls, "branch_number", &B::BranchNumber, "The branch's number (from 1).");
    Property(cls, "down_stream_branch_number", &B::DownStreamBranchNumber,
             "The branch its downstream end meets, 0 for none.");
    Property(cls, "down_stream_up_section_number", &B::DownStreamUpSectionNumber,
             "The section of that branch it meets; negative where the last node is an "
             "outfall-type node joined to branch 1.");
    Property(cls, "up_stream_branch_number", &B::UpStreamBranchNumber,
             "The branch its upstream end meets, 0 for none.");
    Property(cls, "up_stream_up_section_number", &B::UpStreamUpSectionNumber,
             "The section of that branch it meets.");
    Property(cls, "number_of_nodes", &B::NumberOfNodes, "Nodes on the branch.");
    Property(cls, "number_of_edges", &B::NumberOfEdges, "Links on the branch (nodes - 1).");
    Property(cls, "number_of_sections", &B::NumberOfSections, "Computational sections.");
    Property(cls, "is_storage_outlet_branch", &B::IsStorageOutletBranch,
             "Whether the branch drains a storage node.");
    Property(cls, "is_single_storage_node_branch", &B::IsSingleStorageNodeBranch,
             "Whether the branch is one storage node.");
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
    using P = dyn::IVPumpLink;
    py::class_<PumpLinkObject> cls(m, "PumpLink", R"(A pump link of the result.

The branches and sections at the nodes the pump lifts from (up stream) and into
(down stream). Like Branch, it keeps its parser alive and reads the record on
every access.)");
#define RIVO_PROPERTY(type, name, Reader, python_name, meaning) \
    Property(cls, #python_name, &P::Reader, meaning);
    RIVO_PUMP_LINK_FIELDS(RIVO_PROPERTY)
#undef RIVO_PROPERTY
    cls.def("__repr__", PumpLinkRepr);
}

}  // namespace

void BindRecords(py::module_& module) {
    BindBranch(module);
    BindPumpLink(module);
}

}  // namespace rivo::python
