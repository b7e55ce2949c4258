#include "parse_run.h"

#include <cstdint>
#include <vector>

#include "exit_status.h"
#include "network_feed.h"
#include "result_writer.h"

namespace rivo::tool {

int RunNetwork(host::Network network, bool findLongestBranch,
               Velmora::Calculations::Dynamic::IVFLDNetwork& hostNetwork,
               Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser, std::ostream& out) {
    const std::vector<std::int32_t> nodeIDs = host::NodeIDs(network);
    const std::vector<std::int32_t> linkIDs = host::LinkIDs(network);
    try {
        host::Feed(network, hostNetwork, parser);
        network = {};
        const bool result = host::Parse(parser, findLongestBranch);
        WriteResultDocument(out, result, std::nullopt, parser, nodeIDs, linkIDs);
    } catch (const CKtHRException& error) {
        WriteErrorDocument(out, {error.hr, ToUtf8(error.message)});
        return kSystemRaised;
    }
    return kParsed;
}

}  // namespace rivo::tool
