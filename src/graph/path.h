#pragma once

#include <vector>

#include "graph/graph_fld.h"
#include "graph/gtl_bfs.h"
#include "graph/gtl_dfs.h"

// A path through the network: nodes[i] and nodes[i+1] are joined by links[i].
struct path_record {
    explicit path_record(graph_fld* g) : graph(g) {}
    void clear() {
        nodes.clear();
        links.clear();
    }

    graph_fld* graph;
    std::vector<GTL::node> nodes;
    std::vector<GTL::edge> links;
};

// Fills `path` from T back to the start of a target search that reached T,
// along the search tree: a shortest path in links.
void FillPathFromTargetSearch(path_record& path, const GTL::bfs& search, GTL::node T);

// Fills `path` from T back to the start of a single-root depth-first search
// that reached T, along the search tree.
void FillPathFromDepthFirstSearch(path_record& path, const GTL::dfs& search, GTL::node T);

// The summit link of a path with at least one link: the link cut to open a
// loop, with its high end, its low end and its top elevation.
struct summit_link {
    GTL::edge link;
    GTL::node high;
    GTL::node low;
    double top = 0.0;
};

summit_link ChooseSummitLink(const path_record& path);
