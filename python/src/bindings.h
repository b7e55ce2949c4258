#pragma once

#include <pybind11/pybind11.h>

#include <memory>

#include "parser_state.h"

namespace rivo::python {

// The Python NetworkParser: the shared parser state, and the host's list
// that PumpList keeps (the parser never reads it).
struct NetworkParserObject {
    std::shared_ptr<ParserState> state = std::make_shared<ParserState>();
    pybind11::list pumpList;

    dyn::RivoNetworkParser& Use() const { return state->Use(); }
};

// Runs `work(parser)` with the GIL released and the parser marked busy.
template <class Work>
auto WithoutGil(ParserState& state, Work work) {
    dyn::RivoNetworkParser& parser = state.Use();
    ParserState::Busy busy(state);
    pybind11::gil_scoped_release release;
    return work(parser);
}

void BindRecords(pybind11::module_& module);
void BindTypeCodes(pybind11::module_& module);
void BindNetworkParser(pybind11::module_& module);
// add_nodes, add_edges, add_pump_links on the NetworkParser class.
void BindBulkInput(pybind11::class_<NetworkParserObject>& parser);
// The tool's readers: _load_file, _load_swmm, _load_text and their _Network.
void BindLoading(pybind11::module_& module);

}  // namespace rivo::python
