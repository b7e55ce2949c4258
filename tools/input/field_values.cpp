#include "input/field_values.h"

#include <limits>

namespace rivo::tool {

namespace {

std::string Mismatch(FieldKind kind, const JsonScalar& scalar) {
    return "expected " + std::string(ExpectedText(kind)) + ", found " + DescribeScalar(scalar);
}

std::optional<std::string> ConvertNumber(const JsonScalar& scalar, FieldValue& value) {
    switch (scalar.kind) {
        case JsonScalar::Kind::kInteger:
            value.number = static_cast<double>(scalar.integer);
            return std::nullopt;
        case JsonScalar::Kind::kUnsigned:
            value.number = static_cast<double>(scalar.unsignedInteger);
            return std::nullopt;
        case JsonScalar::Kind::kDecimal:
            // Never infinite: the reader rejects literals beyond the range
            // of a double (see NetworkSaxHandler::parse_error).
            value.number = scalar.decimal;
            return std::nullopt;
        default:
            return Mismatch(FieldKind::kNumber, scalar);
    }
}

// A decimal literal without fraction or exponent is an integer that did not
// fit in 64 bits: out of range rather than of the wrong kind.
bool IsIntegerLiteral(std::string_view text) {
    return text.find_first_of(".eE") == std::string_view::npos;
}

template <class Target>
std::optional<std::string> ConvertInteger(FieldKind kind, const JsonScalar& scalar,
                                          FieldValue& value) {
    constexpr std::int64_t kMin = std::numeric_limits<Target>::min();
    constexpr std::int64_t kMax = std::numeric_limits<Target>::max();
    std::string literal;
    switch (scalar.kind) {
        case JsonScalar::Kind::kInteger:
            if (scalar.integer >= kMin && scalar.integer <= kMax) {
                value.integer = scalar.integer;
                return std::nullopt;
            }
            literal = std::to_string(scalar.integer);
            break;
        case JsonScalar::Kind::kUnsigned:
            if (scalar.unsignedInteger <= static_cast<std::uint64_t>(kMax)) {
                value.integer = static_cast<std::int64_t>(scalar.unsignedInteger);
                return std::nullopt;
            }
            literal = std::to_string(scalar.unsignedInteger);
            break;
        case JsonScalar::Kind::kDecimal:
            if (!IsIntegerLiteral(scalar.text)) {
                return Mismatch(kind, scalar);
            }
            literal = scalar.text;
            break;
        default:
            return Mismatch(kind, scalar);
    }
    const char* what = kind == FieldKind::kId ? " is outside the range of an ID ("
                                              : " is outside the range of a type (";
    return literal + what + std::to_string(kMin) + " to " + std::to_string(kMax) + ")";
}

}  // namespace

std::optional<std::string> ConvertScalar(FieldKind kind, const JsonScalar& scalar,
                                         FieldValue& value) {
    switch (kind) {
        case FieldKind::kId:
            return ConvertInteger<std::int32_t>(kind, scalar, value);
        case FieldKind::kType:
            return ConvertInteger<std::int16_t>(kind, scalar, value);
        case FieldKind::kNumber:
            return ConvertNumber(scalar, value);
        case FieldKind::kBool:
            if (scalar.kind != JsonScalar::Kind::kBoolean) {
                return Mismatch(kind, scalar);
            }
            value.boolean = scalar.boolean;
            return std::nullopt;
    }
    return Mismatch(kind, scalar);
}

std::string DescribeScalar(const JsonScalar& scalar) {
    switch (scalar.kind) {
        case JsonScalar::Kind::kNull:
            return "null";
        case JsonScalar::Kind::kBoolean:
            return scalar.boolean ? "true" : "false";
        case JsonScalar::Kind::kInteger:
            return std::to_string(scalar.integer);
        case JsonScalar::Kind::kUnsigned:
            return std::to_string(scalar.unsignedInteger);
        case JsonScalar::Kind::kDecimal:
            return std::string(scalar.text);
        case JsonScalar::Kind::kString:
            return "a string";
    }
    return "a value";
}

std::string_view ExpectedText(FieldKind kind) {
    switch (kind) {
        case FieldKind::kId:
        case FieldKind::kType:
            return "an integer";
        case FieldKind::kNumber:
            return "a number";
        case FieldKind::kBool:
            return "true or false";
    }
    return "a value";
}

}  // namespace rivo::tool
