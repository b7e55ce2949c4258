#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <string>

#include "cli/exit_status.h"
#include "cli/parse_command.h"
#include "cli/signal_cleanup.h"
#include "output/posix_io.h"
#include "render/geojson_command.h"
#include "render/render_command.h"
#include "rivo/rivo.h"
#include "swmm/import_command.h"

namespace {

// A first word that is no option and no subcommand is a mistyped
// subcommand; the library of the command line would only say that one is
// required.
bool IsUnknownSubcommand(CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        return false;
    }
    const std::string word = argv[1];
    std::string known;
    for (const CLI::App* command : app.get_subcommands({})) {
        if (command->get_name() == word) {
            return false;
        }
        known += (known.empty() ? "" : ", ") + command->get_name();
    }
    std::cerr << "rivo: unknown subcommand '" << word << "'; the subcommands are " << known
              << " (see rivo --help)\n";
    return true;
}

}  // namespace

// `rivo SUBCOMMAND ...`: each subcommand adds itself to the application and
// sets the exit status when it runs.
int main(int argc, char** argv) {
#if defined(_WIN32)
    // Documents are bytes: standard output writes no CR before a line end.
    _setmode(1, O_BINARY);
#endif
    // The result of a large network is hundreds of megabytes: no stdio sync.
    std::ios::sync_with_stdio(false);
    rivo::tool::RemoveFilesOnSignals();
    CLI::App app("rivo: decomposes a drainage network into branches for an unsteady-flow solver",
                 "rivo");
    app.set_version_flag("--version", RIVO_VERSION);
    app.require_subcommand(1);
    app.footer("Run 'rivo parse --help' for the document formats and exit statuses.");
    int status = rivo::tool::kParsed;
    rivo::tool::AddParseCommand(app, status);
    rivo::tool::swmm::AddImportSwmmCommand(app, status);
    rivo::tool::render::AddRenderCommand(app, status);
    rivo::tool::render::AddGeoJsonCommand(app, status);
    if (IsUnknownSubcommand(app, argc, argv)) {
        return rivo::tool::kUnusableInput;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {  // --help, --version
        return app.exit(done);
    } catch (const CLI::ParseError& error) {
        std::cerr << "rivo: " << error.what() << " (see rivo --help)\n";
        return rivo::tool::kUnusableInput;
    } catch (const std::exception& error) {
        std::cerr << "rivo: unexpected failure: " << error.what() << '\n';
        return rivo::tool::kNotWritten;
    }
    return status;
}
