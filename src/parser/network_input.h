#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "parser/branch.h"

// What the host describes beside the graph, in the order it was added: the
// pump links, whose branch numbers the parse fills in at its end, and the
// gutter links with their directions, which the parse only hands back.
struct NetworkInput {
    std::vector<std::unique_ptr<CPumpLink>> pumpLinks;
    std::vector<std::int32_t> gutterLinkIDs;
    std::vector<bool> gutterDirectionsSameAsUI;
};
