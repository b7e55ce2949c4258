#pragma once

#include <cstdint>
#include <vector>

#include "graph/gtl_graph.h"
#include "graph/id_index.h"

// Map from node or edge handles to values, holding only the entries written
// since the last clear. A search keeps its results in these, so its memory and
// its initialisation cost follow what it reaches, not the size of the graph:
// a parse keeps one search per outlet alive, and networks have thousands.
template <class Key, class T>
class sparse_map {
public:
    T get(Key k) const {
        std::int32_t slot = index_.find(k.id);
        return slot < 0 ? T{} : values_[slot];
    }
    T& operator[](Key k) {
        std::int32_t slot = index_.find(k.id);
        if (slot < 0) {
            slot = static_cast<std::int32_t>(values_.size());
            index_.insert(k.id, slot);
            values_.emplace_back();
        }
        return values_[slot];
    }

private:
    IdIndex index_;
    std::vector<T> values_;
};

template <class T>
using sparse_node_map = sparse_map<GTL::node, T>;
template <class T>
using sparse_edge_map = sparse_map<GTL::edge, T>;
