#pragma once

#include <cstdint>
#include <vector>

#include "network_model.h"
#include "rivo.h"

namespace rivo::host {

// Describes the network to the parser in the order a host does: every node,
// then the nodes' pond and storage flags, the links, the pump links and the
// gutters, each in list order. A link without a length goes through the
// seven-argument AddEdge, which leaves the length to the parser. Errors the
// parser raises (CKtHRException) pass through.
void Feed(const Network& network, Velmora::Calculations::Dynamic::IVFLDNetwork& host,
          Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser);

// ParseNetwork(true) with `findLongestBranch`, otherwise the host's default
// call ParseNetwork().
bool Parse(Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser, bool findLongestBranch);

// The IDs of the nodes and of the links, in list order: what reading the
// per-node and per-link answers needs once the network itself is dropped.
std::vector<std::int32_t> NodeIDs(const Network& network);
std::vector<std::int32_t> LinkIDs(const Network& network);

}  // namespace rivo::host
