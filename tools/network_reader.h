#pragma once

#include <string>
#include <string_view>

#include "network_model.h"

namespace rivo::tool {

// Reads and checks a whole network document before anything is passed to
// the system. Throws InputError naming `FILE:LINE:COLUMN` (or `FILE` where no
// place applies), the JSON path of the field and what is wrong with it.
host::Network ReadNetworkFile(const std::string& path);

// The same for a text in memory; `name` stands for the file in messages.
// A fuzz harness feeds its inputs through this.
host::Network ReadNetworkText(std::string_view text, std::string_view name);

}  // namespace rivo::tool
