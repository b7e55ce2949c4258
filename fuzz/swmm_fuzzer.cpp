// The SWMM reader's path from a model file's bytes to a network document,
// as the tool reads a file: plain text, or compressed with gzip. The only
// acceptable outcomes are a document (which the network document reader
// reads back as the same network, with a names table of valid JSON naming
// every element) or an input error, every line of which names the file. A
// text and its gzip form come to the same outcome.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "input/input_error.h"
#include "input/input_text.h"
#include "input/network_reader.h"
#include "swmm/network_json.h"
#include "swmm/swmm_reader.h"

namespace {

using rivo::tool::swmm::PumpNodes;

constexpr std::string_view kName = "fuzz.inp";

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

std::string Written(const rivo::tool::swmm::SwmmNetwork& model) {
    std::ostringstream document, names;
    rivo::tool::swmm::WriteNetworkDocument(document, model.document);
    rivo::tool::swmm::WriteNameTable(names, model.names);
    if (rivo::tool::ReadNetworkText(document.str(), "fuzz.json") != model.document) {
        Fail("the network document does not read back as the model's network");
    }
    if (!nlohmann::json::accept(names.str()) ||
        model.names.nodes.size() != model.document.nodes.size() ||
        model.names.links.size() != model.document.links.size() ||
        model.names.pumpLinks.size() != model.document.pumpLinks.size()) {
        Fail("the names table is no JSON, or does not name every element");
    }
    return document.str() + names.str();
}

void CheckMessage(const std::string& message) {
    std::istringstream lines(message);
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        if (!line.starts_with(std::string(kName) + ":") || line.find(": ") == std::string::npos) {
            Fail("a line of the message does not name the file");
        }
    }
    if (count == 0 || count > rivo::tool::swmm::kMaxReportedErrors + 1) {
        Fail("no message, or too many lines");
    }
}

// The document and names written, or the message.
std::string Outcome(std::string_view bytes, PumpNodes pumpNodes) {
    try {
        const rivo::tool::InputText text = rivo::tool::InputText::FromBytes(bytes, kName);
        return Written(rivo::tool::swmm::ReadSwmmText(text.View(), kName, pumpNodes));
    } catch (const rivo::tool::InputError& error) {
        CheckMessage(error.what());
        return error.what();
    }
}

std::string Gzipped(std::string_view text) {
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        Fail("deflateInit2");
    }
    std::string packed(deflateBound(&stream, static_cast<uLong>(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) {
        Fail("deflate");
    }
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string outcome = Outcome(bytes, PumpNodes::kStorage);
    Outcome(bytes, PumpNodes::kNone);
    if (!bytes.starts_with("\x1f\x8b") && Outcome(Gzipped(bytes), PumpNodes::kStorage) != outcome) {
        Fail("the gzip form of a text reads otherwise than the text");
    }
    return 0;
}
