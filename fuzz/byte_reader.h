#pragma once

#include <cstddef>
#include <cstdint>

namespace rivo_fuzz {

// Draws small values from fuzzer bytes; reads zeros once the bytes run out.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    bool Bool() { return (Byte() & 1) != 0; }
    // A value in [lo, hi].
    int Int(int lo, int hi) {
        return lo + static_cast<int>(Byte() % static_cast<unsigned>(hi - lo + 1));
    }
    // IDs from a small range, so that duplicates and unknown IDs happen.
    std::int32_t SmallId() { return Int(-1, 16); }
    std::int16_t Type() { return static_cast<std::int16_t>(Int(-1, 9)); }
    double Coordinate() { return static_cast<double>(Int(0, 7)) * 10.0; }
    // Elevations on a 0.05 grid, so ties and the tolerances are met exactly.
    double Elevation() { return static_cast<double>(Int(0, 40)) * 0.05; }
    double Size() { return static_cast<double>(Int(0, 12)) * 0.5; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace rivo_fuzz
