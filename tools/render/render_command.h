#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

namespace rivo::tool::render {

struct RenderOptions {
    std::string network;  // a network document or a SWMM input file
    std::string output;
    bool findLongestBranch = false;
};

// Adds the `render` subcommand to `app`; when it runs, it leaves its exit
// status in `status`.
void AddRenderCommand(CLI::App& app, int& status);

// `rivo render`: parses the network and writes its picture atomically to the
// output file. Returns kParsed, kSystemRaised (the picture is still written,
// uncoloured, with the error in its title), kUnusableInput or kNotWritten.
int RunRenderCommand(const RenderOptions& options, std::ostream& diagnostics);

}  // namespace rivo::tool::render
