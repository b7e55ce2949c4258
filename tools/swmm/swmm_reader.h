#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "network_model.h"
#include "pump_stations.h"

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

// Reads and checks the whole file, and maps pump stations as `pumpNodes`
// says. Every unusable line is reported, up to kMaxReportedErrors of them,
// in one InputError whose what() holds one `FILE:LINE: what is wrong` line
// per problem (joined by '\n').
SwmmNetwork ReadSwmmFile(const std::string& path, PumpNodes pumpNodes = PumpNodes::kStorage);

// The same for a text in memory; `name` stands for the file in messages.
SwmmNetwork ReadSwmmText(std::string_view text, std::string_view name,
                         PumpNodes pumpNodes = PumpNodes::kStorage);

// Whether `path` names a SWMM input file (extension `.inp`, any case).
bool IsSwmmPath(std::string_view path);

inline constexpr std::size_t kMaxReportedErrors = 20;

}  // namespace rivo::tool::swmm
