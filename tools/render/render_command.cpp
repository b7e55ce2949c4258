#include "render_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "atomic_output.h"
#include "exit_status.h"
#include "input_error.h"
#include "network_input.h"
#include "render_data.h"
#include "svg_writer.h"

namespace rivo::tool::render {

void AddRenderCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RenderOptions>();
    CLI::App* command = app.add_subcommand(
        "render", "Draw the network and its branches as an SVG picture (docs/render.md)");
    command->add_option("NETWORK", options->network, "Network document (JSON) or SWMM file (.inp)")
        ->required();
    command->add_option("-o,--output", options->output, "The SVG file to write")->required();
    command->add_flag("--longest", options->findLongestBranch,
                      "Parse with the longest-branch option: ParseNetwork(true)");
    command->callback([options, &status] { status = RunRenderCommand(*options, std::cerr); });
}

int RunRenderCommand(const RenderOptions& options, std::ostream& diagnostics) {
    std::optional<AtomicOutputFile> file;
    host::Network document;
    try {
        file.emplace(options.output);
        document = ReadAnyNetworkFile(options.network);
    } catch (const InputError& error) {
        diagnostics << error.what() << '\n';
        return kUnusableInput;
    } catch (const OutputError& error) {
        diagnostics << error.what() << '\n';
        return kUnusableInput;
    }
    const RenderData data =
        AnalyseNetwork(std::move(document), options.findLongestBranch,
                       std::filesystem::path(options.network).filename().string());
    try {
        WriteSvg(file->stream(), data);
        file->Commit();
    } catch (const OutputError& error) {
        diagnostics << error.what() << '\n';
        return kNotWritten;
    }
    return data.raised ? kSystemRaised : kParsed;
}

}  // namespace rivo::tool::render
