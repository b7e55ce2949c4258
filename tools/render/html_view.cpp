#include "render/html_view.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "render/map_index.h"
#include "render/picture_layout.h"
#include "render/view_assets.h"
#include "render/view_table.h"

namespace rivo::tool::render {

namespace {

// The network fills a square of this many picture units; positions keep one
// decimal, a hundred-thousandth of the network's extent.
constexpr double kSide = 10000.0;
constexpr double kMargin = 150.0;
// Screen pixels per picture unit at which the labels of level 0 are kept
// apart; each further level doubles it. The view shows level L once it is
// zoomed in that far.
constexpr double kLabelScale = 0.08;
constexpr int kLabelLevels = 8;
constexpr double kLabelWidth = 40.0;  // screen pixels a label needs
constexpr double kLabelHeight = 14.0;

// One path of many pieces: `M x y` starts each piece, `L x y` goes on.
class PathData {
public:
    void Move(Point p) { Add('M', p); }
    void Line(Point p) { Add('L', p); }
    // A point drawn as a dot: a piece of no length, given a round or square
    // cap by the style sheet, so that it keeps its size on the screen.
    void Dot(Point p) {
        Add('M', p);
        text_ += "h0";
    }
    bool empty() const { return text_.empty(); }
    const std::string& text() const { return text_; }

private:
    void Add(char command, Point p) {
        text_ += command;
        text_ += Num(p.x);
        text_ += ' ';
        text_ += Num(p.y);
    }
    std::string text_;
};

std::string Plural(std::size_t n, const char* one, const char* many) {
    return "<b>" + std::to_string(n) + "</b> " + (n == 1 ? one : many);
}

class HtmlView {
public:
    HtmlView(std::ostream& out, const RenderData& data)
        : out_(out),
          data_(data),
          index_(data.network, data.names ? &*data.names : nullptr),
          frame_(data.network, {kSide, kMargin, 0.0, 0.0, 0.0}) {}

    void Write();

private:
    void Header();
    void Picture();
    void Links();
    void Nodes();
    void Labels();
    void Legend();
    void Path(const char* attributes, const PathData& path) {
        if (!path.empty()) {
            out_ << "<path " << attributes << " d=\"" << path.text() << "\"/>\n";
        }
    }
    std::optional<Point> At(std::int32_t nodeID) const {
        const std::optional<std::size_t> node = index_.Node(nodeID);
        if (!node) {
            return std::nullopt;
        }
        return frame_(data_.network.nodes[*node].x, data_.network.nodes[*node].y);
    }
    // A straight piece from one node to the other, where both are known.
    void Piece(PathData& path, std::int32_t from, std::int32_t to) const {
        const std::optional<Point> a = At(from), b = At(to);
        if (a && b) {
            path.Move(*a);
            path.Line(*b);
        }
    }

    std::ostream& out_;
    const RenderData& data_;
    NetworkIndex index_;
    Frame frame_;
};

void HtmlView::Write() {
    out_ << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>" << Escape(data_.title) << " \u2014 branches</title>\n<style>\n"
         << kViewStyle << "</style>\n</head>\n<body>\n";
    Header();
    out_ << "<div id=\"body\">\n<main tabindex=\"0\" aria-label=\"Map of the network: drag or use "
            "the arrow keys "
            "to pan, the wheel or + and - to zoom\">\n";
    Picture();
    out_ << "<div id=\"zoom\"><button type=\"button\" id=\"zoom-in\" title=\"Zoom in (+)\">+"
            "</button><button type=\"button\" id=\"zoom-out\" title=\"Zoom out (-)\">\u2212"
            "</button><button type=\"button\" id=\"zoom-all\" title=\"Whole network (0)\">"
            "\u2922</button></div>\n<div id=\"error\" hidden></div>\n</main>\n"
            "<div id=\"side\">\n<section id=\"info\" aria-live=\"polite\"></section>\n";
    Legend();
    out_ << "</div>\n</div>\n<script type=\"application/json\" id=\"data\">";
    WriteViewTable(out_, data_, index_, frame_, kLabelScale);
    out_ << "</script>\n<script>\n" << kViewScript << "</script>\n</body>\n</html>\n";
}

void HtmlView::Header() {
    const host::ResultSummary& s = data_.answers.summary;
    const host::Network& n = data_.network;
    out_ << "<header>\n<h1>" << Escape(data_.title) << "</h1>\n<div class=\"summary\">"
         << Plural(n.nodes.size(), "node", "nodes") << " \u00b7 "
         << Plural(n.links.size(), "link", "links") << " \u00b7 "
         << Plural(n.pumpLinks.size(), "pump link", "pump links") << " \u00b7 ";
    // What the parse found: all of it, or with --partial what it found before it stopped.
    const bool partial = data_.raised && !data_.unnumberedPumpEnds.empty();
    if (data_.raised) {
        out_ << "<span class=\"raised\">the parser raised: " << Escape(OneLine(data_.error))
             << "</span>" << (partial ? " \u00b7 found before: " : "");
    }
    if (!data_.raised || partial) {
        out_ << Plural(s.branches.size(), "branch", "branches") << " \u00b7 "
             << Plural(s.loops.size(), "loop branch", "loop branches") << " \u00b7 "
             << Plural(s.isolatedNodeIDs.size(), "isolated node", "isolated nodes") << " \u00b7 "
             << Plural(s.isolatedEdgeIDs.size(), "isolated link", "isolated links");
    }
    if (!data_.raised) {
        out_ << " \u00b7 result <b>" << (data_.result ? "true" : "false") << "</b>";
        if (!data_.result && !data_.falseReason.empty()) {
            out_ << ": <span class=\"reason\">" << Escape(data_.falseReason) << "</span>";
        }
    }
    out_ << "</div>\n<form id=\"find\" role=\"search\"><input id=\"q\" type=\"search\" "
            "placeholder=\"Find a node, link or branch: ID or name\" aria-label=\"Find a node, "
            "link, pump link or branch by ID or SWMM name\" autocomplete=\"off\">"
            "<button type=\"submit\">Find</button><div id=\"hits\"></div></form>\n</header>\n";
}

void HtmlView::Picture() {
    const std::string w = Num(frame_.width()), h = Num(frame_.height());
    out_ << "<svg id=\"map\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << w << ' ' << h
         << "\" preserveAspectRatio=\"xMidYMid meet\" role=\"img\" aria-label=\"The network, "
            "coloured by branch\">\n<path id=\"hl\" d=\"\"/>\n";
    Links();
    Nodes();
    Labels();
    out_ << "</svg>\n";
}

// Links on no branch, grey, under everything; one path per branch and loop
// branch through its nodes, data-b its place in the table; isolated links;
// pump links.
void HtmlView::Links() {
    const host::Network& network = data_.network;
    out_ << "<g id=\"links\">\n";
    PathData none, isolated, pumps;
    for (std::size_t i = 0; i < network.links.size(); ++i) {
        const host::Link& link = network.links[i];
        const std::optional<std::int32_t> branch = data_.answers.links[i].branchNumber;
        if (data_.isolatedLinks.contains(link.id)) {
            Piece(isolated, link.source, link.target);
        } else if (!branch || *branch <= 0) {
            Piece(none, link.source, link.target);
        }
    }
    Path("class=\"x\"", none);
    std::size_t place = 0;
    for (const auto* list : {&data_.answers.summary.branches, &data_.answers.summary.loops}) {
        const bool loops = list == &data_.answers.summary.loops;
        for (const host::BranchResult& branch : *list) {
            PathData path;
            for (const std::int32_t id : branch.nodeIDs) {
                if (const std::optional<Point> p = At(id)) {
                    path.empty() ? path.Move(*p) : path.Line(*p);
                }
            }
            if (!branch.edgeIDs.empty()) {
                const std::string attributes = std::string("class=\"b") + (loops ? " l" : "") +
                                               "\" stroke=\"" + BranchColour(branch.branchNumber) +
                                               "\" data-b=\"" + std::to_string(place) + '"';
                Path(attributes.c_str(), path);
            }
            ++place;
        }
    }
    Path("class=\"i\"", isolated);
    for (const host::PumpLink& pump : network.pumpLinks) {
        Piece(pumps, pump.upstream, pump.downstream);
    }
    Path("class=\"pl\"", pumps);
    out_ << "</g>\n";
}

// One path per kind of symbol, each node a dot.
void HtmlView::Nodes() {
    const host::Network& network = data_.network;
    const std::unordered_set<std::int32_t> removed(data_.answers.summary.removedOutfallIDs.begin(),
                                                   data_.answers.summary.removedOutfallIDs.end());
    PathData all, outfalls, storage, converted, setAside, pumps, isolated, unnumbered;
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        const host::Node& node = network.nodes[i];
        const Point p = frame_(node.x, node.y);
        all.Dot(p);
        if (data_.answers.nodes[i].isConvertedToOutfall.value_or(false)) {
            converted.Dot(p);
        } else if (removed.contains(node.id)) {
            setAside.Dot(p);
        } else if (node.type == host::node_type::kOutfall) {
            outfalls.Dot(p);
        } else if (node.type == host::node_type::kStorage || node.storage) {
            storage.Dot(p);
        } else if (node.type == host::node_type::kPump) {
            pumps.Dot(p);
        }
        if (data_.isolatedNodes.contains(node.id)) {
            isolated.Dot(p);
        }
        if (data_.unnumberedPumpEnds.contains(node.id)) {
            unnumbered.Dot(p);
        }
    }
    for (const host::PumpLink& pump : network.pumpLinks) {
        const std::optional<Point> a = At(pump.upstream), b = At(pump.downstream);
        if (a && b) {
            pumps.Dot({(a->x + b->x) / 2, (a->y + b->y) / 2});
        }
    }
    out_ << "<g id=\"nodes\">\n";
    Path("class=\"s-unnumbered\"", unnumbered);
    Path("class=\"nd\"", all);
    Path("class=\"s-outfall\"", outfalls);
    Path("class=\"s-storage\"", storage);
    Path("class=\"s-conv\"", converted);
    Path("class=\"s-conv-in\"", converted);
    Path("class=\"s-removed\"", setAside);
    Path("class=\"s-removed-in\"", setAside);
    Path("class=\"s-pump\"", pumps);
    Path("class=\"s-isolated\"", isolated);
    out_ << "</g>\n";
}

void HtmlView::Labels() {
    const std::vector<BranchLabel> labels = PlaceBranchLabels(
        data_, index_, frame_, kLabelLevels, kLabelWidth / kLabelScale, kLabelHeight / kLabelScale);
    out_ << "<g id=\"labels\" font-size=\"110\" stroke-width=\"30\">\n";
    for (int level = 0; level < kLabelLevels; ++level) {
        out_ << "<g class=\"labels\" data-level=\"" << level << "\">";
        for (const BranchLabel& label : labels) {
            if (label.level == level) {
                out_ << "<text x=\"" << Num(label.at.x) << "\" y=\"" << Num(label.at.y) << "\">"
                     << label.branchNumber << "</text>";
            }
        }
        out_ << "</g>\n";
    }
    out_ << "</g>\n";
}

void HtmlView::Legend() {
    const auto line = [](const std::string& style) {
        return "<svg viewBox=\"0 0 30 14\"><path d=\"M2 7H28\" fill=\"none\" " + style + "/></svg>";
    };
    const auto dot = [](const std::string& style) {
        return "<svg viewBox=\"0 0 30 14\"><path d=\"M15 7h0\" " + style + "/></svg>";
    };
    const auto ring = [](const char* colour, int outer, int inner) {
        return "<svg viewBox=\"0 0 30 14\"><path d=\"M15 7h0\" stroke-linecap=\"round\" stroke=\"" +
               std::string(colour) + "\" stroke-width=\"" + std::to_string(outer) +
               "\"/><path d=\"M15 7h0\" stroke-linecap=\"round\" stroke=\"#fff\" stroke-width=\"" +
               std::to_string(inner) + "\"/></svg>";
    };
    std::string colours = "<svg viewBox=\"0 0 30 14\">";
    for (int branch = 1; branch <= 3; ++branch) {
        colours += "<path d=\"M" + std::to_string(branch * 8 - 6) + " 12L" +
                   std::to_string(branch * 8) + " 2\" stroke-width=\"2.5\" stroke=\"" +
                   BranchColour(branch) + "\"/>";
    }
    colours += "</svg>";
    const std::pair<std::string, const char*> entries[] = {
        {colours, "branch, coloured by its number"},
        {line("stroke=\"#444\" stroke-width=\"2\" stroke-dasharray=\"5 3\""), "loop branch"},
        {line("stroke=\"#b4b8bd\" stroke-width=\"2\""), "on no branch"},
        {line("stroke=\"#e01010\" stroke-width=\"2.6\""), "isolated link or node"},
        {line("stroke=\"#7b2d8e\" stroke-width=\"1.6\" stroke-dasharray=\"2 3\""), "pump link"},
        {dot("stroke=\"#1f3a93\" stroke-width=\"10\" stroke-linecap=\"square\""), "outfall"},
        {dot("stroke=\"#17a2b8\" stroke-width=\"8\" stroke-linecap=\"square\""), "storage node"},
        {ring("#f08c00", 12, 6), "converted to an outlet"},
        {ring("#1f3a93", 10, 4), "outfall without links"},
        {dot("stroke=\"#7b2d8e\" stroke-width=\"8\" stroke-linecap=\"round\""), "pump"},
    };
    out_ << "<section id=\"legend\"><h2>Legend</h2><ul>";
    for (const auto& [swatch, text] : entries) {
        out_ << "<li>" << swatch << "<span>" << text << "</span></li>";
    }
    if (!data_.unnumberedPumpEnds.empty()) {
        out_ << "<li>"
             << dot("stroke=\"#e01010\" stroke-width=\"13\" stroke-opacity=\".35\" "
                    "stroke-linecap=\"round\"")
             << "<span>pump end the parser could not number</span></li>";
    }
    out_ << "</ul><p class=\"keys\"><kbd>/</kbd> find \u00b7 <kbd>+</kbd> <kbd>-</kbd> zoom "
            "\u00b7 arrows pan \u00b7 <kbd>0</kbd> whole \u00b7 click keeps</p></section>\n";
}

}  // namespace

void WriteHtmlView(std::ostream& out, const RenderData& data) {
    HtmlView(out, data).Write();
}

}  // namespace rivo::tool::render
