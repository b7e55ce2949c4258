#include "json_line.h"

#include <charconv>

namespace rivo::tool {

void AppendInt(std::string& text, std::int64_t value) {
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, end);
}

void AppendIntArray(std::string& text, std::span<const std::int32_t> values) {
    text += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        AppendInt(text, values[i]);
    }
    text += ']';
}

void JsonLine::Key(std::string_view key) {
    if (text_.size() > 1) {
        text_ += ", ";
    }
    text_ += '"';
    text_ += key;
    text_ += "\": ";
}

JsonLine& JsonLine::Int(std::string_view key, std::int64_t value) {
    Key(key);
    AppendInt(text_, value);
    return *this;
}

JsonLine& JsonLine::Bool(std::string_view key, bool value) {
    Key(key);
    text_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::Int(std::string_view key, std::optional<std::int32_t> value) {
    if (value) {
        return Int(key, std::int64_t{*value});
    }
    Key(key);
    text_ += "null";
    return *this;
}

JsonLine& JsonLine::Bool(std::string_view key, std::optional<bool> value) {
    if (value) {
        return Bool(key, *value);
    }
    Key(key);
    text_ += "null";
    return *this;
}

JsonLine& JsonLine::IntArray(std::string_view key, std::span<const std::int32_t> values) {
    Key(key);
    AppendIntArray(text_, values);
    return *this;
}

const std::string& JsonLine::Close() {
    text_ += '}';
    return text_;
}

void JsonLine::Clear() {
    text_.assign(1, '{');
}

}  // namespace rivo::tool
