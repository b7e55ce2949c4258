#pragma once

#include <memory>
#include <vector>

class CBranchFinder;

// The longest-branch pass's copies of the workers: subnetworks grown again
// over the network the first pass prepared (loops opened at node copies),
// whose tree branches are the ones reported.
struct LongestBranchWorkers {
    std::vector<std::unique_ptr<CBranchFinder>> secondPassSubnetworks;
};
