#pragma once

#include <optional>
#include <string_view>

#include "host/network_model.h"

namespace rivo::tool::swmm {

// How the nodes at the ends of SWMM pumps reach the parser.
enum class PumpNodes {
    kStorage,  // pump stations mapped to storage nodes (MapPumpStationsToStorage)
    kNone,     // every node keeps the type of its section
};

// "storage" or "none".
std::optional<PumpNodes> PumpNodesFromName(std::string_view name);

// The parser numbers a pump link through the branches of its two nodes, and
// a branch numbers its last node only when that is an outfall or a storage
// node, while an outfall without links is set aside altogether. SWMM pump
// stations put pump ends exactly there: a wet well hung on one pipe, the
// start of a force main, an outfall the pump discharges into directly. So
// the nodes at pump ends become storage nodes, not ponds:
//   - the inlet node of a pump, where it is a junction (the wet well);
//   - the outlet node, where it is a junction at a dead end: its conduits
//     (links of type 0 other than self-loops) lead to one other node at most;
//   - either end, where it is an outfall without conduits (the parser turns
//     it back into an outlet of its own).
// Pump links stay as they are, from inlet to outlet. Node IDs must be the
// positions in the node list counted from 1, as the SWMM reader gives them.
void MapPumpStationsToStorage(host::Network& network);

}  // namespace rivo::tool::swmm
