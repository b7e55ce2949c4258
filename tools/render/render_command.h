#pragma once

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/network_command.h"

namespace rivo::tool::render {

// Adds the `render` subcommand to `app`; when it runs, it leaves its exit
// status in `status`.
void AddRenderCommand(CLI::App& app, int& status);

// `rivo render`: parses the network and writes its picture atomically to the
// output file. Returns kParsed, kSystemRaised (the picture is still written,
// uncoloured, with the error in its title), kUnusableInput or kNotWritten.
int RunRenderCommand(const NetworkOptions& options, std::ostream& diagnostics);

}  // namespace rivo::tool::render
