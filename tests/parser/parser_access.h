#pragma once

#include "branches/branch_finder.h"
#include "parser/network_fixture.h"
#include "parser/network_parser.h"

// Test seam onto the parser's internal stages and lists.
struct ParserTestAccess {
    static graph_fld& Graph(CFLDNetworkParser& p) { return p.graph; }
    static std::vector<GTL::node>& Outlets(CFLDNetworkParser& p) { return p.outletStage_.outlets; }
    static auto& LinkLoops(CFLDNetworkParser& p) { return p.workers_.linkLoops; }
    static auto& Subnetworks(CFLDNetworkParser& p) { return p.workers_.subnetworks; }
    static auto& SecondPassSubnetworks(CFLDNetworkParser& p) {
        return p.longestPass_.secondPassSubnetworks;
    }
    static auto& OutletSearches(CFLDNetworkParser& p) { return p.outletStage_.outletSearches; }
    static auto& LoneOutlets(CFLDNetworkParser& p) { return p.outletStage_.loneOutlets; }
    static void MakeUndirected(CFLDNetworkParser& p) { p.graph.make_undirected(); }
    static void CreatePondLinkLoops(CFLDNetworkParser& p) { p.CreatePondLinkLoops(); }
    static bool AddOutletNodes(CFLDNetworkParser& p) { return p.AddOutletNodes(); }
    static bool FindOutletsAndSubnetworks(CFLDNetworkParser& p, bool second) {
        return p.FindOutletsAndSubnetworks(second ? ParsePass::kSecond : ParsePass::kFirst);
    }
    static void SortOutlets(CFLDNetworkParser& p) { p.SortOutlets(); }
};

// Test seam onto a worker's tree branches, for stages run on branches a test
// writes itself, and the pressure main walk as the procedure states it: from
// the first branch again after every change.
struct WorkerTestAccess {
    static CBranchFinder::BranchList& TreeBranches(CBranchFinder& w) { return w.treeBranches; }
    static void RestartingWalk(CBranchFinder& worker) {
        for (std::size_t k = 0; k < worker.treeBranches.size();) {
            k = worker.MarkPressureMain(k) ? 0 : k + 1;
        }
    }
};

namespace rivo_test {

// The public parser with its core open to the tests.
struct OpenParser : RivoNetworkParser {
    CFLDNetworkParser& core() { return *networkParser; }
    const NodeData& Node(std::int32_t id) {
        graph_fld& g = ParserTestAccess::Graph(core());
        return g.data(g.GetNode(id));
    }
};

// Feeds the network and runs the parse up to the pond link stage: the graph
// undirected, pond links hidden.
inline CFLDNetworkParser& PondStage(CFLDNetworkParser& core, const host::Network& network) {
    Feed(network, core);
    ParserTestAccess::MakeUndirected(core);
    ParserTestAccess::CreatePondLinkLoops(core);
    return core;
}

}  // namespace rivo_test
