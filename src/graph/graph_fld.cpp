#include "graph/graph_fld.h"

#include <algorithm>

#include "graph/permute.h"
#include "support/error_texts.h"
#include "support/kt_exception.h"

namespace {
[[noreturn]] void RaiseGraphError(const wchar_t* context) {
    CKtHRException(context, E_INVALIDARG).Throw();
    __builtin_unreachable();
}
}  // namespace

// A duplicate ID is rejected before anything is created, so a failed call
// leaves the graph exactly as it was.
GTL::node graph_fld::add_node(std::int32_t nodeID, std::int16_t nodeType, double xPosition,
                              double yPosition) {
    if (HasNode(nodeID)) {
        RaiseGraphError(texts::kGraphAddNode);
    }
    GTL::node n = new_node();
    NodeData& d = nodeData_.emplace_back();
    d.xPosition = xPosition;
    d.yPosition = yPosition;
    d.nodeType = nodeType;
    d.nodeID = nodeID;
    nodeByID_.insert(nodeID, n.id);
    return n;
}

GTL::edge graph_fld::add_edge(std::int32_t edgeID, GTL::node source, GTL::node target,
                              std::int16_t edgeType, double elevationInSource,
                              double elevationInTarget, double size, double length) {
    if (HasEdge(edgeID)) {
        RaiseGraphError(texts::kGraphAddEdge);
    }
    GTL::edge e = new_edge(source, target);
    edgeData_.emplace_back(edgeID, source, elevationInSource, target, elevationInTarget, size,
                           edgeType, length);
    edgeByID_.insert(edgeID, e.id);
    return e;
}

GTL::node graph_fld::GetNode(std::int32_t nodeID) const {
    std::int32_t n = nodeByID_.find(nodeID);
    if (n < 0) {
        RaiseGraphError(texts::kGraphGetNode);
    }
    return GTL::node{n};
}

GTL::edge graph_fld::GetEdge(std::int32_t edgeID) const {
    std::int32_t e = edgeByID_.find(edgeID);
    if (e < 0) {
        RaiseGraphError(texts::kGraphGetEdge);
    }
    return GTL::edge{e};
}

void graph_fld::SetNodeIsPondType(std::int32_t nodeID, bool isPond) {
    std::int32_t n = nodeByID_.find(nodeID);
    if (n < 0) {
        RaiseGraphError(texts::kGraphSetNodeIsPondType);
    }
    nodeData_[n].isPond = isPond;
}

void graph_fld::reserve(std::size_t nodes, std::size_t edges) {
    nodeByID_.reserve(nodes);
    edgeByID_.reserve(edges);
}

namespace {

// Preorder of a depth-first walk over the visible links, from every node not
// yet met in creation order. The walk runs over a compact copy of the
// adjacency made in one pass over the links: chasing the graph's own lists
// through memory in the host's numbering would cost a wait for memory at
// nearly every step. A node's slot holds its number and, for up to two
// neighbours (most nodes of a drainage network), the neighbours themselves,
// so that a step of the walk along a line of nodes waits for one slot only.
struct WalkSlot {
    std::int32_t number = -1;
    std::int32_t degree = 0;
    std::int32_t first = -1;   // the first neighbour, or where the neighbours start in `more`
    std::int32_t second = -1;  // the second neighbour, or where the next one goes in `more`
};

large_vector<std::int32_t> WalkOrder(const GTL::graph& G) {
    auto n = static_cast<std::size_t>(G.number_of_node_ids());
    large_vector<WalkSlot> slots(n);
    auto ends = [&](auto visit) {
        for (std::size_t k = 0, m = static_cast<std::size_t>(G.number_of_edge_ids()); k < m; ++k) {
            GTL::edge e = G.nth_edge(k);
            if (!G.is_hidden(e)) {
                visit(slots[static_cast<std::size_t>(G.source(e).id)], G.target(e).id);
                visit(slots[static_cast<std::size_t>(G.target(e).id)], G.source(e).id);
            }
        }
    };
    ends([](WalkSlot& s, std::int32_t) { ++s.degree; });
    std::int32_t total = 0;
    for (WalkSlot& s : slots) {
        if (s.degree > 2) {
            s.first = s.second = total;
            total += s.degree;
        }
    }
    large_vector<std::int32_t> more(static_cast<std::size_t>(total));
    ends([&](WalkSlot& s, std::int32_t far) {
        if (s.degree > 2) {
            more[static_cast<std::size_t>(s.second++)] = far;
        } else if (s.first < 0) {
            s.first = far;
        } else {
            s.second = far;
        }
    });
    std::int32_t next = 0;
    std::vector<std::int32_t> stack;
    auto push = [&](std::int32_t far) {
        if (slots[static_cast<std::size_t>(far)].number < 0) {
            stack.push_back(far);
        }
    };
    G.for_each_node([&](GTL::node root) {
        stack.push_back(root.id);
        while (!stack.empty()) {
            WalkSlot& s = slots[static_cast<std::size_t>(stack.back())];
            stack.pop_back();
            if (s.number >= 0) {
                continue;
            }
            s.number = next++;
            if (s.degree > 2) {
                for (std::int32_t k = s.first; k < s.first + s.degree; ++k) {
                    push(more[static_cast<std::size_t>(k)]);
                }
            } else {
                for (std::int32_t k = 0; k < s.degree; ++k) {
                    push(k == 0 ? s.first : s.second);
                }
            }
        }
    });
    large_vector<std::int32_t> newNode(n);
    for (std::size_t i = 0; i < n; ++i) {
        newNode[i] = slots[i].number;
    }
    return newNode;
}

}  // namespace

void graph_fld::NumberForSearches(large_vector<std::int32_t>& newNode,
                                  large_vector<std::int32_t>& newEdge) {
    newNode = WalkOrder(*this);
    // Links by the lower new number of their ends (counting sort, stable).
    // The ends are renumbered in the same pass that finds the key: looking
    // up a node's new number is a read at a random place, and each link's
    // two are needed for both. The key waits in newEdge until it is replaced
    // by the link's position.
    auto m = static_cast<std::size_t>(number_of_edge_ids());
    large_vector<std::int32_t> start(newNode.size() + 1, 0);
    newEdge.assign(m, 0);
    for (std::size_t e = 0; e < m; ++e) {
        CEdgeData& d = edgeData_[e];
        d.sourceNode = GTL::node{newNode[static_cast<std::size_t>(d.sourceNode.id)]};
        d.targetNode = GTL::node{newNode[static_cast<std::size_t>(d.targetNode.id)]};
        newEdge[e] = std::min(d.sourceNode.id, d.targetNode.id);
        ++start[static_cast<std::size_t>(newEdge[e]) + 1];
    }
    for (std::size_t i = 1; i < start.size(); ++i) {
        start[i] += start[i - 1];
    }
    for (std::int32_t& key : newEdge) {
        key = start[static_cast<std::size_t>(key)]++;
    }
    nodeByID_.for_each_value([&](std::int32_t& v) { v = newNode[static_cast<std::size_t>(v)]; });
    edgeByID_.for_each_value([&](std::int32_t& v) { v = newEdge[static_cast<std::size_t>(v)]; });
    const auto [nodeCycles, edgeCycles] = PermutationCycles::ListTogether(newNode, newEdge);
    nodeCycles.Apply(nodeData_);
    edgeCycles.Apply(edgeData_);
    renumber(newNode, newEdge, nodeCycles, edgeCycles);
}
