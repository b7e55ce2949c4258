#pragma once

#include <ostream>

#include "render/map_index.h"
#include "render/picture_layout.h"
#include "render/render_data.h"

namespace rivo::tool::render {

// Writes the table the HTML view looks things up in, as one JSON object:
// per node, link, pump link and branch (column by column, in the network's
// and the parser's order) the IDs, SWMM names, picture positions and the
// parser's answers, null where a query raised; the ends of links and the
// members of branches as positions in those columns (-1 for none). No '<'
// appears in it, so that it can stand inside a <script> element.
void WriteViewTable(std::ostream& out, const RenderData& data, const NetworkIndex& index,
                    const Frame& frame, double labelScale);

}  // namespace rivo::tool::render
