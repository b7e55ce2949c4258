#include "branches/branch_finder.h"

namespace {
constexpr double kLengthTolerance = 0.001;
}

// Carries the accumulated link length from v along b, and on into the first
// branch holding b's last node when that node is not the other branch's own
// end. Each step continues with one branch, so the descent is a loop.
void CBranchFinder::PropagatePathLength(GTL::node v, CBranch* b, double length) {
    // First tree branch, in list order, that holds each node. Lengths are
    // computed once the branches are final, so the index is made once.
    if (!firstHolder_) {
        firstHolder_ = std::make_unique<IdIndex>();
        for (std::size_t k = 0; k < treeBranches.size(); ++k) {
            for (GTL::node n : treeBranches[k]->nodes) {
                firstHolder_->insert(n.id, static_cast<std::int32_t>(k));
            }
        }
    }
    while (true) {
        std::size_t pos = 0;
        while (pos < b->nodes.size() && b->nodes[pos] != v) {
            ++pos;
        }
        NodeData& vd = graph->data(v);
        if (length >= kLengthTolerance && !(length > vd.longestPathLength + kLengthTolerance)) {
            return;
        }
        vd.longestPathLength = length;
        std::size_t last = b->nodes.size() - 1;
        for (std::size_t x = pos + 1; x < last; ++x) {
            double sum = graph->data(b->nodes[x - 1]).longestPathLength +
                         graph->data(b->edges[x - 1]).length;
            NodeData& xd = graph->data(b->nodes[x]);
            if (sum > xd.longestPathLength) {
                xd.longestPathLength = sum;
            }
        }
        GTL::node T = b->nodes[last];
        double lengthAtT = graph->data(b->nodes[last - 1]).longestPathLength +
                           graph->data(b->edges[last - 1]).length;
        CBranch* holder = treeBranches[static_cast<std::size_t>(firstHolder_->find(T.id))].get();
        if (holder->nodes.back() != T && holder != b) {
            v = T;
            b = holder;
            length = lengthAtT;
            continue;
        }
        NodeData& td = graph->data(T);
        if (lengthAtT > td.longestPathLength) {
            td.longestPathLength = lengthAtT;
        }
        return;
    }
}
