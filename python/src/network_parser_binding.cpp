#include <pybind11/stl.h>

#include <optional>
#include <string>

#include "bindings.h"
#include "records.h"
#include "result_columns.h"
#include "result_objects.h"
#include "tool_bridge.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

using Parser = dyn::RivoNetworkParser;
using Class = py::class_<NetworkParserObject>;

// A method that forwards its arguments to the parser's member of the same
// name; what the parser raises reaches Python as ParserError.
template <class R, class... A, class... Extra>
void Method(Class& cls, const char* name, R (Parser::*member)(A...), const char* doc,
            const Extra&... extra) {
    cls.def(
        name,
        [member](NetworkParserObject& self, A... args) -> R {
            return (self.Use().*member)(args...);
        },
        extra..., doc);
}

template <class R>
void Property(Class& cls, const char* name, R (Parser::*member)() const, const char* doc) {
    cls.def_property_readonly(
        name, [member](const NetworkParserObject& self) { return (self.Use().*member)(); }, doc);
}

std::string Repr(const NetworkParserObject& self) {
    const ParserState& s = *self.state;
    if (const char* reason = s.Unavailable()) {
        return std::string("<rivo.NetworkParser: ") + reason + ">";
    }
    const std::string parsed = !s.parsed   ? "not parsed"
                               : *s.parsed ? "parsed: True"
                                           : "parsed: False";
    return "<rivo.NetworkParser: " + std::to_string(s.nodeIDs.size()) + " nodes, " +
           std::to_string(s.linkIDs.size()) + " links, " + parsed + ">";
}

void BindInput(Class& cls) {
    cls.def(
        "add_node",
        [](NetworkParserObject& self, std::int32_t id, double x, double y, std::int16_t type) {
            self.Use().AddNode(id, x, y, type);
            self.state->nodeIDs.push_back(id);
        },
        py::arg("node_id"), py::arg("x_position"), py::arg("y_position"), py::arg("node_type"),
        "Adds a node: type 0 manhole, 1 outfall, 2 storage, 4 pump.");
    Method(cls, "set_node_is_pond_type", &Parser::SetNodeIsPondType,
           "Marks a node as a pond or not (every node is a pond until told otherwise).",
           py::arg("node_id"), py::arg("is_pond"));
    cls.def(
        "add_edge",
        [](NetworkParserObject& self, std::int32_t id, std::int32_t source, double sourceElevation,
           std::int32_t target, double targetElevation, double size, std::int16_t type,
           std::optional<double> length) {
            Parser& parser = self.Use();
            if (length) {
                parser.AddEdge(id, source, sourceElevation, target, targetElevation, size, type,
                               *length);
            } else {
                parser.AddEdge(id, source, sourceElevation, target, targetElevation, size, type);
            }
            self.state->linkIDs.push_back(id);
        },
        py::arg("edge_id"), py::arg("source_node_id"), py::arg("elevation_in_source"),
        py::arg("target_node_id"), py::arg("elevation_in_target"), py::arg("size"),
        py::arg("edge_type"), py::arg("length") = py::none(),
        "Adds a link between two added nodes; without a length the parser takes its default.");
    Method(cls, "add_pump_link", &Parser::AddPumpLink, "Adds a pump link.", py::arg("pump_id"),
           py::arg("up_stream_node_id"), py::arg("down_stream_node_id"));
    Method(cls, "set_node_storage_type", &Parser::SetNodeStorageType,
           "Treats a node as a storage node.", py::arg("node_id"));
    Method(cls, "add_gutter_link_id_direction", &Parser::AddGutterLinkIDDirection,
           "Registers a link as a gutter with its direction.", py::arg("gutter_id"),
           py::arg("gutter_direction_same_as_ui"));
}

void BindParse(Class& cls) {
    cls.def(
        "parse_network",
        [](NetworkParserObject& self, bool findLongestBranch) {
            const bool parsed = WithoutGil(*self.state, [&](Parser& parser) {
                return findLongestBranch ? parser.ParseNetwork(true) : parser.ParseNetwork();
            });
            self.state->parsed = parsed;
            return parsed;
        },
        py::arg("find_longest_branch") = false,
        "Parses the network (once); False when some node drains to no outlet. The GIL is "
        "released meanwhile.");
    cls.def(
        "result",
        [](NetworkParserObject& self, bool columns) -> py::dict {
            ParserState& s = *self.state;
            if (!s.parsed) {
                s.Use();
                throw std::runtime_error("result() needs a network that parse_network() parsed");
            }
            Parser& parser = s.Use();
            ParserState::Busy busy(s);
            ResultSummary summary;
            {
                py::gil_scoped_release release;
                summary = ReadSummary(parser, *s.parsed);
            }
            if (columns) {
                return ResultColumns(summary, parser, s.nodeIDs, s.linkIDs);
            }
            AnswerStream answers(parser, s.nodeIDs, s.linkIDs);
            return ResultObject(summary, answers);
        },
        py::arg("columns") = false,
        R"(The result document of `rivo parse` as Python objects.

Every branch, loop branch, pump link and gutter, the isolated nodes and links,
the removed outfalls, and per added node and link (in the order added) the
parser's answers, None where its query raised.

With columns=True, the same keys with every table as a dict of numpy arrays,
one per field, and every ID list as an array: a branch table's node IDs lie
end to end in "nodeIDs", branch i's from nodeOffsets[i] to nodeOffsets[i+1]
(links alike with "edgeIDs" and "edgeOffsets"); the per-node and per-link
answers are masked arrays, masked where the query raised. No Python object
is made per row, which makes it several times faster on large networks:

    columns = parser.result(columns=True)
    on_branch_1 = columns["nodes"]["id"][columns["nodes"]["branchNumber"] == 1])");
    cls.def(
        "_feed",
        [](NetworkParserObject& self, const LoadedNetwork& network) {
            ParserState& s = *self.state;
            WithoutGil(s, [&](Parser& parser) { network.Feed(parser, s.nodeIDs, s.linkIDs); });
        },
        py::arg("network"));
}

void BindRecordQueries(Class& cls) {
    auto record = [&cls](const char* name, auto member, const char* doc) {
        cls.def(
            name,
            [member](NetworkParserObject& self, std::int32_t index) {
                auto made = (self.Use().*member)(index);
                using Record = decltype(made);
                if constexpr (std::is_same_v<Record, std::unique_ptr<dyn::IVBranch>>) {
                    return BranchObject{self.state, std::move(made)};
                } else {
                    return PumpLinkObject{self.state, std::move(made)};
                }
            },
            py::arg("index"), doc);
    };
    record("get_branch", &Parser::GetBranch, "The branch at `index` (0 .. number_of_branches-1).");
    record("get_loop", &Parser::GetLoop, "The loop branch at `index`.");
    record("get_pump_link", &Parser::GetPumpLink, "The pump link at `index`.");
}

void BindQueries(Class& cls) {
    Property(cls, "number_of_branches", &Parser::NumberOfBranches, "Branches of the result.");
    Property(cls, "number_of_loops", &Parser::NumberOfLoops, "Loop branches of the result.");
    Property(cls, "contains_loop", &Parser::ContainsLoop, "Whether there is a loop branch.");
    Property(cls, "number_of_pump_links", &Parser::NumberOfPumpLinks, "Pump links.");
    Property(cls, "number_of_gutters", &Parser::NumberOfGutters, "Gutter links registered.");
    Property(cls, "number_of_isolated_nodes", &Parser::NumberOfIsolatedNodes,
             "Nodes no outlet reaches.");
    Property(cls, "number_of_isolated_edges", &Parser::NumberOfIsolatedEdges,
             "Links no outlet reaches.");
    Property(cls, "number_of_nodes", &Parser::NumberOfNodes, "Nodes of the network.");
    Property(cls, "number_of_links", &Parser::NumberOfLinks, "Links of the network.");
    Property(cls, "number_of_removed_outfalls", &Parser::NumberOfRemovedOutfalls,
             "Outfalls without links, set aside.");
    const auto node = py::arg("node_id");
    const auto link = py::arg("link_id");
    const auto pipe = py::arg("pipe_id");
    const auto index = py::arg("index");
    Method(cls, "get_first_section_position", &Parser::GetFirstSectionPosition,
           "First section position of a link.", pipe);
    Method(cls, "get_second_section_position", &Parser::GetSecondSectionPosition,
           "Second section position of a link.", pipe);
    Method(cls, "set_first_section_position", &Parser::SetFirstSectionPosition,
           "Stores a link's first section position.", pipe, py::arg("first_section_position"));
    Method(cls, "set_second_section_position", &Parser::SetSecondSectionPosition,
           "Stores a link's second section position.", pipe, py::arg("second_section_position"));
    Method(cls, "get_branch_number_of_pipe", &Parser::GetBranchNumberOfPipe,
           "The branch holding a link, 0 for none.", pipe);
    Method(cls, "get_branch_number_of_node", &Parser::GetBranchNumberOfNode,
           "The branch holding a node; raises ParserError for a node on no branch.", node);
    Method(cls, "get_node_index_in_branch", &Parser::GetNodeIndexInBranch,
           "The node's position (from 1) in its branch; raises for a node on no branch.", node);
    Method(cls, "get_node_down_stream_section_position", &Parser::GetNodeDownStreamSectionPosition,
           "A node's downstream section position.", node);
    Method(cls, "set_node_down_stream_section_position", &Parser::SetNodeDownStreamSectionPosition,
           "Stores a node's downstream section position.", node,
           py::arg("down_stream_section_position"));
    Method(cls, "get_node_up_stream_section_number", &Parser::GetNodeUpStreamSectionNumber,
           "The section number of a node.", node);
    Method(cls, "get_link_up_stream_section_number", &Parser::GetLinkUpStreamSectionNumber,
           "The section number of a link.", link);
    Method(cls, "get_gutter_link_id", &Parser::GetGutterLinkID, "The gutter at `index`.", index);
    Method(cls, "get_gutter_direction_same_as_ui", &Parser::GetGutterDirectionSameAsUI,
           "The direction of the gutter at `index`.", index);
    Method(cls, "get_isolated_node_id", &Parser::GetIsolatedNodeId, "The isolated node at `index`.",
           index);
    Method(cls, "get_isolated_edge_id", &Parser::GetIsolatedEdgeId, "The isolated link at `index`.",
           index);
    Method(cls, "get_removed_outfall_id", &Parser::GetRemovedOutfallID,
           "The removed outfall at `index`.", index);
    Method(cls, "get_parser_direction_same_as_ui", &Parser::GetParserDirectionSameAsUI,
           "Whether the parser runs the link in its input direction.", link);
    Method(cls, "get_node_is_manhole_or_storage_type", &Parser::GetNodeIsManholeOrStorageType,
           "Whether the node is of type 0, 2 or 5.", node);
    Method(cls, "get_node_is_outfall_type", &Parser::GetNodeIsOutfallType,
           "Whether the node is an outfall that was not converted.", node);
    Method(cls, "get_node_is_converted_to_outfall", &Parser::GetNodeIsConvertedToOutfall,
           "Whether the node is a storage node converted to an outfall.", node);
    Method(cls, "get_node_is_pump", &Parser::GetNodeIsPump, "Whether the node is of type 4.", node);
}

void BindLifetime(Class& cls) {
    cls.def(py::init<>())
        .def(
            "release", [](NetworkParserObject& self) { self.state->Release(); },
            "Frees the parser and its results; a second call does nothing. Every later call, "
            "also on its Branch and PumpLink objects, raises RuntimeError.")
        .def_property_readonly(
            "released", [](const NetworkParserObject& self) { return self.state->released(); },
            "Whether release() was called.")
        .def_property_readonly(
            "pump_list", [](const NetworkParserObject& self) { return self.pumpList; },
            "A list kept for the host: always the same list; the parser never reads it.")
        .def("__enter__", [](py::object self) { return self; })
        .def("__exit__", [](NetworkParserObject& self, const py::args&) { self.state->Release(); })
        .def("__repr__", Repr);
}

}  // namespace

void BindNetworkParser(py::module_& module) {
    Class cls(module, "NetworkParser", R"(A parser of one drainage network.

Add the nodes, then the links, pump links, node flags and gutters; parse once;
then read the result: the counts and the records by index, or everything at
once with result(). Errors the parser raises come as ParserError from the call
that caused them. A parser serves one thread at a time; parse_network, result
and the bulk calls release the GIL, so threads can parse separate networks
together.)");
    BindLifetime(cls);
    BindInput(cls);
    BindBulkInput(cls);
    BindParse(cls);
    BindRecordQueries(cls);
    BindQueries(cls);
}

}  // namespace rivo::python
