#include "tool_bridge.h"

#include <sstream>
#include <utility>

#include "host/network_feed.h"
#include "host/result_reader.h"
#include "input/input_error.h"
#include "input/network_reader.h"
#include "swmm/network_input.h"
#include "swmm/network_json.h"
#include "swmm/swmm_reader.h"

namespace rivo::python {

namespace tool = rivo::tool;
namespace host = rivo::host;

struct LoadedNetwork::Data {
    host::Network document;
    std::optional<tool::swmm::NameTable> names;
};

LoadedNetwork::LoadedNetwork(std::unique_ptr<Data> data) : data_(std::move(data)) {}
LoadedNetwork::~LoadedNetwork() = default;

std::string LoadedNetwork::DocumentText() const {
    std::ostringstream out;
    tool::swmm::WriteNetworkDocument(out, data_->document);
    return out.str();
}

std::optional<std::string> LoadedNetwork::NamesText() const {
    if (!data_->names) {
        return std::nullopt;
    }
    std::ostringstream out;
    tool::swmm::WriteNameTable(out, *data_->names);
    return out.str();
}

void LoadedNetwork::Feed(dyn::RivoNetworkParser& parser, std::vector<std::int32_t>& nodeIDs,
                         std::vector<std::int32_t>& linkIDs) const {
    const std::vector<std::int32_t> nodes = host::NodeIDs(data_->document);
    const std::vector<std::int32_t> links = host::LinkIDs(data_->document);
    nodeIDs.insert(nodeIDs.end(), nodes.begin(), nodes.end());
    linkIDs.insert(linkIDs.end(), links.begin(), links.end());
    host::Feed(data_->document, parser, parser);
}

namespace {

template <class Read>
std::shared_ptr<LoadedNetwork> Load(std::string_view source, Read read) {
    auto data = std::make_unique<LoadedNetwork::Data>();
    try {
        read(*data);
    } catch (const tool::InputError& error) {
        throw InputFailure(error.what(), std::string(source));
    }
    return std::make_shared<LoadedNetwork>(std::move(data));
}

tool::swmm::PumpNodes ToolPumpNodes(PumpNodes pumpNodes) {
    return pumpNodes == PumpNodes::kStorage ? tool::swmm::PumpNodes::kStorage
                                            : tool::swmm::PumpNodes::kNone;
}

}  // namespace

std::shared_ptr<LoadedNetwork> LoadNetworkFile(const std::string& path, PumpNodes pumpNodes) {
    return Load(path, [&](LoadedNetwork::Data& data) {
        tool::NetworkInput input = tool::ReadAnyNetworkFile(path, ToolPumpNodes(pumpNodes));
        data.document = std::move(input.network);
        data.names = std::move(input.names);
    });
}

std::shared_ptr<LoadedNetwork> LoadSwmmFile(const std::string& path, PumpNodes pumpNodes) {
    return Load(path, [&](LoadedNetwork::Data& data) {
        tool::swmm::SwmmNetwork network = tool::swmm::ReadSwmmFile(path, ToolPumpNodes(pumpNodes));
        data.document = std::move(network.document);
        data.names = std::move(network.names);
    });
}

std::shared_ptr<LoadedNetwork> LoadNetworkText(std::string_view text, std::string_view name) {
    return Load(name, [&](LoadedNetwork::Data& data) {
        data.document = tool::ReadNetworkText(text, name);
    });
}

ResultSummary ReadSummary(dyn::RivoNetworkParser& parser, bool result) {
    host::ResultSummary summary = host::ReadSummary(parser);
    ResultSummary out{result,
                      summary.numberOfNodes,
                      summary.numberOfLinks,
                      summary.containsLoop,
                      std::move(summary.branches),
                      std::move(summary.loops),
                      std::move(summary.pumpLinks),
                      {},
                      std::move(summary.isolatedNodeIDs),
                      std::move(summary.isolatedEdgeIDs),
                      std::move(summary.removedOutfallIDs)};
    for (const host::GutterResult& gutter : summary.gutters) {
        out.gutters.emplace_back(gutter.id, gutter.sameDirectionAsUI);
    }
    return out;
}

#define RIVO_COPY(type, name, Reader, bit, written) RIVO_IF_##written(row.name = a.name;)
NodeRow ToNodeRow(const dyn::NodeAnswers& a) {
    NodeRow row;
    row.id = a.id;
    RIVO_NODE_ANSWER_FIELDS(RIVO_COPY)
    return row;
}

LinkRow ToLinkRow(const dyn::LinkAnswers& a) {
    LinkRow row;
    row.id = a.id;
    RIVO_LINK_ANSWER_FIELDS(RIVO_COPY)
    return row;
}
#undef RIVO_COPY

}  // namespace rivo::python
