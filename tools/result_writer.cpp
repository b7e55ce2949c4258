#include "result_writer.h"
#include "query_answer.h"

#include <cinttypes>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>

#include "json_line.h"

namespace rivo::tool {

namespace {

using Velmora::Calculations::Dynamic::IVFLDNetworkParser;

void WriteMember(std::ostream& out, std::string_view key, const std::string& value) {
    out << "  \"" << key << "\": " << value << ",\n";
}

// An array member with one element per line; `format` fills the element's line.
template <class Item, class Format>
void WriteLines(std::ostream& out, std::string_view key, std::span<const Item> items, Format format,
                bool last = false) {
    out << "  \"" << key << "\": [";
    JsonLine line;
    for (std::size_t i = 0; i < items.size(); ++i) {
        line.Clear();
        format(line, items[i]);
        out << (i == 0 ? "\n    " : ",\n    ") << line.Close();
    }
    out << (items.empty() ? "]" : "\n  ]") << (last ? "\n" : ",\n");
}

void FormatBranch(JsonLine& line, const BranchResult& branch) {
    line.Int("branchNumber", branch.branchNumber)
        .Int("downStreamBranchNumber", branch.downStreamBranchNumber)
        .Int("downStreamUpSectionNumber", branch.downStreamUpSectionNumber)
        .Int("upStreamBranchNumber", branch.upStreamBranchNumber)
        .Int("upStreamUpSectionNumber", branch.upStreamUpSectionNumber)
        .Int("numberOfSections", branch.numberOfSections)
        .Bool("isStorageOutletBranch", branch.isStorageOutletBranch)
        .Bool("isSingleStorageNodeBranch", branch.isSingleStorageNodeBranch)
        .IntArray("nodeIDs", branch.nodeIDs)
        .IntArray("edgeIDs", branch.edgeIDs);
}

void FormatPumpLink(JsonLine& line, const PumpLinkResult& pump) {
    line.Int("pumpLinkID", pump.pumpLinkID)
        .Int("upStreamNodeID", pump.upStreamNodeID)
        .Int("downStreamNodeID", pump.downStreamNodeID)
        .Int("upStreamBranchNumber", pump.upStreamBranchNumber)
        .Int("downStreamBranchNumber", pump.downStreamBranchNumber)
        .Int("upStreamNodeUpSectionNumber", pump.upStreamNodeUpSectionNumber)
        .Int("downStreamNodeUpSectionNumber", pump.downStreamNodeUpSectionNumber);
}

void FormatGutter(JsonLine& line, const GutterResult& gutter) {
    line.Int("id", gutter.id).Bool("sameDirectionAsUI", gutter.sameDirectionAsUI);
}

// The queries run in the order of the fields, so that a query whose answer
// depends on an earlier one sees the same state as a host asking in turn.
void FormatNode(JsonLine& line, std::int32_t id, IVFLDNetworkParser& parser) {
    line.Int("id", id);
    line.Int("branchNumber", Ask([&] { return parser.GetBranchNumberOfNode(id); }));
    line.Int("indexInBranch", Ask([&] { return parser.GetNodeIndexInBranch(id); }));
    line.Int("upStreamSectionNumber", Ask([&] { return parser.GetNodeUpStreamSectionNumber(id); }));
    line.Bool("isOutfallType", Ask([&] { return parser.GetNodeIsOutfallType(id); }));
    line.Bool("isConvertedToOutfall", Ask([&] { return parser.GetNodeIsConvertedToOutfall(id); }));
    line.Bool("isPump", Ask([&] { return parser.GetNodeIsPump(id); }));
    line.Bool("isManholeOrStorageType",
              Ask([&] { return parser.GetNodeIsManholeOrStorageType(id); }));
}

void FormatLink(JsonLine& line, std::int32_t id, IVFLDNetworkParser& parser) {
    line.Int("id", id);
    line.Int("branchNumber", Ask([&] { return parser.GetBranchNumberOfPipe(id); }));
    line.Int("upStreamSectionNumber", Ask([&] { return parser.GetLinkUpStreamSectionNumber(id); }));
    line.Bool("parserDirectionSameAsUI",
              Ask([&] { return parser.GetParserDirectionSameAsUI(id); }));
}

std::string IntArrayText(std::span<const std::int32_t> values) {
    std::string text;
    AppendIntArray(text, values);
    return text;
}

}  // namespace

void WriteResultDocument(std::ostream& out, const ResultSummary& summary,
                         std::span<const std::int32_t> nodeIDs,
                         std::span<const std::int32_t> linkIDs, IVFLDNetworkParser& parser) {
    out << "{\n";
    WriteMember(out, "result", summary.result ? "true" : "false");
    WriteMember(out, "numberOfNodes", std::to_string(summary.numberOfNodes));
    WriteMember(out, "numberOfLinks", std::to_string(summary.numberOfLinks));
    WriteMember(out, "containsLoop", summary.containsLoop ? "true" : "false");
    WriteLines<BranchResult>(out, "branches", summary.branches, FormatBranch);
    WriteLines<BranchResult>(out, "loops", summary.loops, FormatBranch);
    WriteLines<PumpLinkResult>(out, "pumpLinks", summary.pumpLinks, FormatPumpLink);
    WriteLines<GutterResult>(out, "gutters", summary.gutters, FormatGutter);
    WriteMember(out, "isolatedNodeIDs", IntArrayText(summary.isolatedNodeIDs));
    WriteMember(out, "isolatedEdgeIDs", IntArrayText(summary.isolatedEdgeIDs));
    WriteMember(out, "removedOutfallIDs", IntArrayText(summary.removedOutfallIDs));
    WriteLines<std::int32_t>(out, "nodes", nodeIDs, [&](JsonLine& line, std::int32_t id) {
        FormatNode(line, id, parser);
    });
    WriteLines<std::int32_t>(
        out, "links", linkIDs,
        [&](JsonLine& line, std::int32_t id) { FormatLink(line, id, parser); }, true);
    out << "}\n";
}

void WriteErrorDocument(std::ostream& out, HRESULT hr, const std::string& message) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08" PRIx32, static_cast<std::uint32_t>(hr));
    // Invalid UTF-8 would make the document unreadable; such bytes are replaced.
    const std::string quoted =
        nlohmann::json(message).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    out << "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"" << code
        << "\", \"message\": " << quoted << "}\n}\n";
}

}  // namespace rivo::tool
