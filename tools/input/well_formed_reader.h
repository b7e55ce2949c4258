#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "host/network_model.h"
#include "input/input_text.h"

namespace rivo::tool {

// Reads a network document that follows every rule of the format, fast, and
// gives up (returns nothing) at anything else: malformed JSON, a value of the
// wrong kind or range, a missing field, but also what is merely unusual, such
// as an escape in a string or values nested very deep. It says nothing of
// what is wrong: the checking reader (ReadNetworkTextChecked) reads such a
// text again, and either reads it or tells exactly what and where. Both go by
// the same field rules (network_fields.h, field_values.h), so a document this
// reader accepts is the one the checking reader would make of the text.
// `text.data() + text.size()` must be followed by kTextPadding readable bytes.
std::optional<host::Network> ReadWellFormed(std::string_view text);

}  // namespace rivo::tool
