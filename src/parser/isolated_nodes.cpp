#include "parser/network_parser.h"

// Nodes that no outlet's search reached drain nowhere; they and their links
// are reported so the host can show what the parse left out. Unreached
// outfall-type nodes are the outfalls without links, reported elsewhere.
void CFLDNetworkParser::FindIsolatedNodesAndEdges() {
    std::vector<char> listed(static_cast<std::size_t>(graph.number_of_edge_ids()), 0);
    // Each search was reset before its last run, so its order lists exactly
    // the nodes it reached: one pass over the orders replaces asking every
    // search about every node.
    std::vector<char> reached(static_cast<std::size_t>(graph.number_of_node_ids()), 0);
    for (const auto& search : outletStage_.outletSearches) {
        for (GTL::node n : search->dfs_order()) {
            reached[static_cast<std::size_t>(n.id)] = 1;
        }
    }
    for (GTL::node n : outletStage_.loneOutlets) {
        reached[static_cast<std::size_t>(n.id)] = 1;
    }
    graph.for_each_node([&](GTL::node n) {
        if (reached[static_cast<std::size_t>(n.id)]) {
            return;
        }
        const NodeData& d = graph.data(n);
        if (IsOutfallType(d)) {
            return;
        }
        outletStage_.isolatedNodeIDs.push_back(d.nodeID);
        graph.for_each_adj_edge(n, [&](GTL::edge e) {
            if (!listed[static_cast<std::size_t>(e.id)]) {
                listed[static_cast<std::size_t>(e.id)] = 1;
                outletStage_.isolatedEdgeIDs.push_back(graph.data(e).edgeID);
            }
        });
    });
}
