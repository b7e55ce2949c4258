#pragma once

#include <vector>

#include "graph/graph_fld.h"

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

// Fills `path` from T back to the start of a search that reached T, along
// the search's tree (for a breadth-first search, a shortest path in links).
template <class Search>
void FillPathAlongSearchTree(path_record& path, const Search& search, GTL::node T) {
    GTL::node C = T;
    path.nodes.push_back(C);
    for (GTL::edge via = search.tree_edge_to(C); !via.is_null(); via = search.tree_edge_to(C)) {
        path.links.push_back(via);
        C = path.graph->opposite(via, C);
        path.nodes.push_back(C);
    }
}

// The summit link of a path with at least one link: the link cut to open a
// loop, with its high end, its low end and its top elevation.
struct summit_link {
    GTL::edge link;
    GTL::node high;
    GTL::node low;
    double top = 0.0;
};

summit_link ChooseSummitLink(const path_record& path);

// The summit rule starts from this height: a link no higher is never chosen.
inline constexpr double kStartTop = -9.99e24;
