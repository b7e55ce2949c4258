// The tool's path from bytes to a result document: read a network document,
// feed it, parse it (with and without the longest-branch pass) and write the
// result. The only acceptable failures are a reading error with its message
// (exit 2 in the tool); a system error becomes the error document.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

#include "input_error.h"
#include "network_feed.h"
#include "network_reader.h"
#include "parse_run.h"
#include "rivo.h"

namespace {

void RunOnce(rivo::host::Network network, bool longest) {
    Velmora::Calculations::Dynamic::RivoNetworkParser parser;
    const std::vector<std::int32_t> nodeIDs = rivo::host::NodeIDs(network);
    const std::vector<std::int32_t> linkIDs = rivo::host::LinkIDs(network);
    const rivo::tool::ParseOutcome outcome =
        rivo::tool::FeedAndParse(network, rivo::tool::AfterFeeding::kDrop, longest, parser, parser);
    std::ostringstream out;
    rivo::tool::WriteParseDocument(out, outcome, parser, nodeIDs, linkIDs);
    if (out.str().empty()) {
        std::fprintf(stderr, "no result document written\n");
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    rivo::host::Network document;
    try {
        document = rivo::tool::ReadNetworkText(text, "fuzz.json");
    } catch (const rivo::tool::InputError& e) {
        if (std::string_view(e.what()).empty()) {
            std::abort();
        }
        return 0;
    }
    RunOnce(document, false);
    RunOnce(document, true);
    return 0;
}
