#include "json_line.h"

#include <charconv>
#include <nlohmann/json.hpp>

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

void AppendNumber(std::string& text, double value) {
    char digits[32];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, end);
}

void AppendQuoted(std::string& text, std::string_view value) {
    text += nlohmann::json(value).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
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

JsonLine& JsonLine::String(std::string_view key, std::string_view value) {
    Key(key);
    AppendQuoted(text_, value);
    return *this;
}

JsonLine& JsonLine::StringArray(std::string_view key, std::span<const std::string_view> values) {
    Key(key);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            text_ += ", ";
        }
        AppendQuoted(text_, values[i]);
    }
    text_ += ']';
    return *this;
}

JsonLine& JsonLine::Raw(std::string_view key, std::string_view json) {
    Key(key);
    text_ += json;
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
