#pragma once

#include <vector>

#include "graph/gtl_graph.h"

// What decides an outlet's place: real outfalls come before converted storage
// nodes, and among real outfalls the lower lowest link end first.
struct OutletKey {
    double lowest = 0.0;
    bool converted = false;
    GTL::node node;
};

// Puts the outlets in the order of the exchange sort that compares each
// outlet with the next: n-1 passes over shrinking prefixes, exchanging a pair
// when the second outlet stands before the first, equal keys included.
void SortOutletKeys(std::vector<OutletKey>& keys);
