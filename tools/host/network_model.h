#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "rivo/type_codes.h"

// A drainage network as a host describes it to the parser: the records the
// host calls are made from, in the order they are made. The tool reads it
// from network documents and SWMM models, the benchmarks generate it.
namespace rivo::host {

// The library's type codes, by the names the host's code uses.
namespace node_type = rivo::node_type;
namespace link_type = rivo::link_type;

struct Node {
    std::int32_t id = 0;
    double x = 0.0;
    double y = 0.0;
    std::int16_t type = node_type::kManhole;
    // Whether a storage node is a pond; the parser takes every node as a
    // pond until told otherwise, so an absent flag is never passed on.
    std::optional<bool> pond = std::nullopt;
    // Passed on as SetNodeStorageType: makes the node a storage node.
    bool storage = false;

    friend bool operator==(const Node&, const Node&) = default;
};

// Elevations are the link's invert levels at its source and target ends.
// A link without a length leaves the length to the parser; one that nothing
// gives a size is a unit pipe, as a SWMM link without a cross-section.
struct Link {
    std::int32_t id = 0;
    std::int32_t source = 0;
    std::int32_t target = 0;
    double sourceElevation = 0.0;
    double targetElevation = 0.0;
    double size = 1.0;
    std::int16_t type = link_type::kPipe;
    std::optional<double> length = std::nullopt;

    friend bool operator==(const Link&, const Link&) = default;
};

// A pump lifting from its upstream node into its downstream node; no link
// of the graph.
struct PumpLink {
    std::int32_t id = 0;
    std::int32_t upstream = 0;
    std::int32_t downstream = 0;

    friend bool operator==(const PumpLink&, const PumpLink&) = default;
};

struct Gutter {
    std::int32_t id = 0;  // the link that is a gutter
    bool sameDirectionAsUI = true;

    friend bool operator==(const Gutter&, const Gutter&) = default;
};

struct Network {
    std::vector<Node> nodes = {};
    std::vector<Link> links = {};
    std::vector<PumpLink> pumpLinks = {};
    std::vector<Gutter> gutters = {};

    friend bool operator==(const Network&, const Network&) = default;
};

}  // namespace rivo::host
