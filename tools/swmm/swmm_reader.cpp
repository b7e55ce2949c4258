#include "swmm/swmm_reader.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "input/input_error.h"
#include "input/input_text.h"
#include "swmm/swmm_lines.h"

namespace rivo::tool::swmm {

namespace {

enum class Kind { kNode, kLink, kPump, kXSection, kCoordinate, kOptions };

// What the reader takes from each section it knows. Field positions count
// from 0; -1 where the section has no such field.
struct Section {
    std::string_view name;
    Kind kind;
    std::size_t minFields;
    std::string_view layout;  // the required fields, for messages
    std::int16_t type = 0;
    int inletOffset = -1;
    int outletOffset = -1;
    int length = -1;
};

constexpr Section kSections[] = {
    {"JUNCTIONS", Kind::kNode, 2, "name elevation", 0},
    {"DIVIDERS", Kind::kNode, 2, "name elevation", 0},
    {"OUTFALLS", Kind::kNode, 2, "name elevation", 1},
    {"STORAGE", Kind::kNode, 2, "name elevation", 2},
    {"CONDUITS", Kind::kLink, 4, "name from-node to-node length", 0, 5, 6, 3},
    {"ORIFICES", Kind::kLink, 3, "name from-node to-node", 5, 4},
    {"WEIRS", Kind::kLink, 3, "name from-node to-node", 6, 4},
    {"OUTLETS", Kind::kLink, 3, "name from-node to-node", 8, 3},
    {"PUMPS", Kind::kPump, 3, "name from-node to-node"},
    {"XSECTIONS", Kind::kXSection, 2, "link shape"},
    {"COORDINATES", Kind::kCoordinate, 3, "node x y"},
    {"OPTIONS", Kind::kOptions, 0, ""},
};

const Section* FindSection(std::string_view name) {
    for (const Section& section : kSections) {
        if (section.name == name) {
            return &section;
        }
    }
    return nullptr;
}

struct RawNode {
    std::string name;
    double invert = 0.0;
};

struct RawLink {
    const Section* section = nullptr;
    std::size_t line = 0;
    std::vector<std::string> fields;
    std::optional<double> length;
};

struct Problem {
    std::size_t line = 0;
    std::string message;
};

std::string Field(const std::vector<std::string>& fields, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < fields.size() ? fields[index] : "";
}

class Reader {
public:
    explicit Reader(std::string_view name) : file_(name) {}

    void ReadLine(std::string_view text, std::size_t line);
    // Whether the text has shown it is no SWMM model, so that reading it
    // further would only list its every line.
    bool Stopped() const { return linesOutside_ == kLinesOutsideOfNoModel; }
    SwmmNetwork Finish();

private:
    void ReadFields(const std::vector<std::string>& fields);
    void ReadNode(const std::vector<std::string>& fields);
    void ReadLink(const std::vector<std::string>& fields);
    void ReadPump(const std::vector<std::string>& fields);
    void ReadXSection(const std::vector<std::string>& fields);
    void ReadCoordinate(const std::vector<std::string>& fields);
    void ReadOption(const std::vector<std::string>& fields);
    bool NewLinkName(const std::string& name);
    std::optional<double> Number(const std::string& field, std::string_view what,
                                 const std::string& object);
    void Report(std::string message) { ReportAt(line_, std::move(message)); }
    // "[SECTION]" of the line being read, built by appending (a literal in
    // front of a temporary string trips a false -Wrestrict in optimised GCC 12).
    std::string SectionTag() const {
        std::string tag = "[";
        tag += section_->name;
        tag += "]";
        return tag;
    }
    void ReportAt(std::size_t line, std::string message);

    std::optional<std::int32_t> NodeIndex(const std::string& name, std::size_t line,
                                          const std::string& link);
    std::optional<host::Link> ResolveLink(const RawLink& raw, std::int32_t id);
    void ResolvePumps(SwmmNetwork& network);
    double EndElevation(const std::string& offset, double invert, std::size_t line,
                        const std::string& link, bool& ok);
    [[noreturn]] void Fail();

    std::string file_;
    const Section* section_ = nullptr;
    bool inUnknownSection_ = false;
    std::size_t line_ = 0;
    std::size_t linesOutside_ = 0;
    std::vector<Problem> problems_;

    std::vector<RawNode> nodes_;
    std::vector<host::Node> nodeRecords_;
    std::unordered_map<std::string, std::int32_t> nodeIndex_;  // folded name -> index
    std::vector<RawLink> links_;
    std::vector<RawLink> pumps_;
    std::unordered_map<std::string, std::size_t> linkLines_;  // links and pumps share names
    struct Size {
        std::size_t line = 0;
        std::string link;
        double size = 1.0;
    };
    std::unordered_map<std::string, Size> sizes_;  // folded link name -> Geom1
    std::unordered_map<std::string, std::pair<double, double>> coordinates_;
    bool offsetsAreElevations_ = false;
};

void Reader::ReadLine(std::string_view text, std::size_t line) {
    line_ = line;
    if (const std::optional<std::string> header = SectionHeader(text)) {
        section_ = FindSection(*header);
        inUnknownSection_ = section_ == nullptr;
        return;
    }
    const std::vector<std::string> fields = SplitFields(text);
    if (fields.empty() || inUnknownSection_) {
        return;
    }
    if (section_ == nullptr) {
        Report("data outside any [SECTION]");
        ++linesOutside_;
        return;
    }
    if (fields.size() < section_->minFields) {
        Report(SectionTag() + " expected at least " + std::to_string(section_->minFields) +
               " fields (" + std::string(section_->layout) + "), found " +
               std::to_string(fields.size()));
        return;
    }
    ReadFields(fields);
}

void Reader::ReadFields(const std::vector<std::string>& fields) {
    switch (section_->kind) {
        case Kind::kNode:
            return ReadNode(fields);
        case Kind::kLink:
            return ReadLink(fields);
        case Kind::kPump:
            return ReadPump(fields);
        case Kind::kXSection:
            return ReadXSection(fields);
        case Kind::kCoordinate:
            return ReadCoordinate(fields);
        case Kind::kOptions:
            return ReadOption(fields);
    }
}

void Reader::ReadNode(const std::vector<std::string>& fields) {
    const std::optional<double> invert = Number(fields[1], "elevation", fields[0]);
    const auto [place, added] =
        nodeIndex_.try_emplace(FoldCase(fields[0]), static_cast<std::int32_t>(nodes_.size()));
    if (!added) {
        Report(SectionTag() + " node '" + fields[0] + "' is already defined");
        return;
    }
    nodes_.push_back({fields[0], invert.value_or(0.0)});
    host::Node record;
    record.id = static_cast<std::int32_t>(nodes_.size());
    record.type = section_->type;
    nodeRecords_.push_back(record);
}

bool Reader::NewLinkName(const std::string& name) {
    const auto [place, added] = linkLines_.try_emplace(FoldCase(name), line_);
    if (!added) {
        Report(SectionTag() + " link '" + name + "' is already defined on line " +
               std::to_string(place->second));
    }
    return added;
}

void Reader::ReadLink(const std::vector<std::string>& fields) {
    if (!NewLinkName(fields[0])) {
        return;
    }
    RawLink raw{section_, line_, fields, std::nullopt};
    if (section_->length >= 0) {
        raw.length = Number(fields[section_->length], "length", fields[0]);
    }
    links_.push_back(std::move(raw));
}

void Reader::ReadPump(const std::vector<std::string>& fields) {
    if (NewLinkName(fields[0])) {
        pumps_.push_back({section_, line_, fields, std::nullopt});
    }
}

void Reader::ReadXSection(const std::vector<std::string>& fields) {
    const std::string shape = FoldCase(fields[1]);
    double size = 1.0;
    // The third field of these shapes names a transect or a street.
    if (shape != "IRREGULAR" && shape != "STREET") {
        if (fields.size() < 3) {
            Report("[XSECTIONS] " + fields[0] + ": shape " + fields[1] + " needs a Geom1");
            return;
        }
        size = Number(fields[2], "Geom1", fields[0]).value_or(1.0);
    }
    sizes_[FoldCase(fields[0])] = {line_, fields[0], size};
}

void Reader::ReadCoordinate(const std::vector<std::string>& fields) {
    const std::optional<double> x = Number(fields[1], "x", fields[0]);
    const std::optional<double> y = Number(fields[2], "y", fields[0]);
    if (x && y) {
        coordinates_[FoldCase(fields[0])] = {*x, *y};
    }
}

void Reader::ReadOption(const std::vector<std::string>& fields) {
    if (FoldCase(fields[0]) != "LINK_OFFSETS") {
        return;
    }
    const std::string mode = FoldCase(Field(fields, 1));
    if (mode != "DEPTH" && mode != "ELEVATION") {
        Report("[OPTIONS] LINK_OFFSETS must be DEPTH or ELEVATION, found '" + Field(fields, 1) +
               "'");
        return;
    }
    offsetsAreElevations_ = mode == "ELEVATION";
}

std::optional<double> Reader::Number(const std::string& field, std::string_view what,
                                     const std::string& object) {
    std::optional<double> value = ParseNumber(field);
    if (!value) {
        Report(SectionTag() + " " + object + ": " + std::string(what) + " '" + field +
               "' is not a number");
    }
    return value;
}

void Reader::ReportAt(std::size_t line, std::string message) {
    problems_.push_back({line, file_ + ":" + std::to_string(line) + ": " + std::move(message)});
}

std::optional<std::int32_t> Reader::NodeIndex(const std::string& name, std::size_t line,
                                              const std::string& link) {
    const auto found = nodeIndex_.find(FoldCase(name));
    if (found == nodeIndex_.end()) {
        ReportAt(line, link + ": unknown node '" + name + "'");
        return std::nullopt;
    }
    return found->second;
}

double Reader::EndElevation(const std::string& offset, double invert, std::size_t line,
                            const std::string& link, bool& ok) {
    if (offset.empty() || offset == "*") {
        return invert;
    }
    const std::optional<double> value = ParseNumber(offset);
    if (!value) {
        ReportAt(line, link + ": offset '" + offset + "' is not a number");
        ok = false;
        return invert;
    }
    return offsetsAreElevations_ ? *value : invert + *value;
}

std::optional<host::Link> Reader::ResolveLink(const RawLink& raw, std::int32_t id) {
    const std::string& name = raw.fields[0];
    const std::optional<std::int32_t> from = NodeIndex(raw.fields[1], raw.line, name);
    const std::optional<std::int32_t> to = NodeIndex(raw.fields[2], raw.line, name);
    if (!from || !to) {
        return std::nullopt;
    }
    bool ok = true;
    host::Link record;
    record.id = id;
    record.source = *from + 1;
    record.target = *to + 1;
    record.type = raw.section->type;
    record.length = raw.length;
    record.sourceElevation = EndElevation(Field(raw.fields, raw.section->inletOffset),
                                          nodes_[*from].invert, raw.line, name, ok);
    record.targetElevation = EndElevation(Field(raw.fields, raw.section->outletOffset),
                                          nodes_[*to].invert, raw.line, name, ok);
    const auto size = sizes_.find(FoldCase(name));
    record.size = size == sizes_.end() ? 1.0 : size->second.size;
    return ok ? std::optional<host::Link>(record) : std::nullopt;
}

void Reader::Fail() {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    std::string message;
    const std::size_t shown = std::min(problems_.size(), kMaxReportedErrors);
    for (std::size_t i = 0; i < shown; ++i) {
        message += (i == 0 ? "" : "\n") + problems_[i].message;
    }
    if (problems_.size() > shown) {
        message += "\n" + file_ + ": " + std::to_string(problems_.size() - shown) +
                   " more problems not shown";
    }
    if (Stopped()) {
        message += "\n" + file_ + ": not SWMM input text (no [SECTION] header before its data): " +
                   "reading stopped at line " + std::to_string(line_);
    }
    throw InputError(message);
}

void Reader::ResolvePumps(SwmmNetwork& network) {
    for (const RawLink& raw : pumps_) {
        const std::optional<std::int32_t> from = NodeIndex(raw.fields[1], raw.line, raw.fields[0]);
        const std::optional<std::int32_t> to = NodeIndex(raw.fields[2], raw.line, raw.fields[0]);
        if (from && to) {
            const auto id = static_cast<std::int32_t>(network.document.pumpLinks.size() + 1);
            network.document.pumpLinks.push_back({id, *from + 1, *to + 1});
            network.names.pumpLinks.push_back(ToUtf8Name(raw.fields[0]));
        }
    }
}

SwmmNetwork Reader::Finish() {
    if (Stopped()) {
        Fail();
    }
    SwmmNetwork network;
    for (const auto& [folded, size] : sizes_) {
        if (!linkLines_.contains(folded)) {
            ReportAt(size.line, "[XSECTIONS] unknown link '" + size.link + "'");
        }
    }
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        const auto place = coordinates_.find(FoldCase(nodes_[i].name));
        if (place != coordinates_.end()) {
            std::tie(nodeRecords_[i].x, nodeRecords_[i].y) = place->second;
        }
        network.names.nodes.push_back(ToUtf8Name(nodes_[i].name));
    }
    for (const RawLink& raw : links_) {
        const auto id = static_cast<std::int32_t>(network.document.links.size() + 1);
        if (std::optional<host::Link> record = ResolveLink(raw, id)) {
            network.document.links.push_back(*record);
            network.names.links.push_back(ToUtf8Name(raw.fields[0]));
        }
    }
    ResolvePumps(network);
    if (!problems_.empty()) {
        Fail();
    }
    if (nodeRecords_.empty()) {
        throw InputError(file_ + ": no node to parse: the file has no junction, outfall, " +
                         "storage or divider lines");
    }
    network.document.nodes = std::move(nodeRecords_);
    return network;
}

}  // namespace

SwmmNetwork ReadSwmmText(std::string_view text, std::string_view name, PumpNodes pumpNodes) {
    Reader reader(name);
    std::size_t line = 0;
    while (!text.empty() && !reader.Stopped()) {
        const std::size_t end = text.find('\n');
        reader.ReadLine(text.substr(0, end), ++line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    SwmmNetwork network = reader.Finish();
    if (pumpNodes == PumpNodes::kStorage) {
        MapPumpStationsToStorage(network.document);
    }
    return network;
}

SwmmNetwork ReadSwmmFile(const std::string& path, PumpNodes pumpNodes) {
    return ReadSwmmText(InputText::FromFile(path).View(), path, pumpNodes);
}

}  // namespace rivo::tool::swmm
