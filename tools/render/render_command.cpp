#include "render/render_command.h"

#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/exit_status.h"
#include "output/atomic_output.h"
#include "render/html_view.h"
#include "render/map_command.h"
#include "render/svg_writer.h"

namespace rivo::tool::render {

namespace {

std::string Extension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

// Whether the output is a web page: `.html` or `.htm`, in any case.
bool IsHtmlPath(const std::string& path) {
    const std::string extension = Extension(path);
    return extension == ".html" || extension == ".htm";
}

class RenderCommand : public MapCommand {
public:
    RenderCommand(const NetworkOptions& options, std::ostream& diagnostics)
        : MapCommand(options, diagnostics) {}

private:
    // The picture is SVG text and the view HTML: a file named for another
    // format would hold what its name denies.
    void Open(Outputs& outputs) override {
        if (!IsHtmlPath(options_.output) && Extension(options_.output) != ".svg") {
            throw OutputError(options_.output +
                              ": render writes an SVG picture (.svg) or an HTML view (.html)");
        }
        out_ = &outputs.Add(options_.output, std::cout);
    }

    int Write() override {
        const RenderData data = Analyse();
        if (IsHtmlPath(options_.output)) {
            WriteHtmlView(*out_, data);
        } else {
            WriteSvg(*out_, data);
        }
        return data.raised ? kSystemRaised : kParsed;
    }

    std::ostream* out_ = nullptr;
};

}  // namespace

void AddRenderCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<NetworkOptions>();
    CLI::App* command = app.add_subcommand(
        "render",
        "Draw the network and its branches as an SVG picture or an interactive HTML view "
        "(docs/render.md)");
    AddNetworkOptions(*command, *options);
    command
        ->add_option("-o,--output", options->output,
                     "The file to write: an SVG picture, or the HTML view for .html")
        ->required();
    command->callback([options, &status] { status = RunRenderCommand(*options, std::cerr); });
}

int RunRenderCommand(const NetworkOptions& options, std::ostream& diagnostics) {
    return RenderCommand(options, diagnostics).Run();
}

}  // namespace rivo::tool::render
