// Turns bytes into a sequence of host calls on the public parser: nodes and
// links with IDs from a small range (so duplicates and unknown IDs happen),
// every type code, flags, pump links and gutters, one or two parses, then
// every query with indexes and IDs in and out of range. The only acceptable
// failures are the system's own errors with texts from its table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "fuzz/byte_reader.h"
#include "fuzz/known_messages.h"
#include "rivo/rivo.h"

namespace {

using Velmora::Calculations::Dynamic::RivoNetworkParser;

template <class Call>
void Guarded(Call&& call) {
    try {
        call();
    } catch (const CKtHRException& e) {
        rivo_fuzz::CheckKnownMessage(e);
    }
}

// IDs to query: every ID the calls used (known or not), which the parser may
// know as nodes, links or neither.
using IdSet = std::set<std::int32_t>;

void Describe(rivo_fuzz::ByteReader& in, RivoNetworkParser& p, IdSet& ids) {
    int calls = in.Int(0, 60);
    for (int i = 0; i < calls && !in.Empty(); ++i) {
        switch (in.Int(0, 7)) {
            case 0:
            case 1:
            case 2: {
                std::int32_t id = in.SmallId();
                ids.insert(id);
                Guarded([&] { p.AddNode(id, in.Coordinate(), in.Coordinate(), in.Type()); });
            } break;
            case 3:
            case 4: {
                std::int32_t id = in.SmallId();
                ids.insert(id);
                std::int32_t s = in.SmallId();
                double es = in.Elevation();
                std::int32_t t = in.Bool() ? s : in.SmallId();  // self-loops too
                double et = in.Elevation();
                double size = in.Size();
                std::int16_t type = in.Type();
                if (in.Bool()) {
                    Guarded([&] { p.AddEdge(id, s, es, t, et, size, type); });
                } else {
                    double length = in.Size() * 10.0;
                    Guarded([&] { p.AddEdge(id, s, es, t, et, size, type, length); });
                }
                break;
            }
            case 5:
                Guarded([&] { p.SetNodeIsPondType(in.SmallId(), in.Bool()); });
                break;
            case 6:
                Guarded([&] { p.SetNodeStorageType(in.SmallId()); });
                break;
            default:
                if (in.Bool()) {
                    Guarded([&] { p.AddPumpLink(in.SmallId(), in.SmallId(), in.SmallId()); });
                } else {
                    Guarded([&] { p.AddGutterLinkIDDirection(in.SmallId(), in.Bool()); });
                }
                break;
        }
    }
}

void ReadBranch(Velmora::Calculations::Dynamic::IVBranch& b, rivo_fuzz::ByteReader& in) {
    volatile std::int64_t sink = b.BranchNumber() + b.DownStreamBranchNumber() +
                                 b.DownStreamUpSectionNumber() + b.UpStreamBranchNumber() +
                                 b.UpStreamUpSectionNumber() + b.NumberOfSections() +
                                 b.IsStorageOutletBranch() + b.IsSingleStorageNodeBranch();
    for (std::int32_t k = 0; k < b.NumberOfNodes(); ++k) {
        sink = sink + b.GetNodeID(k);
    }
    for (std::int32_t k = 0; k < b.NumberOfEdges(); ++k) {
        sink = sink + b.GetEdgeID(k);
    }
    Guarded(
        [&] { sink = sink + b.GetNodeID(in.Int(-2, 2) + (in.Bool() ? b.NumberOfNodes() : 0)); });
    Guarded(
        [&] { sink = sink + b.GetEdgeID(in.Int(-2, 2) + (in.Bool() ? b.NumberOfEdges() : 0)); });
}

void Query(rivo_fuzz::ByteReader& in, RivoNetworkParser& p, IdSet ids) {
    for (std::int32_t i = 0; i < p.NumberOfBranches(); ++i) {
        ReadBranch(*p.GetBranch(i), in);
    }
    for (std::int32_t i = 0; i < p.NumberOfLoops(); ++i) {
        ReadBranch(*p.GetLoop(i), in);
    }
    volatile std::int64_t sink = p.ContainsLoop() + p.NumberOfNodes() + p.NumberOfLinks();
    for (std::int32_t i = 0; i < p.NumberOfPumpLinks(); ++i) {
        auto pump = p.GetPumpLink(i);
        sink = sink + pump->PumpLinkID() + pump->UpStreamNodeID() + pump->DownStreamNodeID() +
               pump->UpStreamBranchNumber() + pump->DownStreamBranchNumber() +
               pump->UpStreamNodeUpSectionNumber() + pump->DownStreamNodeUpSectionNumber();
    }
    // Exceptions are costly under the sanitizers: queries that fail only for
    // an unknown ID share one guard, so an unknown ID raises once per group.
    ids.insert(17);  // never added
    for (std::int32_t id : ids) {
        Guarded([&] { sink = sink + p.GetBranchNumberOfNode(id); });
        Guarded([&] { sink = sink + p.GetNodeIndexInBranch(id); });
        Guarded([&] {
            sink = sink + p.GetNodeUpStreamSectionNumber(id) + p.GetNodeIsPump(id) +
                   p.GetNodeIsOutfallType(id) + p.GetNodeIsConvertedToOutfall(id) +
                   p.GetNodeIsManholeOrStorageType(id);
            p.SetNodeDownStreamSectionPosition(id, 1.5);
            sink = sink + static_cast<std::int64_t>(p.GetNodeDownStreamSectionPosition(id));
        });
        Guarded([&] {
            sink = sink + p.GetBranchNumberOfPipe(id) + p.GetLinkUpStreamSectionNumber(id) +
                   p.GetParserDirectionSameAsUI(id);
            p.SetFirstSectionPosition(id, 0.25);
            p.SetSecondSectionPosition(id, 0.75);
            sink = sink + static_cast<std::int64_t>(p.GetFirstSectionPosition(id) +
                                                    p.GetSecondSectionPosition(id));
        });
    }
    for (int i = -1; i <= 3; ++i) {
        Guarded([&] { (void)p.GetBranch(p.NumberOfBranches() + i); });
        Guarded([&] { (void)p.GetLoop(p.NumberOfLoops() + i); });
        Guarded([&] { (void)p.GetPumpLink(p.NumberOfPumpLinks() + i); });
        Guarded([&] { sink = sink + p.GetGutterLinkID(p.NumberOfGutters() + i); });
        Guarded([&] { sink = sink + p.GetGutterDirectionSameAsUI(p.NumberOfGutters() + i); });
        Guarded([&] { sink = sink + p.GetIsolatedNodeId(p.NumberOfIsolatedNodes() + i); });
        Guarded([&] { sink = sink + p.GetIsolatedEdgeId(p.NumberOfIsolatedEdges() + i); });
        Guarded([&] { sink = sink + p.GetRemovedOutfallID(p.NumberOfRemovedOutfalls() + i); });
    }
    p.PumpList().emplace_back(1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rivo_fuzz::ByteReader in(data, size);
    RivoNetworkParser parser;
    IdSet ids;
    Describe(in, parser, ids);
    bool longest = in.Bool();
    Guarded([&] { parser.ParseNetwork(longest); });
    if (in.Bool()) {
        Guarded([&] { parser.ParseNetwork(); });  // a second parse is refused
    }
    Query(in, parser, ids);
    if (in.Bool()) {
        parser.Release();
        parser.Release();
    }
    return 0;
}
