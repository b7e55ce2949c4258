#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/parse_run.h"
#include "diagnosis/false_result.h"
#include "diagnosis/pump_diagnosis.h"
#include "host/network_model.h"
#include "rivo/rivo.h"
#include "swmm/pump_stations.h"
#include "swmm/swmm_reader.h"

namespace rivo::tool {

// The options of every command that parses a network.
struct NetworkOptions {
    std::string network;  // a network document, or a SWMM model (.inp)
    std::string output;   // empty: standard output
    bool findLongestBranch = false;
    swmm::PumpNodes pumpNodes = swmm::PumpNodes::kStorage;
    // When the parse stops at a pump link it cannot number, write what was
    // found before that instead of the error alone.
    bool partial = false;
};

// Adds NETWORK, --longest, --pump-nodes and --partial to `command`.
void AddNetworkOptions(CLI::App& command, NetworkOptions& options);

// Adds --pump-nodes storage|none: how the nodes at pump ends of a SWMM
// model reach the parser.
void AddPumpNodesOption(CLI::App& command, swmm::PumpNodes& pumpNodes);

// A command that parses a network: its Read phase reads the network
// document or SWMM model, its Parse phase describes the network to a fresh
// parser and parses it, and reports every pump link end that stopped the
// parse; the Write phase of each command writes what it makes of the
// parser's answers.
class NetworkCommand : public Command {
protected:
    // The network as read stays through the Write phase: a parse that fails
    // or answers false is explained from it, and a picture is drawn from it.
    NetworkCommand(const NetworkOptions& options, std::ostream& diagnostics)
        : Command(options.network, diagnostics), options_(options) {}

    void Read() override;
    void Parse() override;

    const NetworkOptions& options_;
    host::Network network_;
    std::optional<swmm::NameTable> names_;  // of a SWMM model
    std::vector<std::int32_t> nodeIDs_;
    std::vector<std::int32_t> linkIDs_;
    Velmora::Calculations::Dynamic::RivoNetworkParser parser_;
    ParseOutcome outcome_;
    std::vector<UnnumberedPumpEnd> unnumbered_;
    // Whether standard error already says what made the parser raise.
    bool raiseExplained_ = false;
    // Why the parse answered false; empty otherwise.
    FalseReason falseReason_;

    // Whether the Write phase writes what the parse found before it stopped.
    bool WritesPartial() const { return options_.partial && !unnumbered_.empty(); }

private:
    void ExplainWithoutLongest();
    void ExplainFalse();
    void NameElementProblem();
    void NamePumpLinkToNoNode();
};

}  // namespace rivo::tool
