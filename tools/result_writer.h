#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

#include "result_summary.h"
#include "rivo.h"

namespace rivo::tool {

// Writes the result document as it goes: the summary, then one line per
// input node and per input link (IDs in input order) with the system's
// answers for it. A query that raises gives null for its field; the node's
// other queries are still made. Nothing is kept per node beyond the line
// being written.
void WriteResultDocument(std::ostream& out, const ResultSummary& summary,
                         std::span<const std::int32_t> nodeIDs,
                         std::span<const std::int32_t> linkIDs,
                         Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser);

// Writes the document of a run the system stopped with an error:
// {"result": null, "error": {"hresult": "0x80070057", "message": "..."}}.
// `message` is UTF-8.
void WriteErrorDocument(std::ostream& out, HRESULT hr, const std::string& message);

}  // namespace rivo::tool
