#include <memory>

#include "parser/network_parser.h"

namespace {
constexpr double kDrainTolerance = 0.001;
constexpr double kNonDrainingFall = 0.01;
// Start of the search for a storage node's lowest non-draining link: above
// any elevation a network has, so that the first such link found becomes the
// lowest. A link end at or above it (no real network has one) still counts as
// found but is never the lowest; so the value is the procedure's own.
constexpr double kNoLowestYet = 9999999999999998.0;

}  // namespace

// Outlets are the outfalls that still have a link and the storage nodes that
// cannot drain; outfalls without any link are set aside as removed.
bool CFLDNetworkParser::AddOutletNodes() {
    error().SetContext(texts::kAddOutletNodes);
    outletStage_.outlets.clear();
    graph.for_each_node([&](GTL::node n) {
        NodeData& d = graph.data(n);
        if (IsOutfallType(d)) {
            if (graph.degree(n) == 0) {
                ++outletStage_.removedOutfallCount;
                outletStage_.removedOutfallIDs.push_back(d.nodeID);
            } else {
                outletStage_.outlets.push_back(n);
            }
        } else if (d.nodeType == node_type::kStorage) {
            if (StorageNodeDrains(n)) {
                d.storageHasDrain = true;
            } else {
                ConvertToOutfall(d);
                outletStage_.outlets.push_back(n);
            }
        }
    });
    return !outletStage_.outlets.empty();
}

// A storage node drains through a link that does not rise away from it, lies
// no higher than its lowest non-draining link, and beyond which the water
// reaches an outfall or an undecided storage node without rising above the
// link's end at the storage node. A node without links does not drain.
bool CFLDNetworkParser::StorageNodeDrains(GTL::node S) {
    double lowestElevation = 0.0;
    GTL::edge lowestLink;
    bool hasNonDraining = FindLowestNonDrainingLink(S, lowestElevation, lowestLink);
    // A draining link must lie no higher than the lowest non-draining one.
    auto belowNonDraining = [&](GTL::edge L) {
        return !hasNonDraining || IsBelowNonDrainingLink(lowestLink, S, L, lowestElevation);
    };
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
            drains = belowNonDraining(L);
        } else {
            // The drain test runs first and always: its hiding and restoring
            // reorders adjacency lists, which every later search sees.
            bool reachesOutlet = StorageDrainsThroughLink(O, L, S);
            drains = reachesOutlet && belowNonDraining(L);
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

bool CFLDNetworkParser::IsBelowNonDrainingLink(GTL::edge lowestLink, GTL::node S, GTL::edge L,
                                               double lowestElevation) {
    if (L == lowestLink) {
        return true;
    }
    return graph.data(L).GetElevation(S) - kDrainTolerance < lowestElevation;
}

// The searches of one drain test from O, each entered step by step: the
// first, whose order gives the targets, and the newest, whose tree gives the
// paths tried. Until a path fails the newest is the first.
class DrainSearches {
public:
    DrainSearches(graph_fld& G, GTL::node O) : G_(G), O_(O) { Start(first_); }
    dfs_fld& first() { return first_; }
    dfs_fld& newest() { return later_ ? *later_ : first_; }
    // A new search from O over the graph as it is now.
    void SearchAgain() {
        FinishFirst();
        later_.reset();
        later_ = std::make_unique<dfs_fld>();
        Start(*later_);
    }
    // Hides a link that rises above the level and searches again without it.
    void SearchAgainWithout(GTL::edge link) {
        FinishFirst();
        G_.hide_edge(link);
        hidden_.push_back(link);
        SearchAgain();
    }
    // Restores the links hidden for one target, in the order they were hidden.
    void RestoreHidden() {
        for (GTL::edge e : hidden_) {
            G_.restore_edge(e);
        }
        hidden_.clear();
    }

private:
    void Start(dfs_fld& search) {
        search.start_node(O_);
        search.begin(G_);
    }
    // The first search is completed before the graph changes, as a whole run
    // over the graph as it was would have been.
    void FinishFirst() {
        while (first_.enter_next()) {
        }
    }

    graph_fld& G_;
    GTL::node O_;
    dfs_fld first_;
    std::unique_ptr<dfs_fld> later_;
    std::vector<GTL::edge> hidden_;
};

// Beyond L the water must reach an outfall or an undecided storage node
// without rising above L's end at S; water falling into another storage node
// drains at once.
bool CFLDNetworkParser::StorageDrainsThroughLink(GTL::node O, GTL::edge L, GTL::node S) {
    const CEdgeData& ld = graph.data(L);
    double level = ld.GetElevation(S);
    if (graph.data(O).nodeType == node_type::kStorage &&
        ld.GetElevation(O) + kDrainTolerance < level) {
        return true;
    }
    graph.hide_edge(L);
    bool drains = ReachesTargetBelowLevel(O, S, level);
    graph.restore_edge(L);
    return drains;
}

// The targets are tried in the order in which a search from O reaches them,
// and the first success ends the test. The searches enter nodes only as far
// as the test needs.
bool CFLDNetworkParser::ReachesTargetBelowLevel(GTL::node O, GTL::node S, double level) {
    DrainSearches searches(graph, O);
    for (std::size_t k = 1;; ++k) {
        GTL::node V = searches.first().entered(k);
        if (V.is_null()) {
            return false;
        }
        const NodeData& vd = graph.data(V);
        bool target = IsOutfallType(vd) ||
                      (vd.nodeType == node_type::kStorage && V != S && !vd.storageHasDrain);
        if (target && TargetReachedBelowLevel(searches, V, level)) {
            return true;
        }
    }
}

// Tries paths of the newest search from V back to O: a path that rises above
// the level loses its highest-up breaking link and the search is run again,
// until a path stays below the level or V is cut off. The links hidden for V
// are restored before the next target is tried.
bool CFLDNetworkParser::TargetReachedBelowLevel(DrainSearches& searches, GTL::node V,
                                                double level) {
    if (!searches.newest().reaches(V)) {
        searches.SearchAgain();
    }
    bool below = false;
    path_record path(&graph);
    while (!below && searches.newest().reaches(V)) {
        path.clear();
        FillPathAlongSearchTree(path, searches.newest(), V);
        GTL::edge breaking;
        below = PathStaysBelowLevel(path, level, breaking);
        if (!below) {
            searches.SearchAgainWithout(breaking);
        }
    }
    searches.RestoreHidden();
    return below;
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
