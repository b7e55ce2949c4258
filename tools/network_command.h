#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "command.h"
#include "network_model.h"
#include "parse_run.h"
#include "rivo.h"

namespace rivo::tool {

// The options of every command that parses a network.
struct NetworkOptions {
    std::string network;  // a network document, or a SWMM model (.inp)
    std::string output;   // empty: standard output
    bool findLongestBranch = false;
};

// Adds NETWORK and --longest to `command`.
void AddNetworkOptions(CLI::App& command, NetworkOptions& options);

// A command that parses a network: its Read phase reads the network
// document or SWMM model, its Parse phase describes the network to a fresh
// parser and parses it; the Write phase of each command writes what it
// makes of the parser's answers.
class NetworkCommand : public Command {
protected:
    // With AfterFeeding::kKeep the network stays for the Write phase;
    // otherwise only the IDs do, once the parser holds the network.
    NetworkCommand(const NetworkOptions& options, AfterFeeding after, std::ostream& diagnostics)
        : Command(diagnostics), options_(options), after_(after) {}

    void Read() override;
    void Parse() override;

    const NetworkOptions& options_;
    host::Network network_;
    std::vector<std::int32_t> nodeIDs_;
    std::vector<std::int32_t> linkIDs_;
    Velmora::Calculations::Dynamic::RivoNetworkParser parser_;
    ParseOutcome outcome_;

private:
    AfterFeeding after_;
};

}  // namespace rivo::tool
