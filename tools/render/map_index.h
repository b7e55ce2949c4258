#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "host/network_model.h"
#include "swmm/swmm_reader.h"

namespace rivo::tool::render {

// Finds the nodes and links of a network by the IDs the parser answers
// with, and their SWMM names.
//
// The longest-branch parse opens each loop at its first node: it adds a
// copy of that node with the ID k * 100000000 + the node's ID (k counting
// the copies of the node) and a copy of the loop's first link with minus
// its ID, and the branches it reports run through the copies. A copy
// stands where its node stands, so it is found as that node (and the link
// copy as its link).
class NetworkIndex {
public:
    // `names` (a SWMM model's, element i naming ID i + 1) may be null.
    NetworkIndex(const host::Network& network, const swmm::NameTable* names);

    // The position of the node or link in the network's lists.
    std::optional<std::size_t> Node(std::int32_t id) const;
    std::optional<std::size_t> Link(std::int32_t id) const;

    bool HasNames() const { return names_ != nullptr; }
    // The SWMM name; empty without one.
    const std::string& NodeName(std::int32_t id) const;
    const std::string& LinkName(std::int32_t id) const;
    const std::string& PumpLinkName(std::int32_t id) const;

private:
    const host::Network& network_;
    const swmm::NameTable* names_;
    std::unordered_map<std::int32_t, std::size_t> nodes_;
    std::unordered_map<std::int32_t, std::size_t> links_;
};

}  // namespace rivo::tool::render
