#include "host_calls.h"

namespace rivo::tool {

void FeedNetwork(const NetworkDocument& document,
                 Velmora::Calculations::Dynamic::IVFLDNetwork& network,
                 Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser) {
    for (const NodeRecord& node : document.nodes) {
        network.AddNode(node.id, node.x, node.y, node.type);
    }
    // Flags name nodes, so they follow the nodes; a pond flag goes to nodes
    // of every type and the system decides what it means.
    for (const NodeRecord& node : document.nodes) {
        if (node.pond) {
            network.SetNodeIsPondType(node.id, *node.pond);
        }
        if (node.storage) {
            network.SetNodeStorageType(node.id);
        }
    }
    for (const LinkRecord& link : document.links) {
        if (link.length) {
            network.AddEdge(link.id, link.source, link.sourceElevation, link.target,
                            link.targetElevation, link.size, link.type, *link.length);
        } else {
            network.AddEdge(link.id, link.source, link.sourceElevation, link.target,
                            link.targetElevation, link.size, link.type);
        }
    }
    for (const PumpLinkRecord& pump : document.pumpLinks) {
        network.AddPumpLink(pump.id, pump.upstream, pump.downstream);
    }
    for (const GutterRecord& gutter : document.gutters) {
        parser.AddGutterLinkIDDirection(gutter.id, gutter.sameDirectionAsUI);
    }
}

bool ParseFedNetwork(Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser,
                     bool findLongestBranch) {
    return findLongestBranch ? parser.ParseNetwork(true) : parser.ParseNetwork();
}

}  // namespace rivo::tool
