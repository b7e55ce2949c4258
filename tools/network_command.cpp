#include "network_command.h"

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
}

}  // namespace rivo::tool
