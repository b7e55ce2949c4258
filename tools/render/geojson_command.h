#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "cli/network_command.h"

namespace rivo::tool::render {

struct GeoJsonOptions {
    NetworkOptions network;
    std::string crs;  // "EPSG:NNNN", or empty
};

// Adds the `geojson` subcommand to `app`; when it runs, it leaves its exit
// status in `status`.
void AddGeoJsonCommand(CLI::App& app, int& status);

// `rivo geojson`: parses the network and writes its decomposition as a
// GeoJSON FeatureCollection to `standardOutput` or, with an output path,
// atomically to that file. Returns kParsed, kSystemRaised (the collection
// is written with the error beside the features, none or, with --partial
// and a parse stopped at a pump link, those found before; the error goes to
// `diagnostics`), kUnusableInput or kNotWritten.
int RunGeoJsonCommand(const GeoJsonOptions& options, std::ostream& standardOutput,
                      std::ostream& diagnostics);

}  // namespace rivo::tool::render
