#include <algorithm>

#include "branches/branch_finder.h"

// A branch that starts at a pump starts with the pump's pressure main, which
// rises to the branch's highest point; beyond it the water flows by gravity.
// The main is marked and cut off as a branch of its own.
//
// The walk is repeated from the first branch after every change, until a walk
// changes nothing. Walking again past a branch that changed nothing changes
// nothing either: its marks are made again the same, the types a change
// writes elsewhere only go to 5 and 7 (which cannot stop a walk that already
// reached the branch's last node), and convertedEndSeen is only ever set. So
// the walk goes on from the changed position instead, which gives the same
// list without walking every earlier branch again after each cut.
void CBranchFinder::SplitAtPressureMainEnds() {
    std::size_t k = 0;
    while (k < treeBranches.size()) {
        if (!MarkPressureMain(k)) {
            ++k;
        }
    }
}

namespace {

bool IsUnseenConvertedOutfall(const NodeData& d) {
    return IsConvertedOutfall(d) && !d.convertedEndSeen;
}

// The level of node i of B: its link's end at the first and last node, the
// higher of its two links' ends inside the branch.
double PressureMainLevel(const graph_fld& G, const CBranch& B, std::size_t i) {
    GTL::node bi = B.nodes[i];
    std::size_t m = B.edges.size();
    if (i == 0) {
        return G.data(B.edges[0]).GetElevation(bi);
    }
    if (i == m) {
        return G.data(B.edges[m - 1]).GetElevation(bi);
    }
    return std::max(G.data(B.edges[i - 1]).GetElevation(bi), G.data(B.edges[i]).GetElevation(bi));
}

// The main runs from the pump up to the branch's highest node (the nearest
// of equally high ones): its links become pressure main links and the nodes
// inside it pressure main nodes.
void MarkMainToHighestNode(graph_fld& G, const CBranch& B) {
    std::size_t best = 0;
    double max = PressureMainLevel(G, B, 0);
    for (std::size_t i = 1; i <= B.edges.size(); ++i) {
        double level = PressureMainLevel(G, B, i);
        if (level > max) {
            max = level;
            best = i;
        }
    }
    for (std::size_t i = 0; i < best; ++i) {
        if (i > 0) {
            G.data(B.nodes[i]).nodeType = node_type::kPressureMain;
        }
        G.data(B.edges[i]).edgeType = edge_type::kPressureMain;
    }
}

}  // namespace

bool CBranchFinder::MarkPressureMain(std::size_t k) {
    CBranch& B = *treeBranches[k];
    if (B.isSingleStorageNodeBranch) {
        return false;
    }
    GTL::node last = B.nodes.back();
    if (!B.edges.empty() && graph->data(B.nodes[0]).nodeType == node_type::kPump) {
        MarkMainToHighestNode(*graph, B);
    }
    bool changed = !B.edges.empty() &&
                   graph->data(B.edges[0]).edgeType == edge_type::kPressureMain && SeparateMain(k);
    NodeData& ld = graph->data(last);
    if (IsUnseenConvertedOutfall(ld)) {
        ld.convertedEndSeen = true;
    }
    return changed;
}

// Branch k starts with a marked main. Where the main ends inside the branch,
// it is cut off there. Where it runs to the branch's end at a converted
// storage node not met before, the storage node gets a branch of its own,
// before branch k, which then no longer counts as the storage's outlet.
bool CBranchFinder::SeparateMain(std::size_t k) {
    CBranch& B = *treeBranches[k];
    std::size_t m = B.edges.size();
    std::size_t j = 1;
    while (graph->data(B.edges[j - 1]).edgeType == edge_type::kPressureMain &&
           graph->data(B.nodes[j]).nodeType == node_type::kPressureMain && j != m) {
        ++j;
    }
    if (j != m) {
        SplitOffPressureMain(k, j);
        return true;
    }
    GTL::node last = B.nodes.back();
    if (!IsUnseenConvertedOutfall(graph->data(last))) {
        return false;
    }
    auto S = std::make_unique<CBranch>();
    S->isSingleStorageNodeBranch = true;
    S->nodes.push_back(last);
    B.isStorageOutletBranch = false;
    treeBranches.insert(treeBranches.begin() + static_cast<std::ptrdiff_t>(k), std::move(S));
    return true;
}

// Cuts branch k at node j, the top of its pressure main: the branch keeps the
// gravity part from j on, and the main follows it in the list.
void CBranchFinder::SplitOffPressureMain(std::size_t k, std::size_t j) {
    CBranch& B = *treeBranches[k];
    auto P = std::make_unique<CBranch>();
    for (std::size_t i = 0; i <= j; ++i) {
        P->nodes.push_back(B.nodes[i]);
    }
    for (std::size_t i = 0; i < j; ++i) {
        P->edges.push_back(B.edges[i]);
    }
    B.nodes.erase_front(j);
    B.edges.erase_front(j);
    treeBranches.insert(treeBranches.begin() + static_cast<std::ptrdiff_t>(k) + 1, std::move(P));
}
