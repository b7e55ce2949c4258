#include "diagnosis/element_problems.h"

#include <unordered_map>

#include "diagnosis/element_names.h"
#include "input/input_text.h"

namespace rivo::tool {

namespace {

std::string Path(const char* section, std::size_t index) {
    return std::string(section) + "[" + std::to_string(index) + "]";
}

// Each ID with the first record that gave it.
class FirstRecords {
public:
    explicit FirstRecords(std::size_t count) { first_.reserve(count); }
    // The earlier record with `id`, if any.
    std::optional<std::size_t> Add(std::int32_t id, std::size_t index) {
        const auto [place, added] = first_.try_emplace(id, index);
        return added ? std::nullopt : std::optional(place->second);
    }
    bool Has(std::int32_t id) const { return first_.contains(id); }

private:
    std::unordered_map<std::int32_t, std::size_t> first_;
};

std::optional<ElementProblem> NodeProblem(const host::Network& network, FirstRecords& nodes,
                                          const std::vector<std::string>* names) {
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        if (const auto first = nodes.Add(network.nodes[i].id, i)) {
            return ElementProblem{"nodes", i,
                                  "node " + Named(network.nodes[i].id, names) +
                                      " is given twice (also " + Path("nodes", *first) + ")"};
        }
    }
    return std::nullopt;
}

// A record whose end names no node: `link 10: target node 9 is not among the nodes`.
std::optional<std::string> DanglingEnd(const FirstRecords& nodes, const char* kind, std::int32_t id,
                                       std::pair<const char*, std::int32_t> first,
                                       std::pair<const char*, std::int32_t> second) {
    for (const auto& [end, node] : {first, second}) {
        if (!nodes.Has(node)) {
            return std::string(kind) + " " + std::to_string(id) + ": " + end + " node " +
                   std::to_string(node) + " is not among the nodes";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ElementProblem> FindElementProblem(const host::Network& network,
                                                 const swmm::NameTable* names) {
    FirstRecords nodes(network.nodes.size());
    if (auto problem = NodeProblem(network, nodes, names ? &names->nodes : nullptr)) {
        return problem;
    }
    FirstRecords links(network.links.size());
    for (std::size_t i = 0; i < network.links.size(); ++i) {
        const host::Link& link = network.links[i];
        if (auto what = DanglingEnd(nodes, "link", link.id, {"source", link.source},
                                    {"target", link.target})) {
            return ElementProblem{"links", i, *what};
        }
        if (const auto first = links.Add(link.id, i)) {
            return ElementProblem{"links", i,
                                  "link " + Named(link.id, names ? &names->links : nullptr) +
                                      " is given twice (also " + Path("links", *first) + ")"};
        }
    }
    for (std::size_t i = 0; i < network.pumpLinks.size(); ++i) {
        const host::PumpLink& pump = network.pumpLinks[i];
        if (auto what = DanglingEnd(nodes, "pump link", pump.id, {"upstream", pump.upstream},
                                    {"downstream", pump.downstream})) {
            return ElementProblem{"pumpLinks", i, *what};
        }
    }
    return std::nullopt;
}

// A walk over the text that counts only what places a record: strings (a
// key names the array that follows), brackets and line ends. The text was
// read as valid JSON, so no more is needed.
std::optional<TextPosition> FindRecord(std::string_view text, std::string_view section,
                                       std::size_t index) {
    std::optional<TextPosition> found;
    TextPosition at;
    std::size_t lineStart = 0;
    int depth = 0;
    std::string_view lastKey;
    bool inSection = false;
    std::size_t records = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++at.line;
            lineStart = i + 1;
        } else if (c == '"') {
            const std::size_t start = i + 1;
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                i += text[i] == '\\' ? 1 : 0;
            }
            lastKey = depth == 1 ? text.substr(start, i - start) : std::string_view();
        } else if (c == '[' || c == '{') {
            if (depth == 1 && c == '[') {
                inSection = lastKey == section;
                records = 0;
            } else if (depth == 2 && c == '{' && inSection && records++ == index) {
                found = TextPosition{at.line, static_cast<std::int64_t>(i - lineStart) + 1};
            }
            ++depth;
        } else if (c == ']' || c == '}') {
            --depth;
            inSection = inSection && depth >= 2;
        }
    }
    return found;
}

std::string ElementProblemLine(const std::string& file, const ElementProblem& problem) {
    std::string place = file;
    // The file was read once already; read as the tool reads it (compressed or
    // marked), its record is found at the place the user's editor shows.
    const InputText text = InputText::FromFile(file);
    if (text.IsNetworkDocument(file)) {
        if (const auto at = FindRecord(text.View(), problem.section, problem.index)) {
            place += ":" + std::to_string(at->line) + ":" + std::to_string(at->column);
        }
    }
    return place + ": " + Path(problem.section, problem.index) + ": " + problem.what;
}

}  // namespace rivo::tool
