// The tool's path from bytes to a result document: read a network document,
// feed it, parse it (with and without the longest-branch pass) and write the
// result. The only acceptable failures are a reading error with its message
// (exit 2 in the tool); a system error becomes the error document. The fast
// reader must make of every text exactly what the checking reader makes of
// it: the same document, bit for bit, or (having given up) the same error.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/parse_run.h"
#include "host/network_feed.h"
#include "input/input_error.h"
#include "input/network_reader.h"
#include "rivo/rivo.h"
#include "swmm/network_json.h"

namespace {

void RunOnce(rivo::host::Network network, bool longest) {
    Velmora::Calculations::Dynamic::RivoNetworkParser parser;
    const std::vector<std::int32_t> nodeIDs = rivo::host::NodeIDs(network);
    const std::vector<std::int32_t> linkIDs = rivo::host::LinkIDs(network);
    const rivo::tool::ParseOutcome outcome =
        rivo::tool::FeedAndParse(network, longest, parser, parser);
    std::ostringstream out;
    rivo::tool::WriteParseDocument(out, outcome, parser, nodeIDs, linkIDs);
    if (out.str().empty()) {
        std::fprintf(stderr, "no result document written\n");
        std::abort();
    }
}

std::string Written(const rivo::host::Network& network) {
    std::ostringstream out;
    rivo::tool::swmm::WriteNetworkDocument(out, network);
    return out.str();
}

// The document the checking reader makes of `text`, or its message.
std::string Checked(std::string_view text) {
    try {
        return Written(rivo::tool::ReadNetworkTextChecked(text, "fuzz.json"));
    } catch (const rivo::tool::InputError& e) {
        return e.what();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    rivo::host::Network document;
    try {
        document = rivo::tool::ReadNetworkText(text, "fuzz.json");
    } catch (const rivo::tool::InputError& e) {
        if (std::string_view(e.what()).empty() || Checked(text) != e.what()) {
            std::abort();
        }
        return 0;
    }
    if (Checked(text) != Written(document)) {
        std::fprintf(stderr, "the two readers disagree\n");
        std::abort();
    }
    RunOnce(document, false);
    RunOnce(document, true);
    return 0;
}
