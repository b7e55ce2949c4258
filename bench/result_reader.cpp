#include "result_reader.h"

#include <bit>
#include <memory>
#include <type_traits>

namespace rivo_bench {

namespace dyn = Velmora::Calculations::Dynamic;

namespace {

template <class T>
void Mix(ReadTally& tally, T value) {
    std::uint64_t bits = 0;
    if constexpr (std::is_floating_point_v<T>) {
        bits = std::bit_cast<std::uint64_t>(static_cast<double>(value));
    } else {
        bits = static_cast<std::uint64_t>(value);
    }
    tally.checksum = (tally.checksum ^ bits) * 0x100000001b3ull;
}

// One query; an error it raises is counted and reading goes on.
template <class Query>
void Ask(ReadTally& tally, Query query) {
    ++tally.queries;
    try {
        Mix(tally, query());
    } catch (const CKtException&) {
        ++tally.errors;
    }
}

// A query that returns an object; null when it raised.
template <class Query>
auto Fetch(ReadTally& tally, Query query) -> decltype(query()) {
    ++tally.queries;
    try {
        return query();
    } catch (const CKtException&) {
        ++tally.errors;
        return nullptr;
    }
}

void ReadBranch(ReadTally& tally, const dyn::IVBranch& b) {
    Ask(tally, [&] { return b.BranchNumber(); });
    Ask(tally, [&] { return b.DownStreamBranchNumber(); });
    Ask(tally, [&] { return b.DownStreamUpSectionNumber(); });
    Ask(tally, [&] { return b.UpStreamBranchNumber(); });
    Ask(tally, [&] { return b.UpStreamUpSectionNumber(); });
    Ask(tally, [&] { return b.NumberOfSections(); });
    Ask(tally, [&] { return b.IsStorageOutletBranch(); });
    Ask(tally, [&] { return b.IsSingleStorageNodeBranch(); });
    std::int32_t nodes = b.NumberOfNodes();
    for (std::int32_t i = 0; i < nodes; ++i) {
        Ask(tally, [&] { return b.GetNodeID(i); });
    }
    std::int32_t edges = b.NumberOfEdges();
    for (std::int32_t i = 0; i < edges; ++i) {
        Ask(tally, [&] { return b.GetEdgeID(i); });
    }
}

void ReadBranches(ReadTally& tally, dyn::IVFLDNetworkParser& parser) {
    tally.branches = parser.NumberOfBranches();
    for (std::int32_t i = 0; i < tally.branches; ++i) {
        if (auto b = Fetch(tally, [&] { return parser.GetBranch(i); })) {
            ReadBranch(tally, *b);
        }
    }
    tally.loops = parser.NumberOfLoops();
    for (std::int32_t i = 0; i < tally.loops; ++i) {
        if (auto b = Fetch(tally, [&] { return parser.GetLoop(i); })) {
            ReadBranch(tally, *b);
        }
    }
}

void ReadPumpLinks(ReadTally& tally, dyn::IVFLDNetworkParser& parser) {
    std::int32_t count = parser.NumberOfPumpLinks();
    for (std::int32_t i = 0; i < count; ++i) {
        auto pump = Fetch(tally, [&] { return parser.GetPumpLink(i); });
        if (!pump) {
            continue;
        }
        Ask(tally, [&] { return pump->PumpLinkID(); });
        Ask(tally, [&] { return pump->UpStreamNodeID(); });
        Ask(tally, [&] { return pump->DownStreamNodeID(); });
        Ask(tally, [&] { return pump->UpStreamBranchNumber(); });
        Ask(tally, [&] { return pump->DownStreamBranchNumber(); });
        Ask(tally, [&] { return pump->UpStreamNodeUpSectionNumber(); });
        Ask(tally, [&] { return pump->DownStreamNodeUpSectionNumber(); });
    }
}

void ReadNodes(ReadTally& tally, dyn::IVFLDNetworkParser& p, const Network& network) {
    for (const Node& node : network.nodes) {
        std::int32_t id = node.id;
        Ask(tally, [&] { return p.GetBranchNumberOfNode(id); });
        Ask(tally, [&] { return p.GetNodeIndexInBranch(id); });
        Ask(tally, [&] { return p.GetNodeUpStreamSectionNumber(id); });
        Ask(tally, [&] { return p.GetNodeDownStreamSectionPosition(id); });
        Ask(tally, [&] { return p.GetNodeIsOutfallType(id); });
        Ask(tally, [&] { return p.GetNodeIsConvertedToOutfall(id); });
        Ask(tally, [&] { return p.GetNodeIsPump(id); });
        Ask(tally, [&] { return p.GetNodeIsManholeOrStorageType(id); });
    }
}

void ReadLinks(ReadTally& tally, dyn::IVFLDNetworkParser& p, const Network& network) {
    for (const Link& link : network.links) {
        std::int32_t id = link.id;
        Ask(tally, [&] { return p.GetBranchNumberOfPipe(id); });
        Ask(tally, [&] { return p.GetLinkUpStreamSectionNumber(id); });
        Ask(tally, [&] { return p.GetParserDirectionSameAsUI(id); });
        Ask(tally, [&] { return p.GetFirstSectionPosition(id); });
        Ask(tally, [&] { return p.GetSecondSectionPosition(id); });
    }
}

void ReadLists(ReadTally& tally, dyn::IVFLDNetworkParser& p) {
    Ask(tally, [&] { return p.ContainsLoop(); });
    Ask(tally, [&] { return p.NumberOfNodes(); });
    Ask(tally, [&] { return p.NumberOfLinks(); });
    for (std::int32_t i = 0, n = p.NumberOfIsolatedNodes(); i < n; ++i) {
        Ask(tally, [&] { return p.GetIsolatedNodeId(i); });
    }
    for (std::int32_t i = 0, n = p.NumberOfIsolatedEdges(); i < n; ++i) {
        Ask(tally, [&] { return p.GetIsolatedEdgeId(i); });
    }
    for (std::int32_t i = 0, n = p.NumberOfRemovedOutfalls(); i < n; ++i) {
        Ask(tally, [&] { return p.GetRemovedOutfallID(i); });
    }
    for (std::int32_t i = 0, n = p.NumberOfGutters(); i < n; ++i) {
        Ask(tally, [&] { return p.GetGutterLinkID(i); });
        Ask(tally, [&] { return p.GetGutterDirectionSameAsUI(i); });
    }
}

}  // namespace

ReadTally ReadEverything(dyn::IVFLDNetworkParser& parser, const Network& network) {
    ReadTally tally;
    ReadBranches(tally, parser);
    ReadPumpLinks(tally, parser);
    ReadNodes(tally, parser, network);
    ReadLinks(tally, parser, network);
    ReadLists(tally, parser);
    return tally;
}

}  // namespace rivo_bench
