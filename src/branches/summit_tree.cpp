#include "branches/summit_tree.h"

#include <cmath>
#include <optional>
#include <utility>

namespace {

double Top(const CEdgeData& d) {
    return d.elevationInSource > d.elevationInTarget ? d.elevationInSource : d.elevationInTarget;
}

}  // namespace

bool TopsAreComparable(const graph_fld& G, const std::vector<GTL::edge>& links) {
    for (GTL::edge e : links) {
        const CEdgeData& d = G.data(e);
        if (!std::isfinite(d.elevationInSource) || !std::isfinite(d.elevationInTarget) ||
            !(Top(d) > kStartTop)) {
            return false;
        }
    }
    return true;
}

// The search tree is laid out as a forest of single-vertex paths whose path
// parents are the tree's fathers: a valid state from which the first access
// builds the paths it needs.
summit_tree::summit_tree(const graph_fld& G, const std::vector<GTL::node>& order,
                         const std::vector<GTL::edge>& treeLinks,
                         const std::vector<GTL::edge>& extraLinks)
    : G_(G), nodeVertex_(G.tables().positions), linkVertex_(G.tables().positions) {
    nodeVertex_->start_run(static_cast<std::size_t>(G.number_of_node_ids()));
    linkVertex_->start_run(static_cast<std::size_t>(G.number_of_edge_ids()));
    v_.reserve(order.size() + treeLinks.size() + extraLinks.size());
    auto addLink = [&](GTL::edge e) {
        std::int32_t x = add_vertex();
        Vertex& vx = v_[static_cast<std::size_t>(x)];
        vx.isLink = true;
        vx.item = e.id;
        vx.top = Top(G.data(e));
        vx.best = vx.top;
        vx.first = x;
        vx.last = x;
        linkVertex_->set(e.id) = x;
        return x;
    };
    // Each node is laid out beside the link to its father, the pair every
    // tree path through it is likeliest to take together.
    for (std::size_t k = 0; k < order.size(); ++k) {
        std::int32_t child = add_vertex();
        v_[static_cast<std::size_t>(child)].item = order[k].id;
        nodeVertex_->set(order[k].id) = child;
        if (k == 0 || k - 1 >= treeLinks.size()) {
            continue;
        }
        GTL::edge via = treeLinks[k - 1];
        std::int32_t father = node_vertex(G.opposite(via, order[k]));
        std::int32_t x = addLink(via);
        v_[static_cast<std::size_t>(x)].parent = father;
        v_[static_cast<std::size_t>(child)].parent = x;
    }
    for (GTL::edge e : extraLinks) {
        addLink(e);
    }
}

std::int32_t summit_tree::add_vertex() {
    v_.emplace_back();
    return static_cast<std::int32_t>(v_.size()) - 1;
}

std::int32_t summit_tree::node_vertex(GTL::node n) const {
    return nodeVertex_->get(n.id);
}

std::int32_t summit_tree::link_vertex(GTL::edge e) const {
    return linkVertex_->get(e.id);
}

std::int32_t summit_tree::size_of(std::int32_t x) const {
    return x < 0 ? 0 : v_[static_cast<std::size_t>(x)].size;
}

std::int32_t summit_tree::item(std::int32_t x) const {
    return v_[static_cast<std::size_t>(x)].item;
}

void summit_tree::fill_summit_stretch(GTL::node from, GTL::node to, path_record& path) {
    std::int32_t toVertex = node_vertex(to);
    make_root(node_vertex(from));
    access(toVertex);
    // The summit and its few neighbours are each splayed to the top of the
    // path's splay tree once found, which keeps the walks down to them short
    // (amortised) on paths of thousands of links.
    std::int32_t M = v_[static_cast<std::size_t>(toVertex)].first;
    std::int32_t length = size_of(toVertex);
    splay(M);
    std::int32_t root = M;
    std::int32_t at = size_of(v_[static_cast<std::size_t>(M)].child[0]);
    auto vertexAt = [&](std::int32_t position) {
        root = select(root, position);
        splay(root);
        return root;
    };
    auto nodeAt = [&](std::int32_t position) { return GTL::node{item(vertexAt(position))}; };
    GTL::edge link{item(M)};
    GTL::node before = nodeAt(at - 1);
    GTL::node after = nodeAt(at + 1);
    const CEdgeData& d = G_.data(link);
    bool highBefore = d.GetElevation(before) > d.GetElevation(after);
    std::int32_t beside = -1;
    if (highBefore && at >= 3) {
        beside = vertexAt(at - 2);
        path.nodes = {nodeAt(at - 3), before, after};
        path.links = {GTL::edge{item(beside)}, link};
    } else if (!highBefore && at + 3 <= length - 1) {
        beside = vertexAt(at + 2);
        path.nodes = {before, after, nodeAt(at + 3)};
        path.links = {link, GTL::edge{item(beside)}};
    } else {
        path.nodes = {before, after};
        path.links = {link};
    }
    last_ = LastPath{node_vertex(from), toVertex, {M, beside}};
}

void summit_tree::swap(GTL::edge out, GTL::edge in) {
    const CEdgeData& od = G_.data(out);
    std::int32_t o = link_vertex(out);
    const CEdgeData& id = G_.data(in);
    std::int32_t i = link_vertex(in);
    std::int32_t s = node_vertex(id.sourceNode);
    std::int32_t t = node_vertex(id.targetNode);
    std::optional<LastPath> last = std::exchange(last_, std::nullopt);
    bool onLastPath = last && (o == last->links[0] || o == last->links[1]) &&
                      ((s == last->from && t == last->to) || (s == last->to && t == last->from));
    if (onLastPath) {
        swap_on_path(o, i, last->to);
        return;
    }
    cut_out(o, node_vertex(od.sourceNode), node_vertex(od.targetNode));
    link(i, s);
    link(t, i);
}

// The path just asked for is still one splay tree, from the tree's root
// `from` to `to`. With o splayed to its top, the `from` side hangs on one
// hand (a tree rooted at `from`) and the `to` side on the other; the new link
// hangs below `to` and the `from` side below it, without another access.
void summit_tree::swap_on_path(std::int32_t o, std::int32_t i, std::int32_t to) {
    splay(o);
    Vertex& vo = v_[static_cast<std::size_t>(o)];
    std::int32_t fromSide = vo.child[0];
    std::int32_t toSide = vo.child[1];
    v_[static_cast<std::size_t>(toSide)].parent = -1;
    v_[static_cast<std::size_t>(fromSide)].parent = i;
    vo.child[0] = -1;
    vo.child[1] = -1;
    pull_up(o);
    v_[static_cast<std::size_t>(i)].parent = to;
}

inline bool summit_tree::is_splay_root(std::int32_t x) const {
    std::int32_t p = v_[static_cast<std::size_t>(x)].parent;
    return p < 0 || (v_[static_cast<std::size_t>(p)].child[0] != x &&
                     v_[static_cast<std::size_t>(p)].child[1] != x);
}

// Reverses the path held by x's splay subtree; its children follow lazily.
inline void summit_tree::flip(std::int32_t x) {
    if (x < 0) {
        return;
    }
    Vertex& vx = v_[static_cast<std::size_t>(x)];
    std::swap(vx.child[0], vx.child[1]);
    std::swap(vx.first, vx.last);
    vx.flipped = !vx.flipped;
}

inline void summit_tree::push_down(std::int32_t x) {
    Vertex& vx = v_[static_cast<std::size_t>(x)];
    if (vx.flipped) {
        flip(vx.child[0]);
        flip(vx.child[1]);
        vx.flipped = false;
    }
}

// Size and summit of x's splay subtree from those of its children: the
// highest top, and the first and last vertex in path order that carry it.
inline void summit_tree::pull_up(std::int32_t x) {
    Vertex& vx = v_[static_cast<std::size_t>(x)];
    vx.size = 1;
    vx.first = -1;
    vx.last = -1;
    auto join = [&vx](double best, std::int32_t first, std::int32_t last) {
        if (first < 0) {
            return;
        }
        if (vx.first < 0 || best > vx.best) {
            vx.best = best;
            vx.first = first;
            vx.last = last;
        } else if (best == vx.best) {
            vx.last = last;
        }
    };
    if (vx.child[0] >= 0) {
        const Vertex& l = v_[static_cast<std::size_t>(vx.child[0])];
        vx.size += l.size;
        join(l.best, l.first, l.last);
    }
    if (vx.isLink) {
        join(vx.top, x, x);
    }
    if (vx.child[1] >= 0) {
        const Vertex& r = v_[static_cast<std::size_t>(vx.child[1])];
        vx.size += r.size;
        join(r.best, r.first, r.last);
    }
}

inline void summit_tree::rotate(std::int32_t x) {
    std::int32_t y = v_[static_cast<std::size_t>(x)].parent;
    std::int32_t z = v_[static_cast<std::size_t>(y)].parent;
    int side = v_[static_cast<std::size_t>(y)].child[1] == x ? 1 : 0;
    if (!is_splay_root(y)) {
        Vertex& vz = v_[static_cast<std::size_t>(z)];
        vz.child[vz.child[1] == y ? 1 : 0] = x;
    }
    v_[static_cast<std::size_t>(x)].parent = z;
    std::int32_t moved = v_[static_cast<std::size_t>(x)].child[1 - side];
    v_[static_cast<std::size_t>(y)].child[side] = moved;
    if (moved >= 0) {
        v_[static_cast<std::size_t>(moved)].parent = y;
    }
    v_[static_cast<std::size_t>(x)].child[1 - side] = y;
    v_[static_cast<std::size_t>(y)].parent = x;
    pull_up(y);
}

void summit_tree::splay(std::int32_t x) {
    above_.clear();
    for (std::int32_t y = x;; y = v_[static_cast<std::size_t>(y)].parent) {
        above_.push_back(y);
        if (is_splay_root(y)) {
            break;
        }
    }
    for (auto it = above_.rbegin(); it != above_.rend(); ++it) {
        push_down(*it);
    }
    if (is_splay_root(x)) {
        return;
    }
    // Each rotation brings the vertex it lowers up to date; x, above them
    // all at the end, once.
    while (!is_splay_root(x)) {
        std::int32_t y = v_[static_cast<std::size_t>(x)].parent;
        if (!is_splay_root(y)) {
            std::int32_t z = v_[static_cast<std::size_t>(y)].parent;
            bool xLeft = v_[static_cast<std::size_t>(y)].child[0] == x;
            bool yLeft = v_[static_cast<std::size_t>(z)].child[0] == y;
            rotate(xLeft == yLeft ? y : x);
        }
        rotate(x);
    }
    pull_up(x);
}

// Makes the tree path from the root to x the path of x's splay tree, with x
// at its root and nothing after it.
void summit_tree::access(std::int32_t x) {
    std::int32_t below = -1;
    for (std::int32_t y = x; y >= 0; y = v_[static_cast<std::size_t>(y)].parent) {
        splay(y);
        v_[static_cast<std::size_t>(y)].child[1] = below;
        pull_up(y);
        below = y;
    }
    splay(x);
}

void summit_tree::make_root(std::int32_t x) {
    access(x);
    flip(x);
}

void summit_tree::link(std::int32_t x, std::int32_t y) {
    make_root(x);
    v_[static_cast<std::size_t>(x)].parent = y;
}

// With u the root, the path to w is u, o, w; o splayed to the top of it has
// the u side on one hand and the w side on the other, and lets go of both.
void summit_tree::cut_out(std::int32_t o, std::int32_t u, std::int32_t w) {
    make_root(u);
    access(w);
    splay(o);
    Vertex& vo = v_[static_cast<std::size_t>(o)];
    for (std::int32_t& child : vo.child) {
        v_[static_cast<std::size_t>(child)].parent = -1;
        child = -1;
    }
    vo.parent = -1;
    pull_up(o);
}

std::int32_t summit_tree::select(std::int32_t root, std::int32_t position) {
    std::int32_t x = root;
    while (true) {
        push_down(x);
        std::int32_t left = v_[static_cast<std::size_t>(x)].child[0];
        std::int32_t leftSize = size_of(left);
        if (position < leftSize) {
            x = left;
        } else if (position == leftSize) {
            return x;
        } else {
            position -= leftSize + 1;
            x = v_[static_cast<std::size_t>(x)].child[1];
        }
    }
}
