#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "bindings.h"
#include "columns.h"
#include "errors.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

using Parser = dyn::RivoNetworkParser;

// The arguments of a bulk call must be equally long.
std::size_t CommonLength(std::initializer_list<std::pair<const char*, std::size_t>> columns) {
    const auto& [firstName, length] = *columns.begin();
    for (const auto& [name, size] : columns) {
        if (size != length) {
            throw py::value_error(std::string(name) + " has " + std::to_string(size) +
                                  " elements, " + firstName + " has " + std::to_string(length));
        }
    }
    return length;
}

// Makes `call(parser, i)` for i = 0 .. count-1 without the GIL. The first
// call that raises ends the loop (the calls before it stay made) and reaches
// Python as ParserError whose `index` is i.
template <class Call>
void ForEach(ParserState& state, std::size_t count, Call call) {
    std::optional<CKtHRException> failure;
    std::size_t failedAt = 0;
    WithoutGil(state, [&](Parser& parser) {
        std::size_t i = 0;
        try {
            for (; i < count; ++i) {
                call(parser, i);
            }
        } catch (const CKtHRException& error) {
            failure = error;
            failedAt = i;
        }
    });
    if (failure) {
        ThrowParserError(*failure, failedAt);
    }
}

void AddNodes(NetworkParserObject& self, py::handle ids, py::handle xs, py::handle ys,
              py::handle types) {
    const auto id = IdColumn(ids, "ids");
    const auto x = NumberColumn(xs, "xs");
    const auto y = NumberColumn(ys, "ys");
    const auto type = TypeColumn(types, "types");
    const std::size_t count = CommonLength(
        {{"ids", id.size()}, {"xs", x.size()}, {"ys", y.size()}, {"types", type.size()}});
    ParserState& state = *self.state;
    state.nodeIDs.reserve(state.nodeIDs.size() + count);
    ForEach(state, count, [&](Parser& parser, std::size_t i) {
        parser.AddNode(id[i], x[i], y[i], type[i]);
        state.nodeIDs.push_back(id[i]);
    });
}

void AddEdges(NetworkParserObject& self, py::handle ids, py::handle sources,
              py::handle sourceElevations, py::handle targets, py::handle targetElevations,
              py::handle sizes, py::handle types, py::handle lengths) {
    const auto id = IdColumn(ids, "ids");
    const auto source = IdColumn(sources, "sources");
    const auto sourceElevation = NumberColumn(sourceElevations, "source_elevations");
    const auto target = IdColumn(targets, "targets");
    const auto targetElevation = NumberColumn(targetElevations, "target_elevations");
    const auto size = NumberColumn(sizes, "sizes");
    const auto type = TypeColumn(types, "types");
    const auto length = lengths.is_none() ? std::vector<std::optional<double>>(id.size())
                                          : OptionalNumberColumn(lengths, "lengths");
    const std::size_t count = CommonLength({{"ids", id.size()},
                                            {"sources", source.size()},
                                            {"source_elevations", sourceElevation.size()},
                                            {"targets", target.size()},
                                            {"target_elevations", targetElevation.size()},
                                            {"sizes", size.size()},
                                            {"types", type.size()},
                                            {"lengths", length.size()}});
    ParserState& state = *self.state;
    state.linkIDs.reserve(state.linkIDs.size() + count);
    ForEach(state, count, [&](Parser& parser, std::size_t i) {
        if (length[i]) {
            parser.AddEdge(id[i], source[i], sourceElevation[i], target[i], targetElevation[i],
                           size[i], type[i], *length[i]);
        } else {
            parser.AddEdge(id[i], source[i], sourceElevation[i], target[i], targetElevation[i],
                           size[i], type[i]);
        }
        state.linkIDs.push_back(id[i]);
    });
}

void AddPumpLinks(NetworkParserObject& self, py::handle ids, py::handle upstreams,
                  py::handle downstreams) {
    const auto id = IdColumn(ids, "ids");
    const auto up = IdColumn(upstreams, "upstreams");
    const auto down = IdColumn(downstreams, "downstreams");
    const std::size_t count =
        CommonLength({{"ids", id.size()}, {"upstreams", up.size()}, {"downstreams", down.size()}});
    ForEach(*self.state, count,
            [&](Parser& parser, std::size_t i) { parser.AddPumpLink(id[i], up[i], down[i]); });
}

}  // namespace

void BindBulkInput(py::class_<NetworkParserObject>& cls) {
    cls.def("add_nodes", AddNodes, py::arg("ids"), py::arg("xs"), py::arg("ys"), py::arg("types"),
            R"(add_node for every element, in order: one call per node, made in C++.

Each argument is a sequence of numbers or a one-dimensional buffer (a numpy
array, array.array). All are checked before the first node is added; when the
parser raises for an element, the nodes before it stay added and the
ParserError carries the element's `index`.)");
    cls.def("add_edges", AddEdges, py::arg("ids"), py::arg("sources"), py::arg("source_elevations"),
            py::arg("targets"), py::arg("target_elevations"), py::arg("sizes"), py::arg("types"),
            py::arg("lengths") = py::none(),
            "add_edge for every element, in order, as add_nodes does. Without `lengths`, or "
            "where an element of it is None, the link gets the parser's default length.");
    cls.def("add_pump_links", AddPumpLinks, py::arg("ids"), py::arg("upstreams"),
            py::arg("downstreams"), "add_pump_link for every element, in order.");
}

}  // namespace rivo::python
