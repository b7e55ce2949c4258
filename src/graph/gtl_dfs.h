#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "graph/gtl_algorithm.h"

namespace GTL {

// Depth-first search from one start node. The descent keeps its own stack (a
// million-node chain must not exhaust the call stack) and can pause after any
// node it enters: a caller that needs the first node of some kind, or the
// path to one node, pays only for the part searched before it.
//
// While a run is under way the search holds dense tables borrowed from the
// graph and answers for single nodes; the graph must not change meanwhile. A
// whole run (run) gives the tables back at its end; a run taken step by step
// (begin, then enter_next) keeps them until reset or destruction. The lists
// (order, tree links, back links) stay until reset.
class dfs : public algorithm {
public:
    // Execution control.
    int run(graph& G) override;
    void reset() override;
    void store_non_tree_edges(bool on) { recordBackEdges_ = on; }
    // Enters the start node (the graph's first node when none is set).
    void begin(graph& G);
    // Enters one more node; false when the run has entered all it reaches.
    bool enter_next();

    // Queries on the lists.
    const std::vector<node>& dfs_order() const { return order_; }
    const std::vector<edge>& tree_edges() const { return treeEdges_; }
    const std::vector<edge>& non_tree_edges() const { return backEdges_; }
    int number_of_reached_nodes() const { return reached_; }

    // Queries on single nodes, while the run is under way; each enters nodes
    // until it can answer. The k-th node the run enters (its start is the
    // 0th), null when it ends with fewer; whether the run enters n.
    node entered(std::size_t k);
    bool reaches(node n);
    // The tree link by which the run entered n, a node it entered; null for the start.
    edge tree_edge_to(node n) const;

protected:
    // Policy of derived searches, each doing nothing by default: prepare a
    // run, learn of a node entered, put the links at C (entered from F, null
    // at the start) in the order they are tried, skip a neighbour N of C,
    // and learn that the run gave its tables back.
    virtual void prepare(graph&) {}
    virtual void entered_node(node /*C*/) {}
    virtual void order_links(const graph&, node /*C*/, node /*F*/, std::span<edge> /*links*/) {}
    virtual bool skip_neighbour(node /*C*/, node /*N*/) const { return false; }
    virtual void tables_returned() {}

private:
    struct Frame {
        node C;
        std::size_t begin;  // its links on the shared link stack
        std::size_t next;
        std::size_t end;
    };
    // Numbers C, tells the policy and puts C's links, in the order they are
    // tried, on the shared link stack.
    void enter(node C, node F);
    bool entered_by_run(node n) const { return run_->positions->has(n.id); }
    void give_tables_back();

    // What only a run under way needs, held apart: a parse keeps one finished
    // search per outlet, and a million outfalls keep a million of them.
    struct Run {
        explicit Run(graph& G) : G(&G), positions(G.tables().positions) {}
        graph* G;
        table_lease<std::int32_t> positions;
        std::optional<table_lease<char>> usedLinks;
        std::vector<Frame> stack;
        std::vector<edge> links;
    };
    std::unique_ptr<Run> run_;
    // Where this run's entries start in the lists, which a run without reset
    // appends to.
    std::size_t runOrderBegin_ = 0;
    std::size_t runTreeBegin_ = 0;

    std::vector<node> order_;
    std::vector<edge> treeEdges_;
    std::vector<edge> backEdges_;
    int reached_ = 0;
    bool recordBackEdges_ = false;
};

}  // namespace GTL
