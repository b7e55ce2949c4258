#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "graph/graph_fld.h"
#include "graph/path.h"
#include "graph/search_scratch.h"

// The spanning tree of a subnetwork while its loops are opened one by one.
// Opening a loop asks for the highest link of the tree path between the two
// ends of a back link, and may then swap a path link out of the tree for the
// back link. A breadth-first search per loop costs the part of the tree
// within the loop's length of its start, which in a street grid is most of
// the network; this tree answers each question and makes each swap in
// logarithmic (amortised) time.
//
// It is a link-cut tree whose vertices are the subnetwork's nodes and links,
// so that a path alternates node, link, node, ...; each link carries its top,
// the higher of its two end elevations.
class summit_tree {
public:
    // The tree of a single-root search over the subnetwork (its order and its
    // tree links), and the links that may join the tree later.
    summit_tree(const graph_fld& G, const std::vector<GTL::node>& order,
                const std::vector<GTL::edge>& treeLinks, const std::vector<GTL::edge>& extraLinks);

    // Fills `path` with a stretch of the tree path from `from` to `to` that
    // has the same summit link as the whole path: the path's first link with
    // the highest top, and beside it the path link beyond its high end.
    // Needs two different nodes of the tree, and tops that are numbers.
    void fill_summit_stretch(GTL::node from, GTL::node to, path_record& path);

    // `out`, a tree link, leaves the tree and `in` joins it in its place.
    // Quickest when `out` is the summit link (or the link beside it) of the
    // stretch just filled and `in` joins that path's ends, as when a loop is
    // opened.
    void swap(GTL::edge out, GTL::edge in);

private:
    // Three million of these for a street grid of a million nodes, where the
    // splaying waits mostly on memory: the fields are ordered to leave no
    // padding.
    struct Vertex {
        double top = 0.0;
        // Over the splay subtree: its highest top and the first and last
        // vertex (in path order) that have it, -1 without links; its size.
        double best = 0.0;
        std::int32_t child[2] = {-1, -1};
        std::int32_t parent = -1;
        std::int32_t first = -1;
        std::int32_t last = -1;
        // The node's or the link's number.
        std::int32_t item = -1;
        std::int32_t size = 1;
        bool flipped = false;
        bool isLink = false;
    };
    static_assert(sizeof(Vertex) == 48);

    std::int32_t add_vertex();
    std::int32_t node_vertex(GTL::node n) const;
    std::int32_t link_vertex(GTL::edge e) const;
    std::int32_t size_of(std::int32_t x) const;
    std::int32_t item(std::int32_t x) const;

    bool is_splay_root(std::int32_t x) const;
    void flip(std::int32_t x);
    void push_down(std::int32_t x);
    void pull_up(std::int32_t x);
    void rotate(std::int32_t x);
    void splay(std::int32_t x);
    void access(std::int32_t x);
    void make_root(std::int32_t x);
    void link(std::int32_t x, std::int32_t y);
    // Takes the link vertex o out from between its ends u and w.
    void cut_out(std::int32_t o, std::int32_t u, std::int32_t w);
    // Swaps the link vertex o of the path last filled for the link vertex i.
    void swap_on_path(std::int32_t o, std::int32_t i, std::int32_t to);
    // The vertex at a position of the path held by the splay tree at `root`.
    std::int32_t select(std::int32_t root, std::int32_t position);

    // The path of the last stretch filled, while it is still one splay tree
    // rooted at `from`: its ends and the vertices of the stretch's links.
    struct LastPath {
        std::int32_t from;
        std::int32_t to;
        std::int32_t links[2];
    };

    const graph_fld& G_;
    std::vector<Vertex> v_;
    // The vertices above one being splayed, reused between calls.
    std::vector<std::int32_t> above_;
    std::optional<LastPath> last_;
    // The vertex of each node and link, in dense tables borrowed from the graph.
    table_lease<std::int32_t> nodeVertex_;
    table_lease<std::int32_t> linkVertex_;
};

// Whether every link has end elevations for which the summit tree's tops
// agree with the summit rule (numbers above the rule's starting height).
bool TopsAreComparable(const graph_fld& G, const std::vector<GTL::edge>& links);
