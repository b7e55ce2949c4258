#pragma once

#include <cstdint>

#include "network_generator.h"
#include "seeded_random.h"

// Pieces shared by the generators of the different profiles.
namespace rivo_bench::detail {

// Diameter in metres of a gravity pipe that drains `upstreamNodes` nodes:
// one standard size larger each time the drained count doubles.
double PipeSizeFor(std::int64_t upstreamNodes);

// A small pipe, for pressure mains and pipes that close loops.
double SmallPipeSize(SeededRandom& random);

// Collects a network with node and link indices (0-based, in creation order)
// in place of IDs; Finish relabels them.
class NetworkBuilder {
public:
    explicit NetworkBuilder(SeededRandom& random) : random_(random) {}

    std::int32_t AddNode(double x, double y, std::int16_t type);
    Node& NodeAt(std::int32_t index) { return network_.nodes[static_cast<std::size_t>(index)]; }
    // Makes the node a storage node, a pond or not, as a host marks one.
    void MakeStorage(std::int32_t index, bool pond);
    std::int32_t NodeCount() const { return static_cast<std::int32_t>(network_.nodes.size()); }
    double Distance(std::int32_t a, std::int32_t b) const;

    // A link meant to carry water from `from` to `to`. Users draw some links
    // against the flow, so a share of gravity pipes is stored reversed; the
    // parser has to find their direction itself.
    std::int32_t AddLink(std::int32_t from, double fromEnd, std::int32_t to, double toEnd,
                         double size, std::int16_t type);
    void AddPumpLink(std::int32_t upNode, std::int32_t downNode);
    void AddGutter(std::int32_t link, bool directionSameAsUI);

    // Gives nodes and links random IDs 1..N and 1..M and sorts both lists by
    // ID, so that neither ID order nor list order follows the layout.
    Network Finish();

private:
    SeededRandom& random_;
    Network network_;
};

// A lattice-grown forest of gravity trees, one per outfall.
struct ForestPlan {
    std::int32_t nodes = 0;
    std::int32_t outfalls = 1;
    // Extra pipes between lattice neighbours of the same tree (loops).
    std::int32_t loopLinks = 0;
    // Extra pipes between lattice neighbours of different trees.
    std::int32_t joinLinks = 0;
    // Storage nodes, pumps, pond links, controls and gutters.
    bool features = false;
};

Network GrowForest(const ForestPlan& plan, SeededRandom& random);

Network StreetGrid(std::int32_t nodes, SeededRandom& random);
Network Chain(std::int32_t nodes, SeededRandom& random);
Network Star(std::int32_t nodes, SeededRandom& random);
Network OutfallRing(std::int32_t nodes, SeededRandom& random);

}  // namespace rivo_bench::detail
