#pragma once

#include <optional>
#include <string>

#include "network_model.h"
#include "network_reader.h"
#include "swmm_reader.h"

namespace rivo::tool {

// A network as a command was given it, with the SWMM names of its elements
// when it came from a SWMM model.
struct NetworkInput {
    host::Network network;
    std::optional<swmm::NameTable> names;
};

// Reads the network a command was given: a SWMM input file by its `.inp`
// extension (pump stations mapped as `pumpNodes` says), otherwise a network
// document. Throws InputError.
inline NetworkInput ReadAnyNetworkFile(const std::string& path,
                                       swmm::PumpNodes pumpNodes = swmm::PumpNodes::kStorage) {
    if (!swmm::IsSwmmPath(path)) {
        return {ReadNetworkFile(path), std::nullopt};
    }
    swmm::SwmmNetwork model = swmm::ReadSwmmFile(path, pumpNodes);
    return {std::move(model.document), std::move(model.names)};
}

}  // namespace rivo::tool
