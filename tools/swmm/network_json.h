#pragma once

#include <ostream>

#include "host/network_model.h"
#include "swmm/swmm_reader.h"

namespace rivo::tool::swmm {

// Writes `document` as a network document (docs/tool.md), one node, link or
// pump link per line so that large documents stay diffable. Optional fields
// are written only when present.
void WriteNetworkDocument(std::ostream& out, const host::Network& document);

// Writes {"nodes": {"1": "J1", ...}, "links": {...}, "pumpLinks": {...}}.
void WriteNameTable(std::ostream& out, const NameTable& names);

}  // namespace rivo::tool::swmm
