#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "branches/branch_finder.h"
#include "graph/id_index.h"

// The positions of branches at each node, rising: one short linked list per
// node, all in one pool, found through an open-addressing table. A worker
// has thousands of branches, and a map of vectors made two allocations per
// node and a hash-table node per entry.
class PositionsByNode {
public:
    explicit PositionsByNode(std::size_t expected) { pool_.reserve(expected); }

    // The first position at n, or -1; the one after position k's, or -1.
    std::int32_t First(GTL::node n) const {
        std::int32_t list = lists_.find(n.id);
        return list < 0 ? -1 : heads_[static_cast<std::size_t>(list)];
    }
    std::int32_t Next(std::int32_t k) const { return pool_[static_cast<std::size_t>(k)].next; }
    std::int32_t Position(std::int32_t k) const {
        return pool_[static_cast<std::size_t>(k)].position;
    }

    // Adds pos at n, before any equal position.
    void Insert(GTL::node n, std::int32_t pos) {
        std::int32_t k = NewLink(pos);
        std::int32_t list = lists_.find(n.id);
        if (list < 0) {
            list = static_cast<std::int32_t>(heads_.size());
            heads_.push_back(-1);
            lists_.insert(n.id, list);
        }
        std::int32_t* at = &heads_[static_cast<std::size_t>(list)];
        while (*at >= 0 && Position(*at) < pos) {
            at = &pool_[static_cast<std::size_t>(*at)].next;
        }
        pool_[static_cast<std::size_t>(k)].next = *at;
        *at = k;
    }
    // Removes pos, present at n.
    void Erase(GTL::node n, std::int32_t pos) {
        std::int32_t* at = &heads_[static_cast<std::size_t>(lists_.find(n.id))];
        while (Position(*at) != pos) {
            at = &pool_[static_cast<std::size_t>(*at)].next;
        }
        std::int32_t k = *at;
        *at = Next(k);
        pool_[static_cast<std::size_t>(k)].next = free_;
        free_ = k;
    }

private:
    struct Link {
        std::int32_t position;
        std::int32_t next;
    };

    std::int32_t NewLink(std::int32_t pos) {
        if (free_ >= 0) {
            std::int32_t k = free_;
            free_ = Next(k);
            pool_[static_cast<std::size_t>(k)].position = pos;
            return k;
        }
        pool_.push_back(Link{pos, -1});
        return static_cast<std::int32_t>(pool_.size()) - 1;
    }

    IdHash lists_;                     // node ID to its list
    std::vector<std::int32_t> heads_;  // each list's first link, -1 when empty
    std::vector<Link> pool_;
    std::int32_t free_ = -1;  // links given back, chained through next
};

// Which tree branches of a worker start and end at each node, in list order.
// Lengthening loop branches asks for the first branch starting or ending at a
// node many times while it consumes and joins branches; the index answers as
// a scan of the list would, at the cost of keeping itself current. Removed
// branches leave an empty slot in the list until Compact.
class TreeBranchIndex {
public:
    explicit TreeBranchIndex(CBranchFinder::BranchList& list)
        : list_(list), starts_(list.size()), ends_(list.size()) {
        entries_.reserve(list_.size());
        byAddress_.reserve(list_.size());
        for (std::size_t pos = 0; pos < list_.size(); ++pos) {
            CBranch* b = list_[pos].get();
            auto at = static_cast<std::int32_t>(pos);
            entries_.push_back(Entry{b->nodes.front(), b->nodes.back()});
            byAddress_.emplace_back(b, at);
            starts_.Insert(b->nodes.front(), at);
            ends_.Insert(b->nodes.back(), at);
        }
        std::sort(byAddress_.begin(), byAddress_.end(), ByAddress);
    }

    // The first branch whose first node is n, or null.
    CBranch* StartingAt(GTL::node n) const {
        std::int32_t k = starts_.First(n);
        return k < 0 ? nullptr : list_[static_cast<std::size_t>(starts_.Position(k))].get();
    }
    // The first branch after the list's first one whose last node is n, or null.
    CBranch* EndingAt(GTL::node n) const {
        for (std::int32_t k = ends_.First(n); k >= 0; k = ends_.Next(k)) {
            auto pos = static_cast<std::size_t>(ends_.Position(k));
            if (pos != FirstLive()) {
                return list_[pos].get();
            }
        }
        return nullptr;
    }
    // Branches whose last node is n, counted up to 2.
    std::int32_t CountEndingAt(GTL::node n) const {
        std::int32_t count = 0;
        for (std::int32_t k = ends_.First(n); k >= 0 && count < 2; k = ends_.Next(k)) {
            ++count;
        }
        return count;
    }

    // B's first node has become its current first node.
    void FirstNodeChanged(CBranch* b) {
        std::int32_t pos = PositionOf(b);
        Entry& e = entries_[static_cast<std::size_t>(pos)];
        starts_.Erase(e.first, pos);
        e.first = b->nodes.front();
        starts_.Insert(e.first, pos);
    }
    void LastNodeChanged(CBranch* b) {
        std::int32_t pos = PositionOf(b);
        Entry& e = entries_[static_cast<std::size_t>(pos)];
        ends_.Erase(e.last, pos);
        e.last = b->nodes.back();
        ends_.Insert(e.last, pos);
    }
    // Destroys b (its node and link lists already emptied or handed on).
    void Remove(CBranch* b) {
        std::int32_t pos = PositionOf(b);
        const Entry& e = entries_[static_cast<std::size_t>(pos)];
        starts_.Erase(e.first, pos);
        ends_.Erase(e.last, pos);
        list_[static_cast<std::size_t>(pos)].reset();
    }
    void Compact() {
        std::erase_if(list_, [](const auto& b) { return !b; });
    }

private:
    struct Entry {
        GTL::node first;
        GTL::node last;
    };

    // Branches are found by address in a sorted table: the list holds them
    // by owner, and they carry no position of their own.
    std::int32_t PositionOf(CBranch* b) const {
        return std::lower_bound(byAddress_.begin(), byAddress_.end(), Addressed{b, -1}, ByAddress)
            ->second;
    }
    using Addressed = std::pair<CBranch*, std::int32_t>;
    static bool ByAddress(const Addressed& a, const Addressed& b) {
        return std::less<CBranch*>{}(a.first, b.first);
    }
    std::size_t FirstLive() const {
        while (firstLive_ < list_.size() && !list_[firstLive_]) {
            ++firstLive_;
        }
        return firstLive_;
    }

    CBranchFinder::BranchList& list_;
    std::vector<Entry> entries_;  // by position
    std::vector<Addressed> byAddress_;
    PositionsByNode starts_;
    PositionsByNode ends_;
    mutable std::size_t firstLive_ = 0;
};
