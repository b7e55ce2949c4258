#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graph/dfs_fld.h"
#include "graph/handles.h"

// What the outlet stage finds: the outlets in their order, the search grown
// from each outlet that drains a subnetwork (released when the parse ends),
// the outlets whose search reached nothing but themselves, the outfalls it
// set aside for having no link, and the nodes and links that none of its
// searches reached.
struct OutletLists {
    std::vector<std::unique_ptr<dfs_fld>> outletSearches;
    // A search that reached only its outlet makes no worker, and all the
    // parse asks of it later is what it reached: a network of a million
    // outfalls would otherwise keep a million finished searches.
    std::vector<GTL::node> loneOutlets;
    std::vector<GTL::node> outlets;
    std::int32_t removedOutfallCount = 0;
    std::vector<std::int32_t> removedOutfallIDs;
    std::vector<std::int32_t> isolatedNodeIDs;
    std::vector<std::int32_t> isolatedEdgeIDs;
};
