#include "swmm/pump_stations.h"

#include <cstdint>
#include <vector>

namespace rivo::tool::swmm {

namespace {

// For each node, the other nodes its conduits lead to: none, one, or more.
class ConduitEnds {
public:
    explicit ConduitEnds(const host::Network& network) : first_(network.nodes.size(), 0) {
        branching_.assign(network.nodes.size(), false);
        for (const host::Link& link : network.links) {
            if (link.type == host::link_type::kPipe && link.source != link.target) {
                Add(link.source, link.target);
                Add(link.target, link.source);
            }
        }
    }

    bool None(std::int32_t node) const { return first_[Index(node)] == 0; }
    bool AtMostOne(std::int32_t node) const { return !branching_[Index(node)]; }

private:
    static std::size_t Index(std::int32_t node) { return static_cast<std::size_t>(node - 1); }

    void Add(std::int32_t node, std::int32_t other) {
        std::int32_t& first = first_[Index(node)];
        if (first == 0) {
            first = other;
        } else if (first != other) {
            branching_[Index(node)] = true;
        }
    }

    std::vector<std::int32_t> first_;  // 0 until a conduit is seen
    std::vector<bool> branching_;
};

}  // namespace

std::optional<PumpNodes> PumpNodesFromName(std::string_view name) {
    if (name == "storage") {
        return PumpNodes::kStorage;
    }
    if (name == "none") {
        return PumpNodes::kNone;
    }
    return std::nullopt;
}

void MapPumpStationsToStorage(host::Network& network) {
    const ConduitEnds conduits(network);
    std::vector<bool> retype(network.nodes.size(), false);
    auto node = [&](std::int32_t id) -> const host::Node& {
        return network.nodes[static_cast<std::size_t>(id - 1)];
    };
    auto isolatedOutfall = [&](std::int32_t id) {
        return node(id).type == host::node_type::kOutfall && conduits.None(id);
    };
    for (const host::PumpLink& pump : network.pumpLinks) {
        const bool inletJunction = node(pump.upstream).type == host::node_type::kManhole;
        const bool deadEndOutlet = node(pump.downstream).type == host::node_type::kManhole &&
                                   conduits.AtMostOne(pump.downstream);
        if (inletJunction || isolatedOutfall(pump.upstream)) {
            retype[static_cast<std::size_t>(pump.upstream - 1)] = true;
        }
        if (deadEndOutlet || isolatedOutfall(pump.downstream)) {
            retype[static_cast<std::size_t>(pump.downstream - 1)] = true;
        }
    }
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        if (retype[i]) {
            network.nodes[i].type = host::node_type::kStorage;
            network.nodes[i].pond = false;
        }
    }
}

}  // namespace rivo::tool::swmm
