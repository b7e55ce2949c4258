#pragma once

#include <memory>
#include <vector>

#include "graph/handles.h"
#include "graph/stamped_table.h"

// Dense per-node tables that a search borrows from the graph it runs on for
// as long as it lives. A parse runs hundreds of searches over one graph, one
// or two at a time; reusing the tables spares each of them the set-up of maps
// as large as the part of the network it reaches.
struct search_scratch {
    stamped_table<int> levels;
    std::vector<GTL::node> queue;
    // The link by which a depth-first search entered each node (null at its
    // start); a slot written in this run marks the node as entered.
    stamped_table<GTL::edge> entered;
    // Where a depth-first search entered each node, counted from its run's
    // first node, and which links it has used (for its back links).
    stamped_table<int> positions;
    stamped_table<char> usedLinks;
    // Spare tables form a list in the lending graph.
    std::unique_ptr<search_scratch> nextSpare;
};

// Lends spare tables and takes them back; holds them until it is destroyed.
class scratch_lender {
public:
    std::unique_ptr<search_scratch> lend() {
        if (!spare_) {
            return std::make_unique<search_scratch>();
        }
        std::unique_ptr<search_scratch> s = std::move(spare_);
        spare_ = std::move(s->nextSpare);
        return s;
    }
    void take_back(std::unique_ptr<search_scratch> s) noexcept {
        s->nextSpare = std::move(spare_);
        spare_ = std::move(s);
    }
    // Frees the spare tables (a parse is over and the graph stays).
    void release() noexcept {
        while (spare_) {
            spare_ = std::move(spare_->nextSpare);
        }
    }
    ~scratch_lender() { release(); }

private:
    std::unique_ptr<search_scratch> spare_;
};

// Tables borrowed for one scope.
class scratch_lease {
public:
    explicit scratch_lease(scratch_lender& lender) : lender_(lender), tables_(lender.lend()) {}
    ~scratch_lease() { lender_.take_back(std::move(tables_)); }
    scratch_lease(const scratch_lease&) = delete;
    scratch_lease& operator=(const scratch_lease&) = delete;

    search_scratch& operator*() const { return *tables_; }
    search_scratch* operator->() const { return tables_.get(); }

private:
    scratch_lender& lender_;
    std::unique_ptr<search_scratch> tables_;
};
