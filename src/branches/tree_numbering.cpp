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

// Where numbering along a branch has come: the next section and node index.
struct Place {
    std::int32_t section;
    std::int32_t index;
};

// Numbers the links of branch n and the nodes before its last: the first node
// with index 1, each interior node with its index and section. A node takes
// the sections from its own up to its link's.
Place NumberChain(graph_fld& G, CBranch& B, std::int32_t n) {
    NodeData& b0 = G.data(B.nodes.front());
    std::int32_t firstSections = FirstNodeSections(b0, G.data(B.edges[0]));
    b0.indexInBranch = 1;
    NumberLink(G, B.edges[0], B.nodes[0], n, firstSections);
    Place at{firstSections + 1, 2};
    for (std::size_t j = 1; j < B.edges.size(); ++j) {
        NodeData& bj = G.data(B.nodes[j]);
        NumberNode(bj, n, at.index, at.section);
        at.section += InteriorNodeSections(bj, G.data(B.edges[j - 1]), G.data(B.edges[j]));
        NumberLink(G, B.edges[j], B.nodes[j], n, at.section - 1);
        ++at.index;
    }
    return at;
}

// A branch ending at an outfall or storage node numbers that node, unless
// another branch numbered it first; branch 1 always does, and its section
// count is what later branches ending at an outfall connect to. A converted
// storage node at the end adds a section for its storage.
void NumberLastNode(NodeData& bm, CBranch& B, std::int32_t n, bool first, Place at,
                    std::int32_t& outletSections) {
    bool storageOutlet = IsConvertedOutfall(bm);
    if (first && n == 1) {
        outletSections = at.section;
        NumberNode(bm, 1, at.index, at.section);
        if (storageOutlet) {
            B.isStorageOutletBranch = true;
            outletSections = at.section + 1;
            B.numberOfSections = at.section + 1;
        } else {
            B.numberOfSections = at.section;
        }
        return;
    }
    if (!bm.numbered) {
        NumberNode(bm, n, at.index, at.section);
        if (storageOutlet) {
            ++at.section;
            B.isStorageOutletBranch = true;
        }
    }
    B.numberOfSections = at.section;
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
    if (B.edges.empty()) {  // a lone node that is not a storage node branch: nothing to count
        B.numberOfSections = 2;
        return;
    }
    Place at = NumberChain(G, B, n);
    NodeData& bm = G.data(B.nodes.back());
    if (!IsOutfallType(bm) && bm.nodeType != node_type::kStorage) {
        B.numberOfSections = at.section;  // a dead end: its last node is left as it is
        return;
    }
    NumberLastNode(bm, B, n, first, at, outletSections);
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
