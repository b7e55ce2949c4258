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
}

void NetworkCommand::Read() {
    network_ = ReadAnyNetworkFile(options_.network);
    nodeIDs_ = host::NodeIDs(network_);
    linkIDs_ = host::LinkIDs(network_);
}

void NetworkCommand::Parse() {
    outcome_ = FeedAndParse(network_, after_, options_.findLongestBranch, parser_, parser_);
}

}  // namespace rivo::tool
