#include "output/result_writer.h"

#include <cinttypes>
#include <cstdio>
#include <optional>
#include <span>
#include <vector>

#include "host/result_reader.h"
#include "output/json_line.h"
#include "rivo/record_fields.h"

namespace rivo::tool {

std::string ErrorObject(const RaisedError& error) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08" PRIx32, static_cast<std::uint32_t>(error.hr));
    std::string object = std::string("{\"hresult\": \"") + code + "\", \"message\": ";
    AppendQuoted(object, error.message);
    return object + "}";
}

namespace {

// A field of a record list, written by its type.
void Member(JsonLine& line, std::string_view key, std::int32_t value) {
    line.Int(key, value);
}
void Member(JsonLine& line, std::string_view key, bool value) {
    line.Bool(key, value);
}
void Member(JsonLine& line, std::string_view key, std::optional<std::int32_t> value) {
    line.Int(key, value);
}
void Member(JsonLine& line, std::string_view key, std::optional<bool> value) {
    line.Bool(key, value);
}

}  // namespace

void FormatBranch(JsonLine& line, const host::BranchResult& branch) {
#define RIVO_WRITE(type, name, ...) Member(line, #name, branch.name);
    RIVO_BRANCH_FIELDS(RIVO_WRITE)
#undef RIVO_WRITE
    line.IntArray("nodeIDs", branch.nodeIDs).IntArray("edgeIDs", branch.edgeIDs);
}

void FormatPumpLink(JsonLine& line, const host::PumpLinkResult& pump) {
#define RIVO_WRITE(type, name, ...) Member(line, #name, pump.name);
    RIVO_PUMP_LINK_FIELDS(RIVO_WRITE)
#undef RIVO_WRITE
}

namespace {

using host::BranchResult;
using host::GutterResult;
using host::PumpLinkResult;

void WriteMember(TextBuffer& out, std::string_view key, std::string_view value) {
    out << "  \"" << key << "\": " << value << ",\n";
}

// `text` as a JSON string.
std::string Quoted(const std::string& text) {
    std::string quoted;
    AppendQuoted(quoted, text);
    return quoted;
}

// An array member with one element per line, opened, filled element by
// element as they come (`format` fills element i's line) and closed after
// `count` elements.
void OpenLines(TextBuffer& out, std::string_view key) {
    out << "  \"" << key << "\": [";
}

template <class Item, class Format>
void WriteLine(TextBuffer& out, std::size_t i, const Item& item, Format format) {
    out << (i == 0 ? "\n    " : ",\n    ");
    JsonLine line(out.text());
    format(line, item);
    line.Close();
    out.Spill();
}

void CloseLines(TextBuffer& out, std::size_t count) {
    out << (count == 0 ? "]" : "\n  ]") << ",\n";
}

template <class Item, class Format>
void WriteLines(TextBuffer& out, std::string_view key, const std::vector<Item>& items,
                Format format) {
    OpenLines(out, key);
    for (std::size_t i = 0; i < items.size(); ++i) {
        WriteLine(out, i, items[i], format);
    }
    CloseLines(out, items.size());
}

void FormatGutter(JsonLine& line, const GutterResult& gutter) {
    line.Int("id", gutter.id).Bool("sameDirectionAsUI", gutter.sameDirectionAsUI);
}

// Writes the document piece by piece as the reader passes it on: the head
// and the summary, then the "nodes" lines, then the "links" lines.
class DocumentWriter : public host::ResultVisitor {
public:
    DocumentWriter(std::ostream& out, std::optional<bool> result,
                   const std::optional<RaisedError>& error)
        : out_(out), result_(result), error_(error) {}

    void Summary(const host::ResultSummary& summary) override;
    void SummaryEnd(const host::ResultSummary& summary) override;

    void Branches(host::BranchList list, std::size_t first,
                  std::span<const host::BranchResult> piece) override {
        if (first == 0) {
            const bool loops = list == host::BranchList::kLoops;
            if (loops) {
                CloseLines(out_, listed_);
            }
            OpenLines(out_, loops ? "loops" : "branches");
        }
        for (std::size_t i = 0; i < piece.size(); ++i) {
            WriteLine(out_, first + i, piece[i], FormatBranch);
        }
        listed_ = first + piece.size();
    }

    // A node's (link's) ID, then the answers the document holds.
#define RIVO_ANSWER(type, name, Reader, bit, written) \
    RIVO_IF_##written(Member(line, #name, a.name);)
    void Node(const host::NodeAnswers& a) override {
        JsonLine line = NextElement(a.id);
        RIVO_NODE_ANSWER_FIELDS(RIVO_ANSWER)
        line.Close();
        out_.Spill();
    }

    void Link(const host::LinkAnswers& a) override {
        if (!inLinks_) {
            NextArray("links");
        }
        JsonLine line = NextElement(a.id);
        RIVO_LINK_ANSWER_FIELDS(RIVO_ANSWER)
        line.Close();
        out_.Spill();
    }
#undef RIVO_ANSWER

    void Finish(const swmm::NameTable* names) {
        if (!inLinks_) {
            NextArray("links");
        }
        out_ << (elements_ == 0 ? "]" : "\n  ]");
        if (names != nullptr) {
            out_ << ",\n  \"names\": {\n";
            WriteNames("nodes", names->nodes, false);
            WriteNames("links", names->links, false);
            WriteNames("pumpLinks", names->pumpLinks, true);
            out_ << "  }";
        }
        out_ << "\n}\n";
        out_.Flush();
    }

private:
    // Opens the next node's (link's) line with its ID.
    JsonLine NextElement(std::int32_t id) {
        out_ << (elements_++ == 0 ? "\n    " : ",\n    ");
        JsonLine line(out_.text());
        line.Int("id", id);
        return line;
    }

    // `"nodes": {"1": "J1", ...}` inside "names", one name per line: element
    // i names ID i + 1.
    void WriteNames(std::string_view key, const std::vector<std::string>& names, bool last) {
        out_ << "    \"" << key << "\": {";
        for (std::size_t i = 0; i < names.size(); ++i) {
            out_ << (i == 0 ? "\n      \"" : ",\n      \"");
            AppendInt(out_.text(), static_cast<std::int64_t>(i + 1));
            out_ << "\": " << Quoted(names[i]);
            out_.Spill();
        }
        out_ << (names.empty() ? "}" : "\n    }") << (last ? "\n" : ",\n");
    }

    void WriteIntArray(std::string_view key, std::span<const std::int32_t> values) {
        out_ << "  \"" << key << "\": ";
        AppendIntArray(out_.text(), values);
        out_ << ",\n";
        out_.Spill();
    }

    // Closes the "nodes" array and opens `key`.
    void NextArray(std::string_view key) {
        out_ << (elements_ == 0 ? "]" : "\n  ]") << ",\n  \"" << key << "\": [";
        elements_ = 0;
        inLinks_ = true;
    }

    TextBuffer out_;
    std::optional<bool> result_;
    const std::optional<RaisedError>& error_;
    std::size_t listed_ = 0;  // branches (loop branches) written so far
    std::size_t elements_ = 0;
    bool inLinks_ = false;
};

void DocumentWriter::Summary(const host::ResultSummary& summary) {
    out_ << "{\n";
    WriteMember(out_, "result", result_ ? (*result_ ? "true" : "false") : "null");
    if (error_) {
        WriteMember(out_, "error", ErrorObject(*error_));
    }
    WriteMember(out_, "numberOfNodes", std::to_string(summary.numberOfNodes));
    WriteMember(out_, "numberOfLinks", std::to_string(summary.numberOfLinks));
    WriteMember(out_, "containsLoop", summary.containsLoop ? "true" : "false");
}

void DocumentWriter::SummaryEnd(const host::ResultSummary& summary) {
    CloseLines(out_, listed_);
    WriteLines(out_, "pumpLinks", summary.pumpLinks, FormatPumpLink);
    WriteLines(out_, "gutters", summary.gutters, FormatGutter);
    WriteIntArray("isolatedNodeIDs", summary.isolatedNodeIDs);
    WriteIntArray("isolatedEdgeIDs", summary.isolatedEdgeIDs);
    WriteIntArray("removedOutfallIDs", summary.removedOutfallIDs);
    out_ << "  \"nodes\": [";
}

}  // namespace

void WriteResultDocument(std::ostream& out, std::optional<bool> result,
                         const std::optional<RaisedError>& error,
                         Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                         std::span<const std::int32_t> nodeIDs,
                         std::span<const std::int32_t> linkIDs, const swmm::NameTable* names) {
    DocumentWriter writer(out, result, error);
    host::ReadResult(parser, nodeIDs, linkIDs, writer);
    writer.Finish(names);
}

void WriteErrorDocument(std::ostream& out, const RaisedError& error) {
    out << "{\n  \"result\": null,\n  \"error\": " << ErrorObject(error) << "\n}\n";
}

}  // namespace rivo::tool
