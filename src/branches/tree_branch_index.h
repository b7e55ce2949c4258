#pragma once

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "branches/branch_finder.h"

// Which tree branches of a worker start and end at each node, in list order.
// Lengthening loop branches asks for the first branch starting or ending at a
// node many times while it consumes and joins branches; the index answers as
// a scan of the list would, at the cost of keeping itself current. Removed
// branches leave an empty slot in the list until Compact.
class TreeBranchIndex {
public:
    explicit TreeBranchIndex(CBranchFinder::BranchList& list) : list_(list) {
        for (std::size_t pos = 0; pos < list_.size(); ++pos) {
            CBranch* b = list_[pos].get();
            Entry e{pos, b->nodes.front(), b->nodes.back()};
            entries_[b] = e;
            Insert(starts_, e.first, pos);
            Insert(ends_, e.last, pos);
        }
    }

    // The first branch whose first node is n, or null.
    CBranch* StartingAt(GTL::node n) const {
        const std::vector<std::size_t>* at = Find(starts_, n);
        return at && !at->empty() ? list_[at->front()].get() : nullptr;
    }
    // The first branch after the list's first one whose last node is n, or null.
    CBranch* EndingAt(GTL::node n) const {
        const std::vector<std::size_t>* at = Find(ends_, n);
        if (!at) {
            return nullptr;
        }
        for (std::size_t pos : *at) {
            if (pos != FirstLive()) {
                return list_[pos].get();
            }
        }
        return nullptr;
    }
    // Branches whose last node is n, counted up to 2.
    std::int32_t CountEndingAt(GTL::node n) const {
        const std::vector<std::size_t>* at = Find(ends_, n);
        return at ? static_cast<std::int32_t>(std::min<std::size_t>(at->size(), 2)) : 0;
    }

    // B's first node has become its current first node.
    void FirstNodeChanged(CBranch* b) {
        Entry& e = entries_.at(b);
        Erase(starts_, e.first, e.pos);
        e.first = b->nodes.front();
        Insert(starts_, e.first, e.pos);
    }
    void LastNodeChanged(CBranch* b) {
        Entry& e = entries_.at(b);
        Erase(ends_, e.last, e.pos);
        e.last = b->nodes.back();
        Insert(ends_, e.last, e.pos);
    }
    // Destroys b (its node and link lists already emptied or handed on).
    void Remove(CBranch* b) {
        Entry e = entries_.at(b);
        Erase(starts_, e.first, e.pos);
        Erase(ends_, e.last, e.pos);
        entries_.erase(b);
        list_[e.pos].reset();
    }
    void Compact() {
        std::erase_if(list_, [](const auto& b) { return !b; });
    }

private:
    using PositionsAt = std::unordered_map<std::int32_t, std::vector<std::size_t>>;
    struct Entry {
        std::size_t pos;
        GTL::node first;
        GTL::node last;
    };

    std::size_t FirstLive() const {
        while (firstLive_ < list_.size() && !list_[firstLive_]) {
            ++firstLive_;
        }
        return firstLive_;
    }
    static const std::vector<std::size_t>* Find(const PositionsAt& map, GTL::node n) {
        auto it = map.find(n.id);
        return it == map.end() ? nullptr : &it->second;
    }
    static void Insert(PositionsAt& map, GTL::node n, std::size_t pos) {
        std::vector<std::size_t>& v = map[n.id];
        v.insert(std::lower_bound(v.begin(), v.end(), pos), pos);
    }
    static void Erase(PositionsAt& map, GTL::node n, std::size_t pos) {
        std::vector<std::size_t>& v = map[n.id];
        v.erase(std::lower_bound(v.begin(), v.end(), pos));
    }

    CBranchFinder::BranchList& list_;
    std::unordered_map<CBranch*, Entry> entries_;
    PositionsAt starts_;
    PositionsAt ends_;
    mutable std::size_t firstLive_ = 0;
};
