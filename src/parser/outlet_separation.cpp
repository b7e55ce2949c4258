#include "branches/branch_finder.h"
#include "parser/network_parser.h"
#include "parser/outlet_order.h"

namespace {
constexpr double kNoLowestLinkEnd = 1.2e11;
}  // namespace

bool CFLDNetworkParser::FindOutletsAndSubnetworks(bool second) {
    if (!second) {
        outletSearches.clear();
        if (!AddOutletNodes()) {
            return false;
        }
    }
    if (outlets.empty()) {
        CKtHRException(texts::kNoOutlet, E_FAIL).Throw();
    }
    if (!second) {
        SortOutlets();
    }
    SeperateAllOutletsAndCreateLinkLoops(second);
    return true;
}

// Real outfalls come before converted storage nodes, and among real outfalls
// the one with the lower lowest link end first.
void CFLDNetworkParser::SortOutlets() {
    std::vector<OutletKey> keys;
    keys.reserve(outlets.size());
    for (GTL::node n : outlets) {
        keys.push_back(OutletKey{LowestLinkEnd(n), graph.data(n).convertedToOutfall, n});
    }
    SortOutletKeys(keys);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        outlets[i] = keys[i].node;
    }
}

double CFLDNetworkParser::LowestLinkEnd(GTL::node n) {
    double lowest = kNoLowestLinkEnd;
    graph.for_each_adj_edge(n, [&](GTL::edge e) {
        double at = graph.data(e).GetElevation(n);
        if (at < lowest) {
            lowest = at;
        }
    });
    return lowest;
}

// Grows one search per outlet. Where a search reaches a later outlet, the two
// outlets are joined: one link of the path between them is cut out as a loop
// between outlets and the search is run again, until each outlet's search
// reaches no other outlet and so spans its own subnetwork.
void CFLDNetworkParser::SeperateAllOutletsAndCreateLinkLoops(bool second) {
    // Position of each outlet in the order: the first later outlet a search
    // reached is found among the nodes it reached, not by asking the search
    // about every later outlet (networks have thousands of outfalls).
    std::vector<std::int32_t> position(static_cast<std::size_t>(graph.number_of_node_ids()), -1);
    for (std::size_t k = 0; k < outlets.size(); ++k) {
        position[static_cast<std::size_t>(outlets[k].id)] = static_cast<std::int32_t>(k);
    }
    for (std::size_t i = 0; i < outlets.size(); ++i) {
        GTL::node o = outlets[i];
        auto search = std::make_unique<dfs_fld>();
        search->secondPass = second;
        while (true) {
            // The search reaches exactly what the level search discovers, so
            // the later outlets come from the levels; the search itself runs
            // in full only once no later outlet is left, and otherwise only
            // as far as the outlet that decides the cut.
            GTL::bfs levels;
            levels.start_node(o);
            levels.run(graph);
            std::int32_t first = -1;
            for (GTL::node n : levels.discovered_nodes()) {
                std::int32_t k = position[static_cast<std::size_t>(n.id)];
                if (k > static_cast<std::int32_t>(i) && (first < 0 || k < first)) {
                    first = k;
                }
            }
            if (first < 0) {
                search->reset();
                search->start_node(o);
                search->store_non_tree_edges(true);
                search->use_levels(&levels);
                search->run(graph);
                break;
            }
            dfs_fld partial;
            partial.secondPass = second;
            partial.start_node(o);
            partial.use_levels(&levels);
            partial.begin(graph);
            CutLinkBetweenOutlets(partial, outlets[static_cast<std::size_t>(first)]);
        }
        dfs_fld* kept = search.get();
        outletSearches.push_back(std::move(search));
        std::unique_ptr<CBranchFinder> worker;
        if (kept->number_of_reached_nodes() == 1) {
            if (graph.data(o).convertedToOutfall) {
                worker = std::make_unique<CBranchFinder>(this, &graph, kept, o, true);
            }
        } else {
            worker = std::make_unique<CBranchFinder>(this, &graph, kept, o, false);
        }
        if (worker) {
            worker->countsLoopEnds = !second;
            (second ? secondPassSubnetworks : subnetworks).push_back(std::move(worker));
        }
    }
    if (!second) {
        AssignLinkLoopsToSubnetworks();
    }
}

// The link cut is the summit link of the search tree's path from the later
// outlet back to this one, oriented from its high end.
void CFLDNetworkParser::CutLinkBetweenOutlets(dfs_fld& search, GTL::node later) {
    path_record path(&graph);
    search.reaches(later);
    FillPathAlongSearchTree(path, search, later);
    summit_link cut = ChooseSummitLink(path);
    auto branch = std::make_unique<CBranch>(&graph);
    branch->nodes.push_back(cut.high);
    branch->nodes.push_back(cut.low);
    graph.data(cut.high).isJunction = true;
    branch->edges.push_back(cut.link);
    branch->isLoopBetweenOutlets = true;
    branch->FillIDTables();
    AppendLinkLoop(std::move(branch));
    graph.hide_edge(cut.link);
}

// Each loop branch the parser holds goes to the first subnetwork that reached
// its last node, unless that node is a pump.
void CFLDNetworkParser::AssignLinkLoopsToSubnetworks() {
    // The first-pass searches partition the nodes they reached; index them.
    std::vector<std::int32_t> owner(static_cast<std::size_t>(graph.number_of_node_ids()), -1);
    for (std::size_t w = subnetworks.size(); w-- > 0;) {
        for (GTL::node n : subnetworks[w]->search->dfs_order()) {
            owner[static_cast<std::size_t>(n.id)] = static_cast<std::int32_t>(w);
        }
    }
    std::vector<std::unique_ptr<CBranch>> kept;
    for (auto& b : linkLoops) {
        GTL::node T = b->nodes.back();
        std::int32_t w = owner[static_cast<std::size_t>(T.id)];
        if (graph.data(T).nodeType == node_type::kPump || w < 0) {
            kept.push_back(std::move(b));
            continue;
        }
        // Moving a branch between counted lists leaves the end counts as they are.
        subnetworks[static_cast<std::size_t>(w)]->loopBranches.push_back(std::move(b));
    }
    linkLoops = std::move(kept);
}
