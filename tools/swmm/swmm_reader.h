#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/network_model.h"
#include "input/input_text.h"
#include "swmm/pump_stations.h"

// Reads the drainage network of a SWMM 5 input file into a network document
// (see docs/swmm.md for the mapping).
namespace rivo::tool::swmm {

// The SWMM name of every numbered object: element i names ID i + 1.
struct NameTable {
    std::vector<std::string> nodes;
    std::vector<std::string> links;
    std::vector<std::string> pumpLinks;
};

struct SwmmNetwork {
    host::Network document;
    NameTable names;
};

// Reads and checks the whole file (which may be compressed, input_text.h),
// and maps pump stations as `pumpNodes` says. Every unusable line is
// reported, up to kMaxReportedErrors of them, in one InputError whose what()
// holds one `FILE:LINE: what is wrong` line per problem (joined by '\n'); a
// model without nodes is an error of its own.
SwmmNetwork ReadSwmmFile(const std::string& path, PumpNodes pumpNodes = PumpNodes::kStorage);

// The same for a text in memory; `name` stands for the file in messages.
SwmmNetwork ReadSwmmText(std::string_view text, std::string_view name,
                         PumpNodes pumpNodes = PumpNodes::kStorage);

inline constexpr std::size_t kMaxReportedErrors = 20;
// A text whose first lines of data stand outside any `[SECTION]` is no SWMM
// model (a binary file, a document of another kind): its reading stops at
// the line that makes this many, with a last line saying so.
inline constexpr std::size_t kLinesOutsideOfNoModel = 3;

}  // namespace rivo::tool::swmm
