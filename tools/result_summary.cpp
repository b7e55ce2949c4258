#include "result_summary.h"

namespace rivo::tool {

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
    for (std::int32_t i = 0; i < nodes; ++i) {
        out.nodeIDs.push_back(branch.GetNodeID(i));
    }
    const std::int32_t edges = branch.NumberOfEdges();
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

// Reads `count` answers of an index query, in index order.
template <class Query>
std::vector<std::int32_t> ReadIDs(std::int32_t count, Query query) {
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 0; i < count; ++i) {
        ids.push_back(query(i));
    }
    return ids;
}

}  // namespace

ResultSummary CollectSummary(IVFLDNetworkParser& parser, bool result) {
    ResultSummary summary;
    summary.result = result;
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
    summary.isolatedNodeIDs = ReadIDs(parser.NumberOfIsolatedNodes(),
                                      [&](std::int32_t i) { return parser.GetIsolatedNodeId(i); });
    summary.isolatedEdgeIDs = ReadIDs(parser.NumberOfIsolatedEdges(),
                                      [&](std::int32_t i) { return parser.GetIsolatedEdgeId(i); });
    summary.removedOutfallIDs = ReadIDs(parser.NumberOfRemovedOutfalls(), [&](std::int32_t i) {
        return parser.GetRemovedOutfallID(i);
    });
    return summary;
}

}  // namespace rivo::tool
