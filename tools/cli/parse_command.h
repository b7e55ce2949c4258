#pragma once

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/network_command.h"

namespace rivo::tool {

// Adds the `parse` subcommand to `app`. When the command line selects it, it
// runs and leaves its exit status in `status`.
void AddParseCommand(CLI::App& app, int& status);

// `rivo parse`: reads and checks the network, runs it through the parser and
// writes the result document to `standardOutput` or, with an output path,
// atomically to that file. Messages go to `diagnostics`. Returns the exit
// status (see exit_status.h).
int RunParseCommand(const NetworkOptions& options, std::ostream& standardOutput,
                    std::ostream& diagnostics);

}  // namespace rivo::tool
