#pragma once

#include "rivo/record_fields.h"

// The keys of the result document, in the order `rivo parse` writes them;
// the dict form and the columns form of result() use the same ones.
namespace rivo::python::fields {

inline constexpr const char* kTop[] = {"result",
                                       "numberOfNodes",
                                       "numberOfLinks",
                                       "containsLoop",
                                       "branches",
                                       "loops",
                                       "pumpLinks",
                                       "gutters",
                                       "isolatedNodeIDs",
                                       "isolatedEdgeIDs",
                                       "removedOutfallIDs",
                                       "nodes",
                                       "links"};
// A branch's fields, then its two lists.
#define RIVO_KEY(type, name, ...) #name,
inline constexpr const char* kBranch[] = {RIVO_BRANCH_FIELDS(RIVO_KEY) "nodeIDs", "edgeIDs"};
inline constexpr const char* kPumpLink[] = {RIVO_PUMP_LINK_FIELDS(RIVO_KEY)};
#undef RIVO_KEY
inline constexpr const char* kGutter[] = {"id", "sameDirectionAsUI"};
// A node's (link's) ID, then the answers the document holds.
#define RIVO_KEY(type, name, Reader, bit, written) RIVO_IF_##written(, #name)
inline constexpr const char* kNode[] = {"id" RIVO_NODE_ANSWER_FIELDS(RIVO_KEY)};
inline constexpr const char* kLink[] = {"id" RIVO_LINK_ANSWER_FIELDS(RIVO_KEY)};
#undef RIVO_KEY

}  // namespace rivo::python::fields
