#pragma once

#include <ostream>

#include "render/render_data.h"

namespace rivo::tool::render {

// Writes the interactive view of the analysed network (docs/render.md): one
// HTML file that needs nothing else, with the picture inline as SVG (one
// path per branch, labels sorted into zoom levels), the table its script
// looks things up in, and the script and style sheet themselves.
void WriteHtmlView(std::ostream& out, const RenderData& data);

}  // namespace rivo::tool::render
