#include "cli/parse_run.h"

#include "cli/exit_status.h"
#include "host/network_feed.h"

namespace rivo::tool {

namespace {

RaisedError Raised(const CKtHRException& error) {
    return {error.hr, ToUtf8(error.message)};
}

}  // namespace

ParseOutcome FeedAndParse(const host::Network& network, bool findLongestBranch,
                          Velmora::Calculations::Dynamic::IVFLDNetwork& hostNetwork,
                          Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser) {
    ParseOutcome outcome;
    try {
        host::Feed(network, hostNetwork, parser);
    } catch (const CKtHRException& error) {
        outcome.error = Raised(error);
        return outcome;
    }
    try {
        outcome.result = host::Parse(parser, findLongestBranch);
    } catch (const CKtHRException& error) {
        outcome.error = Raised(error);
        outcome.raisedWhileParsing = true;
    }
    return outcome;
}

int WriteParseDocument(std::ostream& out, const ParseOutcome& outcome,
                       Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                       std::span<const std::int32_t> nodeIDs, std::span<const std::int32_t> linkIDs,
                       const swmm::NameTable* names, bool partial) {
    if (outcome.error && !partial) {
        WriteErrorDocument(out, *outcome.error);
        return kSystemRaised;
    }
    try {
        WriteResultDocument(out, outcome.result, outcome.error, parser, nodeIDs, linkIDs, names);
    } catch (const CKtHRException& error) {
        WriteErrorDocument(out, Raised(error));
        return kSystemRaised;
    }
    return outcome.error ? kSystemRaised : kParsed;
}

}  // namespace rivo::tool
