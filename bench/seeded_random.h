#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace rivo_bench {

// Random draws that are the same on every platform. std::mt19937_64 has an
// output sequence fixed by the C++ standard, but the standard distributions
// do not: each library maps engine output to numbers its own way. A benchmark
// must describe the same networks everywhere, so the mapping is done here.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, n), n > 0. Draws below 2^64 mod n are rejected so that
    // every residue has the same number of preimages.
    std::uint64_t Below(std::uint64_t n) {
        const std::uint64_t threshold = (0 - n) % n;
        for (;;) {
            std::uint64_t r = engine_();
            if (r >= threshold) {
                return r % n;
            }
        }
    }

    std::int32_t Index(std::size_t n) { return static_cast<std::int32_t>(Below(n)); }

    // Uniform in [0, 1): the top 53 bits of a draw, exactly representable.
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

    double Between(double low, double high) { return low + (high - low) * Unit(); }

    bool Chance(double probability) { return Unit() < probability; }

    // Fisher-Yates with the mapping above (std::shuffle is not portable).
    template <class T>
    void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) {
            std::swap(items[i - 1], items[Below(i)]);
        }
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace rivo_bench
