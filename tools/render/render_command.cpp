#include "render_command.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "exit_status.h"
#include "render_data.h"
#include "svg_writer.h"

namespace rivo::tool::render {

namespace {

class RenderCommand : public NetworkCommand {
public:
    RenderCommand(const NetworkOptions& options, std::ostream& diagnostics)
        : NetworkCommand(options, AfterFeeding::kKeep, diagnostics) {}

private:
    void Open(Outputs& outputs) override { out_ = &outputs.Add(options_.output, std::cout); }

    int Write() override {
        const RenderData data =
            AnalyseNetwork(std::move(network_), outcome_, parser_,
                           std::filesystem::path(options_.network).filename().string());
        WriteSvg(*out_, data);
        return data.raised ? kSystemRaised : kParsed;
    }

    std::ostream* out_ = nullptr;
};

}  // namespace

void AddRenderCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<NetworkOptions>();
    CLI::App* command = app.add_subcommand(
        "render", "Draw the network and its branches as an SVG picture (docs/render.md)");
    AddNetworkOptions(*command, *options);
    command->add_option("-o,--output", options->output, "The SVG file to write")->required();
    command->callback([options, &status] { status = RunRenderCommand(*options, std::cerr); });
}

int RunRenderCommand(const NetworkOptions& options, std::ostream& diagnostics) {
    return RenderCommand(options, diagnostics).Run();
}

}  // namespace rivo::tool::render
