#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

#include "rivo/rivo.h"

// Reading every result a host reads after a parse, in the order the result
// document of the tool lists it. The tool's writers, the benchmark's
// checksum and the Python module all read through here.
namespace rivo::host {

// One branch or loop branch (a chain of sections between two junctions,
// with the branch and section its ends drain to and come from) and a pump
// link with the branches and sections of its two nodes, as the library's
// bulk reading gives them.
using BranchResult = Velmora::Calculations::Dynamic::BranchAnswers;
using PumpLinkResult = Velmora::Calculations::Dynamic::PumpLinkAnswers;

struct GutterResult {
    std::int32_t id = 0;
    bool sameDirectionAsUI = true;
};

// Everything but the per-node and per-link answers.
struct ResultSummary {
    std::int32_t numberOfNodes = 0;
    std::int32_t numberOfLinks = 0;
    bool containsLoop = false;
    std::vector<BranchResult> branches;
    std::vector<BranchResult> loops;
    std::vector<PumpLinkResult> pumpLinks;
    std::vector<GutterResult> gutters;
    std::vector<std::int32_t> isolatedNodeIDs;
    std::vector<std::int32_t> isolatedEdgeIDs;
    std::vector<std::int32_t> removedOutfallIDs;
};

// The parser's answers about one node or link, exactly as the queries give
// them; empty where a query raises (a node on no branch has no branch
// number, an unknown ID answers nothing).
using NodeAnswers = Velmora::Calculations::Dynamic::NodeAnswers;
using LinkAnswers = Velmora::Calculations::Dynamic::LinkAnswers;

// Reads the summary. Branches, loop branches and pump links are read in bulk
// (rivo_bulk_results.h), which raises nothing; the index queries for the
// rest raise only on a parser in a state no host sees after a parse, and
// CKtHRException passes through.
ResultSummary ReadSummary(Velmora::Calculations::Dynamic::RivoNetworkParser& parser);

// The isolated nodes, the isolated links and the removed outfalls, in index
// order. CKtHRException passes through.
std::vector<std::int32_t> ReadIsolatedNodeIDs(
    Velmora::Calculations::Dynamic::RivoNetworkParser& parser);
std::vector<std::int32_t> ReadIsolatedEdgeIDs(
    Velmora::Calculations::Dynamic::RivoNetworkParser& parser);
std::vector<std::int32_t> ReadRemovedOutfallIDs(
    Velmora::Calculations::Dynamic::RivoNetworkParser& parser);

// Answers for a million nodes are read this many at a time, never all held
// at once; a piece stays in the cache while it is passed on.
inline constexpr std::size_t kAnswerPiece = 4096;

// Reads the answers (NodeAnswers or LinkAnswers) for these IDs in their
// order, a piece at a time: `pass(first, piece)` gets each piece with the
// position of its first answer in `ids` and returns whether to go on.
// Returns whether every piece was passed.
template <class Answers, class Pass>
bool ReadInPieces(Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                  std::span<const std::int32_t> ids, Pass pass) {
    static_assert(std::is_same_v<Answers, NodeAnswers> || std::is_same_v<Answers, LinkAnswers>);
    std::vector<Answers> piece;
    for (std::size_t first = 0; first < ids.size(); first += kAnswerPiece) {
        piece.clear();
        const auto some = ids.subspan(first, std::min(kAnswerPiece, ids.size() - first));
        if constexpr (std::is_same_v<Answers, NodeAnswers>) {
            Velmora::Calculations::Dynamic::ReadNodes(parser, some, piece);
        } else {
            Velmora::Calculations::Dynamic::ReadLinks(parser, some, piece);
        }
        if (!pass(first, std::span<const Answers>(piece))) {
            return false;
        }
    }
    return true;
}

// Which list of a summary a piece of branches belongs to.
enum class BranchList { kBranches, kLoops };

// Receives the result piece by piece, so that answers for millions of nodes
// and branches need not be held at once. The summary comes in three steps:
// Summary with its branch lists empty, then the branches and then the loop
// branches a piece at a time (each list opens with a piece at position 0,
// empty where the list is), then SummaryEnd with the same summary.
class ResultVisitor {
public:
    virtual ~ResultVisitor() = default;
    virtual void Summary(const ResultSummary& summary) = 0;
    virtual void Branches(BranchList list, std::size_t first,
                          std::span<const BranchResult> piece) = 0;
    virtual void SummaryEnd(const ResultSummary& summary) = 0;
    virtual void Node(const NodeAnswers& answers) = 0;
    virtual void Link(const LinkAnswers& answers) = 0;
};

// Reads the summary (which may raise before anything is passed on), then
// the answers for each node and each link given, in the order given. The
// branches and answers are read in bulk (rivo_bulk_results.h), which raises
// nothing and answers as the queries of a RivoNetworkParser do.
void ReadResult(Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                std::span<const std::int32_t> nodeIDs, std::span<const std::int32_t> linkIDs,
                ResultVisitor& visitor);

// The whole result at once, answers in the order of the IDs given.
struct Result {
    ResultSummary summary;
    std::vector<NodeAnswers> nodes;
    std::vector<LinkAnswers> links;
};

Result ReadWholeResult(Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                       std::span<const std::int32_t> nodeIDs,
                       std::span<const std::int32_t> linkIDs);

}  // namespace rivo::host
