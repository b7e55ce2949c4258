#include "network_command.h"

#include <algorithm>
#include <string_view>

#include "element_problems.h"
#include "input_error.h"
#include "network_feed.h"
#include "network_input.h"

namespace rivo::tool {

void AddNetworkOptions(CLI::App& command, NetworkOptions& options) {
    command
        .add_option("NETWORK", options.network, "Network document (JSON) or SWMM input file (.inp)")
        ->required();
    command.add_flag("--longest", options.findLongestBranch,
                     "Make the branches follow the longest flow paths, measured by pipe length");
    AddPumpNodesOption(command, options.pumpNodes);
    command.add_flag("--partial", options.partial,
                     "When a pump link cannot be numbered, write the decomposition found before "
                     "(exit status 3 all the same)");
}

void AddPumpNodesOption(CLI::App& command, swmm::PumpNodes& pumpNodes) {
    command
        .add_option_function<std::string>(
            "--pump-nodes",
            [&pumpNodes](const std::string& name) { pumpNodes = *swmm::PumpNodesFromName(name); },
            "SWMM models: the nodes at pump ends become storage nodes where the parser needs "
            "them to (storage, the default), or keep their types (none); docs/swmm.md")
        ->check(CLI::IsMember({"storage", "none"}));
}

void NetworkCommand::Read() {
    NetworkInput input = ReadAnyNetworkFile(options_.network, options_.pumpNodes);
    network_ = std::move(input.network);
    names_ = std::move(input.names);
    nodeIDs_ = host::NodeIDs(network_);
    linkIDs_ = host::LinkIDs(network_);
}

void NetworkCommand::Parse() {
    outcome_ = FeedAndParse(network_, after_, options_.findLongestBranch, parser_, parser_);
    if (outcome_.error && !outcome_.raisedWhileParsing) {
        NameElementProblem();
    }
    if (outcome_.result == false) {
        ExplainFalse();
    }
    if (outcome_.error && outcome_.raisedWhileParsing) {
        unnumbered_ = FindUnnumberedPumpEnds(parser_, *outcome_.error, options_.findLongestBranch);
        const NetworkSource source{options_.network, names_ ? &*names_ : nullptr,
                                   options_.pumpNodes};
        if (options_.findLongestBranch && NeedsParseWithoutLongest(unnumbered_)) {
            ExplainWithoutLongest();
        }
        if (std::any_of(unnumbered_.begin(), unnumbered_.end(), [](const auto& end) {
                return end.cause == UnnumberedPumpEnd::Cause::kUnknownNode;
            })) {
            NamePumpLinkToNoNode();
        }
        ReportUnnumberedPumpEnds(diagnostics_, source, unnumbered_);
        raiseExplained_ = !unnumbered_.empty();
    }
}

// A raise while the network was described leaves the network as read.
void NetworkCommand::NameElementProblem() {
    const swmm::NameTable* names = names_ ? &*names_ : nullptr;
    if (const auto problem = FindElementProblem(network_, names)) {
        diagnostics_ << ElementProblemLine(options_.network, *problem) << '\n';
        raiseExplained_ = true;
    }
}

// A pump link to no node is described without complaint and stops the
// parse only when the pump links are numbered; the network is read again
// where it was dropped, to find the pump link's record.
void NetworkCommand::NamePumpLinkToNoNode() {
    std::optional<host::Network> again;
    const host::Network* network = NetworkAsRead(again);
    const auto problem =
        network ? FindElementProblem(*network, names_ ? &*names_ : nullptr) : std::nullopt;
    if (problem && std::string_view(problem->section) == "pumpLinks") {
        diagnostics_ << ElementProblemLine(options_.network, *problem) << '\n';
    }
}

// Where the network was dropped once fed, it is read again into `again`:
// only a false or failed parse needs it. Null when it cannot be read again.
const host::Network* NetworkCommand::NetworkAsRead(std::optional<host::Network>& again) const {
    if (after_ == AfterFeeding::kKeep) {
        return &network_;
    }
    try {
        again = ReadAnyNetworkFile(options_.network, options_.pumpNodes).network;
    } catch (const InputError&) {
        return nullptr;
    }
    return &*again;
}

void NetworkCommand::ExplainFalse() {
    std::optional<host::Network> again;
    if (const host::Network* network = NetworkAsRead(again)) {
        falseReason_ = ExplainFalseResult(parser_, *network, names_ ? &*names_ : nullptr);
    }
    for (const std::string& headline : falseReason_.headlines) {
        diagnostics_ << options_.network << ": result false: " << headline << '\n';
    }
    for (const std::string& group : falseReason_.groups) {
        diagnostics_ << options_.network << ":   " << group << '\n';
    }
}

// The network is read again, as it was dropped once fed: this is a rare case
// of a failed parse, and the input is there as it was.
void NetworkCommand::ExplainWithoutLongest() {
    NetworkInput input;
    try {
        input = ReadAnyNetworkFile(options_.network, options_.pumpNodes);
    } catch (const InputError&) {
        return;
    }
    Velmora::Calculations::Dynamic::RivoNetworkParser plain;
    FeedAndParse(input.network, AfterFeeding::kDrop, false, plain, plain);
    tool::ExplainWithoutLongest(plain, unnumbered_);
}

}  // namespace rivo::tool
