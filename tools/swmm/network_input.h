#pragma once

#include <string>

#include "network_model.h"
#include "network_reader.h"
#include "swmm_reader.h"

namespace rivo::tool {

// Reads the network a subcommand was given: a SWMM input file by its `.inp`
// extension, otherwise a network document. Throws InputError.
inline host::Network ReadAnyNetworkFile(const std::string& path) {
    return swmm::IsSwmmPath(path) ? swmm::ReadSwmmFile(path).document : ReadNetworkFile(path);
}

}  // namespace rivo::tool
