#include "output/json_line.h"

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
    char scientific[40];
    const char* end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                    std::chars_format::scientific)
                          .ptr;
    const char* mantissa = scientific;
    if (*mantissa == '-') {
        text += '-';
        ++mantissa;
    }
    // The significant digits without the point: "1.25e+02" holds 125.
    char digits[24];
    int count = 0;
    const char* p = mantissa;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            digits[count++] = *p;
        }
    }
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    const std::string_view all(digits, static_cast<std::size_t>(count));
    const int point = exponent + 1;  // digits before the decimal point
    if (point > -4 && point <= 16) {
        if (point <= 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-point), '0');
            text += all;
        } else if (point >= count) {
            text += all;
            text.append(static_cast<std::size_t>(point - count), '0');
            text += ".0";
        } else {
            text += all.substr(0, static_cast<std::size_t>(point));
            text += '.';
            text += all.substr(static_cast<std::size_t>(point));
        }
        return;
    }
    text += all.front();
    if (count > 1) {
        text += '.';
        text += all.substr(1);
    }
    text += exponent < 0 ? "e-" : "e+";
    if (exponent > -10 && exponent < 10) {
        text += '0';
    }
    AppendInt(text, exponent < 0 ? -exponent : exponent);
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
    if (!first_) {
        text_ += spaced ? ", " : ",";
    }
    first_ = false;
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

}  // namespace rivo::tool
