#include "result_reader.h"

#include <algorithm>

namespace rivo::host {

namespace {

using Velmora::Calculations::Dynamic::IVBranch;
using Velmora::Calculations::Dynamic::IVFLDNetworkParser;
using Velmora::Calculations::Dynamic::IVPumpLink;

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

// The answer of a query, or nothing when it raises: a node on no branch
// still gets its other answers.
template <class Query>
auto Ask(Query query) -> std::optional<decltype(query())> {
    try {
        return query();
    } catch (const CKtHRException&) {
        return std::nullopt;
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

NodeAnswers ReadNodeAnswers(IVFLDNetworkParser& p, std::int32_t id) {
    NodeAnswers a;
    a.id = id;
    a.branchNumber = Ask([&] { return p.GetBranchNumberOfNode(id); });
    a.indexInBranch = Ask([&] { return p.GetNodeIndexInBranch(id); });
    a.upStreamSectionNumber = Ask([&] { return p.GetNodeUpStreamSectionNumber(id); });
    a.downStreamSectionPosition = Ask([&] { return p.GetNodeDownStreamSectionPosition(id); });
    a.isOutfallType = Ask([&] { return p.GetNodeIsOutfallType(id); });
    a.isConvertedToOutfall = Ask([&] { return p.GetNodeIsConvertedToOutfall(id); });
    a.isPump = Ask([&] { return p.GetNodeIsPump(id); });
    a.isManholeOrStorageType = Ask([&] { return p.GetNodeIsManholeOrStorageType(id); });
    return a;
}

LinkAnswers ReadLinkAnswers(IVFLDNetworkParser& p, std::int32_t id) {
    LinkAnswers a;
    a.id = id;
    a.branchNumber = Ask([&] { return p.GetBranchNumberOfPipe(id); });
    a.upStreamSectionNumber = Ask([&] { return p.GetLinkUpStreamSectionNumber(id); });
    a.parserDirectionSameAsUI = Ask([&] { return p.GetParserDirectionSameAsUI(id); });
    a.firstSectionPosition = Ask([&] { return p.GetFirstSectionPosition(id); });
    a.secondSectionPosition = Ask([&] { return p.GetSecondSectionPosition(id); });
    return a;
}

void ReadResult(IVFLDNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                std::span<const std::int32_t> linkIDs, ResultVisitor& visitor) {
    visitor.Summary(ReadSummary(parser));
    for (const std::int32_t id : nodeIDs) {
        visitor.Node(ReadNodeAnswers(parser, id));
    }
    for (const std::int32_t id : linkIDs) {
        visitor.Link(ReadLinkAnswers(parser, id));
    }
}

Result ReadWholeResult(IVFLDNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                       std::span<const std::int32_t> linkIDs) {
    Result result{ReadSummary(parser), {}, {}};
    result.nodes.reserve(nodeIDs.size());
    for (const std::int32_t id : nodeIDs) {
        result.nodes.push_back(ReadNodeAnswers(parser, id));
    }
    result.links.reserve(linkIDs.size());
    for (const std::int32_t id : linkIDs) {
        result.links.push_back(ReadLinkAnswers(parser, id));
    }
    return result;
}

}  // namespace rivo::host
