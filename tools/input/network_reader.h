#pragma once

#include <string>
#include <string_view>

#include "host/network_model.h"
#include "input/input_text.h"

namespace rivo::tool {

// Reads and checks a whole network document before anything is passed to
// the system. Throws InputError naming `FILE:LINE:COLUMN` (or `FILE` where no
// place applies), the JSON path of the field and what is wrong with it. The
// file may be compressed (input_text.h).
host::Network ReadNetworkFile(const std::string& path);

// The same for a file's text already read.
host::Network ReadNetworkText(const InputText& text, std::string_view name);

// The same for a text in memory; `name` stands for the file in messages.
// A fuzz harness feeds its inputs through this.
host::Network ReadNetworkText(std::string_view text, std::string_view name);

// Both read a document in two ways: a fast reader (well_formed_reader.h)
// takes what follows every rule, and this reader, which checks each byte and
// keeps track of where it is, takes over wherever the fast one gives up,
// to read the unusual or to tell exactly what is wrong and where. Tests and
// the fuzz harness call it directly to compare the two.
host::Network ReadNetworkTextChecked(std::string_view text, std::string_view name);

}  // namespace rivo::tool
