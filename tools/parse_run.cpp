#include "parse_run.h"

#include <cstdint>
#include <vector>

#include "exit_status.h"
#include "network_feed.h"
#include "result_summary.h"
#include "result_writer.h"

namespace rivo::tool {

namespace {

template <class Record>
std::vector<std::int32_t> IDsOf(const std::vector<Record>& records) {
    std::vector<std::int32_t> ids;
    ids.reserve(records.size());
    for (const Record& record : records) {
        ids.push_back(record.id);
    }
    return ids;
}

}  // namespace

int RunNetwork(host::Network document, bool findLongestBranch,
               Velmora::Calculations::Dynamic::IVFLDNetwork& network,
               Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser, std::ostream& out) {
    const std::vector<std::int32_t> nodeIDs = IDsOf(document.nodes);
    const std::vector<std::int32_t> linkIDs = IDsOf(document.links);
    ResultSummary summary;
    try {
        host::Feed(document, network, parser);
        document = {};
        const bool result = host::Parse(parser, findLongestBranch);
        summary = CollectSummary(parser, result);
    } catch (const CKtHRException& error) {
        WriteErrorDocument(out, error.hr, ToUtf8(error.message));
        return kSystemRaised;
    }
    WriteResultDocument(out, summary, nodeIDs, linkIDs, parser);
    return kParsed;
}

}  // namespace rivo::tool
