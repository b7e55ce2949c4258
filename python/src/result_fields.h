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
// The ID, the numbers of NodeRow, then its flags.
inline constexpr const char* kNode[] = {"id",
                                        "branchNumber",
                                        "indexInBranch",
                                        "upStreamSectionNumber",
                                        "isOutfallType",
                                        "isConvertedToOutfall",
                                        "isPump",
                                        "isManholeOrStorageType"};
inline constexpr const char* kLink[] = {"id", "branchNumber", "upStreamSectionNumber",
                                        "parserDirectionSameAsUI"};

}  // namespace rivo::python::fields
