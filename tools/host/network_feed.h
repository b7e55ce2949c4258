#pragma once

#include <cstdint>
#include <vector>

#include "host/network_model.h"
#include "rivo/rivo.h"

namespace rivo::host {

// Describes the network to the parser in the order a host does: every node,
// then the nodes' pond and storage flags, the links, the pump links and the
// gutters, each in list order. A link without a length goes through the
// seven-argument AddEdge, which leaves the length to the parser. Errors the
// parser raises (CKtHRException) pass through. `host` receives the network
// (an IVFLDNetwork, or the core parser in tests) and `parser` the gutters.
template <class Host, class Parser>
void Feed(const Network& network, Host& host, Parser& parser) {
    for (const Node& node : network.nodes) {
        host.AddNode(node.id, node.x, node.y, node.type);
    }
    // Flags name nodes, so they follow the nodes; a pond flag goes to nodes
    // of every type and the parser decides what it means.
    for (const Node& node : network.nodes) {
        if (node.pond) {
            host.SetNodeIsPondType(node.id, *node.pond);
        }
        if (node.storage) {
            host.SetNodeStorageType(node.id);
        }
    }
    for (const Link& link : network.links) {
        if (link.length) {
            host.AddEdge(link.id, link.source, link.sourceElevation, link.target,
                         link.targetElevation, link.size, link.type, *link.length);
        } else {
            host.AddEdge(link.id, link.source, link.sourceElevation, link.target,
                         link.targetElevation, link.size, link.type);
        }
    }
    for (const PumpLink& pump : network.pumpLinks) {
        host.AddPumpLink(pump.id, pump.upstream, pump.downstream);
    }
    for (const Gutter& gutter : network.gutters) {
        parser.AddGutterLinkIDDirection(gutter.id, gutter.sameDirectionAsUI);
    }
}

// ParseNetwork(true) with `findLongestBranch`, otherwise the host's default
// call ParseNetwork().
bool Parse(Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser, bool findLongestBranch);

// The IDs of the nodes and of the links, in list order: what reading the
// per-node and per-link answers needs once the network itself is dropped.
std::vector<std::int32_t> NodeIDs(const Network& network);
std::vector<std::int32_t> LinkIDs(const Network& network);

}  // namespace rivo::host
