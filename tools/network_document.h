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

    friend bool operator==(const NodeRecord&, const NodeRecord&) = default;
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

    friend bool operator==(const LinkRecord&, const LinkRecord&) = default;
};

struct PumpLinkRecord {
    std::int32_t id = 0;
    std::int32_t upstream = 0;
    std::int32_t downstream = 0;

    friend bool operator==(const PumpLinkRecord&, const PumpLinkRecord&) = default;
};

struct GutterRecord {
    std::int32_t id = 0;
    bool sameDirectionAsUI = true;

    friend bool operator==(const GutterRecord&, const GutterRecord&) = default;
};

struct NetworkDocument {
    std::vector<NodeRecord> nodes;
    std::vector<LinkRecord> links;
    std::vector<PumpLinkRecord> pumpLinks;
    std::vector<GutterRecord> gutters;

    friend bool operator==(const NetworkDocument&, const NetworkDocument&) = default;
};

}  // namespace rivo::tool
