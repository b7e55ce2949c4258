#pragma once

#include <cstdint>
#include <vector>

#include "parser/branch.h"

// Number of counted loop branches that start or end at each node (a branch
// with both ends at one node counts once there). Lengthening loop branches
// asks this for many nodes; keeping it current as branches are made and
// lengthened answers in O(1) what a scan over every loop branch list would.
class LoopEndIndex {
public:
    void Add(const CBranch& b) { Change(b, +1); }
    void Remove(const CBranch& b) { Change(b, -1); }
    std::int32_t Count(GTL::node n) const {
        return static_cast<std::size_t>(n.id) < counts_.size() ? counts_[n.id] : 0;
    }

private:
    void Change(const CBranch& b, std::int32_t delta) {
        if (b.nodes.empty()) {
            return;
        }
        Bump(b.nodes.front(), delta);
        if (b.nodes.back() != b.nodes.front()) {
            Bump(b.nodes.back(), delta);
        }
    }
    void Bump(GTL::node n, std::int32_t delta) {
        if (static_cast<std::size_t>(n.id) >= counts_.size()) {
            counts_.resize(static_cast<std::size_t>(n.id) + 1, 0);
        }
        counts_[n.id] += delta;
    }

    std::vector<std::int32_t> counts_;
};
