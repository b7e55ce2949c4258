#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "swmm/pump_stations.h"

namespace rivo::tool::swmm {

struct ImportOptions {
    std::string model;
    std::string output;  // empty: standard output
    std::string names;   // empty: no names table
    PumpNodes pumpNodes = PumpNodes::kStorage;
};

// Adds the `import-swmm` subcommand to `app`; when it runs, it leaves its
// exit status in `status`.
void AddImportSwmmCommand(CLI::App& app, int& status);

// `rivo import-swmm`: reads the SWMM input file and writes its network
// document (and, when asked, the names table). Returns the exit status:
// kParsed, kUnusableInput (nothing written) or kNotWritten.
int RunImportSwmmCommand(const ImportOptions& options, std::ostream& standardOutput,
                         std::ostream& diagnostics);

}  // namespace rivo::tool::swmm
