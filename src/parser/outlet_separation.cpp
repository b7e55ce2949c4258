#include "branches/branch_finder.h"
#include "parser/network_parser.h"
#include "parser/outlet_order.h"

namespace {
// Start of the search for an outlet's lowest link end: above any elevation a
// network has, so that its first link lowers it. An outlet whose link ends all
// lie at or above it (no real network has one) keeps this value, which then
// decides its place; so the value is the procedure's own.
constexpr double kNoLowestLinkEnd = 1.2e11;

// The position in the outlet order of the first outlet after position i that
// the level search discovered, -1 if none: found among the nodes discovered,
// not by asking the search about every later outlet (networks have thousands
// of outfalls). `position` holds each outlet's position, -1 for other nodes.
std::int32_t FirstLaterOutlet(const GTL::bfs& levels, const std::vector<std::int32_t>& position,
                              std::size_t i) {
    std::int32_t first = -1;
    for (GTL::node n : levels.discovered_nodes()) {
        std::int32_t k = position[static_cast<std::size_t>(n.id)];
        if (k > static_cast<std::int32_t>(i) && (first < 0 || k < first)) {
            first = k;
        }
    }
    return first;
}
}  // namespace

bool CFLDNetworkParser::FindOutletsAndSubnetworks(ParsePass pass) {
    if (pass == ParsePass::kFirst) {
        outletStage_.outletSearches.clear();
        bool added = false;
        Timed(pass, ParseStage::kOutletSelection, [&] { added = AddOutletNodes(); });
        if (!added) {
            return false;
        }
    }
    if (outletStage_.outlets.empty()) {
        CKtHRException(texts::kNoOutlet, E_FAIL).Throw();
    }
    if (pass == ParsePass::kFirst) {
        Timed(pass, ParseStage::kOutletOrder, [&] { SortOutlets(); });
    }
    Timed(pass, ParseStage::kSubnetworks, [&] { SeperateAllOutletsAndCreateLinkLoops(pass); });
    return true;
}

// Real outfalls come before converted storage nodes, and among real outfalls
// the one with the lower lowest link end first.
void CFLDNetworkParser::SortOutlets() {
    std::vector<GTL::node>& outlets = outletStage_.outlets;
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
void CFLDNetworkParser::SeperateAllOutletsAndCreateLinkLoops(ParsePass pass) {
    const std::vector<GTL::node>& outlets = outletStage_.outlets;
    auto& outletSearches = outletStage_.outletSearches;
    std::vector<std::int32_t> position(static_cast<std::size_t>(graph.number_of_node_ids()), -1);
    for (std::size_t k = 0; k < outlets.size(); ++k) {
        position[static_cast<std::size_t>(outlets[k].id)] = static_cast<std::int32_t>(k);
    }
    for (std::size_t i = 0; i < outlets.size(); ++i) {
        std::unique_ptr<dfs_fld> search = SearchSubnetwork(i, position, pass);
        if (AddWorker(*search, pass)) {
            outletSearches.push_back(std::move(search));
        } else {
            outletStage_.loneOutlets.push_back(outlets[i]);
        }
    }
    if (pass == ParsePass::kFirst) {
        AssignLinkLoopsToSubnetworks();
    }
}

// The search reaches exactly what the level search discovers, so the later
// outlets come from the levels. The search itself runs in full only once no
// later outlet is left; before, it runs only as far as the later outlet whose
// path back to this one is cut.
std::unique_ptr<dfs_fld> CFLDNetworkParser::SearchSubnetwork(
    std::size_t i, const std::vector<std::int32_t>& position, ParsePass pass) {
    GTL::node o = outletStage_.outlets[i];
    auto search = std::make_unique<dfs_fld>();
    search->secondPass = pass == ParsePass::kSecond;
    search->start_node(o);
    while (true) {
        GTL::bfs levels;
        levels.start_node(o);
        levels.run(graph);
        std::int32_t later = FirstLaterOutlet(levels, position, i);
        search->use_levels(&levels);
        if (later < 0) {
            search->store_non_tree_edges(true);
            search->run(graph);
            return search;
        }
        search->begin(graph);
        CutLinkBetweenOutlets(*search, outletStage_.outlets[static_cast<std::size_t>(later)]);
        search->reset();
        search->start_node(o);
    }
}

// A subnetwork gets a worker when its search reached more than its outlet,
// or when the outlet is a storage node that stands alone as its own outlet.
// Without a worker the search reached its outlet alone.
bool CFLDNetworkParser::AddWorker(dfs_fld& search, ParsePass pass) {
    GTL::node o = search.start_node();
    std::unique_ptr<CBranchFinder> worker;
    if (search.number_of_reached_nodes() > 1) {
        worker = std::make_unique<CBranchFinder>(this, &graph, &search, o, false);
    } else if (graph.data(o).convertedToOutfall) {
        worker = std::make_unique<CBranchFinder>(this, &graph, &search, o, true);
    }
    if (worker) {
        if (pass == ParsePass::kFirst) {
            worker->CountLoopEnds();
        }
        (pass == ParsePass::kFirst ? workers_.subnetworks : longestPass_.secondPassSubnetworks)
            .push_back(std::move(worker));
        return true;
    }
    return false;
}

// The link cut is the summit link of the search tree's path from the later
// outlet back to this one, oriented from its high end.
void CFLDNetworkParser::CutLinkBetweenOutlets(dfs_fld& search, GTL::node later) {
    path_record path(&graph);
    search.reaches(later);
    FillPathAlongSearchTree(path, search, later);
    summit_link cut = ChooseSummitLink(path);
    auto branch = std::make_unique<CBranch>();
    branch->nodes.push_back(cut.high);
    branch->nodes.push_back(cut.low);
    graph.data(cut.high).isJunction = true;
    branch->edges.push_back(cut.link);
    branch->isLoopBetweenOutlets = true;
    branch->FillIDTables(graph);
    AppendLinkLoop(std::move(branch));
    graph.hide_edge(cut.link);
}

// Each loop branch the parser holds goes to the first subnetwork that reached
// its last node, unless that node is a pump.
void CFLDNetworkParser::AssignLinkLoopsToSubnetworks() {
    // The first-pass searches partition the nodes they reached; index them.
    std::vector<std::int32_t> owner(static_cast<std::size_t>(graph.number_of_node_ids()), -1);
    for (std::size_t w = workers_.subnetworks.size(); w-- > 0;) {
        for (GTL::node n : workers_.subnetworks[w]->Search().dfs_order()) {
            owner[static_cast<std::size_t>(n.id)] = static_cast<std::int32_t>(w);
        }
    }
    std::vector<std::unique_ptr<CBranch>> kept;
    for (auto& b : workers_.linkLoops) {
        GTL::node T = b->nodes.back();
        std::int32_t w = owner[static_cast<std::size_t>(T.id)];
        if (graph.data(T).nodeType == node_type::kPump || w < 0) {
            kept.push_back(std::move(b));
            continue;
        }
        // Moving a branch between counted lists leaves the end counts as they are.
        workers_.subnetworks[static_cast<std::size_t>(w)]->TakeLoopBranch(std::move(b));
    }
    workers_.linkLoops = std::move(kept);
}
