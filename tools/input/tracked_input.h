#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <span>

namespace rivo::tool {

// A place in a text; lines and columns count from 1, columns count bytes.
struct TextPosition {
    std::int64_t line = 1;
    std::int64_t column = 1;

    friend bool operator==(const TextPosition&, const TextPosition&) = default;
};

// The bytes of a document as the JSON reader consumes them, block by block,
// with what messages need to point into the text. The reader's events say
// what was read but not where, so the handler marks the input after each
// event: the first byte after the mark that is neither white space nor a
// separator (',' or ':') is where the next token begins. The starts of the
// last three lines are kept because the reader reports a syntax error up to
// two bytes behind what it has consumed.
class TrackedInput {
public:
    // Returns the next block of the text, or an empty block at its end.
    using Refill = std::function<std::span<const char>()>;

    class Iterator;

    explicit TrackedInput(Refill refill) : refill_(std::move(refill)) {}

    Iterator begin();
    Iterator end();

    void Mark() { seekingToken_ = true; }
    TextPosition TokenStart() const { return tokenStart_; }
    // The position of a byte read recently (offsets count from 0); the end
    // of the text has the position after its last byte.
    TextPosition PositionOfOffset(std::uint64_t offset) const;

    bool AtEnd() { return next_ == last_ && !Fill(); }
    char Current() const { return *next_; }
    void Advance();

private:
    static bool IsSeparator(char c) {
        return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == ',' || c == ':';
    }
    bool Fill();

    Refill refill_;
    const char* next_ = nullptr;
    const char* last_ = nullptr;
    std::uint64_t offset_ = 0;
    std::int64_t line_ = 1;
    std::uint64_t lineStarts_[3] = {0, 0, 0};  // current line first
    bool seekingToken_ = true;
    TextPosition tokenStart_;
};

// The input iterator the JSON reader pulls bytes through. Copies share the
// input; the default-constructed iterator is the end.
class TrackedInput::Iterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    Iterator() = default;
    explicit Iterator(TrackedInput* input) : input_(input) {}

    char operator*() const { return input_->Current(); }
    Iterator& operator++() {
        input_->Advance();
        return *this;
    }
    void operator++(int) { input_->Advance(); }
    bool operator==(const Iterator& other) const { return AtEnd() == other.AtEnd(); }

private:
    bool AtEnd() const { return input_ == nullptr || input_->AtEnd(); }

    TrackedInput* input_ = nullptr;
};

inline TrackedInput::Iterator TrackedInput::begin() {
    return Iterator(this);
}
inline TrackedInput::Iterator TrackedInput::end() {
    return Iterator();
}

inline void TrackedInput::Advance() {
    const char c = *next_;
    if (seekingToken_ && !IsSeparator(c)) {
        tokenStart_ = {line_, static_cast<std::int64_t>(offset_ - lineStarts_[0]) + 1};
        seekingToken_ = false;
    }
    ++next_;
    ++offset_;
    if (c == '\n') {
        lineStarts_[2] = lineStarts_[1];
        lineStarts_[1] = lineStarts_[0];
        lineStarts_[0] = offset_;
        ++line_;
    }
}

}  // namespace rivo::tool
