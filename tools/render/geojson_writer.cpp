#include "render/geojson_writer.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "output/json_line.h"
#include "output/result_writer.h"
#include "render/map_index.h"

namespace rivo::tool::render {

namespace {

class GeoJsonWriter {
public:
    GeoJsonWriter(std::ostream& out, const RenderData& data)
        : out_(out), data_(data), index_(data.network, data.names ? &*data.names : nullptr) {}

    void Write(std::string_view crs, std::span<const UnnumberedPumpEnd> unnumbered) {
        Head(crs);
        Branches(data_.answers.summary.branches, "branch");
        Branches(data_.answers.summary.loops, "loop");
        PumpLinks();
        NodePoints();
        IsolatedLinks();
        UnnumberedEnds(unnumbered);
        out_ << (features_ == 0 ? "]}\n" : "\n]}\n");
    }

private:
    void Head(std::string_view crs);
    void Branches(const std::vector<host::BranchResult>& branches, std::string_view kind);
    void PumpLinks();
    void NodePoints();
    void NodePoint(std::int32_t id, std::string_view kind);
    void IsolatedLinks();
    void UnnumberedEnds(std::span<const UnnumberedPumpEnd> ends);

    // A LineString through the nodes (a Point for one node, null where no
    // node is known), coordinates as the network gives them.
    std::string Geometry(std::span<const std::int32_t> nodeIDs) const;
    // The properties start with the kind; the caller adds the rest.
    JsonLine& Properties(std::string_view kind) {
        propertiesText_.clear();
        return properties_.emplace(propertiesText_).String("kind", kind);
    }
    void Feature(const std::string& geometry);

    using NameOf = const std::string& (NetworkIndex::*)(std::int32_t) const;
    std::vector<std::string_view> Names(std::span<const std::int32_t> ids, NameOf name) const;

    std::ostream& out_;
    const RenderData& data_;
    NetworkIndex index_;
    std::string propertiesText_;
    std::optional<JsonLine> properties_;
    std::string line_;
    std::size_t features_ = 0;
};

void GeoJsonWriter::Head(std::string_view crs) {
    out_ << "{\"type\": \"FeatureCollection\",\n";
    if (!crs.empty()) {  // "EPSG:28992" as the legacy member names it
        out_ << "\"crs\": {\"type\": \"name\", \"properties\": {\"name\": "
             << "\"urn:ogc:def:crs:EPSG::" << crs.substr(crs.find(':') + 1) << "\"}},\n";
    }
    if (data_.raised) {
        out_ << "\"result\": null,\n\"error\": " << ErrorObject({data_.hresult, data_.error})
             << ",\n";
    } else {
        out_ << "\"result\": " << (data_.result ? "true" : "false") << ",\n";
        if (!data_.result && !data_.falseReason.empty()) {
            out_ << "\"reason\": "
                 << nlohmann::json(data_.falseReason)
                        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                 << ",\n";
        }
    }
    out_ << "\"features\": [";
}

std::string GeoJsonWriter::Geometry(std::span<const std::int32_t> nodeIDs) const {
    std::string positions;
    std::size_t count = 0;
    for (const std::int32_t id : nodeIDs) {
        if (const std::optional<std::size_t> node = index_.Node(id)) {
            positions += count++ == 0 ? "[" : ", [";
            AppendNumber(positions, data_.network.nodes[*node].x);
            positions += ", ";
            AppendNumber(positions, data_.network.nodes[*node].y);
            positions += ']';
        }
    }
    if (count == 0) {
        return "null";
    }
    if (count == 1) {
        return "{\"type\": \"Point\", \"coordinates\": " + positions + "}";
    }
    return "{\"type\": \"LineString\", \"coordinates\": [" + positions + "]}";
}

void GeoJsonWriter::Feature(const std::string& geometry) {
    line_ = features_++ == 0 ? "\n" : ",\n";
    line_ += "{\"type\": \"Feature\", \"geometry\": ";
    line_ += geometry;
    line_ += ", \"properties\": ";
    properties_->Close();
    line_ += propertiesText_;
    line_ += '}';
    out_ << line_;
}

std::vector<std::string_view> GeoJsonWriter::Names(std::span<const std::int32_t> ids,
                                                   NameOf name) const {
    std::vector<std::string_view> names;
    for (const std::int32_t id : ids) {
        names.push_back((index_.*name)(id));
    }
    return names;
}

void GeoJsonWriter::Branches(const std::vector<host::BranchResult>& branches,
                             std::string_view kind) {
    for (const host::BranchResult& branch : branches) {
        JsonLine& p = Properties(kind);
        FormatBranch(p, branch);
        if (index_.HasNames()) {
            p.StringArray("nodeNames", Names(branch.nodeIDs, &NetworkIndex::NodeName))
                .StringArray("edgeNames", Names(branch.edgeIDs, &NetworkIndex::LinkName));
        }
        Feature(Geometry(branch.nodeIDs));
    }
}

void GeoJsonWriter::PumpLinks() {
    for (const host::PumpLinkResult& pump : data_.answers.summary.pumpLinks) {
        JsonLine& p = Properties("pumpLink");
        FormatPumpLink(p, pump);
        if (index_.HasNames()) {
            p.String("pumpLinkName", index_.PumpLinkName(pump.pumpLinkID))
                .String("upStreamNodeName", index_.NodeName(pump.upStreamNodeID))
                .String("downStreamNodeName", index_.NodeName(pump.downStreamNodeID));
        }
        const std::int32_t ends[] = {pump.upStreamNodeID, pump.downStreamNodeID};
        Feature(Geometry(ends));
    }
}

void GeoJsonWriter::NodePoint(std::int32_t id, std::string_view kind) {
    JsonLine& p = Properties(kind);
    p.Int("nodeID", id);
    if (index_.HasNames()) {
        p.String("nodeName", index_.NodeName(id));
    }
    const std::optional<std::size_t> node = index_.Node(id);
    p.Int("branchNumber", node ? data_.answers.nodes[*node].branchNumber : std::nullopt);
    Feature(Geometry(std::span(&id, 1)));
}

// Outlets (outfalls with links) and the storage nodes the parser converted
// into outlets, in network order; then the outfalls without links it set
// aside and the nodes no outlet reaches, in the parser's order.
void GeoJsonWriter::NodePoints() {
    const host::ResultSummary& summary = data_.answers.summary;
    const std::unordered_set<std::int32_t> removed(summary.removedOutfallIDs.begin(),
                                                   summary.removedOutfallIDs.end());
    for (const host::NodeAnswers& node : data_.answers.nodes) {
        if (node.isConvertedToOutfall.value_or(false)) {
            NodePoint(node.id, "convertedStorage");
        } else if (node.isOutfallType.value_or(false) && !removed.contains(node.id)) {
            NodePoint(node.id, "outlet");
        }
    }
    for (const std::int32_t id : summary.removedOutfallIDs) {
        NodePoint(id, "removedOutfall");
    }
    for (const std::int32_t id : summary.isolatedNodeIDs) {
        NodePoint(id, "isolatedNode");
    }
}

void GeoJsonWriter::IsolatedLinks() {
    for (const std::int32_t id : data_.answers.summary.isolatedEdgeIDs) {
        const std::optional<std::size_t> link = index_.Link(id);
        std::vector<std::int32_t> ends;
        if (link) {
            ends = {data_.network.links[*link].source, data_.network.links[*link].target};
        }
        JsonLine& p = Properties("isolatedLink");
        p.Int("edgeID", id);
        if (index_.HasNames()) {
            p.String("edgeName", index_.LinkName(id));
        }
        p.IntArray("nodeIDs", ends);
        Feature(Geometry(ends));
    }
}

void GeoJsonWriter::UnnumberedEnds(std::span<const UnnumberedPumpEnd> ends) {
    for (const UnnumberedPumpEnd& end : ends) {
        JsonLine& p = Properties("unnumberedPumpEnd");
        p.Int("pumpLinkID", end.pumpLinkID)
            .String("end", end.upstream ? "upstream" : "downstream")
            .Int("nodeID", end.nodeID);
        if (index_.HasNames()) {
            p.String("pumpLinkName", index_.PumpLinkName(end.pumpLinkID))
                .String("nodeName", index_.NodeName(end.nodeID));
        }
        Feature(Geometry(std::span(&end.nodeID, 1)));
    }
}

}  // namespace

void WriteGeoJson(std::ostream& out, const RenderData& data, std::string_view crs,
                  std::span<const UnnumberedPumpEnd> unnumbered) {
    GeoJsonWriter(out, data).Write(crs, unnumbered);
}

}  // namespace rivo::tool::render
