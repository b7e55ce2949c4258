#include "network_command.h"

#include "input_error.h"
#include "network_feed.h"
#include "network_input.h"

namespace rivo::tool {

void AddNetworkOptions(CLI::App& command, NetworkOptions& options) {
    command
        .add_option("NETWORK", options.network, "Network document (JSON) or SWMM input file (.inp)")
        ->required();
    command.add_flag("--longest", options.findLongestBranch,
                     "Parse with the longest-branch option: ParseNetwork(true)");
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
    if (outcome_.error && outcome_.raisedWhileParsing) {
        unnumbered_ = FindUnnumberedPumpEnds(parser_, *outcome_.error, options_.findLongestBranch);
        const NetworkSource source{options_.network, names_ ? &*names_ : nullptr,
                                   options_.pumpNodes};
        if (options_.findLongestBranch && NeedsParseWithoutLongest(unnumbered_)) {
            ExplainWithoutLongest();
        }
        ReportUnnumberedPumpEnds(diagnostics_, source, unnumbered_);
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
