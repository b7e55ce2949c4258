#include "cli/network_command.h"

#include <algorithm>
#include <string_view>

#include "diagnosis/element_problems.h"
#include "host/network_feed.h"
#include "swmm/network_input.h"

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
    outcome_ = FeedAndParse(network_, options_.findLongestBranch, parser_, parser_);
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
// parse only when the pump links are numbered; the network as read has the
// pump link's record.
void NetworkCommand::NamePumpLinkToNoNode() {
    const auto problem = FindElementProblem(network_, names_ ? &*names_ : nullptr);
    if (problem && std::string_view(problem->section) == "pumpLinks") {
        diagnostics_ << ElementProblemLine(options_.network, *problem) << '\n';
    }
}

void NetworkCommand::ExplainFalse() {
    falseReason_ = ExplainFalseResult(parser_, network_, names_ ? &*names_ : nullptr);
    for (const std::string& headline : falseReason_.headlines) {
        diagnostics_ << options_.network << ": result false: " << headline << '\n';
    }
    for (const std::string& group : falseReason_.groups) {
        diagnostics_ << options_.network << ":   " << group << '\n';
    }
}

// A parser of its own parses the network as read once more, without the
// longest-branch pass, to tell whether that pass made the parse fail.
void NetworkCommand::ExplainWithoutLongest() {
    Velmora::Calculations::Dynamic::RivoNetworkParser plain;
    FeedAndParse(network_, false, plain, plain);
    tool::ExplainWithoutLongest(plain, unnumbered_);
}

}  // namespace rivo::tool
