#include "diagnosis/false_result.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "diagnosis/element_names.h"
#include "host/result_reader.h"

namespace rivo::tool {

namespace {

using Velmora::Calculations::Dynamic::RivoNetworkParser;

constexpr std::size_t kGroupsShown = 5;
constexpr std::size_t kElementsShown = 3;

std::string Count(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The first few of `ids` by name, and how many more there are.
std::string FewOf(const std::vector<std::int32_t>& ids, const std::vector<std::string>* names) {
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < ids.size() && i < kElementsShown; ++i) {
        parts.push_back(Named(ids[i], names));
    }
    if (ids.size() > kElementsShown) {
        parts.push_back(std::to_string(ids.size() - kElementsShown) + " more");
    }
    return JoinedList(parts);
}

// Groups of nodes joined by links: each node's entry leads towards its
// group's representative, and lookups shorten the way as they go.
class NodeGroups {
public:
    explicit NodeGroups(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    }
    std::size_t Find(std::size_t node) {
        while (parent_[node] != node) {
            parent_[node] = parent_[parent_[node]];
            node = parent_[node];
        }
        return node;
    }
    void Join(std::size_t a, std::size_t b) { parent_[Find(a)] = Find(b); }

private:
    std::vector<std::size_t> parent_;
};

// The node nearest to a point, among the nodes sorted by x: a search goes
// out from the point's x both ways and stops where x alone is farther than
// the nearest node found.
class NearestNode {
public:
    NearestNode(const host::Network& network, const std::vector<char>& excluded)
        : nodes_(network.nodes) {
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            if (!excluded[i]) {
                byX_.push_back(i);
            }
        }
        std::sort(byX_.begin(), byX_.end(),
                  [this](std::size_t a, std::size_t b) { return nodes_[a].x < nodes_[b].x; });
    }

    std::optional<std::size_t> Near(double x, double y) const {
        const auto start =
            std::lower_bound(byX_.begin(), byX_.end(), x,
                             [this](std::size_t i, double v) { return nodes_[i].x < v; });
        double best = std::numeric_limits<double>::infinity();
        std::optional<std::size_t> nearest;
        auto consider = [&](std::size_t i) {
            const double dx = nodes_[i].x - x;
            const double dy = nodes_[i].y - y;
            const double distance = dx * dx + dy * dy;
            if (distance < best || (distance == best && nearest && i < *nearest)) {
                best = distance;
                nearest = i;
            }
            return best > 0 && dx * dx <= best;
        };
        for (auto it = start; it != byX_.end() && consider(*it); ++it) {
        }
        for (auto it = start; it != byX_.begin() && consider(*(it - 1)); --it) {
        }
        return nearest;
    }

private:
    const std::vector<host::Node>& nodes_;
    std::vector<std::size_t> byX_;
};

struct Group {
    std::vector<std::int32_t> nodes;     // in network order
    std::vector<std::int32_t> outfalls;  // without links, beside the group
};

std::string NoOutlet(const host::Network& network, const std::vector<std::int32_t>& removed,
                     const swmm::NameTable* names) {
    const std::vector<std::string>* nodeNames = names ? &names->nodes : nullptr;
    if (network.nodes.empty()) {
        return "no outlet: the network has no nodes";
    }
    if (!removed.empty()) {
        return "no outlet: no outfall has a link (" +
               std::string(removed.size() == 1 ? "outfall " : "outfalls ") +
               FewOf(removed, nodeNames) + (removed.size() == 1 ? " has none)" : " have none)");
    }
    const bool storage = std::any_of(network.nodes.begin(), network.nodes.end(), [](const auto& n) {
        return n.storage || n.type == host::node_type::kStorage;
    });
    return storage ? "no outlet: the network has no outfall, and every storage node drains on "
                     "into another node"
                   : "no outlet: the network has no outfall and no storage node";
}

// Each outfall without links goes to the group a pump link joins it to, or
// else to the group of the node nearest to it, when that node drains
// nowhere either.
void PlaceOutfalls(const host::Network& network, const std::vector<std::int32_t>& removed,
                   const std::unordered_map<std::int32_t, std::size_t>& indexOf,
                   const std::vector<char>& unreached, NodeGroups& groups,
                   std::unordered_map<std::size_t, Group>& byRoot) {
    std::vector<char> isRemoved(network.nodes.size(), 0);
    for (const std::int32_t id : removed) {
        isRemoved[indexOf.at(id)] = 1;
    }
    std::unordered_map<std::int32_t, std::size_t> pumpedFrom;
    for (const host::PumpLink& pump : network.pumpLinks) {
        const auto up = indexOf.find(pump.upstream);
        const auto down = indexOf.find(pump.downstream);
        if (up == indexOf.end() || down == indexOf.end()) {
            continue;
        }
        for (const auto& [outfall, other] :
             {std::pair(up->second, down->second), std::pair(down->second, up->second)}) {
            if (isRemoved[outfall] && unreached[other]) {
                pumpedFrom.try_emplace(network.nodes[outfall].id, other);
            }
        }
    }
    const NearestNode nearest(network, isRemoved);
    for (const std::int32_t id : removed) {
        const auto pumped = pumpedFrom.find(id);
        const host::Node& outfall = network.nodes[indexOf.at(id)];
        const std::optional<std::size_t> beside =
            pumped != pumpedFrom.end() ? pumped->second : nearest.Near(outfall.x, outfall.y);
        if (beside && unreached[*beside]) {
            byRoot[groups.Find(*beside)].outfalls.push_back(id);
        }
    }
}

std::string GroupLine(const Group& group, const swmm::NameTable* names) {
    const std::vector<std::string>* nodeNames = names ? &names->nodes : nullptr;
    std::string line =
        Count(group.nodes.size(), "node", "nodes") + " (" + FewOf(group.nodes, nodeNames) + ")";
    if (!group.outfalls.empty()) {
        const bool one = group.outfalls.size() == 1;
        line += std::string(", beside ") + (one ? "outfall " : "outfalls ") +
                FewOf(group.outfalls, nodeNames) +
                (one ? " that has no link" : " that have no link");
    }
    return line;
}

}  // namespace

std::string FalseReason::OneLine() const {
    std::string line;
    for (const std::string& headline : headlines) {
        line += (line.empty() ? "" : "; ") + headline;
    }
    for (std::size_t i = 0; i < groups.size(); ++i) {
        line += (i == 0 ? ": " : "; ") + groups[i];
    }
    return line;
}

FalseReason ExplainFalseResult(RivoNetworkParser& parser, const host::Network& network,
                               const swmm::NameTable* names) {
    std::vector<std::int32_t> isolated;
    std::vector<std::int32_t> removed;
    try {
        isolated = host::ReadIsolatedNodeIDs(parser);
        removed = host::ReadRemovedOutfallIDs(parser);
    } catch (const CKtHRException&) {
        return {};
    }
    std::unordered_map<std::int32_t, std::size_t> indexOf;
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        indexOf.emplace(network.nodes[i].id, i);
    }
    // Only nodes of the network read are told about.
    const auto unknown = [&](std::int32_t id) { return !indexOf.contains(id); };
    std::erase_if(isolated, unknown);
    std::erase_if(removed, unknown);
    FalseReason reason;
    // Without an outlet the parse lists no node: every node but the outfalls
    // set aside drains nowhere.
    std::vector<char> unreached(network.nodes.size(), isolated.empty() ? 1 : 0);
    if (isolated.empty()) {
        reason.headlines.push_back(NoOutlet(network, removed, names));
        for (const std::int32_t id : removed) {
            unreached[indexOf.at(id)] = 0;
        }
    }
    for (const std::int32_t id : isolated) {
        unreached[indexOf.at(id)] = 1;
    }
    NodeGroups groups(network.nodes.size());
    for (const host::Link& link : network.links) {
        const auto source = indexOf.find(link.source);
        const auto target = indexOf.find(link.target);
        if (source != indexOf.end() && target != indexOf.end() && unreached[source->second] &&
            unreached[target->second]) {
            groups.Join(source->second, target->second);
        }
    }
    std::unordered_map<std::size_t, Group> byRoot;
    std::vector<std::size_t> order;  // the groups' roots by their first node
    std::size_t count = 0;
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        if (unreached[i]) {
            const std::size_t root = groups.Find(i);
            Group& group = byRoot[root];
            if (group.nodes.empty()) {
                order.push_back(root);
            }
            group.nodes.push_back(network.nodes[i].id);
            ++count;
        }
    }
    if (count == 0) {
        return reason;
    }
    PlaceOutfalls(network, removed, indexOf, unreached, groups, byRoot);
    reason.headlines.push_back(Count(count, "node", "nodes") + " in " +
                               Count(order.size(), "group", "groups") +
                               (count == 1 ? " reaches no outlet" : " reach no outlet"));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return byRoot[a].nodes.size() > byRoot[b].nodes.size();
    });
    for (std::size_t i = 0; i < order.size() && i < kGroupsShown; ++i) {
        reason.groups.push_back(GroupLine(byRoot[order[i]], names));
    }
    if (order.size() > kGroupsShown) {
        std::size_t rest = 0;
        for (std::size_t i = kGroupsShown; i < order.size(); ++i) {
            rest += byRoot[order[i]].nodes.size();
        }
        const std::size_t more = order.size() - kGroupsShown;
        reason.groups.push_back("and " + std::to_string(more) +
                                (more == 1 ? " more group (" : " more groups (") +
                                Count(rest, "node", "nodes") + ")");
    }
    return reason;
}

}  // namespace rivo::tool
