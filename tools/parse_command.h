#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

namespace rivo::tool {

struct ParseOptions {
    std::string network;
    std::string output;  // empty: standard output
    bool findLongestBranch = false;
};

// Adds the `parse` subcommand to `app`. When the command line selects it, it
// runs and leaves its exit status in `status`.
void AddParseCommand(CLI::App& app, int& status);

// `rivo parse`: reads and checks the network document, runs it through the
// system and writes the result document to `standardOutput` or, with an
// output path, atomically to that file. Messages go to `diagnostics`.
// Returns the exit status (see exit_status.h).
int RunParseCommand(const ParseOptions& options, std::ostream& standardOutput,
                    std::ostream& diagnostics);

}  // namespace rivo::tool
