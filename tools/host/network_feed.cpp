#include "host/network_feed.h"

namespace rivo::host {

namespace dyn = Velmora::Calculations::Dynamic;

bool Parse(dyn::IVFLDNetworkParser& parser, bool findLongestBranch) {
    return findLongestBranch ? parser.ParseNetwork(true) : parser.ParseNetwork();
}

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

std::vector<std::int32_t> NodeIDs(const Network& network) {
    return IDsOf(network.nodes);
}

std::vector<std::int32_t> LinkIDs(const Network& network) {
    return IDsOf(network.links);
}

}  // namespace rivo::host
