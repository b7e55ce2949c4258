#include "network_generator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "generator_internal.h"

namespace rivo_bench {

namespace {

constexpr std::array<double, 16> kPipeSizes = {0.15, 0.225, 0.3, 0.375, 0.45, 0.525, 0.6, 0.75,
                                               0.9,  1.05,  1.2, 1.5,   1.8,  2.1,   2.4, 3.0};

// Share of gravity pipes that users draw against the flow.
constexpr double kReversedShare = 0.1;

struct ProfileEntry {
    Profile profile;
    std::string_view name;
};

constexpr ProfileEntry kProfileNames[] = {{Profile::kRealistic, "realistic"},
                                          {Profile::kOutfallHeavy, "outfall-heavy"},
                                          {Profile::kLooped, "looped"},
                                          {Profile::kChain, "chain"},
                                          {Profile::kStar, "star"},
                                          {Profile::kRing, "ring"},
                                          {Profile::kExtraLoops, "extra-loops"}};

// A random permutation of 1..n, as new IDs for items 0..n-1.
std::vector<std::int32_t> RandomIDs(std::size_t n, SeededRandom& random) {
    std::vector<std::int32_t> ids(n);
    for (std::size_t i = 0; i < n; ++i) {
        ids[i] = static_cast<std::int32_t>(i) + 1;
    }
    random.Shuffle(ids);
    return ids;
}

// Pipes and manholes per outfall in a real town: one outfall per 10,000.
detail::ForestPlan RealisticPlan(std::int32_t nodes, std::int32_t loopsPerThousand) {
    detail::ForestPlan plan;
    plan.nodes = nodes;
    plan.outfalls = std::max(1, nodes / 10000);
    plan.loopLinks = static_cast<std::int32_t>(std::int64_t{nodes} * loopsPerThousand / 1000);
    plan.features = true;
    return plan;
}

detail::ForestPlan OutfallHeavyPlan(std::int32_t nodes) {
    detail::ForestPlan plan;
    plan.nodes = nodes;
    plan.outfalls = std::min(10000, std::max(2, nodes / 10));
    plan.joinLinks = std::max(1, plan.outfalls / 10);
    return plan;
}

}  // namespace

namespace detail {

double PipeSizeFor(std::int64_t upstreamNodes) {
    auto step =
        std::bit_width(static_cast<std::uint64_t>(std::max<std::int64_t>(1, upstreamNodes)));
    return kPipeSizes[std::min<std::size_t>(step, kPipeSizes.size() - 1)];
}

double SmallPipeSize(SeededRandom& random) {
    return kPipeSizes[random.Below(3)];
}

std::int32_t NetworkBuilder::AddNode(double x, double y, std::int16_t type) {
    Node node;
    node.id = NodeCount();
    node.x = x;
    node.y = y;
    node.type = type;
    network_.nodes.push_back(node);
    return node.id;
}

void NetworkBuilder::MakeStorage(std::int32_t index, bool pond) {
    Node& node = NodeAt(index);
    node.type = node_type::kStorage;
    node.storage = true;
    node.pond = pond;
}

double NetworkBuilder::Distance(std::int32_t a, std::int32_t b) const {
    const Node& p = network_.nodes[static_cast<std::size_t>(a)];
    const Node& q = network_.nodes[static_cast<std::size_t>(b)];
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y));
}

std::int32_t NetworkBuilder::AddLink(std::int32_t from, double fromEnd, std::int32_t to,
                                     double toEnd, double size, std::int16_t type) {
    Link link;
    link.id = static_cast<std::int32_t>(network_.links.size());
    link.source = from;
    link.target = to;
    link.sourceElevation = fromEnd;
    link.targetElevation = toEnd;
    link.size = size;
    link.type = type;
    link.length = Distance(from, to);
    if (type != link_type::kPressureMain && random_.Chance(kReversedShare)) {
        std::swap(link.source, link.target);
        std::swap(link.sourceElevation, link.targetElevation);
    }
    network_.links.push_back(link);
    return link.id;
}

void NetworkBuilder::AddPumpLink(std::int32_t upNode, std::int32_t downNode) {
    auto id = static_cast<std::int32_t>(network_.pumpLinks.size()) + 1;
    network_.pumpLinks.push_back({id, upNode, downNode});
}

void NetworkBuilder::AddGutter(std::int32_t link, bool directionSameAsUI) {
    network_.gutters.push_back({link, directionSameAsUI});
}

Network NetworkBuilder::Finish() {
    auto nodeIDs = RandomIDs(network_.nodes.size(), random_);
    auto linkIDs = RandomIDs(network_.links.size(), random_);
    auto nodeID = [&](std::int32_t index) { return nodeIDs[static_cast<std::size_t>(index)]; };
    for (Node& node : network_.nodes) {
        node.id = nodeID(node.id);
    }
    for (Link& link : network_.links) {
        link.id = linkIDs[static_cast<std::size_t>(link.id)];
        link.source = nodeID(link.source);
        link.target = nodeID(link.target);
    }
    for (PumpLink& pump : network_.pumpLinks) {
        pump.upstream = nodeID(pump.upstream);
        pump.downstream = nodeID(pump.downstream);
    }
    for (Gutter& gutter : network_.gutters) {
        gutter.id = linkIDs[static_cast<std::size_t>(gutter.id)];
    }
    auto byID = [](const auto& a, const auto& b) { return a.id < b.id; };
    std::sort(network_.nodes.begin(), network_.nodes.end(), byID);
    std::sort(network_.links.begin(), network_.links.end(), byID);
    return std::move(network_);
}

}  // namespace detail

std::string_view ProfileName(Profile profile) {
    for (const auto& entry : kProfileNames) {
        if (entry.profile == profile) {
            return entry.name;
        }
    }
    return "?";
}

std::optional<Profile> ProfileFromName(std::string_view name) {
    for (const auto& entry : kProfileNames) {
        if (entry.name == name) {
            return entry.profile;
        }
    }
    return std::nullopt;
}

Network Generate(Profile profile, std::int32_t nodes, std::uint64_t seed) {
    SeededRandom random(seed);
    nodes = std::max(nodes, 16);
    switch (profile) {
        case Profile::kRealistic:
            return detail::GrowForest(RealisticPlan(nodes, 10), random);
        case Profile::kOutfallHeavy:
            return detail::GrowForest(OutfallHeavyPlan(nodes), random);
        case Profile::kLooped:
            return detail::StreetGrid(nodes, random);
        case Profile::kChain:
            return detail::Chain(nodes, random);
        case Profile::kStar:
            return detail::Star(nodes, random);
        case Profile::kRing:
            return detail::OutfallRing(nodes, random);
        case Profile::kExtraLoops:
            return detail::GrowForest(RealisticPlan(nodes, 100), random);
    }
    return {};
}

}  // namespace rivo_bench
