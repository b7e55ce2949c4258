#include "swmm/network_json.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "output/json_line.h"

namespace rivo::tool::swmm {

namespace {

void NodeLine(std::string& text, const host::Node& node) {
    JsonLine record(text, JsonLine::kCompact);
    record.Int("id", node.id).Number("x", node.x).Number("y", node.y).Int("type", node.type);
    if (node.pond) {
        record.Bool("pond", *node.pond);
    }
    if (node.storage) {
        record.Bool("storage", true);
    }
    record.Close();
}

void LinkLine(std::string& text, const host::Link& link) {
    JsonLine record(text, JsonLine::kCompact);
    record.Int("id", link.id)
        .Int("source", link.source)
        .Int("target", link.target)
        .Number("sourceElevation", link.sourceElevation)
        .Number("targetElevation", link.targetElevation)
        .Number("size", link.size)
        .Int("type", link.type);
    if (link.length) {
        record.Number("length", *link.length);
    }
    record.Close();
}

void PumpLine(std::string& text, const host::PumpLink& pump) {
    JsonLine(text, JsonLine::kCompact)
        .Int("id", pump.id)
        .Int("upstream", pump.upstream)
        .Int("downstream", pump.downstream)
        .Close();
}

void GutterLine(std::string& text, const host::Gutter& gutter) {
    JsonLine(text, JsonLine::kCompact)
        .Int("id", gutter.id)
        .Bool("sameDirectionAsUI", gutter.sameDirectionAsUI)
        .Close();
}

template <class Item, class Line>
void WriteArray(TextBuffer& out, const char* name, const std::vector<Item>& items, Line line,
                bool last) {
    out << "\"" << name << "\": [";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << (i == 0 ? "\n  " : ",\n  ");
        line(out.text(), items[i]);
        out.Spill();
    }
    out << (items.empty() ? "]" : "\n]") << (last ? "\n" : ",\n");
}

nlohmann::ordered_json NameObject(const std::vector<std::string>& names) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < names.size(); ++i) {
        json[std::to_string(i + 1)] = names[i];
    }
    return json;
}

}  // namespace

void WriteNetworkDocument(std::ostream& out, const host::Network& network) {
    TextBuffer text(out);
    text << "{\n";
    WriteArray(text, "nodes", network.nodes, NodeLine, false);
    WriteArray(text, "links", network.links, LinkLine, false);
    WriteArray(text, "pumpLinks", network.pumpLinks, PumpLine, false);
    WriteArray(text, "gutters", network.gutters, GutterLine, true);
    text << "}\n";
    text.Flush();
}

void WriteNameTable(std::ostream& out, const NameTable& names) {
    const nlohmann::ordered_json json{{"nodes", NameObject(names.nodes)},
                                      {"links", NameObject(names.links)},
                                      {"pumpLinks", NameObject(names.pumpLinks)}};
    out << json.dump(1) << '\n';
}

}  // namespace rivo::tool::swmm
