#include "result_reader.h"

#include <algorithm>

namespace rivo::host {

namespace {

using Velmora::Calculations::Dynamic::IVBranch;
using Velmora::Calculations::Dynamic::IVFLDNetworkParser;
using Velmora::Calculations::Dynamic::IVPumpLink;
using Velmora::Calculations::Dynamic::RivoNetworkParser;

BranchResult ReadBranch(const IVBranch& branch) {
    BranchResult out;
    out.branchNumber = branch.BranchNumber();
    out.downStreamBranchNumber = branch.DownStreamBranchNumber();
    out.downStreamUpSectionNumber = branch.DownStreamUpSectionNumber();
    out.upStreamBranchNumber = branch.UpStreamBranchNumber();
    out.upStreamUpSectionNumber = branch.UpStreamUpSectionNumber();
    out.numberOfSections = branch.NumberOfSections();
    out.isStorageOutletBranch = branch.IsStorageOutletBranch();
    out.isSingleStorageNodeBranch = branch.IsSingleStorageNodeBranch();
    const std::int32_t nodes = branch.NumberOfNodes();
    out.nodeIDs.reserve(static_cast<std::size_t>(std::max(nodes, 0)));
    for (std::int32_t i = 0; i < nodes; ++i) {
        out.nodeIDs.push_back(branch.GetNodeID(i));
    }
    const std::int32_t edges = branch.NumberOfEdges();
    out.edgeIDs.reserve(static_cast<std::size_t>(std::max(edges, 0)));
    for (std::int32_t i = 0; i < edges; ++i) {
        out.edgeIDs.push_back(branch.GetEdgeID(i));
    }
    return out;
}

PumpLinkResult ReadPumpLink(const IVPumpLink& pump) {
    return {pump.PumpLinkID(),
            pump.UpStreamNodeID(),
            pump.DownStreamNodeID(),
            pump.UpStreamBranchNumber(),
            pump.DownStreamBranchNumber(),
            pump.UpStreamNodeUpSectionNumber(),
            pump.DownStreamNodeUpSectionNumber()};
}

// `count` answers of an index query, in index order.
template <class Query>
std::vector<std::int32_t> ReadList(std::int32_t count, Query query) {
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 0; i < count; ++i) {
        ids.push_back(query(i));
    }
    return ids;
}

// Answers for a million nodes are read in pieces, never all held at once.
constexpr std::size_t kPiece = 4096;

template <class Answers, class Read, class Pass>
void ReadInPieces(std::span<const std::int32_t> ids, Read read, Pass pass) {
    std::vector<Answers> answers;
    for (std::size_t first = 0; first < ids.size(); first += kPiece) {
        answers.clear();
        read(ids.subspan(first, std::min(kPiece, ids.size() - first)), answers);
        for (const Answers& a : answers) {
            pass(a);
        }
    }
}

}  // namespace

ResultSummary ReadSummary(IVFLDNetworkParser& parser) {
    ResultSummary summary;
    summary.numberOfNodes = parser.NumberOfNodes();
    summary.numberOfLinks = parser.NumberOfLinks();
    summary.containsLoop = parser.ContainsLoop();
    for (std::int32_t i = 0, n = parser.NumberOfBranches(); i < n; ++i) {
        summary.branches.push_back(ReadBranch(*parser.GetBranch(i)));
    }
    for (std::int32_t i = 0, n = parser.NumberOfLoops(); i < n; ++i) {
        summary.loops.push_back(ReadBranch(*parser.GetLoop(i)));
    }
    for (std::int32_t i = 0, n = parser.NumberOfPumpLinks(); i < n; ++i) {
        summary.pumpLinks.push_back(ReadPumpLink(*parser.GetPumpLink(i)));
    }
    for (std::int32_t i = 0, n = parser.NumberOfGutters(); i < n; ++i) {
        summary.gutters.push_back(
            {parser.GetGutterLinkID(i), parser.GetGutterDirectionSameAsUI(i)});
    }
    summary.isolatedNodeIDs = ReadList(parser.NumberOfIsolatedNodes(),
                                       [&](std::int32_t i) { return parser.GetIsolatedNodeId(i); });
    summary.isolatedEdgeIDs = ReadList(parser.NumberOfIsolatedEdges(),
                                       [&](std::int32_t i) { return parser.GetIsolatedEdgeId(i); });
    summary.removedOutfallIDs = ReadList(parser.NumberOfRemovedOutfalls(), [&](std::int32_t i) {
        return parser.GetRemovedOutfallID(i);
    });
    return summary;
}

void ReadResult(RivoNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                std::span<const std::int32_t> linkIDs, ResultVisitor& visitor) {
    visitor.Summary(ReadSummary(parser));
    ReadInPieces<NodeAnswers>(
        nodeIDs,
        [&](auto ids, auto& out) { Velmora::Calculations::Dynamic::ReadNodes(parser, ids, out); },
        [&](const NodeAnswers& a) { visitor.Node(a); });
    ReadInPieces<LinkAnswers>(
        linkIDs,
        [&](auto ids, auto& out) { Velmora::Calculations::Dynamic::ReadLinks(parser, ids, out); },
        [&](const LinkAnswers& a) { visitor.Link(a); });
}

Result ReadWholeResult(RivoNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                       std::span<const std::int32_t> linkIDs) {
    Result result{ReadSummary(parser), {}, {}};
    result.nodes.reserve(nodeIDs.size());
    Velmora::Calculations::Dynamic::ReadNodes(parser, nodeIDs, result.nodes);
    result.links.reserve(linkIDs.size());
    Velmora::Calculations::Dynamic::ReadLinks(parser, linkIDs, result.links);
    return result;
}

}  // namespace rivo::host
