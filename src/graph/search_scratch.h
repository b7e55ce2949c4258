#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graph/handles.h"
#include "graph/stamped_table.h"

// Dense per-node (or per-link) tables that searches borrow from the graph
// they run on. A parse runs hundreds of searches over one graph, a few at a
// time; reusing the tables spares each of them the set-up of maps as large as
// the part of the network it reaches. Each kind of table has its own pool, so
// a search borrows only the tables it uses.
template <class T>
class table_pool {
public:
    std::unique_ptr<stamped_table<T>> lend() {
        // Room for every table out to come back without allocating.
        spare_.reserve(spare_.size() + ++out_);
        if (spare_.empty()) {
            return std::make_unique<stamped_table<T>>();
        }
        std::unique_ptr<stamped_table<T>> table = std::move(spare_.back());
        spare_.pop_back();
        return table;
    }
    void take_back(std::unique_ptr<stamped_table<T>> table) noexcept {
        --out_;
        spare_.push_back(std::move(table));
    }
    // Frees the spare tables (a parse is over and the graph stays).
    void release() noexcept { spare_.clear(); }

private:
    std::vector<std::unique_ptr<stamped_table<T>>> spare_;
    std::size_t out_ = 0;
};

// A table borrowed for the life of the lease.
template <class T>
class table_lease {
public:
    explicit table_lease(table_pool<T>& pool) : pool_(pool), table_(pool.lend()) {}
    ~table_lease() { pool_.take_back(std::move(table_)); }
    table_lease(const table_lease&) = delete;
    table_lease& operator=(const table_lease&) = delete;

    stamped_table<T>& operator*() const { return *table_; }
    stamped_table<T>* operator->() const { return table_.get(); }

private:
    table_pool<T>& pool_;
    std::unique_ptr<stamped_table<T>> table_;
};

// What a breadth-first search knows of a node it discovered.
struct level_entry {
    std::int32_t level = 0;
    GTL::edge via;  // the link it was discovered by (null at the start)
};

// The pools of one graph: breadth-first levels, depth-first entry positions
// and the links a depth-first search has used.
struct search_tables {
    table_pool<level_entry> levels;
    table_pool<std::int32_t> positions;
    table_pool<char> usedLinks;

    void release() noexcept {
        levels.release();
        positions.release();
        usedLinks.release();
    }
};
