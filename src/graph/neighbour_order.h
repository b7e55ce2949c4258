#pragma once

#include <span>
#include <vector>

#include "graph/graph_fld.h"

// The order in which the network search tries the links at a node C entered
// from F (null at the start node). First pass: big links (3.99999 and more)
// first, then falling size, and between links of like size (within 0.001),
// or between big links, the link whose far end lies most nearly straight on.
// Second pass: falling reach (far node's longest path plus the link length,
// within 0.001). The order is that of an exact exchange sort over the
// adjacency order.
namespace neighbour_order {

struct LinkKey {
    GTL::edge link;
    double size;
    double reach;
    double dot;         // unit(C -> far end) . unit(F -> C)
    bool hasDirection;  // false at the start node or for a zero-length vector
};

// Below this many links the exchange sort is as quick as anything else.
inline constexpr std::size_t kManyLinks = 16;

// The keys of the links at C entered from F, with what the pass's rule reads.
void MakeKeys(const graph_fld& G, GTL::node C, GTL::node F, std::span<const GTL::edge> links,
              bool secondPass, std::vector<LinkKey>& keys);

// The exchange rules: true when the link at position j+1 must go before j.
bool ExchangeBySize(const LinkKey& A, const LinkKey& B);
bool ExchangeByReach(const LinkKey& A, const LinkKey& B);

// The exchange sort itself, pass by pass, with the rule of the pass.
void ExchangeSortKeys(std::vector<LinkKey>& keys, bool secondPass);

// The order of the first pass computed by a stable sort where the sizes fall
// into classes that the rule orders consistently; false (keys untouched)
// where they do not, and the exchange sort must decide.
bool SortByClasses(std::vector<LinkKey>& keys);

// The order the exchange sort gives by reach, in n log n for n links.
void SortByReach(std::vector<LinkKey>& keys);

}  // namespace neighbour_order
