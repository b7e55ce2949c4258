#include "render/geojson_command.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/exit_status.h"
#include "render/geojson_writer.h"
#include "render/map_command.h"

namespace rivo::tool::render {

namespace {

// GeoJSON without a named system is read as longitude and latitude in
// degrees; projected metres then land far off the map, with no word from
// the GIS program. The first node that cannot be in degrees is named.
void WarnWithoutCrs(std::ostream& diagnostics, const std::string& file, const RenderData& data) {
    for (std::size_t i = 0; i < data.network.nodes.size(); ++i) {
        const host::Node& node = data.network.nodes[i];
        if (std::abs(node.x) <= 180 && std::abs(node.y) <= 90) {
            continue;
        }
        char place[64];
        std::snprintf(place, sizeof place, "(%.10g, %.10g)", node.x, node.y);
        const bool named = data.names && i < data.names->nodes.size();
        diagnostics << file << ": warning: node " << node.id
                    << (named ? " '" + data.names->nodes[i] + "'" : std::string()) << " stands at "
                    << place
                    << ", which cannot be longitude and latitude, and GIS programs take "
                       "coordinates without a system as degrees: name the system with --crs "
                       "EPSG:NNNN\n";
        return;
    }
}

class GeoJsonCommand : public MapCommand {
public:
    GeoJsonCommand(const GeoJsonOptions& options, std::ostream& standardOutput,
                   std::ostream& diagnostics)
        : MapCommand(options.network, diagnostics),
          crs_(options.crs),
          standardOutput_(standardOutput) {}

private:
    void Open(Outputs& outputs) override { out_ = &outputs.Add(options_.output, standardOutput_); }

    int Write() override {
        const RenderData data = Analyse();
        if (crs_.empty()) {
            WarnWithoutCrs(diagnostics_, options_.network, data);
        }
        WriteGeoJson(*out_, data, crs_,
                     WritesPartial() ? std::span(unnumbered_) : std::span<UnnumberedPumpEnd>());
        if (data.raised && !raiseExplained_) {
            diagnostics_ << options_.network << ": the parser raised: " << OneLine(data.error)
                         << '\n';
        }
        return data.raised ? kSystemRaised : kParsed;
    }

    const std::string& crs_;
    std::ostream& standardOutput_;
    std::ostream* out_ = nullptr;
};

}  // namespace

void AddGeoJsonCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<GeoJsonOptions>();
    CLI::App* command = app.add_subcommand(
        "geojson", "Write the branches and what the parser set apart as GeoJSON (docs/geojson.md)");
    AddNetworkOptions(*command, options->network);
    command
        ->add_option("--crs", options->crs,
                     "The coordinate reference system of the network's coordinates, written "
                     "as the legacy crs member (e.g. EPSG:28992); none without it")
        ->check(CLI::Validator(
            [](const std::string& crs) {
                const bool valid = crs.size() > 5 && crs.starts_with("EPSG:") && crs.size() <= 14 &&
                                   crs.find_first_not_of("0123456789", 5) == std::string::npos;
                return valid ? std::string() : "expected EPSG:NNNN, found " + crs;
            },
            "EPSG:NNNN"));
    command->add_option("-o,--output", options->network.output,
                        "Write the GeoJSON to this file (atomically) instead of stdout");
    command->callback(
        [options, &status] { status = RunGeoJsonCommand(*options, std::cout, std::cerr); });
}

int RunGeoJsonCommand(const GeoJsonOptions& options, std::ostream& standardOutput,
                      std::ostream& diagnostics) {
    return GeoJsonCommand(options, standardOutput, diagnostics).Run();
}

}  // namespace rivo::tool::render
