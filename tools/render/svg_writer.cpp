#include "svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace rivo::tool::render {

namespace {

constexpr double kMargin = 24.0;
constexpr double kTitleBand = 28.0;
constexpr double kLegendBand = 34.0;
constexpr double kLabelCellWidth = 40.0;
constexpr double kLabelCellHeight = 14.0;

const char* const kStyle =
    "path{fill:none;stroke-width:1.6;stroke-linecap:round}"
    ".x{stroke:#aaaaaa}.i{stroke:#e01010;stroke-width:2.4}.l{stroke-dasharray:5 3}"
    ".pl{stroke:#7b2d8e;stroke-width:1;stroke-dasharray:2 2}"
    ".lab{font-size:10px;fill:#111;stroke:#fff;stroke-width:2.5;paint-order:stroke}"
    "text{font-family:sans-serif}";

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// Network coordinates to picture coordinates: scaled to fit, y upwards.
class Frame {
public:
    explicit Frame(const host::Network& document);
    Point operator()(double x, double y) const {
        return {kMargin + (x - minX_) * scale_, kTitleBand + kMargin + (maxY_ - y) * scale_};
    }
    double width() const { return width_; }
    double height() const { return height_; }

private:
    double minX_ = 0.0, maxY_ = 0.0, scale_ = 1.0, width_ = 0.0, height_ = 0.0;
};

Frame::Frame(const host::Network& document) {
    double maxX = 0.0, minY = 0.0;
    for (std::size_t i = 0; i < document.nodes.size(); ++i) {
        const host::Node& node = document.nodes[i];
        minX_ = i == 0 ? node.x : std::min(minX_, node.x);
        maxX = i == 0 ? node.x : std::max(maxX, node.x);
        minY = i == 0 ? node.y : std::min(minY, node.y);
        maxY_ = i == 0 ? node.y : std::max(maxY_, node.y);
    }
    // Large networks get a larger canvas, so that their branches stay apart.
    const double side = std::clamp(40.0 * std::sqrt(double(document.nodes.size())), 900.0, 8000.0);
    const double spanX = std::max(maxX - minX_, 1e-9);
    const double spanY = std::max(maxY_ - minY, 1e-9);
    scale_ = std::min(side / spanX, side / spanY);
    width_ = std::max(spanX * scale_, 600.0) + 2 * kMargin;
    height_ = spanY * scale_ + 2 * kMargin + kTitleBand + kLegendBand;
}

// Coordinates with one decimal: a tenth of a pixel is below what shows, and
// it keeps pictures of large networks small.
std::string Num(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    std::string result(text, end.ptr);
    return result == "-0.0" ? "0.0" : result;
}

std::string Escape(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

class SvgPicture {
public:
    SvgPicture(std::ostream& out, const RenderData& data)
        : out_(out), data_(data), frame_(data.network) {
        for (std::size_t i = 0; i < data.network.nodes.size(); ++i) {
            nodeIndex_.emplace(data.network.nodes[i].id, i);
        }
    }
    void Write();

private:
    std::optional<Point> NodePoint(std::int32_t id) const;
    void WriteTitle();
    void WriteLinks();
    void WritePumps();
    void WriteNodes();
    void WriteLabels();
    void WriteLegend();
    void Symbol(const std::string& kind, Point p);

    std::ostream& out_;
    const RenderData& data_;
    Frame frame_;
    std::unordered_map<std::int32_t, std::size_t> nodeIndex_;
};

std::optional<Point> SvgPicture::NodePoint(std::int32_t id) const {
    const auto found = nodeIndex_.find(id);
    if (found == nodeIndex_.end()) {
        return std::nullopt;
    }
    const host::Node& node = data_.network.nodes[found->second];
    return frame_(node.x, node.y);
}

void SvgPicture::Write() {
    const std::string w = Num(frame_.width()), h = Num(frame_.height());
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w << "\" height=\"" << h
         << "\" viewBox=\"0 0 " << w << ' ' << h << "\">\n<style>" << kStyle << "</style>\n"
         << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    WriteTitle();
    WriteLinks();
    WritePumps();
    WriteNodes();
    WriteLabels();
    WriteLegend();
    out_ << "</svg>\n";
}

void SvgPicture::WriteTitle() {
    const host::ResultSummary& s = data_.answers.summary;
    const auto count = [](std::size_t n, const char* what) {
        return std::to_string(n) + " " + what;
    };
    std::string line = data_.title + " \u2014 " + count(data_.network.nodes.size(), "nodes, ") +
                       count(data_.network.links.size(), "links, ") +
                       count(data_.network.pumpLinks.size(), "pump links; ");
    if (data_.raised) {
        line += "the parser raised: " + data_.error;
    } else {
        line += count(s.branches.size(), "branches, ") + count(s.loops.size(), "loops, ") +
                count(s.isolatedNodeIDs.size(), "isolated nodes, ") +
                count(s.isolatedEdgeIDs.size(), "isolated links; result ") +
                (data_.result ? "true" : "false");
    }
    out_ << "<text x=\"" << Num(kMargin) << "\" y=\"20.0\" font-size=\"14\">" << Escape(line)
         << "</text>\n";
}

void SvgPicture::WriteLinks() {
    out_ << "<g id=\"links\">\n";
    const auto& links = data_.network.links;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Point a = NodePoint(links[i].source).value_or(Point{});
        const Point b = NodePoint(links[i].target).value_or(Point{});
        out_ << "<path d=\"M" << Num(a.x) << ' ' << Num(a.y) << 'L' << Num(b.x) << ' ' << Num(b.y)
             << '"';
        const std::optional<std::int32_t> branch = data_.answers.links[i].branchNumber;
        if (data_.isolatedLinks.contains(links[i].id)) {
            out_ << " class=\"i\"";
        } else if (!branch || *branch <= 0) {
            out_ << " class=\"x\"";
        } else {
            out_ << (data_.loopBranches.contains(*branch) ? " class=\"l\"" : "") << " stroke=\""
                 << BranchColour(*branch) << '"';
        }
        out_ << "/>\n";
    }
    out_ << "</g>\n";
}

void SvgPicture::WritePumps() {
    out_ << "<g id=\"pumps\">\n";
    for (const host::PumpLink& pump : data_.network.pumpLinks) {
        const Point a = NodePoint(pump.upstream).value_or(Point{});
        const Point b = NodePoint(pump.downstream).value_or(Point{});
        out_ << "<line class=\"pl\" x1=\"" << Num(a.x) << "\" y1=\"" << Num(a.y) << "\" x2=\""
             << Num(b.x) << "\" y2=\"" << Num(b.y) << "\"/>\n";
        Symbol("pump", {(a.x + b.x) / 2, (a.y + b.y) / 2});
    }
    out_ << "</g>\n";
}

void SvgPicture::Symbol(const std::string& kind, Point p) {
    const std::string x = Num(p.x), y = Num(p.y);
    if (kind == "outfall") {  // a triangle pointing down, where water leaves
        out_ << "<polygon points=\"" << Num(p.x - 5) << ',' << Num(p.y - 4) << ' ' << Num(p.x + 5)
             << ',' << Num(p.y - 4) << ' ' << x << ',' << Num(p.y + 5) << "\" fill=\"#1f3a93\"/>\n";
    } else if (kind == "storage") {
        out_ << "<rect x=\"" << Num(p.x - 4) << "\" y=\"" << Num(p.y - 4)
             << "\" width=\"8.0\" height=\"8.0\" fill=\"#17a2b8\" stroke=\"#0b5563\"/>\n";
    } else if (kind == "converted") {
        out_ << "<circle cx=\"" << x << "\" cy=\"" << y
             << "\" r=\"6.0\" fill=\"none\" stroke=\"#f08c00\" stroke-width=\"2.0\"/>\n";
    } else if (kind == "pump") {
        out_ << "<circle cx=\"" << x << "\" cy=\"" << y
             << "\" r=\"4.5\" fill=\"#7b2d8e\" stroke=\"#ffffff\"/>\n";
    } else if (kind == "isolated") {
        out_ << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"3.0\" fill=\"#e01010\"/>\n";
    }
}

void SvgPicture::WriteNodes() {
    out_ << "<g id=\"nodes\">\n";
    const auto& nodes = data_.network.nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const Point p = frame_(nodes[i].x, nodes[i].y);
        if (nodes[i].type == host::node_type::kOutfall) {
            Symbol("outfall", p);
        } else if (nodes[i].type == host::node_type::kStorage || nodes[i].storage) {
            Symbol("storage", p);
        } else if (nodes[i].type == host::node_type::kPump) {
            Symbol("pump", p);
        }
        if (data_.answers.nodes[i].isConvertedToOutfall.value_or(false) &&
            nodes[i].type != host::node_type::kOutfall) {
            Symbol("converted", p);
        }
        if (data_.isolatedNodes.contains(nodes[i].id)) {
            Symbol("isolated", p);
        }
    }
    out_ << "</g>\n";
}

// Branches and loop branches with links, longest first: those get their
// labels where labels would overlap.
std::vector<const host::BranchResult*> LabelOrder(const host::ResultSummary& summary) {
    std::vector<const host::BranchResult*> branches;
    for (const auto* list : {&summary.branches, &summary.loops}) {
        for (const host::BranchResult& branch : *list) {
            if (!branch.edgeIDs.empty()) {
                branches.push_back(&branch);
            }
        }
    }
    std::stable_sort(branches.begin(), branches.end(), [](const auto* a, const auto* b) {
        return a->edgeIDs.size() > b->edgeIDs.size();
    });
    return branches;
}

// Branch numbers at the middle link of each branch, longest branches first;
// a label whose cell (or a cell beside it) is taken is left out, so that
// dense parts of a large network stay readable.
void SvgPicture::WriteLabels() {
    const std::vector<const host::BranchResult*> branches = LabelOrder(data_.answers.summary);
    std::unordered_map<std::int32_t, std::size_t> linkIndex;
    for (std::size_t i = 0; i < data_.network.links.size(); ++i) {
        linkIndex.emplace(data_.network.links[i].id, i);
    }
    std::unordered_set<std::int64_t> taken;
    const auto cell = [](double x, double y) {
        return (std::int64_t(std::floor(x / kLabelCellWidth)) << 32) +
               std::int64_t(std::floor(y / kLabelCellHeight));
    };
    out_ << "<g id=\"labels\">\n";
    for (const host::BranchResult* branch : branches) {
        const auto link = linkIndex.find(branch->edgeIDs[branch->edgeIDs.size() / 2]);
        if (link == linkIndex.end()) {
            continue;
        }
        const host::Link& record = data_.network.links[link->second];
        const Point a = NodePoint(record.source).value_or(Point{});
        const Point b = NodePoint(record.target).value_or(Point{});
        const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        const std::int64_t key = cell(mid.x, mid.y);
        const std::int64_t step = std::int64_t(1) << 32;
        if (taken.contains(key) || taken.contains(key - step) || taken.contains(key + step)) {
            continue;
        }
        taken.insert(key);
        out_ << "<text class=\"lab\" x=\"" << Num(mid.x + 2) << "\" y=\"" << Num(mid.y - 2) << "\">"
             << branch->branchNumber << "</text>\n";
    }
    out_ << "</g>\n";
}

void SvgPicture::WriteLegend() {
    const double y = frame_.height() - kLegendBand / 2;
    double x = kMargin;
    out_ << "<g id=\"legend\" font-size=\"11\">\n";
    const auto entry = [&](const std::string& text) {
        out_ << "<text x=\"" << Num(x + 14) << "\" y=\"" << Num(y + 4) << "\">" << text
             << "</text>\n";
        x += 22 + 6.2 * double(text.size());
    };
    for (int branch = 1; branch <= 3; ++branch) {
        out_ << "<line x1=\"" << Num(x + 6 * (branch - 1)) << "\" y1=\"" << Num(y + 5) << "\" x2=\""
             << Num(x + 6 * branch) << "\" y2=\"" << Num(y - 5) << "\" stroke-width=\"2\" stroke=\""
             << BranchColour(branch) << "\"/>\n";
    }
    x += 8;
    entry("branch (colour by number)");
    out_ << "<line class=\"l\" x1=\"" << Num(x) << "\" y1=\"" << Num(y) << "\" x2=\"" << Num(x + 12)
         << "\" y2=\"" << Num(y) << "\" stroke=\"#444\" stroke-width=\"2\"/>\n";
    entry("loop branch");
    out_ << "<line x1=\"" << Num(x) << "\" y1=\"" << Num(y) << "\" x2=\"" << Num(x + 12)
         << "\" y2=\"" << Num(y) << "\" stroke=\"#e01010\" stroke-width=\"2.4\"/>\n";
    Symbol("isolated", {x + 6, y});
    entry("isolated");
    out_ << "<line x1=\"" << Num(x) << "\" y1=\"" << Num(y) << "\" x2=\"" << Num(x + 12)
         << "\" y2=\"" << Num(y) << "\" stroke=\"#aaaaaa\" stroke-width=\"2\"/>\n";
    entry("no branch");
    for (const char* kind : {"outfall", "storage", "converted", "pump"}) {
        Symbol(kind, {x + 6, y});
        entry(std::string(kind) == "converted" ? "converted outfall" : kind);
    }
    out_ << "</g>\n";
}

}  // namespace

void WriteSvg(std::ostream& out, const RenderData& data) {
    SvgPicture(out, data).Write();
}

}  // namespace rivo::tool::render
