#include "branches/branch_finder.h"

namespace {

// A node normally takes two computational sections (itself and the link
// after it); a pump starting a branch, or a type-3 node next to type-4 links,
// takes one.
std::int32_t FirstNodeSections(const NodeData& b0, const CEdgeData& e1) {
    if (b0.nodeType == node_type::kPump) {
        return 1;
    }
    if (b0.nodeType == node_type::kSingleSection &&
        e1.edgeType == edge_type::kSingleSectionNeighbour) {
        return 1;
    }
    return 2;
}

std::int32_t InteriorNodeSections(const NodeData& n, const CEdgeData& before,
                                  const CEdgeData& after) {
    bool oneSection = n.nodeType == node_type::kSingleSection &&
                      before.edgeType == edge_type::kSingleSectionNeighbour &&
                      after.edgeType == edge_type::kSingleSectionNeighbour;
    return oneSection ? 1 : 2;
}

void NumberLink(graph_fld& G, GTL::edge e, GTL::node from, std::int32_t branch,
                std::int32_t section) {
    CEdgeData& d = G.data(e);
    d.upStreamSectionNumber = section;
    d.branchNumber = branch;
    d.parserDirectionSameAsUI = d.sourceNode == from;
}

void NumberNode(NodeData& d, std::int32_t branch, std::int32_t index, std::int32_t section) {
    d.branchNumber = branch;
    d.indexInBranch = index;
    d.upStreamSectionNumber = section;
    d.numbered = true;
}

// Numbers one branch's nodes and links and counts its sections.
void NumberBranch(graph_fld& G, CBranch& B, std::int32_t n, bool first, bool singleNodeWorker,
                  std::int32_t& outletSections) {
    B.branchNumber = n;
    NodeData& b0 = G.data(B.nodes.front());
    b0.branchNumber = n;
    b0.upStreamSectionNumber = 1;
    b0.numbered = true;
    if (singleNodeWorker || B.isSingleStorageNodeBranch) {
        B.numberOfSections = 2;
        if (n == 1) {
            outletSections = 2;
        }
        return;
    }
    std::size_t m = B.edges.size();
    if (m == 0) {  // a lone node that is not a storage node branch: nothing to count
        B.numberOfSections = 2;
        return;
    }
    std::int32_t k = FirstNodeSections(b0, G.data(B.edges[0]));
    b0.indexInBranch = 1;
    NumberLink(G, B.edges[0], B.nodes[0], n, k);
    std::int32_t s = k + 1;
    std::int32_t i = 2;
    for (std::size_t j = 1; j < m; ++j) {
        NodeData& bj = G.data(B.nodes[j]);
        NumberNode(bj, n, i, s);
        s += InteriorNodeSections(bj, G.data(B.edges[j - 1]), G.data(B.edges[j]));
        NumberLink(G, B.edges[j], B.nodes[j], n, s - 1);
        ++i;
    }
    NodeData& bm = G.data(B.nodes.back());
    if (!IsOutfallType(bm) && bm.nodeType != node_type::kStorage) {
        B.numberOfSections = s;
        return;
    }
    bool storageOutlet = IsConvertedOutfall(bm);
    if (first && n == 1) {
        outletSections = s;
        NumberNode(bm, 1, i, s);
        if (storageOutlet) {
            B.isStorageOutletBranch = true;
            outletSections = s + 1;
            B.numberOfSections = s + 1;
        } else {
            B.numberOfSections = s;
        }
        return;
    }
    if (!bm.numbered) {
        NumberNode(bm, n, i, s);
        if (storageOutlet) {
            ++s;
            B.isStorageOutletBranch = true;
        }
    }
    B.numberOfSections = s;
}

// Records the branch and section met at B's last node. Branches ending at an
// outfall-type node that no branch has linked yet connect to branch 1, the
// outlet branch, marked by a negative section number.
void ConnectLastNode(graph_fld& G, CBranch& B, bool first, std::int32_t outletSections) {
    NodeData& bm = G.data(B.nodes.back());
    bool outfallEnd =
        IsOutfallType(bm) || (bm.nodeType == node_type::kStorage && bm.convertedToOutfall);
    if (outfallEnd && first && B.branchNumber == 1) {
        B.outBranchNumber = 0;
        B.outUpSectionNumber = 0;
        bm.outfallLinked = true;
    } else if (outfallEnd && (first || !bm.outfallLinked)) {
        B.outBranchNumber = 1;
        B.outUpSectionNumber = -outletSections;
        bm.outfallLinked = true;
    } else {
        B.outBranchNumber = bm.branchNumber;
        B.outUpSectionNumber = bm.upStreamSectionNumber;
    }
    B.inBranchNumber = 0;
    B.inUpSectionNumber = 0;
}

}  // namespace

void CBranchFinder::NumberTreeBranches(std::int32_t& branchCounter,
                                       std::int32_t& outletSectionCount) {
    std::int32_t n = branchCounter;
    for (std::size_t k = 0; k < treeBranches.size(); ++k, ++n) {
        NumberBranch(*graph, *treeBranches[k], n, k == 0, isSingleNode, outletSectionCount);
    }
    n = branchCounter;
    for (std::size_t k = 0; k < treeBranches.size(); ++k, ++n) {
        ConnectLastNode(*graph, *treeBranches[k], k == 0, outletSectionCount);
    }
    branchCounter = n;
}
