#include "parser/network_parser.h"

namespace {
constexpr double kPondLevelTolerance = 0.01;

bool IsPondStorage(const NodeData& d) {
    return d.nodeType == node_type::kStorage && d.isPond;
}
}  // namespace

// A link that joins two pond storage nodes carries water between the ponds
// in either direction; it takes no part in the branch tree and becomes a loop
// branch of its own, running from its higher end.
void CFLDNetworkParser::CreatePondLinkLoops() {
    // Which nodes are ponds, in a table small enough to stay in the cache
    // while the links are walked.
    std::vector<char> pond(static_cast<std::size_t>(graph.number_of_node_ids()));
    graph.for_each_node(
        [&](GTL::node n) { pond[static_cast<std::size_t>(n.id)] = IsPondStorage(graph.data(n)); });
    std::vector<GTL::edge> toHide;
    graph.for_each_edge([&](GTL::edge e) {
        const CEdgeData& d = graph.data(e);
        GTL::node first = d.sourceNode;
        GTL::node second = d.targetNode;
        if (!pond[static_cast<std::size_t>(first.id)] ||
            !pond[static_cast<std::size_t>(second.id)]) {
            return;
        }
        toHide.push_back(e);
        double atFirst = d.GetElevation(first);
        double atSecond = d.GetElevation(second);
        auto branch = std::make_unique<CBranch>();
        if (atFirst - atSecond <= -kPondLevelTolerance) {
            branch->nodes.push_back(second);
            branch->nodes.push_back(first);
        } else {
            branch->nodes.push_back(first);
            branch->nodes.push_back(second);
        }
        branch->edges.push_back(e);
        branch->FillIDTables(graph);
        AppendLinkLoop(std::move(branch));
    });
    // Hidden only after the walk, which must see the edge list undisturbed.
    for (GTL::edge e : toHide) {
        graph.hide_edge(e);
    }
}
