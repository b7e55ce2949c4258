#include <algorithm>
#include <cmath>
#include <cstdint>

#include "branches/branch_finder.h"
#include "parser/network_parser.h"
#include "support/exchange_sort.h"

namespace {
// IDs of copies wrap around in 32 bits like the host's own integers would.
std::int32_t CopyNodeID(std::int32_t count, std::int32_t nodeID) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) *
                                         static_cast<std::uint32_t>(kCopyIDBase) +
                                     static_cast<std::uint32_t>(nodeID));
}

std::int32_t CopyEdgeID(std::int32_t edgeID) {
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(edgeID));
}
}  // namespace

void CFLDNetworkParser::ComputeLongestPathLengths() {
    for (auto& worker : workers_.subnetworks) {
        for (std::size_t k = 0; k < worker->TreeBranches().size(); ++k) {
            CBranch* b = worker->TreeBranches()[k].get();
            if (!b->edges.empty()) {
                worker->PropagatePathLength(b->nodes.front(), b, 0.0);
            }
        }
    }
}

// Opens every loop of the first pass for good: its first link is hidden and
// replaced by a link from a copy of its first node, so the loop hangs as a
// dead end from its second node in the second pass.
void CFLDNetworkParser::SplitLoopsAtFirstNode() {
    IdIndex copies;
    for (auto& worker : workers_.subnetworks) {
        for (const auto& b : worker->LoopBranches()) {
            GTL::node P = b->nodes[0];
            GTL::node Q = b->nodes[1];
            GTL::edge E = b->edges[0];
            NodeData pd = graph.data(P);
            std::int32_t k = copies.find(pd.nodeID);
            k = k < 0 ? 1 : k + 1;
            copies.assign(pd.nodeID, k);
            GTL::node copy =
                graph.add_node(CopyNodeID(k, pd.nodeID), pd.nodeType, pd.xPosition, pd.yPosition);
            const CEdgeData& ed = graph.data(E);
            graph.add_edge(CopyEdgeID(ed.edgeID), copy, Q, ed.edgeType, ed.GetElevation(P),
                           ed.GetElevation(Q), ed.size, ed.length);
            graph.hide_edge(E);
        }
    }
}

// Outlets by falling longest path length; equal values keep their order.
void CFLDNetworkParser::SortOutletsByLongestPath() {
    auto value = [&](GTL::node n) { return graph.data(n).longestPathLength; };
    bool comparable = std::none_of(outletStage_.outlets.begin(), outletStage_.outlets.end(),
                                   [&](GTL::node n) { return std::isnan(value(n)); });
    if (comparable) {
        // Exchanging neighbours only when strictly smaller is a stable sort.
        std::stable_sort(outletStage_.outlets.begin(), outletStage_.outlets.end(),
                         [&](GTL::node a, GTL::node b) { return value(a) > value(b); });
        return;
    }
    ExchangeSort(outletStage_.outlets,
                 [&](GTL::node a, GTL::node b) { return value(a) < value(b); });
}
