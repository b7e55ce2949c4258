#pragma once

#include <vector>

#include "parser/branch.h"
#include "parser/loop_query_index.h"

// What the host reads back: the branches and loop branches collected when
// the parse ends. They only point: the records belong to the workers and to
// the parser's own loop branches. loopQueries indexes the loop branches'
// ends for the node queries.
struct ResultVectors {
    std::vector<CBranch*> branches;
    std::vector<CBranch*> loopBranches;
    LoopQueryIndex loopQueries;
};
