#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "branches/branch_finder.h"
#include "graph/id_index.h"

// The positions of branches at each node, rising, where each position is
// at one node at a time: one doubly linked list per node through a table by
// position, the lists found through an open-addressing table. A worker has
// thousands of branches, and the index is made for every worker with loops:
// this way it costs three flat arrays and no allocation per node or branch.
// Positions mostly come in rising order, and those go to the end of their
// list at once.
class PositionsByNode {
public:
    explicit PositionsByNode(std::size_t positions) : links_(positions) {}

    // The first position at n, or -1; the one after pos at its node, or -1.
    std::int32_t First(GTL::node n) const {
        std::int32_t list = lists_.find(n.id);
        return list < 0 ? -1 : ends_[static_cast<std::size_t>(list)].first;
    }
    std::int32_t Next(std::int32_t pos) const { return At(pos).next; }

    // Puts pos, at no node now, at n.
    void Insert(GTL::node n, std::int32_t pos) {
        std::int32_t list = lists_.find(n.id);
        if (list < 0) {
            list = static_cast<std::int32_t>(ends_.size());
            ends_.push_back(Ends{});
            lists_.insert(n.id, list);
        }
        Ends& l = ends_[static_cast<std::size_t>(list)];
        std::int32_t after = l.last;
        while (after >= 0 && after > pos) {
            after = At(after).prev;
        }
        std::int32_t before = after >= 0 ? At(after).next : l.first;
        At(pos) = Link{after, before};
        (after >= 0 ? At(after).next : l.first) = pos;
        (before >= 0 ? At(before).prev : l.last) = pos;
    }
    // Takes pos, now at n, out of n's list.
    void Erase(GTL::node n, std::int32_t pos) {
        Ends& l = ends_[static_cast<std::size_t>(lists_.find(n.id))];
        Link k = At(pos);
        (k.prev >= 0 ? At(k.prev).next : l.first) = k.next;
        (k.next >= 0 ? At(k.next).prev : l.last) = k.prev;
    }

private:
    struct Link {
        std::int32_t prev = -1;
        std::int32_t next = -1;
    };
    struct Ends {
        std::int32_t first = -1;
        std::int32_t last = -1;
    };

    Link& At(std::int32_t pos) { return links_[static_cast<std::size_t>(pos)]; }
    const Link& At(std::int32_t pos) const { return links_[static_cast<std::size_t>(pos)]; }

    IdHash lists_;             // node ID to its list
    std::vector<Ends> ends_;   // by list
    std::vector<Link> links_;  // by position
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
        return k < 0 ? nullptr : list_[static_cast<std::size_t>(k)].get();
    }
    // The first branch after the list's first one whose last node is n, or null.
    CBranch* EndingAt(GTL::node n) const {
        for (std::int32_t k = ends_.First(n); k >= 0; k = ends_.Next(k)) {
            auto pos = static_cast<std::size_t>(k);
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
