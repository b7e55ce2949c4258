#pragma once

#include <ostream>

#include "render/render_data.h"

namespace rivo::tool::render {

// Writes a self-contained SVG picture of the analysed network (see
// docs/render.md): one <path> per link, coloured by branch, plus symbols,
// branch labels, a legend and a title line.
void WriteSvg(std::ostream& out, const RenderData& data);

}  // namespace rivo::tool::render
