#pragma once

#include "network_document.h"
#include "rivo.h"

namespace rivo::tool {

// Describes the network to the system in the order a host does: every node,
// then the nodes' pond and storage flags, the links, the pump links and the
// gutters, each in document order. A link without a length goes through the
// seven-argument AddEdge, which leaves the length to the system.
void FeedNetwork(const NetworkDocument& document,
                 Velmora::Calculations::Dynamic::IVFLDNetwork& network,
                 Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser);

// Parses the fed network; `findLongestBranch` selects ParseNetwork(true),
// otherwise the host's default call ParseNetwork() is made.
bool ParseFedNetwork(Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser,
                     bool findLongestBranch);

}  // namespace rivo::tool
