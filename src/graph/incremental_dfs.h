#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "graph/graph_fld.h"
#include "graph/level_search.h"
#include "graph/path.h"
#include "graph/search_scratch.h"

// The network search from one start node (the order and the tree of dfs_fld
// in either pass, nodes entered in the same order), entering nodes only as
// far as it is asked to. A caller that needs the first node of some kind, or a path
// to one node, pays for the part of the network searched before it.
//
// The search reads the graph step by step: the graph must not change (no
// link hidden or restored) while the search has nodes left to enter and will
// be asked for more. `finish` enters the rest beforehand.
class incremental_dfs {
public:
    // Levels are found as the search needs them, or taken from `levels`, a
    // level search from the same start over the graph as it is.
    incremental_dfs(graph_fld& G, GTL::node start, bool secondPass = false,
                    level_search* levels = nullptr);
    incremental_dfs(const incremental_dfs&) = delete;
    incremental_dfs& operator=(const incremental_dfs&) = delete;

    // The k-th node entered (the start is 0th), entering nodes until there is
    // one; null when the search ends with fewer.
    GTL::node entered(std::size_t k);
    // Whether the search enters V, entering nodes until it does or ends.
    bool reaches(GTL::node V);
    void finish();

    // The path from V, which the search has entered, back to its start along
    // the search tree.
    void fill_path(path_record& path, GTL::node V) const;

private:
    struct Frame {
        GTL::node C;
        GTL::node F;
        std::size_t begin;
        std::size_t next;
        std::size_t end;
    };
    // Enters one more node; false when every node the search reaches has
    // been entered.
    bool enter_next();
    void enter(GTL::node C, GTL::node F, GTL::edge via);

    graph_fld& G_;
    bool secondPass_;
    scratch_lease scratch_;
    std::optional<level_search> ownLevels_;
    level_search* levels_;
    std::vector<GTL::node> order_;
    std::vector<Frame> stack_;
    std::vector<GTL::edge> links_;
};
