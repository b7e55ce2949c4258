#pragma once

#include <optional>
#include <string>

#include "host/network_model.h"
#include "input/input_text.h"
#include "input/network_reader.h"
#include "swmm/swmm_reader.h"

namespace rivo::tool {

// A network as a command was given it, with the SWMM names of its elements
// when it came from a SWMM model.
struct NetworkInput {
    host::Network network;
    std::optional<swmm::NameTable> names;
};

// Reads the network a command was given, a network document or a SWMM
// model as its text shows (InputText::IsNetworkDocument), either of them
// possibly compressed; the pump stations of a model are mapped as
// `pumpNodes` says. Throws InputError.
inline NetworkInput ReadAnyNetworkFile(const std::string& path,
                                       swmm::PumpNodes pumpNodes = swmm::PumpNodes::kStorage) {
    const InputText text = InputText::FromFile(path);
    if (text.IsNetworkDocument(path)) {
        return {ReadNetworkText(text, path), std::nullopt};
    }
    swmm::SwmmNetwork model = swmm::ReadSwmmText(text.View(), path, pumpNodes);
    return {std::move(model.document), std::move(model.names)};
}

}  // namespace rivo::tool
