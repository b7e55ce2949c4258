#include "network_feed.h"

namespace rivo::host {

namespace dyn = Velmora::Calculations::Dynamic;

void Feed(const Network& network, dyn::IVFLDNetwork& host, dyn::IVFLDNetworkParser& parser) {
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

bool Parse(dyn::IVFLDNetworkParser& parser, bool findLongestBranch) {
    return findLongestBranch ? parser.ParseNetwork(true) : parser.ParseNetwork();
}

namespace {

template <class Record>
std::vector<std::int32_t> IDsOf(const std::vector<Record>& records) {
    std::vector<std::int32_t> ids;
    ids.reserve(records.size());
    for (const Record& record : records) {
        ids.push_back(record.id);
    }
    return ids;
}

}  // namespace

std::vector<std::int32_t> NodeIDs(const Network& network) {
    return IDsOf(network.nodes);
}

std::vector<std::int32_t> LinkIDs(const Network& network) {
    return IDsOf(network.links);
}

}  // namespace rivo::host
