#include "branches/branch_finder.h"

#include "parser/network_parser.h"

CBranchFinder::CBranchFinder(CFLDNetworkParser* parser, graph_fld* graph, dfs_fld* search,
                             GTL::node node, bool isSingleNode)
    : parser(parser), graph(graph), search(search), isSingleNode(isSingleNode) {
    if (isSingleNode) {
        singleNode = node;
    } else {
        outletNode = node;
    }
}

CBranchFinder::~CBranchFinder() = default;

CBranch* CBranchFinder::AddLoopBranch(std::unique_ptr<CBranch> branch) {
    CBranch* added = branch.get();
    loopBranches.push_back(std::move(branch));
    if (countsLoopEnds) {
        parser->loopEnds().Add(*added);
    }
    return added;
}

void CBranchFinder::FillBranchIDTables(bool ofTreeBranches, bool ofLoopBranches) {
    if (ofTreeBranches) {
        for (auto& b : treeBranches) {
            b->FillIDTables(*graph);
        }
    }
    if (ofLoopBranches) {
        for (auto& b : loopBranches) {
            b->FillIDTables(*graph);
        }
    }
}
