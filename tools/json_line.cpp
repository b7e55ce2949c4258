#include "json_line.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <string_view>

namespace rivo::tool {

void AppendInt(std::string& text, std::int64_t value) {
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, end);
}

// Laid out as the documents of the shared network collection are (Python's
// repr, the shortest form too): plain digits with at least one after the point while the point
// falls within the first sixteen digits or at most three zeros after it,
// otherwise one digit, the rest after a point, and a signed two-digit or
// longer exponent (1e-05, 1.5e+16).
void AppendNumber(std::string& text, double value) {
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = scientific.find('e');
    std::string_view mantissa = scientific.substr(0, e);
    if (!mantissa.empty() && mantissa.front() == '-') {
        text += '-';
        mantissa.remove_prefix(1);
    }
    std::string digits(mantissa.substr(0, 1));
    if (mantissa.size() > 2) {
        digits += mantissa.substr(2);
    }
    int exponent = 0;
    const char* exponentStart = scientific.data() + e + 1;
    std::from_chars(exponentStart + (*exponentStart == '+' ? 1 : 0), end, exponent);
    const int point = exponent + 1;  // digits before the decimal point
    const int count = static_cast<int>(digits.size());
    if (point > -4 && point <= 16) {
        if (point <= 0) {
            text += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
        } else if (point >= count) {
            text += digits + std::string(static_cast<std::size_t>(point - count), '0') + ".0";
        } else {
            text += digits.substr(0, static_cast<std::size_t>(point)) + "." +
                    digits.substr(static_cast<std::size_t>(point));
        }
        return;
    }
    text += digits.substr(0, 1);
    if (count > 1) {
        text += "." + digits.substr(1);
    }
    const int magnitude = exponent < 0 ? -exponent : exponent;
    text += exponent < 0 ? "e-" : "e+";
    text += magnitude < 10 ? "0" : "";
    text += std::to_string(magnitude);
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

void AppendQuoted(std::string& text, std::string_view value) {
    text += nlohmann::json(value).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void JsonLine::Key(std::string_view key) {
    const bool spaced = layout_ == kSpaced;
    if (text_.size() > 1) {
        text_ += spaced ? ", " : ",";
    }
    text_ += '"';
    text_ += key;
    text_ += spaced ? "\": " : "\":";
}

JsonLine& JsonLine::Int(std::string_view key, std::int64_t value) {
    Key(key);
    AppendInt(text_, value);
    return *this;
}

JsonLine& JsonLine::Number(std::string_view key, double value) {
    Key(key);
    AppendNumber(text_, value);
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
