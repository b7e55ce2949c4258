#include "host/result_reader.h"

#include <algorithm>

namespace rivo::host {

namespace dyn = Velmora::Calculations::Dynamic;
using dyn::RivoNetworkParser;

namespace {

// `count` answers of an index query, in index order.
template <class Query>
std::vector<std::int32_t> ReadList(std::int32_t count, Query query) {
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 0; i < count; ++i) {
        ids.push_back(query(i));
    }
    return ids;
}

}  // namespace

std::vector<std::int32_t> ReadIsolatedNodeIDs(RivoNetworkParser& parser) {
    return ReadList(parser.NumberOfIsolatedNodes(),
                    [&](std::int32_t i) { return parser.GetIsolatedNodeId(i); });
}

std::vector<std::int32_t> ReadIsolatedEdgeIDs(RivoNetworkParser& parser) {
    return ReadList(parser.NumberOfIsolatedEdges(),
                    [&](std::int32_t i) { return parser.GetIsolatedEdgeId(i); });
}

std::vector<std::int32_t> ReadRemovedOutfallIDs(RivoNetworkParser& parser) {
    return ReadList(parser.NumberOfRemovedOutfalls(),
                    [&](std::int32_t i) { return parser.GetRemovedOutfallID(i); });
}

namespace {

// Everything but the branch lists.
ResultSummary ReadSummaryHead(RivoNetworkParser& parser) {
    ResultSummary summary;
    summary.numberOfNodes = parser.NumberOfNodes();
    summary.numberOfLinks = parser.NumberOfLinks();
    summary.containsLoop = parser.ContainsLoop();
    summary.pumpLinks = dyn::ReadPumpLinks(parser);
    for (std::int32_t i = 0, n = parser.NumberOfGutters(); i < n; ++i) {
        summary.gutters.push_back(
            {parser.GetGutterLinkID(i), parser.GetGutterDirectionSameAsUI(i)});
    }
    summary.isolatedNodeIDs = ReadIsolatedNodeIDs(parser);
    summary.isolatedEdgeIDs = ReadIsolatedEdgeIDs(parser);
    summary.removedOutfallIDs = ReadRemovedOutfallIDs(parser);
    return summary;
}

// Passes one branch list on a piece at a time, the first piece even when
// the list is empty.
void PassBranches(const RivoNetworkParser& parser, BranchList list, ResultVisitor& visitor) {
    std::vector<BranchResult> piece;
    std::size_t first = 0;
    do {
        piece.clear();
        if (list == BranchList::kBranches) {
            dyn::ReadBranches(parser, first, kAnswerPiece, piece);
        } else {
            dyn::ReadLoops(parser, first, kAnswerPiece, piece);
        }
        visitor.Branches(list, first, piece);
        first += piece.size();
    } while (piece.size() == kAnswerPiece);
}

}  // namespace

ResultSummary ReadSummary(RivoNetworkParser& parser) {
    ResultSummary summary = ReadSummaryHead(parser);
    summary.branches = dyn::ReadBranches(parser);
    summary.loops = dyn::ReadLoops(parser);
    return summary;
}

void ReadResult(RivoNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                std::span<const std::int32_t> linkIDs, ResultVisitor& visitor) {
    const ResultSummary summary = ReadSummaryHead(parser);
    visitor.Summary(summary);
    PassBranches(parser, BranchList::kBranches, visitor);
    PassBranches(parser, BranchList::kLoops, visitor);
    visitor.SummaryEnd(summary);
    ReadInPieces<NodeAnswers>(parser, nodeIDs, [&](std::size_t, auto piece) {
        std::ranges::for_each(piece, [&](const NodeAnswers& a) { visitor.Node(a); });
        return true;
    });
    ReadInPieces<LinkAnswers>(parser, linkIDs, [&](std::size_t, auto piece) {
        std::ranges::for_each(piece, [&](const LinkAnswers& a) { visitor.Link(a); });
        return true;
    });
}

Result ReadWholeResult(RivoNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                       std::span<const std::int32_t> linkIDs) {
    Result result{ReadSummary(parser), {}, {}};
    result.nodes.reserve(nodeIDs.size());
    dyn::ReadNodes(parser, nodeIDs, result.nodes);
    result.links.reserve(linkIDs.size());
    dyn::ReadLinks(parser, linkIDs, result.links);
    return result;
}

}  // namespace rivo::host
