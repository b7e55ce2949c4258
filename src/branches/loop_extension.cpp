#include "branches/tree_branch_index.h"
#include "parser/network_parser.h"

namespace {
constexpr double kSlopeTolerance = 0.001;

// Joins B onto B' at n, B's first node and B''s last node: B's other nodes
// and its links continue B'.
void JoinOnto(CBranch& B, CBranch& Bp, TreeBranchIndex& index) {
    B.nodes.pop_front();
    for (GTL::node x : B.nodes) {
        Bp.nodes.push_back(x);
    }
    for (GTL::edge e : B.edges) {
        Bp.edges.push_back(e);
    }
    B.nodes.clear();
    B.edges.clear();
    index.Remove(&B);
    index.LastNodeChanged(&Bp);
}

// Moves B's first link out of B: B now starts at its second node.
void DropFirstLink(CBranch& B, TreeBranchIndex& index) {
    B.edges.pop_front();
    B.nodes.pop_front();
    index.FirstNodeChanged(&B);
}

// After B gave its first link to a loop branch that now ends at n: at a
// junction B is joined onto the branch ending there and the lengthening
// stops; it stops too where other loop branches end.
bool LengtheningStops(const CFLDNetworkParser& parser, const graph_fld& graph, GTL::node n,
                      CBranch& B, TreeBranchIndex& index) {
    if (graph.data(n).isJunction) {
        if (CBranch* Bp = index.EndingAt(n)) {
            JoinOnto(B, *Bp, index);
        }
        return true;
    }
    return parser.CountLoopEndsAtNode(n) > 1;
}

void RemoveUsedUp(CBranch& B, TreeBranchIndex& index) {
    B.nodes.clear();
    B.edges.clear();
    index.Remove(&B);
}
}  // namespace

// A loop branch that ends where a dead-end tree branch starts is lengthened
// along it, so that the dead end hangs from the loop instead of forming a
// branch of its own; it stops at junctions and where other loops end.
void CBranchFinder::ExtendLoopBranches() {
    // The index costs a few hundred bytes and a hash lookup per tree branch;
    // without loop branches (a star's hub, the longest-branch pass) nothing
    // would consult it.
    if (loopBranches.empty()) {
        return;
    }
    TreeBranchIndex index(treeBranches);
    for (auto& L : loopBranches) {
        ExtendLoopBranchAtLastNode(*L, index);
        ExtendLoopBranchAtFirstNode(*L, index);
    }
    index.Compact();
}

// Keeps the parser's count of loop ends current around a change of L's ends.
void CBranchFinder::ChangeLoopEnds(CBranch& L, bool before) {
    if (!countsLoopEnds) {
        return;
    }
    if (before) {
        parser->loopEnds().Remove(L);
    } else {
        parser->loopEnds().Add(L);
    }
}

void CBranchFinder::ExtendLoopBranchAtLastNode(CBranch& L, TreeBranchIndex& index) {
    if (L.edges.size() == 1 && graph->data(L.edges[0]).edgeType == edge_type::kOutlet) {
        return;
    }
    GTL::node z = L.nodes.back();
    GTL::node a = L.nodes.front();
    const NodeData& zd = graph->data(z);
    if (!zd.branchBoundary || zd.isJunction || parser->CountLoopEndsAtNode(z) >= 2) {
        return;
    }
    CBranch* B = index.StartingAt(z);
    if (!B || B->isSingleStorageNodeBranch || B->nodes.size() < 2) {
        return;
    }
    GTL::node n;
    while (true) {
        n = B->nodes[1];
        GTL::edge f = B->edges[0];
        if (n == a) {
            return;
        }
        ChangeLoopEnds(L, true);
        L.edges.push_back(f);
        L.nodes.push_back(n);
        ChangeLoopEnds(L, false);
        DropFirstLink(*B, index);
        if (B->nodes.size() == 1) {
            break;
        }
        if (LengtheningStops(*parser, *graph, n, *B, index)) {
            return;
        }
    }
    // B is used up: only n, now also L's last node, is left of it. A
    // converted outfall that ends no other branch keeps it as its single
    // storage node branch.
    const NodeData& nd = graph->data(n);
    if (IsConvertedOutfall(nd) && index.CountEndingAt(n) == 1) {
        B->isSingleStorageNodeBranch = true;
        isSingleNode = true;
    } else {
        RemoveUsedUp(*B, index);
    }
}

// At its first node a loop branch takes links only while they fall towards
// it and stay above its level, so water in them runs into the loop.
void CBranchFinder::ExtendLoopBranchAtFirstNode(CBranch& L, TreeBranchIndex& index) {
    if (L.isLoopBetweenOutlets) {
        return;
    }
    GTL::node a = L.nodes.front();
    const NodeData& ad = graph->data(a);
    if (!ad.branchBoundary || ad.isJunction || parser->CountLoopEndsAtNode(a) >= 2) {
        return;
    }
    CBranch* B = index.StartingAt(a);
    if (!B) {
        return;
    }
    while (B->nodes.size() >= 2) {
        GTL::node c0 = B->nodes[0];
        GTL::node n = B->nodes[1];
        GTL::edge f = B->edges[0];
        const CEdgeData& fd = graph->data(f);
        if (fd.GetElevation(n) - fd.GetElevation(c0) <= -kSlopeTolerance) {
            return;
        }
        if (IsOutfallType(graph->data(n))) {
            return;
        }
        double h = graph->data(L.edges[0]).GetElevation(c0);
        if (h - kSlopeTolerance >= fd.GetElevation(n)) {
            return;
        }
        ChangeLoopEnds(L, true);
        L.edges.push_front(f);
        L.nodes.push_front(n);
        ChangeLoopEnds(L, false);
        DropFirstLink(*B, index);
        if (B->nodes.size() == 1) {
            RemoveUsedUp(*B, index);
            return;
        }
        if (LengtheningStops(*parser, *graph, n, *B, index)) {
            return;
        }
    }
}
