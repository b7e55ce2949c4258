#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rivo::tool {

// Builds one JSON object on a single line, members in the order they are
// added. Keys are the tool's own identifiers and need no escaping; values
// are integers, numbers, booleans, null (an absent optional), strings, arrays of
// integers and strings, and JSON text made elsewhere. Numbers are formatted
// with to_chars: the result of a large network has millions of them.
class JsonLine {
public:
    // `{"a": 1, "b": 2}`, or `{"a":1,"b":2}` as network documents are written.
    enum Layout { kSpaced, kCompact };
    explicit JsonLine(Layout layout = kSpaced) : layout_(layout) {}

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

    // The object with its closing brace; the line can be built again after Clear.
    const std::string& Close();
    void Clear();

private:
    void Key(std::string_view key);

    Layout layout_;
    std::string text_ = "{";
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
