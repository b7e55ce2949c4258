#include "swmm/import_command.h"

#include <iostream>
#include <memory>

#include "cli/command.h"
#include "cli/exit_status.h"
#include "cli/network_command.h"
#include "swmm/network_json.h"
#include "swmm/swmm_reader.h"

namespace rivo::tool::swmm {

namespace {

class ImportCommand : public Command {
public:
    ImportCommand(const ImportOptions& options, std::ostream& standardOutput,
                  std::ostream& diagnostics)
        : Command(options.model, diagnostics), options_(options), standardOutput_(standardOutput) {}

private:
    void Open(Outputs& outputs) override {
        out_ = &outputs.Add(options_.output, standardOutput_);
        if (!options_.names.empty()) {
            names_ = &outputs.Add(options_.names, standardOutput_);
        }
    }
    void Read() override { model_ = ReadSwmmFile(options_.model, options_.pumpNodes); }
    int Write() override {
        WriteNetworkDocument(*out_, model_.document);
        if (names_ != nullptr) {
            WriteNameTable(*names_, model_.names);
        }
        return kParsed;
    }

    const ImportOptions& options_;
    std::ostream& standardOutput_;
    std::ostream* out_ = nullptr;
    std::ostream* names_ = nullptr;
    SwmmNetwork model_;
};

}  // namespace

void AddImportSwmmCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command = app.add_subcommand(
        "import-swmm", "Convert the drainage network of a SWMM 5 input file (docs/swmm.md)");
    command->add_option("MODEL", options->model, "SWMM input file (.inp)")->required();
    command->add_option("-o,--output", options->output,
                        "Write the network document to this file instead of stdout");
    command->add_option("--names", options->names,
                        "Write the SWMM names of the numbered nodes and links to this file");
    AddPumpNodesOption(*command, options->pumpNodes);
    command->callback(
        [options, &status] { status = RunImportSwmmCommand(*options, std::cout, std::cerr); });
}

int RunImportSwmmCommand(const ImportOptions& options, std::ostream& standardOutput,
                         std::ostream& diagnostics) {
    return ImportCommand(options, standardOutput, diagnostics).Run();
}

}  // namespace rivo::tool::swmm
