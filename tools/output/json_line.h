#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace rivo::tool {

// Text on its way to a stream, built in a large buffer that goes out a
// megabyte at a time: result documents of a large network run to hundreds
// of megabytes, and numbers are formatted with to_chars straight into it.
class TextBuffer {
public:
    explicit TextBuffer(std::ostream& out) : out_(out) { text_.reserve(kPiece + kPiece / 4); }

    std::string& text() { return text_; }
    TextBuffer& operator<<(std::string_view piece) {
        text_ += piece;
        return *this;
    }
    // Passes the text on once a piece is full; called between elements.
    void Spill() {
        if (text_.size() >= kPiece) {
            Flush();
        }
    }
    void Flush() {
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
    }

private:
    static constexpr std::size_t kPiece = std::size_t{1} << 20;

    std::ostream& out_;
    std::string text_;
};

// Appends one JSON object on a single line to a text, members in the order
// they are added. Keys are the tool's own identifiers and need no escaping;
// values are integers, numbers, booleans, null (an absent optional), strings,
// arrays of integers and strings, and JSON text made elsewhere.
class JsonLine {
public:
    // `{"a": 1, "b": 2}`, or `{"a":1,"b":2}` as network documents are written.
    enum Layout { kSpaced, kCompact };
    explicit JsonLine(std::string& text, Layout layout = kSpaced) : text_(text), layout_(layout) {
        text_ += '{';
    }

    JsonLine& Int(std::string_view key, std::int64_t value);
    JsonLine& Number(std::string_view key, double value);
    JsonLine& Bool(std::string_view key, bool value);
    JsonLine& Int(std::string_view key, std::optional<std::int32_t> value);
    JsonLine& Bool(std::string_view key, std::optional<bool> value);
    JsonLine& IntArray(std::string_view key, std::span<const std::int32_t> values);
    JsonLine& String(std::string_view key, std::string_view value);
    JsonLine& StringArray(std::string_view key, std::span<const std::string_view> values);
    // `json` as it is: an object or array built by the caller.
    JsonLine& Raw(std::string_view key, std::string_view json);

    // Appends the closing brace.
    void Close() { text_ += '}'; }

private:
    void Key(std::string_view key);

    std::string& text_;
    Layout layout_;
    bool first_ = true;
};

void AppendInt(std::string& text, std::int64_t value);
// The shortest text that reads back as `value`, with a point or an exponent:
// 0.1, 9.25, 123.0, 1e-05, 1.5e+16.
void AppendNumber(std::string& text, double value);
// `[1, 2, 3]`
void AppendIntArray(std::string& text, std::span<const std::int32_t> values);
// `value` as a JSON string; bytes that are not UTF-8 are replaced, so that
// the text stays readable.
void AppendQuoted(std::string& text, std::string_view value);

}  // namespace rivo::tool
