#pragma once

#include <memory>
#include <span>
#include <vector>

#include "graph/gtl_algorithm.h"
#include "graph/sparse_map.h"

namespace GTL {

// Depth-first search from one start node. The descent runs on an explicit
// stack (a million-node chain must not exhaust the call stack) but enters,
// leaves and calls the hooks in exactly the order of the recursive procedure.
class dfs : public algorithm {
public:
    dfs() = default;
    ~dfs() override = default;

    // Execution control.
    int run(graph& G) override;
    int check(graph&) override { return GTL_OK; }
    void reset() override;
    void start_node(node n) { start_ = n; }
    node start_node() const { return start_; }
    void scan_whole_graph(bool on) { wholeGraph_ = on; }
    void calc_comp_num(bool on);
    void store_preds(bool on);
    void store_non_tree_edges(bool on);

    // Queries.
    const std::vector<node>& dfs_order() const { return order_; }
    const std::vector<edge>& tree_edges() const { return treeEdges_; }
    const std::vector<edge>& non_tree_edges() const { return backEdges_ ? *backEdges_ : empty_; }
    const std::vector<std::size_t>& roots() const { return roots_; }
    int dfs_num(node n) const;
    bool reached(node n) const { return dfs_num(n) != 0; }
    int comp_num(node n) const;
    node father(node n) const;
    int number_of_reached_nodes() const { return reached_; }

protected:
    // Hooks, each doing nothing by default.
    virtual void init_handler(graph&) {}
    virtual void end_handler(graph&) {}
    virtual void entry_handler(graph&, node&, node&) {}
    virtual void leave_handler(graph&, node&, node&) {}
    virtual void before_recursive_call_handler(graph&, edge&, node&) {}
    virtual void after_recursive_call_handler(graph&, edge&, node&) {}
    virtual void old_adj_node_handler(graph&, edge&, node&) {}
    virtual void new_start_handler(graph&, node&) {}

    // The descent from `start`, with no father.
    virtual void dfs_sub(graph& G, node start);

    // Policy of derived searches: put the links at C (father F) in the order
    // they are tried, and decide whether the neighbour N of C is skipped.
    virtual void order_links(const graph&, node /*C*/, node /*F*/, std::span<edge> /*links*/) {}
    virtual bool skip_neighbour(node /*C*/, node /*N*/) const { return false; }

    void init_maps();
    node start_;

private:
    struct Frame {
        node C;
        node F;
        edge via;
        int position;
        std::size_t begin;
        std::size_t next;
        std::size_t end;
    };
    void enter(graph& G, node C, node F, edge via, std::vector<Frame>& stack);
    bool entered(node n) const;
    // Where this run entered n among the nodes it entered, -1 if it did not.
    int position(node n) const;

    int nextDfsNum_ = 1;
    int nextCompNum_ = 1;
    std::vector<edge> treeEdges_;
    std::vector<node> order_;
    int reached_ = 0;
    // The results of the last run, by the position at which it entered each
    // node: its nodes, the number of the first, and (when recorded) each
    // node's component number and father. While the search runs, positions
    // and used links live in dense tables borrowed from the graph; after the
    // run, a node's position is looked up in an index made on first demand.
    std::vector<node> runNodes_;
    int runFirstNum_ = 1;
    std::vector<int> runCompNums_;
    std::vector<node> runFathers_;
    search_scratch* running_ = nullptr;
    mutable sparse_node_map<int> positionIndex_;
    mutable bool indexed_ = false;
    std::vector<std::size_t> roots_;
    bool compNums_ = false;
    bool preds_ = false;
    std::unique_ptr<std::vector<edge>> backEdges_;
    bool wholeGraph_ = false;
    std::vector<edge> linkStack_;
    static inline const std::vector<edge> empty_{};
};

}  // namespace GTL
