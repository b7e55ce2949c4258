#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A network as the tool reads it: what the host calls of the parser are made
// from, in document order.
namespace rivo::tool {

struct NodeRecord {
    std::int32_t id = 0;
    double x = 0.0;
    double y = 0.0;
    std::int16_t type = 0;
    std::optional<bool> pond;
    bool storage = false;
};

struct LinkRecord {
    std::int32_t id = 0;
    std::int32_t source = 0;
    std::int32_t target = 0;
    double sourceElevation = 0.0;
    double targetElevation = 0.0;
    double size = 0.0;
    std::int16_t type = 0;
    std::optional<double> length;
};

struct PumpLinkRecord {
    std::int32_t id = 0;
    std::int32_t upstream = 0;
    std::int32_t downstream = 0;
};

struct GutterRecord {
    std::int32_t id = 0;
    bool sameDirectionAsUI = true;
};

struct NetworkDocument {
    std::vector<NodeRecord> nodes;
    std::vector<LinkRecord> links;
    std::vector<PumpLinkRecord> pumpLinks;
    std::vector<GutterRecord> gutters;
};

}  // namespace rivo::tool
