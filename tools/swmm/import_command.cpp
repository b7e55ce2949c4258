#include "import_command.h"

#include <iostream>
#include <memory>
#include <optional>

#include "atomic_output.h"
#include "exit_status.h"
#include "input_error.h"
#include "network_json.h"
#include "swmm_reader.h"

namespace rivo::tool::swmm {

void AddImportSwmmCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command = app.add_subcommand(
        "import-swmm", "Convert the drainage network of a SWMM 5 input file (docs/swmm.md)");
    command->add_option("MODEL", options->model, "SWMM input file (.inp)")->required();
    command->add_option("-o,--output", options->output,
                        "Write the network document to this file instead of stdout");
    command->add_option("--names", options->names,
                        "Write the SWMM names of the numbered nodes and links to this file");
    command->callback(
        [options, &status] { status = RunImportSwmmCommand(*options, std::cout, std::cerr); });
}

int RunImportSwmmCommand(const ImportOptions& options, std::ostream& standardOutput,
                         std::ostream& diagnostics) {
    // Both files are made before the model is read, so that an unusable path
    // is found first, and both are put in place only when both are written.
    std::optional<AtomicOutputFile> output;
    std::optional<AtomicOutputFile> names;
    SwmmNetwork network;
    try {
        if (!options.output.empty()) {
            output.emplace(options.output);
        }
        if (!options.names.empty()) {
            names.emplace(options.names);
        }
        network = ReadSwmmFile(options.model);
    } catch (const InputError& error) {
        diagnostics << error.what() << '\n';
        return kUnusableInput;
    } catch (const OutputError& error) {
        diagnostics << error.what() << '\n';
        return kUnusableInput;
    }
    try {
        std::ostream& out = output ? output->stream() : standardOutput;
        WriteNetworkDocument(out, network.document);
        if (names) {
            WriteNameTable(names->stream(), network.names);
            names->Finish();
        }
        if (output) {
            output->Finish();
        } else if (!out.flush()) {
            throw OutputError("stdout: cannot write");
        }
        // Both are on disk before either is put in place: new names never
        // stand beside an old document.
        if (names) {
            names->Commit();
        }
        if (output) {
            output->Commit();
        }
    } catch (const OutputError& error) {
        diagnostics << error.what() << '\n';
        return kNotWritten;
    }
    return kParsed;
}

}  // namespace rivo::tool::swmm
