#include <memory>

#include "graph/incremental_dfs.h"
#include "parser/network_parser.h"

namespace {
constexpr double kDrainTolerance = 0.001;
constexpr double kNonDrainingFall = 0.01;
constexpr double kNoLowestYet = 9999999999999998.0;

bool IsOutfallType(const NodeData& d) {
    return d.nodeType == node_type::kOutfall;
}

// A storage node that cannot drain holds its water like an outfall does, and
// the part of the network behind it drains to it: it becomes an outlet.
void ConvertToOutfall(NodeData& d) {
    d.nodeType = node_type::kOutfall;
    d.convertedToOutfall = true;
}

}  // namespace

// Outlets are the outfalls that still have a link and the storage nodes that
// cannot drain; outfalls without any link are set aside as removed.
bool CFLDNetworkParser::AddOutletNodes() {
    error().SetContext(texts::kAddOutletNodes);
    outlets.clear();
    graph.for_each_node([&](GTL::node n) {
        NodeData& d = graph.data(n);
        if (d.nodeType == node_type::kOutfall) {
            if (graph.degree(n) == 0) {
                ++removedOutfallCount;
                removedOutfallIDs.push_back(d.nodeID);
            } else {
                outlets.push_back(n);
            }
        } else if (d.nodeType == node_type::kStorage) {
            if (StorageNodeDrains(n)) {
                d.storageHasDrain = true;
            } else {
                ConvertToOutfall(d);
                outlets.push_back(n);
            }
        }
    });
    return !outlets.empty();
}

// A storage node drains through a link that does not rise away from it, lies
// no higher than its lowest non-draining link, and beyond which the water
// reaches an outfall or an undecided storage node without rising above the
// link's end at the storage node. A node without links does not drain.
bool CFLDNetworkParser::StorageNodeDrains(GTL::node S) {
    double E = 0.0;
    GTL::edge M;
    bool F = FindLowestNonDrainingLink(S, E, M);
    std::vector<std::int32_t> ids;
    graph.for_each_adj_edge(S, [&](GTL::edge e) { ids.push_back(graph.data(e).edgeID); });
    for (std::int32_t id : ids) {
        // Testing a link hides and restores links, which reorders the lists at
        // S but never removes one: the link with this ID is still at S.
        GTL::edge L = graph.GetEdge(id);
        const CEdgeData& ld = graph.data(L);
        if (ld.sourceNode != S && ld.targetNode != S) {
            error().ThrowError(E_INVALIDARG, texts::kLinkNotConnected);
        }
        GTL::node O = ld.sourceNode == S ? ld.targetNode : ld.sourceNode;
        if (!(ld.GetElevation(O) - kDrainTolerance < ld.GetElevation(S))) {
            continue;
        }
        bool drains = false;
        if (IsOutfallType(graph.data(O))) {
            drains = !F || IsBelowNonDrainingLink(M, S, L, E);
        } else {
            // The drain test runs first and always: its hiding and restoring
            // reorders adjacency lists, which every later search sees.
            bool reachesOutlet = StorageDrainsThroughLink(O, L, S);
            drains = reachesOutlet && (!F || IsBelowNonDrainingLink(M, S, L, E));
        }
        if (drains) {
            return true;
        }
    }
    return false;
}

bool CFLDNetworkParser::FindLowestNonDrainingLink(GTL::node S, double& lowest,
                                                  GTL::edge& lowestLink) {
    bool found = false;
    lowest = kNoLowestYet;
    lowestLink = GTL::edge{};
    graph.for_each_adj_edge(S, [&](GTL::edge e) {
        const CEdgeData& d = graph.data(e);
        GTL::node O = graph.opposite(e, S);
        double atS = d.GetElevation(S);
        if (atS - d.GetElevation(O) < kNonDrainingFall) {
            found = true;
            if (atS < lowest) {
                lowest = atS;
                lowestLink = e;
            }
        }
    });
    return found;
}

bool CFLDNetworkParser::IsBelowNonDrainingLink(GTL::edge M, GTL::node S, GTL::edge L, double E) {
    if (L == M) {
        return true;
    }
    return graph.data(L).GetElevation(S) - kDrainTolerance < E;
}

// Beyond L the water must reach an outfall or an undecided storage node
// without rising above L's end at S. The targets are tried in the order in
// which a search from O reaches them, and each one on paths of that search:
// a path that rises loses its highest-up breaking link and the search is run
// again, until the target is cut off. The searches enter nodes only as far as
// the test needs; the first search is completed before the graph changes.
bool CFLDNetworkParser::StorageDrainsThroughLink(GTL::node O, GTL::edge L, GTL::node S) {
    const CEdgeData& ld = graph.data(L);
    double H = ld.GetElevation(S);
    if (graph.data(O).nodeType == node_type::kStorage && ld.GetElevation(O) + kDrainTolerance < H) {
        return true;
    }
    graph.hide_edge(L);
    incremental_dfs first(graph, O);
    // The newest search is the first one until a later one replaces it.
    std::unique_ptr<incremental_dfs> later;
    incremental_dfs* newest = &first;
    auto searchAgain = [&] {
        later.reset();
        later = std::make_unique<incremental_dfs>(graph, O);
        newest = later.get();
    };
    bool success = false;
    path_record path(&graph);
    for (std::size_t k = 1; !success; ++k) {
        GTL::node V = first.entered(k);
        if (V.is_null()) {
            break;
        }
        const NodeData& vd = graph.data(V);
        bool target = IsOutfallType(vd) ||
                      (vd.nodeType == node_type::kStorage && V != S && !vd.storageHasDrain);
        if (!target) {
            continue;
        }
        if (!newest->reaches(V)) {
            searchAgain();
        }
        // Look for a path that stays below the level, hiding each link that
        // rises above it and searching again, until V is cut off.
        std::vector<GTL::edge> hidden;
        while (newest->reaches(V)) {
            path.clear();
            newest->fill_path(path, V);
            GTL::edge breaking;
            if (PathStaysBelowLevel(path, H, breaking)) {
                success = true;
                break;
            }
            first.finish();
            graph.hide_edge(breaking);
            hidden.push_back(breaking);
            searchAgain();
        }
        for (GTL::edge e : hidden) {
            graph.restore_edge(e);
        }
    }
    graph.restore_edge(L);
    return success;
}

bool CFLDNetworkParser::PathStaysBelowLevel(const path_record& path, double H,
                                            GTL::edge& breaking) {
    for (std::size_t i = 0; i < path.links.size(); ++i) {
        const CEdgeData& d = graph.data(path.links[i]);
        if (H - d.GetElevation(path.nodes[i]) < -kDrainTolerance ||
            H - d.GetElevation(path.nodes[i + 1]) < -kDrainTolerance) {
            breaking = path.links[i];
            return false;
        }
    }
    return true;
}
