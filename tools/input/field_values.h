#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rivo::tool {

// What a field of the network document holds. IDs are int32 and types int16
// in the host interface; both take only JSON integers. Numbers (positions,
// elevations, sizes, lengths) take any finite JSON number.
enum class FieldKind : std::uint8_t { kId, kType, kNumber, kBool };

// A scalar as the JSON reader delivers it. A decimal keeps its literal text:
// integers too large for 64 bits arrive as decimals, and messages quote it.
struct JsonScalar {
    enum class Kind : std::uint8_t { kNull, kBoolean, kInteger, kUnsigned, kDecimal, kString };

    static JsonScalar Boolean(bool value) {
        JsonScalar s;
        s.kind = Kind::kBoolean;
        s.boolean = value;
        return s;
    }
    static JsonScalar Integer(std::int64_t value) {
        JsonScalar s;
        s.kind = Kind::kInteger;
        s.integer = value;
        return s;
    }
    static JsonScalar Unsigned(std::uint64_t value) {
        JsonScalar s;
        s.kind = Kind::kUnsigned;
        s.unsignedInteger = value;
        return s;
    }
    static JsonScalar Decimal(double value, std::string_view text) {
        JsonScalar s;
        s.kind = Kind::kDecimal;
        s.decimal = value;
        s.text = text;
        return s;
    }
    static JsonScalar String() {
        JsonScalar s;
        s.kind = Kind::kString;
        return s;
    }

    Kind kind = Kind::kNull;
    bool boolean = false;
    std::int64_t integer = 0;
    std::uint64_t unsignedInteger = 0;
    double decimal = 0.0;
    std::string_view text;
};

// A field's value after conversion; the member its kind names is set.
struct FieldValue {
    std::int64_t integer = 0;
    double number = 0.0;
    bool boolean = false;
};

// Converts `scalar` for a field of `kind` into `value`. Returns what is wrong
// when it does not fit, e.g. "expected an integer, found 1.5" or
// "40000 is outside the range of a type (-32768 to 32767)".
std::optional<std::string> ConvertScalar(FieldKind kind, const JsonScalar& scalar,
                                         FieldValue& value);

// The value as messages show it: "null", "true", "a string", "1.5".
std::string DescribeScalar(const JsonScalar& scalar);

// What a field of the kind expects, as messages say it: "an integer".
std::string_view ExpectedText(FieldKind kind);

}  // namespace rivo::tool
