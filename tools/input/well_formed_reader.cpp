#include "input/well_formed_reader.h"

#include <simdjson.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "input/network_fields.h"

namespace rivo::tool {

namespace {

namespace ondemand = simdjson::ondemand;

static_assert(kTextPadding >= simdjson::SIMDJSON_PADDING);

// Values an ignored field holds are checked as deep as this; deeper ones are
// left to the checking reader, which needs no stack for them.
constexpr int kNestingLimit = 64;

// The text between the quotes of a string whose opening quote precedes
// `start`, when it holds no escape and no control character (which JSON
// forbids inside strings); nothing otherwise.
std::optional<std::string_view> PlainString(const char* start) {
    for (const char* p = start;; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '"') {
            return std::string_view(start, static_cast<std::size_t>(p - start));
        }
        if (c == '\\' || c < 0x20) {
            return std::nullopt;
        }
    }
}

// The number's literal without the white space that follows it.
std::string_view Literal(std::string_view token) {
    const std::size_t end = token.find_last_not_of(" \t\n\r");
    return token.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

std::optional<JsonScalar> NumberOf(ondemand::value& value) {
    const std::string_view literal = Literal(value.raw_json_token());
    ondemand::number number;
    if (value.get_number().get(number)) {
        return std::nullopt;  // malformed, or an integer beyond 64 bits
    }
    switch (number.get_number_type()) {
        case ondemand::number_type::signed_integer:
            return JsonScalar::Integer(number.get_int64());
        case ondemand::number_type::unsigned_integer:
            return JsonScalar::Unsigned(number.get_uint64());
        case ondemand::number_type::floating_point_number:
            break;
    }
    // The reader's own value of a decimal can be wrong where the literal has
    // more than nineteen significant digits; the standard library's is exact.
    // A literal beyond the range of a double, or so small that it reads as
    // zero, is left to the checking reader.
    double decimal = 0.0;
    const auto [end, error] =
        std::from_chars(literal.data(), literal.data() + literal.size(), decimal);
    if (error != std::errc() || end != literal.data() + literal.size()) {
        return std::nullopt;
    }
    return JsonScalar::Decimal(decimal, {});
}

// The scalar as the checking reader's JSON reader delivers it; nothing for
// an array, an object, or anything malformed or unusual.
std::optional<JsonScalar> ScalarOf(ondemand::value& value) {
    ondemand::json_type type;
    if (value.type().get(type)) {
        return std::nullopt;
    }
    bool flag = false;
    switch (type) {
        case ondemand::json_type::number:
            return NumberOf(value);
        case ondemand::json_type::boolean:
            if (value.get_bool().get(flag)) {
                return std::nullopt;
            }
            return JsonScalar::Boolean(flag);
        case ondemand::json_type::null:
            if (value.is_null().get(flag) || !flag) {
                return std::nullopt;
            }
            return JsonScalar();
        case ondemand::json_type::string: {
            ondemand::raw_json_string raw;
            if (value.get_raw_json_string().get(raw) || !PlainString(raw.raw())) {
                return std::nullopt;
            }
            return JsonScalar::String();
        }
        default:
            return std::nullopt;
    }
}

std::optional<std::string_view> KeyOf(ondemand::field& field) {
    return PlainString(field.key().raw());
}

// Goes through a value of a field the tool ignores, so that it is checked
// as JSON like everything else.
bool Skip(ondemand::value value, int depth) {
    ondemand::json_type type;
    if (value.type().get(type) || depth > kNestingLimit) {
        return false;
    }
    if (type == ondemand::json_type::array) {
        ondemand::array array;
        if (value.get_array().get(array)) {
            return false;
        }
        for (auto element : array) {
            ondemand::value item;
            if (element.get(item) || !Skip(item, depth + 1)) {
                return false;
            }
        }
        return true;
    }
    if (type == ondemand::json_type::object) {
        ondemand::object object;
        if (value.get_object().get(object)) {
            return false;
        }
        for (auto member : object) {
            ondemand::field field;
            if (std::move(member).get(field) || !KeyOf(field) || !Skip(field.value(), depth + 1)) {
                return false;
            }
        }
        return true;
    }
    return ScalarOf(value).has_value();
}

// Whether the reader's own value of a number literal is exact: it is for a
// literal of at most nineteen digits, whose digits fit in 64 bits; longer
// ones it can misread. `token` may end in white space.
bool ReaderValueIsExact(std::string_view token) {
    if (token.size() <= 19) {
        return true;
    }
    std::size_t digits = 0;
    for (const char c : token) {
        if (c == 'e' || c == 'E') {
            break;
        }
        digits += c >= '0' && c <= '9' ? 1 : 0;
    }
    return digits <= 19;
}

// A literal too long for the reader's own value, by the checking reader's
// rules (JsonScalar and ConvertScalar).
bool ReadLongNumber(ondemand::value& value, double& number) {
    const std::optional<JsonScalar> scalar = NumberOf(value);
    FieldValue converted;
    if (!scalar || ConvertScalar(FieldKind::kNumber, *scalar, converted)) {
        return false;
    }
    number = converted.number;
    return true;
}

// A literal whose value is zero or subnormal, from its text: an integer's
// zero has no sign where a decimal's has, and a literal that the standard
// library reads as zero although it is not is left to the checking reader.
bool ReadTinyNumber(std::string_view literal, double& number) {
    if (literal.find_first_of(".eE") == std::string_view::npos) {
        number = 0.0;
        return true;
    }
    const auto [end, error] =
        std::from_chars(literal.data(), literal.data() + literal.size(), number);
    return error == std::errc() && end == literal.data() + literal.size();
}

// A number field's value, as the checking reader makes it of the literal:
// the nearest double to a decimal, an integer converted. Most literals take
// the reader's own value, which needs no second look at the text.
bool ReadNumber(ondemand::value& value, double& number) {
    const std::string_view token = value.raw_json_token();
    if (!ReaderValueIsExact(token)) {
        return ReadLongNumber(value, number);
    }
    if (value.get_double().get(number)) {
        return false;  // malformed, or beyond the range of a double
    }
    return std::isnormal(number) || ReadTinyNumber(Literal(token), number);
}

// An ID or a type: a JSON integer within the range of `Target`.
template <class Target>
bool ReadInteger(ondemand::value& value, std::int64_t& integer) {
    return !value.get_int64().get(integer) && integer >= std::numeric_limits<Target>::min() &&
           integer <= std::numeric_limits<Target>::max();
}

bool ReadFieldValue(ondemand::value& value, FieldKind kind, FieldValue& converted) {
    switch (kind) {
        case FieldKind::kId:
            return ReadInteger<std::int32_t>(value, converted.integer);
        case FieldKind::kType:
            return ReadInteger<std::int16_t>(value, converted.integer);
        case FieldKind::kNumber:
            return ReadNumber(value, converted.number);
        case FieldKind::kBool:
            return !value.get_bool().get(converted.boolean);
    }
    return false;
}

bool ReadField(ondemand::value value, RecordSection& section, int index) {
    FieldValue converted;
    if (!ReadFieldValue(value, section.Field(index).kind, converted)) {
        return false;
    }
    section.Store(index, converted);
    return true;
}

bool ReadRecord(ondemand::value value, RecordSection& section) {
    ondemand::object object;
    if (value.get_object().get(object)) {
        return false;
    }
    section.AppendRecord();
    std::uint32_t present = 0;
    for (auto member : object) {
        ondemand::field field;
        std::optional<std::string_view> key;
        if (std::move(member).get(field) || !(key = KeyOf(field))) {
            return false;
        }
        const int index = section.FindField(*key);
        if (index < 0 ? !Skip(field.value(), 1) : !ReadField(field.value(), section, index)) {
            return false;
        }
        present |= index < 0 ? 0 : 1u << index;
    }
    return section.FirstMissing(present) < 0;
}

// A section named twice counts once, the last time. `bytes` is the length of
// the text, which bounds how many records the section can hold.
bool ReadSection(ondemand::value value, RecordSection& section, std::size_t bytes) {
    ondemand::array array;
    if (value.get_array().get(array)) {
        return false;
    }
    section.Clear();
    section.Reserve(section.MostRecordsIn(bytes));
    for (auto element : array) {
        ondemand::value record;
        if (element.get(record) || !ReadRecord(record, section)) {
            return false;
        }
    }
    return true;
}

RecordSection* SectionNamed(std::span<const std::unique_ptr<RecordSection>> sections,
                            std::string_view name) {
    for (const std::unique_ptr<RecordSection>& section : sections) {
        if (section->Name() == name) {
            return section.get();
        }
    }
    return nullptr;
}

bool ReadDocument(ondemand::document& document, std::size_t bytes, host::Network& network) {
    const auto sections = MakeSections(network);
    ondemand::object top;
    if (document.get_object().get(top)) {
        return false;
    }
    bool nodesSeen = false;
    for (auto member : top) {
        ondemand::field field;
        std::optional<std::string_view> key;
        if (std::move(member).get(field) || !(key = KeyOf(field))) {
            return false;
        }
        RecordSection* section = SectionNamed(sections, *key);
        if (section == nullptr ? !Skip(field.value(), 1)
                               : !ReadSection(field.value(), *section, bytes)) {
            return false;
        }
        nodesSeen = nodesSeen || section == sections[kNodesSection].get();
    }
    // Nothing may follow the document.
    return nodesSeen && document.current_location().error() == simdjson::OUT_OF_BOUNDS;
}

}  // namespace

std::optional<host::Network> ReadWellFormed(std::string_view text) {
    ondemand::parser parser;
    ondemand::document document;
    host::Network network;
    if (parser.iterate(text.data(), text.size(), text.size() + kTextPadding).get(document) ||
        !ReadDocument(document, text.size(), network)) {
        return std::nullopt;
    }
    return network;
}

}  // namespace rivo::tool
