#include "tracked_input.h"

#include <gtest/gtest.h>

#include <string>

namespace rivo::tool {
namespace {

// The JSON reader reports a syntax error up to two bytes behind what it has
// consumed, possibly across line breaks, and at the end of the text. The
// text arrives one byte per block, so that every byte crosses a block
// boundary.
TEST(TrackedInput, PositionsOfRecentBytesAndOfTheEnd) {
    const std::string text = "ab\ncd\n\nx";
    std::size_t next = 0;
    TrackedInput input([&]() -> std::span<const char> {
        return next == text.size() ? std::span<const char>() : std::span(&text[next++], 1);
    });
    for (auto it = input.begin(); it != input.end(); ++it) {
    }
    EXPECT_EQ(input.PositionOfOffset(7), (TextPosition{4, 1}));  // x
    EXPECT_EQ(input.PositionOfOffset(6), (TextPosition{3, 1}));  // the empty line
    EXPECT_EQ(input.PositionOfOffset(5), (TextPosition{2, 3}));  // the break ending "cd"
    EXPECT_EQ(input.PositionOfOffset(8), (TextPosition{4, 2}));  // the end
    EXPECT_EQ(input.PositionOfOffset(99), (TextPosition{4, 2}));
}

}  // namespace
}  // namespace rivo::tool
