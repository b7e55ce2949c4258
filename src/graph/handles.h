#pragma once

#include <cstdint>

namespace GTL {

// Handles: small copyable values naming a node or an edge by its internal
// number (0, 1, ... in creation order); the default handle is the null one.
struct node {
    std::int32_t id = -1;
    bool is_null() const { return id < 0; }
    friend bool operator==(node, node) = default;
};

struct edge {
    std::int32_t id = -1;
    bool is_null() const { return id < 0; }
    friend bool operator==(edge, edge) = default;
};

}  // namespace GTL
