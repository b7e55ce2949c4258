#include "render/picture_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_set>

namespace rivo::tool::render {

Frame::Frame(const host::Network& network, const FrameSizes& sizes)
    : margin_(sizes.margin), top_(sizes.top) {
    double maxX = 0.0, minY = 0.0;
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        const host::Node& node = network.nodes[i];
        minX_ = i == 0 ? node.x : std::min(minX_, node.x);
        maxX = i == 0 ? node.x : std::max(maxX, node.x);
        minY = i == 0 ? node.y : std::min(minY, node.y);
        maxY_ = i == 0 ? node.y : std::max(maxY_, node.y);
    }
    const double spanX = std::max(maxX - minX_, 1e-9);
    const double spanY = std::max(maxY_ - minY, 1e-9);
    scale_ = std::min(sizes.side / spanX, sizes.side / spanY);
    width_ = std::max(spanX * scale_, sizes.minWidth) + 2 * sizes.margin;
    height_ = spanY * scale_ + 2 * sizes.margin + sizes.top + sizes.bottom;
}

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

namespace {

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

// The cells labels have taken, per level.
class LabelGrid {
public:
    LabelGrid(int levels, double cellWidth, double cellHeight)
        : taken_(static_cast<std::size_t>(levels)), width_(cellWidth), height_(cellHeight) {}

    // The first level with room for a label at `p`, or -1.
    int Place(Point p) {
        for (std::size_t level = 0; level < taken_.size(); ++level) {
            if (Free(level, Cell(level, p))) {
                for (std::size_t above = level; above < taken_.size(); ++above) {
                    taken_[above].insert(Cell(above, p));
                }
                return static_cast<int>(level);
            }
        }
        return -1;
    }

private:
    static constexpr std::int64_t kColumn = std::int64_t(1) << 32;

    std::int64_t Cell(std::size_t level, Point p) const {
        const double factor = std::ldexp(1.0, static_cast<int>(level));
        return std::int64_t(std::floor(p.x * factor / width_)) * kColumn +
               std::int64_t(std::floor(p.y * factor / height_));
    }
    bool Free(std::size_t level, std::int64_t cell) const {
        const auto& taken = taken_[level];
        return !taken.contains(cell) && !taken.contains(cell - kColumn) &&
               !taken.contains(cell + kColumn);
    }

    std::vector<std::unordered_set<std::int64_t>> taken_;
    double width_, height_;
};

}  // namespace

std::vector<BranchLabel> PlaceBranchLabels(const RenderData& data, const NetworkIndex& index,
                                           const Frame& frame, int levels, double cellWidth,
                                           double cellHeight) {
    const host::Network& network = data.network;
    const auto position = [&](std::int32_t id) {
        const std::optional<std::size_t> node = index.Node(id);
        return node ? frame(network.nodes[*node].x, network.nodes[*node].y) : Point{};
    };
    LabelGrid grid(levels, cellWidth, cellHeight);
    std::vector<BranchLabel> labels;
    for (const host::BranchResult* branch : LabelOrder(data.answers.summary)) {
        const std::optional<std::size_t> link =
            index.Link(branch->edgeIDs[branch->edgeIDs.size() / 2]);
        if (!link) {
            continue;
        }
        const Point a = position(network.links[*link].source);
        const Point b = position(network.links[*link].target);
        const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        if (const int level = grid.Place(mid); level >= 0) {
            labels.push_back({branch->branchNumber, mid, level});
        }
    }
    return labels;
}

}  // namespace rivo::tool::render
