#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "rivo/record_fields.h"
#include "rivo/rivo.h"

// What the module takes from the command-line tool: its readers of network
// documents and SWMM models, its feeding of a network to the parser, and its
// reading of every result. Only tool_bridge.cpp sees the tool's own types, so
// the module follows the tool's formats by changing that one file; the rows
// of answers are read in pieces by the host reader the tool uses too
// (host/result_reader.h).
namespace rivo::python {

namespace dyn = Velmora::Calculations::Dynamic;

// How the pumps of a SWMM model reach the parser: "storage" (pump stations
// as storage nodes) or "none" (the plain mapping: only pump links).
enum class PumpNodes { kStorage, kNone };

// A file or text the tool's readers reject; what() is their message,
// exactly as `rivo parse` prints it.
class InputFailure : public std::runtime_error {
public:
    InputFailure(const std::string& message, std::string source)
        : std::runtime_error(message), source_(std::move(source)) {}
    const std::string& source() const { return source_; }

private:
    std::string source_;
};

// A network read and checked by the tool's readers, held until it is fed.
class LoadedNetwork {
public:
    struct Data;
    explicit LoadedNetwork(std::unique_ptr<Data> data);
    ~LoadedNetwork();

    // The network as a network document (JSON text).
    std::string DocumentText() const;
    // The SWMM names as the tool's names table (JSON text); nothing for a
    // network document.
    std::optional<std::string> NamesText() const;
    // Describes the network to `parser` as the tool does, and appends the
    // IDs of its nodes and links, in input order, to the two lists.
    void Feed(dyn::RivoNetworkParser& parser, std::vector<std::int32_t>& nodeIDs,
              std::vector<std::int32_t>& linkIDs) const;

private:
    std::unique_ptr<Data> data_;
};

// A network document, or a SWMM model when `path` ends in `.inp`. Throws
// InputFailure.
std::shared_ptr<LoadedNetwork> LoadNetworkFile(const std::string& path, PumpNodes pumpNodes);
std::shared_ptr<LoadedNetwork> LoadSwmmFile(const std::string& path, PumpNodes pumpNodes);
// A network document in memory; `name` stands for the file in messages.
std::shared_ptr<LoadedNetwork> LoadNetworkText(std::string_view text, std::string_view name);

// The per-node and per-link answers the result document holds, named by its
// keys; nothing where the query raised.
#define RIVO_ROW_MEMBER(type, name, Reader, bit, written) \
    RIVO_IF_##written(std::optional<type> name;)
struct NodeRow {
    std::int32_t id = 0;
    RIVO_NODE_ANSWER_FIELDS(RIVO_ROW_MEMBER)
};
struct LinkRow {
    std::int32_t id = 0;
    RIVO_LINK_ANSWER_FIELDS(RIVO_ROW_MEMBER)
};
#undef RIVO_ROW_MEMBER

// Calls visit(&Row::answer) for each answer of a NodeRow or LinkRow, in the
// document's order (the ID comes before them).
#define RIVO_ROW_VISIT(type, name, Reader, bit, written) RIVO_IF_##written(visit(&Row::name);)
template <class Row, class Visit>
void ForEachAnswer(Visit visit) {
    if constexpr (std::is_same_v<Row, NodeRow>) {
        RIVO_NODE_ANSWER_FIELDS(RIVO_ROW_VISIT)
    } else {
        RIVO_LINK_ANSWER_FIELDS(RIVO_ROW_VISIT)
    }
}
#undef RIVO_ROW_VISIT

// Everything of the tool's result document but the per-node and per-link
// answers, read from a parsed parser.
struct ResultSummary {
    bool result = false;
    std::int32_t numberOfNodes = 0;
    std::int32_t numberOfLinks = 0;
    bool containsLoop = false;
    std::vector<dyn::BranchAnswers> branches;
    std::vector<dyn::BranchAnswers> loops;
    std::vector<dyn::PumpLinkAnswers> pumpLinks;
    std::vector<std::pair<std::int32_t, bool>> gutters;
    std::vector<std::int32_t> isolatedNodeIDs;
    std::vector<std::int32_t> isolatedEdgeIDs;
    std::vector<std::int32_t> removedOutfallIDs;
};

// Reads the summary as `rivo parse` does, after a parse that returned
// `result`. CKtHRException passes through.
ResultSummary ReadSummary(dyn::RivoNetworkParser& parser, bool result);

// The answers for one node or link, queried as the tool's writer queries
// them: a query may depend on what an earlier one wrote into the node's
// record.
// The parser's answers as the rows of a result.
NodeRow ToNodeRow(const dyn::NodeAnswers& answers);
LinkRow ToLinkRow(const dyn::LinkAnswers& answers);

}  // namespace rivo::python
