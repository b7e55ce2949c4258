#include <algorithm>
#include <cmath>

#include "generator_internal.h"

// Networks of a fixed shape: a street grid and the stress shapes. Positions
// come from a lattice plus jitter smaller than half its spacing, so no two
// nodes coincide; no trigonometry is used, as libraries round it differently.
namespace rivo_bench::detail {

namespace {

constexpr double kJitter = 5.0;

double Jitter(SeededRandom& random) {
    return random.Between(-kJitter, kJitter);
}

std::int32_t AddLatticeNode(NetworkBuilder& builder, SeededRandom& random, double spacing,
                            std::int64_t col, std::int64_t row, std::int16_t type) {
    return builder.AddNode(static_cast<double>(col) * spacing + Jitter(random),
                           static_cast<double>(row) * spacing + Jitter(random), type);
}

// Gravity fall over a pipe of the given length.
double Fall(SeededRandom& random, double length, double minSlope, double maxSlope) {
    return random.Between(minSlope, maxSlope) * length;
}

// Cells of the square rings around the origin, ring by ring, outwards.
class SquareSpiral {
public:
    std::pair<std::int64_t, std::int64_t> Next() {
        if (k_ == 8 * ring_) {
            ++ring_;
            k_ = 0;
        }
        std::int64_t r = ring_;
        std::int64_t k = k_++;
        if (k < 2 * r + 1) {
            return {k - r, -r};  // bottom edge
        }
        k -= 2 * r + 1;
        if (k < 2 * r + 1) {
            return {k - r, r};  // top edge
        }
        k -= 2 * r + 1;
        return k % 2 == 0 ? std::pair{-r, k / 2 - r + 1} : std::pair{r, k / 2 - r + 1};
    }

private:
    std::int64_t ring_ = 1;
    std::int64_t k_ = 0;
};

}  // namespace

// Blocks of a street grid, a sewer under every street. Inverts rise away
// from the outfall corner along both axes, so every pipe falls towards it
// and every block is a loop.
Network StreetGrid(std::int32_t nodes, SeededRandom& random) {
    constexpr double kSpacing = 40.0;
    auto rows = std::max<std::int32_t>(2, static_cast<std::int32_t>(std::sqrt(nodes)));
    auto cols = std::max<std::int32_t>(2, nodes / rows);
    std::vector<double> rowRise(static_cast<std::size_t>(rows), 0.0);
    std::vector<double> colRise(static_cast<std::size_t>(cols), 0.0);
    for (std::size_t r = 1; r < rowRise.size(); ++r) {
        rowRise[r] = rowRise[r - 1] + Fall(random, kSpacing, 0.004, 0.006);
    }
    for (std::size_t c = 1; c < colRise.size(); ++c) {
        colRise[c] = colRise[c - 1] + Fall(random, kSpacing, 0.004, 0.006);
    }
    NetworkBuilder builder(random);
    std::vector<double> invert;
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < cols; ++c) {
            auto type = r == 0 && c == 0 ? node_type::kOutfall : node_type::kManhole;
            AddLatticeNode(builder, random, kSpacing, c, r, type);
            invert.push_back(2.0 + rowRise[static_cast<std::size_t>(r)] +
                             colRise[static_cast<std::size_t>(c)] + random.Between(0.0, 0.03));
        }
    }
    // From (r, c) to the neighbour one step nearer the outfall.
    auto pipe = [&](std::int32_t r, std::int32_t c, std::int32_t toR, std::int32_t toC) {
        std::int32_t from = r * cols + c;
        std::int32_t to = toR * cols + toC;
        double drained = static_cast<double>(rows - r) * (cols - c);
        builder.AddLink(from, invert[static_cast<std::size_t>(from)], to,
                        invert[static_cast<std::size_t>(to)] + random.Between(0.0, 0.02),
                        PipeSizeFor(static_cast<std::int64_t>(drained)), link_type::kPipe);
    };
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < cols; ++c) {
            if (c > 0) {
                pipe(r, c, r, c - 1);
            }
            if (r > 0) {
                pipe(r, c, r - 1, c);
            }
        }
    }
    return builder.Finish();
}

// One trunk sewer: node 0 is the outfall, node k drains to node k-1. The line
// snakes back and forth in rows so that coordinates stay moderate.
Network Chain(std::int32_t nodes, SeededRandom& random) {
    constexpr double kSpacing = 35.0;
    constexpr std::int32_t kRowLength = 1000;
    NetworkBuilder builder(random);
    double below = 0.0;
    for (std::int32_t k = 0; k < nodes; ++k) {
        std::int32_t row = k / kRowLength;
        std::int32_t col = row % 2 == 0 ? k % kRowLength : kRowLength - 1 - k % kRowLength;
        auto type = k == 0 ? node_type::kOutfall : node_type::kManhole;
        AddLatticeNode(builder, random, kSpacing, col, row, type);
        if (k == 0) {
            below = random.Between(1.0, 3.0);
            continue;
        }
        double entry = below + random.Between(0.0, 0.05);
        double invert = entry + Fall(random, builder.Distance(k, k - 1), 0.0005, 0.002);
        builder.AddLink(k, invert, k - 1, entry, PipeSizeFor(nodes - k), link_type::kPipe);
        below = invert;
    }
    return builder.Finish();
}

// A hub manhole draining to an outfall, with every other node a single pipe
// falling into the hub: one node with N-1 links.
Network Star(std::int32_t nodes, SeededRandom& random) {
    constexpr double kSpacing = 30.0;
    NetworkBuilder builder(random);
    std::int32_t hub = AddLatticeNode(builder, random, kSpacing, 0, 0, node_type::kManhole);
    SquareSpiral spiral;
    auto [ox, oy] = spiral.Next();
    std::int32_t outfall = AddLatticeNode(builder, random, kSpacing, ox, oy, node_type::kOutfall);
    double hubInvert = random.Between(2.0, 3.0);
    builder.AddLink(hub, hubInvert, outfall, hubInvert - random.Between(0.1, 0.5),
                    PipeSizeFor(nodes), link_type::kPipe);
    for (std::int32_t k = 2; k < nodes; ++k) {
        auto [x, y] = spiral.Next();
        std::int32_t leaf = AddLatticeNode(builder, random, kSpacing, x, y, node_type::kManhole);
        double entry = hubInvert + random.Between(0.0, 0.05);
        double invert = entry + Fall(random, builder.Distance(leaf, hub), 0.002, 0.01);
        builder.AddLink(leaf, invert, hub, entry, PipeSizeFor(1), link_type::kPipe);
    }
    return builder.Finish();
}

// Outfalls along two facing rows, each joined to the next and the last to
// the first: one loop through N outfalls. Pipes fall from the higher end.
Network OutfallRing(std::int32_t nodes, SeededRandom& random) {
    constexpr double kSpacing = 35.0;
    NetworkBuilder builder(random);
    std::int32_t bottom = (nodes + 1) / 2;
    std::vector<double> invert;
    for (std::int32_t k = 0; k < nodes; ++k) {
        std::int32_t col = k < bottom ? k : nodes - 1 - k;
        AddLatticeNode(builder, random, kSpacing, col, k < bottom ? 0 : 1, node_type::kOutfall);
        invert.push_back(random.Between(1.0, 3.0));
    }
    for (std::int32_t k = 0; k < nodes; ++k) {
        std::int32_t a = k;
        std::int32_t b = (k + 1) % nodes;
        if (invert[static_cast<std::size_t>(a)] < invert[static_cast<std::size_t>(b)]) {
            std::swap(a, b);
        }
        builder.AddLink(a, invert[static_cast<std::size_t>(a)], b,
                        invert[static_cast<std::size_t>(b)], SmallPipeSize(random),
                        link_type::kPipe);
    }
    return builder.Finish();
}

}  // namespace rivo_bench::detail
