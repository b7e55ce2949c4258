#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "host/network_model.h"
#include "input/tracked_input.h"
#include "swmm/swmm_reader.h"

// What makes the parser raise while a network is described to it: a node or
// link ID given twice, a link whose end is no node. The parser says only in
// which call it failed; the tool finds the element in the network it read
// and the place of its record in the file.
namespace rivo::tool {

struct ElementProblem {
    const char* section = "";  // "nodes", "links" or "pumpLinks"
    std::size_t index = 0;     // of the record in its section
    std::string what;          // "node 2 is given twice (also nodes[0])"
};

// The first problem in the order the network is described: nodes, then
// links, then pump links. A pump link is described without complaint, but
// one whose end is no node stops the parse later. `names` are a SWMM
// model's.
std::optional<ElementProblem> FindElementProblem(const host::Network& network,
                                                 const swmm::NameTable* names);

// Where the record `index` of the top-level array `section` of a JSON text
// begins (its opening brace); the last array of that name counts, as for
// the reader.
std::optional<TextPosition> FindRecord(std::string_view text, std::string_view section,
                                       std::size_t index);

// `FILE:LINE:COLUMN: links[2]: what`, the place looked up in the network
// document `file`; without a place for a SWMM model, whose reader reports
// such problems itself.
std::string ElementProblemLine(const std::string& file, const ElementProblem& problem);

}  // namespace rivo::tool
