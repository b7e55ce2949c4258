#include "geojson_command.h"

#include <iostream>
#include <memory>

#include "exit_status.h"
#include "geojson_writer.h"
#include "map_command.h"

namespace rivo::tool::render {

namespace {

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
        WriteGeoJson(*out_, data, crs_,
                     WritesPartial() ? std::span(unnumbered_) : std::span<UnnumberedPumpEnd>());
        if (data.raised) {
            diagnostics_ << options_.network << ": the parser raised: " << OneLine(data.error)
                         << '\n';
            return kSystemRaised;
        }
        return kParsed;
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
