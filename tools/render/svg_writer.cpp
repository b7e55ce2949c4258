#include "render/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/picture_layout.h"

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

// Large networks get a larger canvas, so that their branches stay apart.
FrameSizes PictureFrame(const host::Network& network) {
    const double side = std::clamp(40.0 * std::sqrt(double(network.nodes.size())), 900.0, 8000.0);
    return {side, kMargin, kTitleBand, kLegendBand, 600.0};
}

class SvgPicture {
public:
    SvgPicture(std::ostream& out, const RenderData& data)
        : out_(out),
          data_(data),
          frame_(data.network, PictureFrame(data.network)),
          index_(data.network, data.names ? &*data.names : nullptr) {}
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
    NetworkIndex index_;
};

std::optional<Point> SvgPicture::NodePoint(std::int32_t id) const {
    const std::optional<std::size_t> node = index_.Node(id);
    if (!node) {
        return std::nullopt;
    }
    return frame_(data_.network.nodes[*node].x, data_.network.nodes[*node].y);
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
    const std::string found = count(s.branches.size(), "branches, ") +
                              count(s.loops.size(), "loops, ") +
                              count(s.isolatedNodeIDs.size(), "isolated nodes, ") +
                              count(s.isolatedEdgeIDs.size(), "isolated links");
    if (!data_.raised) {
        line += found + "; result " + (data_.result ? "true" : "false");
    } else {
        line += "the parser raised: " + data_.error;
        if (!data_.unnumberedPumpEnds.empty()) {
            line += "; found before: " + found + "; " +
                    count(data_.unnumberedPumpEnds.size(), "pump ends not numbered (ringed)");
        }
    }
    out_ << "<text x=\"" << Num(kMargin) << "\" y=\"20.0\" font-size=\"14\">" << Escape(line)
         << "</text>\n";
    // Why the result is false, on a line of its own in the margin below.
    if (!data_.raised && !data_.result && !data_.falseReason.empty()) {
        out_ << "<text x=\"" << Num(kMargin) << "\" y=\"38.0\" font-size=\"12\" fill=\"#8a2a1e\">"
             << Escape("why: " + data_.falseReason) << "</text>\n";
    }
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
    } else if (kind == "unnumbered") {  // a dashed red ring round a pump end on no branch
        out_ << "<circle cx=\"" << x << "\" cy=\"" << y
             << "\" r=\"8.0\" fill=\"none\" stroke=\"#e01010\" stroke-width=\"2.0\" "
                "stroke-dasharray=\"3 2\"/>\n";
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
        if (data_.unnumberedPumpEnds.contains(nodes[i].id)) {
            Symbol("unnumbered", p);
        }
        if (data_.isolatedNodes.contains(nodes[i].id)) {
            Symbol("isolated", p);
        }
    }
    out_ << "</g>\n";
}

// Branch numbers at the middle link of each branch, longest branches first;
// a label whose cell (or a cell beside it) is taken is left out.
void SvgPicture::WriteLabels() {
    out_ << "<g id=\"labels\">\n";
    for (const BranchLabel& label :
         PlaceBranchLabels(data_, index_, frame_, 1, kLabelCellWidth, kLabelCellHeight)) {
        out_ << "<text class=\"lab\" x=\"" << Num(label.at.x + 2) << "\" y=\""
             << Num(label.at.y - 2) << "\">" << label.branchNumber << "</text>\n";
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
    if (!data_.unnumberedPumpEnds.empty()) {
        Symbol("unnumbered", {x + 6, y});
        entry("pump end not numbered");
    }
    out_ << "</g>\n";
}

}  // namespace

void WriteSvg(std::ostream& out, const RenderData& data) {
    SvgPicture(out, data).Write();
}

}  // namespace rivo::tool::render
