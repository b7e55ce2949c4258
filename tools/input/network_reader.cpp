#include "input/network_reader.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "input/input_error.h"
#include "input/network_sax_handler.h"
#include "input/tracked_input.h"
#include "input/well_formed_reader.h"

namespace rivo::tool {

namespace {

std::string Locate(std::string_view name, const NetworkSaxHandler::Problem& problem) {
    std::string message(name);
    if (problem.where) {
        message +=
            ":" + std::to_string(problem.where->line) + ":" + std::to_string(problem.where->column);
    }
    return message + ": " + problem.what;
}

}  // namespace

host::Network ReadNetworkFile(const std::string& path) {
    return ReadNetworkText(InputText::FromFile(path), path);
}

host::Network ReadNetworkText(std::string_view text, std::string_view name) {
    return ReadNetworkText(InputText::Copy(text), name);
}

host::Network ReadNetworkText(const InputText& text, std::string_view name) {
    std::optional<host::Network> network = ReadWellFormed(text.View());
    return network ? std::move(*network) : ReadNetworkTextChecked(text.View(), name);
}

host::Network ReadNetworkTextChecked(std::string_view text, std::string_view name) {
    bool given = false;
    TrackedInput input([&]() -> std::span<const char> {
        if (given) {
            return {};
        }
        given = true;
        return {text.data(), text.size()};
    });
    host::Network document;
    NetworkSaxHandler handler(document, input);
    if (!nlohmann::json::sax_parse(input.begin(), input.end(), &handler)) {
        throw InputError(Locate(name, handler.problem()));
    }
    return document;
}

}  // namespace rivo::tool
