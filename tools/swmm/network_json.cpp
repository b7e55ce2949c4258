#include "network_json.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace rivo::tool::swmm {

namespace {

using Json = nlohmann::ordered_json;

Json NodeJson(const host::Node& node) {
    Json json{{"id", node.id}, {"x", node.x}, {"y", node.y}, {"type", node.type}};
    if (node.pond) {
        json["pond"] = *node.pond;
    }
    if (node.storage) {
        json["storage"] = true;
    }
    return json;
}

Json LinkJson(const host::Link& link) {
    Json json{{"id", link.id},
              {"source", link.source},
              {"target", link.target},
              {"sourceElevation", link.sourceElevation},
              {"targetElevation", link.targetElevation},
              {"size", link.size},
              {"type", link.type}};
    if (link.length) {
        json["length"] = *link.length;
    }
    return json;
}

Json PumpJson(const host::PumpLink& pump) {
    return {{"id", pump.id}, {"upstream", pump.upstream}, {"downstream", pump.downstream}};
}

Json GutterJson(const host::Gutter& gutter) {
    return {{"id", gutter.id}, {"sameDirectionAsUI", gutter.sameDirectionAsUI}};
}

template <class Record, class ToJson>
void WriteArray(std::ostream& out, const char* name, const std::vector<Record>& records,
                ToJson toJson, bool last) {
    out << '"' << name << "\": [";
    for (std::size_t i = 0; i < records.size(); ++i) {
        out << (i == 0 ? "\n  " : ",\n  ") << toJson(records[i]).dump();
    }
    out << (records.empty() ? "]" : "\n]") << (last ? "\n" : ",\n");
}

Json NameObject(const std::vector<std::string>& names) {
    Json json = Json::object();
    for (std::size_t i = 0; i < names.size(); ++i) {
        json[std::to_string(i + 1)] = names[i];
    }
    return json;
}

}  // namespace

void WriteNetworkDocument(std::ostream& out, const host::Network& document) {
    out << "{\n";
    WriteArray(out, "nodes", document.nodes, NodeJson, false);
    WriteArray(out, "links", document.links, LinkJson, false);
    WriteArray(out, "pumpLinks", document.pumpLinks, PumpJson, false);
    WriteArray(out, "gutters", document.gutters, GutterJson, true);
    out << "}\n";
}

void WriteNameTable(std::ostream& out, const NameTable& names) {
    const Json json{{"nodes", NameObject(names.nodes)},
                    {"links", NameObject(names.links)},
                    {"pumpLinks", NameObject(names.pumpLinks)}};
    out << json.dump(1) << '\n';
}

}  // namespace rivo::tool::swmm
