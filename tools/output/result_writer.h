#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "host/result_reader.h"
#include "output/json_line.h"
#include "rivo/rivo.h"
#include "swmm/swmm_reader.h"

namespace rivo::tool {

// An error the parser raised, its message in UTF-8.
struct RaisedError {
    rivo::HRESULT hr = 0;
    std::string message;
};

// Reads every result from `parser` (rivo::host::ReadResult) and writes the
// result document as it goes: the summary, then one line per node and per
// link given (IDs in input order) with the parser's answers, null where a
// query raised, and last the SWMM names of a model's elements, when given.
// `result` is what ParseNetwork returned; with `error` it is null and the
// error follows it (a parse that raised, read as far as it got). The summary
// is read before the first byte is written, so that a raise there leaves
// nothing behind; CKtHRException passes through.
void WriteResultDocument(std::ostream& out, std::optional<bool> result,
                         const std::optional<RaisedError>& error,
                         Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                         std::span<const std::int32_t> nodeIDs,
                         std::span<const std::int32_t> linkIDs,
                         const swmm::NameTable* names = nullptr);

// The members of a branch and of a pump link in the result document, in its
// order (every map of a result names them the same way).
void FormatBranch(JsonLine& line, const host::BranchResult& branch);
void FormatPumpLink(JsonLine& line, const host::PumpLinkResult& pump);

// `{"hresult": "0x80070057", "message": "..."}`: the code in eight hex
// digits, the message quoted as JSON.
std::string ErrorObject(const RaisedError& error);

// Writes the document of a run the parser stopped with an error:
// {"result": null, "error": {"hresult": "0x80070057", "message": "..."}}.
void WriteErrorDocument(std::ostream& out, const RaisedError& error);

}  // namespace rivo::tool
