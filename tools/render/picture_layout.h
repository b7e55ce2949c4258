#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/network_model.h"
#include "render/map_index.h"
#include "render/render_data.h"

// Where things stand on a picture of a network: the fit of the network's
// coordinates to the canvas and the places of the branch numbers. The SVG
// picture and the HTML view are laid out here, once, by the tool.
namespace rivo::tool::render {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// The canvas round the network: the nodes fill a square of `side` (the
// longer span of the network fits it), `margin` round them, bands for a
// title above and a legend below, and at least `minWidth` for the bands.
struct FrameSizes {
    double side = 1000.0;
    double margin = 0.0;
    double top = 0.0;
    double bottom = 0.0;
    double minWidth = 0.0;
};

// Network coordinates to picture coordinates: scaled to fit, y upwards.
class Frame {
public:
    Frame(const host::Network& network, const FrameSizes& sizes);
    Point operator()(double x, double y) const {
        return {margin_ + (x - minX_) * scale_, top_ + margin_ + (maxY_ - y) * scale_};
    }
    double width() const { return width_; }
    double height() const { return height_; }

private:
    double minX_ = 0.0, maxY_ = 0.0, scale_ = 1.0, width_ = 0.0, height_ = 0.0;
    double margin_ = 0.0, top_ = 0.0;
};

// A picture coordinate with one decimal: a tenth of a unit is below what
// shows, and it keeps pictures of large networks small.
std::string Num(double value);

// `text` for XML and HTML text and attribute values.
std::string Escape(const std::string& text);

// A branch number and where it stands: at the middle of the branch's middle
// link, shown from zoom level `level` on (0: in the whole picture).
struct BranchLabel {
    std::int32_t branchNumber = 0;
    Point at;
    int level = 0;
};

// The labels of the branches and loop branches with links, longest first,
// on a grid of `cellWidth` by `cellHeight` picture units at level 0 whose
// cells halve at every further level up to `levels` - 1. A label takes the
// first level at which its cell and the cells left and right of it are
// free, and keeps its cell there and at every level above; a label that
// finds no free cell at any level is left out, so that dense parts of a
// large network stay readable.
std::vector<BranchLabel> PlaceBranchLabels(const RenderData& data, const NetworkIndex& index,
                                           const Frame& frame, int levels, double cellWidth,
                                           double cellHeight);

}  // namespace rivo::tool::render
