#pragma once

#include "graph/gtl_graph.h"

namespace GTL {

// Base of the graph searches: run on a graph, check a graph, reset.
class algorithm {
public:
    static constexpr int GTL_OK = 1;
    static constexpr int GTL_ERROR = 0;

    algorithm() = default;
    algorithm(const algorithm&) = delete;
    algorithm& operator=(const algorithm&) = delete;
    virtual ~algorithm() = default;

    virtual int run(graph& G) = 0;
    virtual int check(graph& G) = 0;
    virtual void reset() = 0;
};

}  // namespace GTL
