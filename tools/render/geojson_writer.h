#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "diagnosis/pump_diagnosis.h"
#include "render/render_data.h"

namespace rivo::tool::render {

// Writes the decomposition as one GeoJSON FeatureCollection for GIS
// programs (docs/geojson.md): a feature per branch, loop branch and pump
// link, per outlet, converted storage node, removed outfall and isolated
// node, and per isolated link, one per line, at the coordinates the network
// gives. `kind` tells them apart; the other properties are the parser's
// answers, the IDs and, for a SWMM model, the names. `crs` ("EPSG:28992")
// names the coordinate reference system in the legacy `crs` member; empty,
// none is written. Beside the features stand `result` (null when the parser
// raised) and the `error` the parser raised, as in the result document.
// A parse written as far as it got marks the pump link ends it stopped at
// (`unnumbered`) with a point each.
void WriteGeoJson(std::ostream& out, const RenderData& data, std::string_view crs,
                  std::span<const UnnumberedPumpEnd> unnumbered);

}  // namespace rivo::tool::render
