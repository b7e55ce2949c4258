#include "render/view_table.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "output/json_line.h"

namespace rivo::tool::render {

namespace {

// What a node is to the parse, for the view's info panel.
enum NodeRole : int {
    kPlain,
    kOutlet,
    kConvertedStorage,
    kRemovedOutfall,
    kIsolatedNode,
    kUnnumberedPumpEnd,  // where a parse that could not number a pump link stopped
};
// Where a link ended up.
enum LinkRole : int { kOnBranch, kOnLoop, kIsolatedLink, kNoBranch };

template <class T>
void AppendValue(std::string& text, const std::optional<T>& value) {
    if (!value) {
        text += "null";
    } else if constexpr (std::is_same_v<T, bool>) {
        text += *value ? "true" : "false";
    } else {
        AppendInt(text, *value);
    }
}

// JSON text made by the caller: a number in picture units, an array.
struct RawJson {
    std::string text;
};

void AppendValue(std::string& text, const RawJson& value) {
    text += value.text;
}

void AppendValue(std::string& text, std::int64_t value) {
    AppendInt(text, value);
}

void AppendValue(std::string& text, const std::string& value) {
    std::string quoted;
    AppendQuoted(quoted, value);
    for (const char c : quoted) {
        if (c == '<') {
            text += "\\u003c";  // no "</script>" inside the script element
        } else {
            text += c;
        }
    }
}

class TableWriter {
public:
    TableWriter(std::ostream& out, const RenderData& data, const NetworkIndex& index,
                const Frame& frame)
        : out_(out), data_(data), index_(index), frame_(frame) {}

    void Write(double labelScale);

private:
    // `"key": [v0, v1, ...]` with `value(i)` for i below `count`.
    template <class Value>
    void Column(std::string_view key, std::size_t count, Value value) {
        text_ = first_ ? "\"" : ",\n\"";
        first_ = false;
        text_ += key;
        text_ += "\": [";
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0) {
                text_ += ',';
            }
            AppendValue(text_, value(i));
            if (text_.size() > 1 << 16) {
                out_ << text_;
                text_.clear();
            }
        }
        out_ << text_ << ']';
    }
    void Open(std::string_view key) {
        out_ << ",\n\"" << key << "\": {";
        first_ = true;
    }

    void Nodes();
    void Links();
    void PumpLinks();
    void Branches();
    std::int64_t NodeAt(std::int32_t id) const {
        const std::optional<std::size_t> node = index_.Node(id);
        return node ? static_cast<std::int64_t>(*node) : -1;
    }
    std::int64_t LinkAt(std::int32_t id) const {
        const std::optional<std::size_t> link = index_.Link(id);
        return link ? static_cast<std::int64_t>(*link) : -1;
    }

    std::ostream& out_;
    const RenderData& data_;
    const NetworkIndex& index_;
    const Frame& frame_;
    std::string text_;
    bool first_ = true;
};

void TableWriter::Write(double labelScale) {
    out_ << "{\"width\": " << Num(frame_.width()) << ", \"height\": " << Num(frame_.height())
         << ", \"labelScale\": " << labelScale;
    Nodes();
    Links();
    PumpLinks();
    Branches();
    out_ << "}\n";
}

void TableWriter::Nodes() {
    const std::vector<host::Node>& nodes = data_.network.nodes;
    const std::vector<host::NodeAnswers>& answers = data_.answers.nodes;
    const host::ResultSummary& summary = data_.answers.summary;
    const std::unordered_set<std::int32_t> removed(summary.removedOutfallIDs.begin(),
                                                   summary.removedOutfallIDs.end());
    Open("nodes");
    Column("id", nodes.size(), [&](std::size_t i) { return std::int64_t{nodes[i].id}; });
    if (index_.HasNames()) {
        Column("name", nodes.size(), [&](std::size_t i) { return index_.NodeName(nodes[i].id); });
    }
    Column("x", nodes.size(), [&](std::size_t i) { return RawJson{Num(frame_(nodes[i].x, 0).x)}; });
    Column("y", nodes.size(), [&](std::size_t i) { return RawJson{Num(frame_(0, nodes[i].y).y)}; });
    Column("type", nodes.size(), [&](std::size_t i) { return std::int64_t{nodes[i].type}; });
    Column("storage", nodes.size(),
           [&](std::size_t i) { return std::optional<bool>(nodes[i].storage); });
    Column("branch", nodes.size(), [&](std::size_t i) { return answers[i].branchNumber; });
    Column("index", nodes.size(), [&](std::size_t i) { return answers[i].indexInBranch; });
    Column("section", nodes.size(),
           [&](std::size_t i) { return answers[i].upStreamSectionNumber; });
    Column("role", nodes.size(), [&](std::size_t i) -> std::int64_t {
        if (data_.unnumberedPumpEnds.contains(nodes[i].id)) {
            return kUnnumberedPumpEnd;
        }
        if (data_.isolatedNodes.contains(nodes[i].id)) {
            return kIsolatedNode;
        }
        if (removed.contains(nodes[i].id)) {
            return kRemovedOutfall;
        }
        if (answers[i].isConvertedToOutfall.value_or(false)) {
            return kConvertedStorage;
        }
        return answers[i].isOutfallType.value_or(false) ? kOutlet : kPlain;
    });
    out_ << '}';
}

void TableWriter::Links() {
    const std::vector<host::Link>& links = data_.network.links;
    const std::vector<host::LinkAnswers>& answers = data_.answers.links;
    Open("links");
    Column("id", links.size(), [&](std::size_t i) { return std::int64_t{links[i].id}; });
    if (index_.HasNames()) {
        Column("name", links.size(), [&](std::size_t i) { return index_.LinkName(links[i].id); });
    }
    Column("from", links.size(), [&](std::size_t i) { return NodeAt(links[i].source); });
    Column("to", links.size(), [&](std::size_t i) { return NodeAt(links[i].target); });
    Column("type", links.size(), [&](std::size_t i) { return std::int64_t{links[i].type}; });
    Column("branch", links.size(), [&](std::size_t i) { return answers[i].branchNumber; });
    Column("section", links.size(),
           [&](std::size_t i) { return answers[i].upStreamSectionNumber; });
    Column("same", links.size(), [&](std::size_t i) { return answers[i].parserDirectionSameAsUI; });
    Column("role", links.size(), [&](std::size_t i) -> std::int64_t {
        const std::int32_t branch = answers[i].branchNumber.value_or(0);
        if (data_.isolatedLinks.contains(links[i].id)) {
            return kIsolatedLink;
        }
        if (branch <= 0) {
            return kNoBranch;
        }
        return data_.loopBranches.contains(branch) ? kOnLoop : kOnBranch;
    });
    out_ << '}';
}

void TableWriter::PumpLinks() {
    // The network's pump links, with the parser's numbers where it has them.
    const std::vector<host::PumpLink>& pumps = data_.network.pumpLinks;
    std::vector<const host::PumpLinkResult*> numbered(pumps.size(), nullptr);
    for (std::size_t i = 0, j = 0; i < pumps.size(); ++i) {
        const auto& found = data_.answers.summary.pumpLinks;
        if (j < found.size() && found[j].pumpLinkID == pumps[i].id) {
            numbered[i] = &found[j++];
        }
    }
    const auto answer = [&](std::size_t i, std::int32_t host::PumpLinkResult::*field) {
        return numbered[i] ? std::optional<std::int32_t>(numbered[i]->*field) : std::nullopt;
    };
    Open("pumps");
    Column("id", pumps.size(), [&](std::size_t i) { return std::int64_t{pumps[i].id}; });
    if (index_.HasNames()) {
        Column("name", pumps.size(),
               [&](std::size_t i) { return index_.PumpLinkName(pumps[i].id); });
    }
    Column("from", pumps.size(), [&](std::size_t i) { return NodeAt(pumps[i].upstream); });
    Column("to", pumps.size(), [&](std::size_t i) { return NodeAt(pumps[i].downstream); });
    Column("upBranch", pumps.size(),
           [&](std::size_t i) { return answer(i, &host::PumpLinkResult::upStreamBranchNumber); });
    Column("downBranch", pumps.size(),
           [&](std::size_t i) { return answer(i, &host::PumpLinkResult::downStreamBranchNumber); });
    Column("upSection", pumps.size(), [&](std::size_t i) {
        return answer(i, &host::PumpLinkResult::upStreamNodeUpSectionNumber);
    });
    Column("downSection", pumps.size(), [&](std::size_t i) {
        return answer(i, &host::PumpLinkResult::downStreamNodeUpSectionNumber);
    });
    out_ << '}';
}

void TableWriter::Branches() {
    std::vector<const host::BranchResult*> branches;
    for (const auto* list : {&data_.answers.summary.branches, &data_.answers.summary.loops}) {
        for (const host::BranchResult& branch : *list) {
            branches.push_back(&branch);
        }
    }
    const std::size_t trees = data_.answers.summary.branches.size();
    const std::size_t n = branches.size();
    const auto field = [&](std::int32_t host::BranchResult::*member) {
        return [&, member](std::size_t i) { return std::int64_t{branches[i]->*member}; };
    };
    Open("branches");
    Column("number", n, field(&host::BranchResult::branchNumber));
    Column("loop", n, [&](std::size_t i) { return std::int64_t{i >= trees}; });
    Column("sections", n, field(&host::BranchResult::numberOfSections));
    Column("down", n, field(&host::BranchResult::downStreamBranchNumber));
    Column("downSection", n, field(&host::BranchResult::downStreamUpSectionNumber));
    Column("up", n, field(&host::BranchResult::upStreamBranchNumber));
    Column("upSection", n, field(&host::BranchResult::upStreamUpSectionNumber));
    Column("storageOutlet", n,
           [&](std::size_t i) { return std::int64_t{branches[i]->isStorageOutletBranch}; });
    Column("singleStorage", n,
           [&](std::size_t i) { return std::int64_t{branches[i]->isSingleStorageNodeBranch}; });
    std::string members;
    const auto positions = [&](const std::vector<std::int32_t>& ids,
                               auto at) -> const std::string& {
        members = "[";
        for (std::size_t k = 0; k < ids.size(); ++k) {
            members += k == 0 ? "" : ",";
            AppendInt(members, at(ids[k]));
        }
        members += ']';
        return members;
    };
    Column("nodes", n, [&](std::size_t i) -> RawJson {
        return {positions(branches[i]->nodeIDs, [&](std::int32_t id) { return NodeAt(id); })};
    });
    Column("links", n, [&](std::size_t i) -> RawJson {
        return {positions(branches[i]->edgeIDs, [&](std::int32_t id) { return LinkAt(id); })};
    });
    out_ << '}';
}

}  // namespace

void WriteViewTable(std::ostream& out, const RenderData& data, const NetworkIndex& index,
                    const Frame& frame, double labelScale) {
    TableWriter(out, data, index, frame).Write(labelScale);
}

}  // namespace rivo::tool::render
