#include "branches/branch_finder.h"
#include "parser/network_parser.h"

// Runs the branch-finding stages of every worker of one list, then numbers
// all their tree branches with one counter, orients and numbers the loop
// branches after them, and numbers the parser's own loops last.
void CFLDNetworkParser::AssembleBranches(ParsePass pass, bool numberWorkerLoops) {
    auto& workers =
        pass == ParsePass::kFirst ? workers_.subnetworks : longestPass_.secondPassSubnetworks;
    for (auto& worker : workers) {
        RunWorkerStages(*worker, pass, numberWorkerLoops);
    }
    std::int32_t branchCounter = 1;
    std::int32_t outletSectionCount = 0;
    Timed(pass, ParseStage::kTreeNumbering, [&] {
        for (auto& worker : workers) {
            worker->NumberTreeBranches(branchCounter, outletSectionCount);
        }
    });
    Timed(pass, ParseStage::kLoopNumbering, [&] {
        for (auto& worker : workers_.subnetworks) {
            worker->OrientLoopBranches();
        }
        if (numberWorkerLoops) {
            for (auto& worker : workers_.subnetworks) {
                worker->NumberLoopBranches(branchCounter);
            }
        }
        for (auto& b : workers_.linkLoops) {
            NumberLoopBranch(graph, *b, branchCounter);
        }
    });
}

// Storage drops and pressure mains are found in the first pass only; their
// marks stay in the network for the second. Host IDs are listed only for the
// branches the host gets: the longest-branch parse reports the tree branches
// of its second pass and no worker loop, and its first pass holds a loop
// branch for every loop of the network.
void CFLDNetworkParser::RunWorkerStages(CBranchFinder& worker, ParsePass pass,
                                        bool reportsWorkerLoops) {
    Timed(pass, ParseStage::kLoopLinks, [&] { worker.SelectLoopLinks(); });
    Timed(pass, ParseStage::kTreeCutting, [&] {
        if (!worker.IsSingleNode()) {
            worker.CutSubnetworkTree();
        } else {
            worker.MakeSingleNodeBranch();
        }
    });
    if (pass == ParsePass::kFirst) {
        Timed(pass, ParseStage::kStorageDrops, [&] { worker.SplitAtStorageDrops(); });
    }
    Timed(pass, ParseStage::kLoopLengthening, [&] { worker.ExtendLoopBranches(); });
    if (pass == ParsePass::kFirst) {
        Timed(pass, ParseStage::kPressureMains, [&] { worker.SplitAtPressureMainEnds(); });
    }
    Timed(pass, ParseStage::kBranchIDTables, [&] {
        worker.FillBranchIDTables(pass == ParsePass::kSecond || reportsWorkerLoops,
                                  reportsWorkerLoops);
    });
}
