#include "render/map_index.h"

#include <limits>
#include <vector>

namespace rivo::tool::render {

namespace {

constexpr std::int64_t kCopyFactor = 100000000;

const std::string kNoName;

const std::string& NameOf(const std::vector<std::string>& names, std::int32_t id) {
    return id >= 1 && static_cast<std::size_t>(id) <= names.size()
               ? names[static_cast<std::size_t>(id) - 1]
               : kNoName;
}

}  // namespace

NetworkIndex::NetworkIndex(const host::Network& network, const swmm::NameTable* names)
    : network_(network), names_(names) {
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        nodes_.emplace(network.nodes[i].id, i);
    }
    for (std::size_t i = 0; i < network.links.size(); ++i) {
        links_.emplace(network.links[i].id, i);
    }
}

std::optional<std::size_t> NetworkIndex::Node(std::int32_t id) const {
    if (const auto found = nodes_.find(id); found != nodes_.end()) {
        return found->second;
    }
    // A copy: the smallest k that leads to a node of the network. IDs stay
    // in the int32 range, so k is at most 42.
    for (std::int64_t k = 1; k * kCopyFactor <= std::int64_t{1} << 32; ++k) {
        const std::int64_t original = id - k * kCopyFactor;
        if (original < std::numeric_limits<std::int32_t>::min()) {
            break;
        }
        if (const auto found = nodes_.find(static_cast<std::int32_t>(original));
            found != nodes_.end()) {
            return found->second;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> NetworkIndex::Link(std::int32_t id) const {
    auto found = links_.find(id);
    if (found == links_.end() && id < 0 && id != std::numeric_limits<std::int32_t>::min()) {
        found = links_.find(-id);
    }
    return found == links_.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

const std::string& NetworkIndex::NodeName(std::int32_t id) const {
    const std::optional<std::size_t> node = names_ ? Node(id) : std::nullopt;
    return node ? NameOf(names_->nodes, network_.nodes[*node].id) : kNoName;
}

const std::string& NetworkIndex::LinkName(std::int32_t id) const {
    const std::optional<std::size_t> link = names_ ? Link(id) : std::nullopt;
    return link ? NameOf(names_->links, network_.links[*link].id) : kNoName;
}

const std::string& NetworkIndex::PumpLinkName(std::int32_t id) const {
    return names_ ? NameOf(names_->pumpLinks, id) : kNoName;
}

}  // namespace rivo::tool::render
