#pragma once

#include <filesystem>
#include <ostream>
#include <utility>

#include "cli/network_command.h"
#include "render/render_data.h"

namespace rivo::tool::render {

// A command that draws the network with what the parser answered: the
// picture or view of `render`, the map of `geojson`. The network stays
// after the parse, for its coordinates.
class MapCommand : public NetworkCommand {
protected:
    MapCommand(const NetworkOptions& options, std::ostream& diagnostics)
        : NetworkCommand(options, diagnostics) {}

    // Reads the parser's answers (as far as the parse got, with --partial);
    // takes the network and its names.
    RenderData Analyse() {
        RenderData data =
            AnalyseNetwork(std::move(network_), outcome_, parser_,
                           std::filesystem::path(options_.network).filename().string(), unnumbered_,
                           WritesPartial());
        data.names = std::move(names_);
        data.falseReason = falseReason_.OneLine();
        return data;
    }
};

}  // namespace rivo::tool::render
