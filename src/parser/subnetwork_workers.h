#pragma once

#include <memory>
#include <vector>

#include "parser/branch.h"
#include "parser/loop_end_index.h"

class CBranchFinder;

// The first outlet pass's workers, one per subnetwork, and the loop branches
// the parser holds itself (controls, pond links, links cut between outlets);
// the outlet stage hands most of the latter to the workers. loopEnds counts
// the loop branch ends of both at every node.
struct SubnetworkWorkers {
    std::vector<std::unique_ptr<CBranchFinder>> subnetworks;
    std::vector<std::unique_ptr<CBranch>> linkLoops;
    LoopEndIndex loopEnds;
};
