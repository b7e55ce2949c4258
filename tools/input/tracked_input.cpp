#include "input/tracked_input.h"

#include <algorithm>

namespace rivo::tool {

bool TrackedInput::Fill() {
    std::span<const char> block = refill_();
    next_ = block.data();
    last_ = block.data() + block.size();
    return !block.empty();
}

TextPosition TrackedInput::PositionOfOffset(std::uint64_t offset) const {
    offset = std::min(offset, offset_);
    std::int64_t line = line_;
    for (std::uint64_t start : lineStarts_) {
        if (offset >= start || line == 1) {
            return {line, static_cast<std::int64_t>(offset - std::min(offset, start)) + 1};
        }
        --line;
    }
    // Further back than the reader ever reports: the oldest line kept.
    return {line + 1, 1};
}

}  // namespace rivo::tool
