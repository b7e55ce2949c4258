#include "branches/branch_finder.h"
#include "parser/network_parser.h"

// A parser is parsed once: the stages keep their marks in the node and link
// records, so a second parse could not start from the host's network again.
bool CFLDNetworkParser::ParseAllNetworks(bool findLongestBranch) {
    if (parsed_) {
        error().SetContext(texts::kParseAllNetworks);
        error().ThrowError(E_FAIL, texts::kAlreadyParsed);
    }
    parsed_ = true;

    workers_.subnetworks.clear();
    if (graph.is_directed()) {
        graph.make_undirected();
    }
    constexpr ParsePass kFirst = ParsePass::kFirst;
    constexpr ParsePass kSecond = ParsePass::kSecond;
    // The adjacency lists the host's links were deferred to: the pond link
    // walk would make them first thing, made here their cost is their own.
    Timed(kFirst, ParseStage::kAdjacency, [&] { graph.link_deferred(); });
    // The links are walked in the order they were made, which is their
    // order in memory until they are numbered for the searches.
    Timed(kFirst, ParseStage::kPondLinkLoops, [&] { CreatePondLinkLoops(); });
    Timed(kFirst, ParseStage::kNumbering, [&] { NumberForSearches(); });
    if (!FindOutletsAndSubnetworks(kFirst)) {
        ReleaseSearches();
        return false;
    }

    // Every node that drains somewhere lies in exactly one outlet's search;
    // outfalls without links lie in none and were set aside.
    auto reached = static_cast<std::int64_t>(outletStage_.loneOutlets.size());
    for (const auto& search : outletStage_.outletSearches) {
        reached += search->number_of_reached_nodes();
    }
    bool result = reached == graph.number_of_nodes() - outletStage_.removedOutfallCount;
    if (!result) {
        Timed(kFirst, ParseStage::kIsolatedNodes, [&] { FindIsolatedNodesAndEdges(); });
    }

    AssembleBranches(kFirst, !findLongestBranch);
    if (findLongestBranch) {
        Timed(kSecond, ParseStage::kPathLengths, [&] { ComputeLongestPathLengths(); });
        // Only the first pass's marks in the network carry over: its
        // branches are not reported with the longest branches, so they and
        // its searches go before the second pass doubles what is held (the
        // searches before the loops are split, the branches once they are).
        Timed(kSecond, ParseStage::kRelease, [&] { ReleaseSearches(); });
        Timed(kSecond, ParseStage::kLoopSplitting, [&] { SplitLoopsAtFirstNode(); });
        Timed(kSecond, ParseStage::kRelease, [&] { workers_.subnetworks.clear(); });
        Timed(kSecond, ParseStage::kOutletOrder, [&] { SortOutletsByLongestPath(); });
        FindOutletsAndSubnetworks(kSecond);
        AssembleBranches(kSecond, false);
    }

    // The searches' tables are of no use once the branches are made; the
    // result lists and the pump links' numbers need none of them.
    const ParsePass last = findLongestBranch ? kSecond : kFirst;
    Timed(last, ParseStage::kRelease, [&] { ReleaseSearches(); });
    Timed(last, ParseStage::kResults, [&] { CollectResults(findLongestBranch); });
    if (result) {
        Timed(last, ParseStage::kPumpLinks, [&] { NumberPumpLinks(); });
    }
    return result;
}

void CFLDNetworkParser::CollectResults(bool findLongestBranch) {
    results_.branches.clear();
    results_.loopBranches.clear();
    results_.loopQueries.Invalidate();
    const auto& workers =
        findLongestBranch ? longestPass_.secondPassSubnetworks : workers_.subnetworks;
    // Sized first: a looped network has about a branch per node.
    std::size_t trees = 0;
    std::size_t loops = workers_.linkLoops.size();
    for (const auto& worker : workers) {
        trees += worker->TreeBranches().size();
        loops += findLongestBranch ? 0 : worker->LoopBranches().size();
    }
    results_.branches.reserve(trees);
    results_.loopBranches.reserve(loops);
    for (const auto& worker : workers) {
        for (const auto& b : worker->TreeBranches()) {
            results_.branches.push_back(b.get());
        }
    }
    if (!findLongestBranch) {
        for (const auto& worker : workers_.subnetworks) {
            for (const auto& b : worker->LoopBranches()) {
                results_.loopBranches.push_back(b.get());
            }
        }
    }
    for (const auto& b : workers_.linkLoops) {
        results_.loopBranches.push_back(b.get());
    }
}

// Pump links learn the branches and sections of their two nodes through the
// public node queries, with their contexts and their caching.
void CFLDNetworkParser::NumberPumpLinks() {
    for (const auto& pump : input_.pumpLinks) {
        pump->upStreamBranchNumber = GetBranchNumberOfNode(pump->upStreamNodeID);
        pump->downStreamBranchNumber = GetBranchNumberOfNode(pump->downStreamNodeID);
        pump->upStreamNodeUpSectionNumber =
            graph.data(graph.GetNode(pump->upStreamNodeID)).upStreamSectionNumber;
        pump->downStreamNodeUpSectionNumber =
            graph.data(graph.GetNode(pump->downStreamNodeID)).upStreamSectionNumber;
    }
}

void CFLDNetworkParser::ReleaseSearches() {
    outletStage_.outletSearches.clear();
    outletStage_.loneOutlets.clear();
    // The per-node tables that searches borrowed are of no use once the
    // parse is over; the host keeps the parser for its results.
    graph.tables().release();
}

// Nodes and links numbered as a search meets them make every later search
// walk memory in order. The parser's own loop branches hold nodes and links
// from before; their end counts are kept by number too.
void CFLDNetworkParser::NumberForSearches() {
    large_vector<std::int32_t> newNode;
    large_vector<std::int32_t> newEdge;
    graph.NumberForSearches(newNode, newEdge);
    workers_.loopEnds = LoopEndIndex{};
    for (const auto& b : workers_.linkLoops) {
        for (GTL::node& n : b->nodes) {
            n = GTL::node{newNode[static_cast<std::size_t>(n.id)]};
        }
        for (GTL::edge& e : b->edges) {
            e = GTL::edge{newEdge[static_cast<std::size_t>(e.id)]};
        }
        workers_.loopEnds.Add(*b);
    }
}
