#pragma once

#include "graph/gtl_graph.h"

namespace GTL {

// Base of the graph searches, each from one start node: run on a graph,
// check a graph (every graph suits the searches here), reset.
class algorithm {
public:
    static constexpr int GTL_OK = 1;
    static constexpr int GTL_ERROR = 0;

    algorithm() = default;
    algorithm(const algorithm&) = delete;
    algorithm& operator=(const algorithm&) = delete;
    virtual ~algorithm() = default;

    virtual int run(graph& G) = 0;
    virtual int check(graph&) { return GTL_OK; }
    virtual void reset() = 0;

    void start_node(node n) { start_ = n; }
    node start_node() const { return start_; }

protected:
    node start_;
};

}  // namespace GTL
