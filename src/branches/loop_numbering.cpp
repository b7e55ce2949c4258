#include <algorithm>

#include "branches/branch_finder.h"

namespace {

bool IsSingleSectionLoopLink(const CEdgeData& d) {
    return d.edgeType == edge_type::kSingleSectionNeighbour || d.edgeType == edge_type::kOrifice;
}

// Inside a loop branch a type-3 node takes one section between links of
// type 4 or 5.
std::int32_t LoopInteriorSections(const NodeData& n, const CEdgeData& before,
                                  const CEdgeData& after) {
    bool oneSection = n.nodeType == node_type::kSingleSection && IsSingleSectionLoopLink(before) &&
                      IsSingleSectionLoopLink(after);
    return oneSection ? 1 : 2;
}

}  // namespace

// A pressure main kept as a loop branch between two points of one branch is
// turned around, so that it runs the other way along that branch.
void CBranchFinder::OrientLoopBranches() {
    for (auto& B : loopBranches) {
        const NodeData& F = graph->data(B->nodes.front());
        const NodeData& L = graph->data(B->nodes.back());
        if (F.branchNumber != L.branchNumber) {
            continue;
        }
        bool allPressureMain = std::all_of(B->edges.begin(), B->edges.end(), [&](GTL::edge e) {
            return graph->data(e).edgeType == edge_type::kPressureMain;
        });
        if (allPressureMain) {
            B->nodes.reverse();
            B->edges.reverse();
        }
    }
}

void CBranchFinder::NumberLoopBranches(std::int32_t& branchCounter) {
    for (auto& B : loopBranches) {
        NumberLoopBranch(*graph, *B, branchCounter);
    }
}

void NumberLoopBranch(graph_fld& G, CBranch& B, std::int32_t& branchCounter) {
    std::int32_t c = branchCounter;
    B.branchNumber = c;
    GTL::node first = B.nodes.front();
    const NodeData& F = G.data(first);
    B.inBranchNumber = F.branchNumber;
    B.inUpSectionNumber = F.upStreamSectionNumber;
    std::int32_t s = 2;
    if (!B.edges.empty()) {
        CEdgeData& e1 = G.data(B.edges[0]);
        e1.upStreamSectionNumber = 1;
        e1.parserDirectionSameAsUI = e1.sourceNode == first;
        for (std::size_t j = 1; j + 1 < B.nodes.size(); ++j) {
            NodeData& N = G.data(B.nodes[j]);
            N.upStreamSectionNumber = s;
            CEdgeData& D = G.data(B.edges[j]);
            s += LoopInteriorSections(N, G.data(B.edges[j - 1]), D);
            D.upStreamSectionNumber = s - 1;
            D.parserDirectionSameAsUI = D.sourceNode == B.nodes[j];
        }
    }
    const NodeData& L = G.data(B.nodes.back());
    if (IsOutfallType(L) && !L.convertedToOutfall && !L.outfallLinked) {
        B.outBranchNumber = 0;
        B.outUpSectionNumber = 0;
    } else {
        B.outBranchNumber = L.branchNumber;
        B.outUpSectionNumber = L.upStreamSectionNumber;
    }
    for (GTL::edge e : B.edges) {
        G.data(e).branchNumber = c;
    }
    branchCounter = c + 1;
    B.numberOfSections = s;
}
