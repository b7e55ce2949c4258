#include "floor_walk.h"

#include <algorithm>
#include <vector>

namespace rivo_bench {

namespace {

constexpr std::int32_t kNone = -1;

// Neighbours of every node in one array, node v's from first[v] to first[v+1].
struct Adjacency {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> neighbours;
};

// Dense node numbers by host ID; links with an end no node has are left out.
std::vector<std::int32_t> NumberByID(const Network& network) {
    std::int32_t top = 0;
    for (const Node& n : network.nodes) {
        top = std::max(top, n.id);
    }
    std::vector<std::int32_t> number(static_cast<std::size_t>(top) + 1, kNone);
    for (std::size_t v = 0; v < network.nodes.size(); ++v) {
        if (network.nodes[v].id >= 0) {
            number[static_cast<std::size_t>(network.nodes[v].id)] = static_cast<std::int32_t>(v);
        }
    }
    return number;
}

std::int32_t Lookup(const std::vector<std::int32_t>& number, std::int32_t id) {
    return id >= 0 && static_cast<std::size_t>(id) < number.size()
               ? number[static_cast<std::size_t>(id)]
               : kNone;
}

Adjacency BuildAdjacency(const Network& network, const std::vector<std::int32_t>& number) {
    std::size_t n = network.nodes.size();
    Adjacency a;
    a.first.assign(n + 1, 0);
    for (const Link& l : network.links) {
        std::int32_t s = Lookup(number, l.source);
        std::int32_t t = Lookup(number, l.target);
        if (s != kNone && t != kNone) {
            ++a.first[static_cast<std::size_t>(s) + 1];
            ++a.first[static_cast<std::size_t>(t) + 1];
        }
    }
    for (std::size_t v = 0; v < n; ++v) {
        a.first[v + 1] += a.first[v];
    }
    a.neighbours.resize(static_cast<std::size_t>(a.first[n]));
    std::vector<std::int32_t> fill(a.first.begin(), a.first.end() - 1);
    for (const Link& l : network.links) {
        std::int32_t s = Lookup(number, l.source);
        std::int32_t t = Lookup(number, l.target);
        if (s != kNone && t != kNone) {
            a.neighbours[static_cast<std::size_t>(fill[static_cast<std::size_t>(s)]++)] = t;
            a.neighbours[static_cast<std::size_t>(fill[static_cast<std::size_t>(t)]++)] = s;
        }
    }
    return a;
}

std::uint64_t BreadthFirst(const Adjacency& a, std::int32_t start, std::vector<char>& seen,
                           std::vector<std::int32_t>& queue) {
    std::uint64_t sum = 0;
    queue.clear();
    queue.push_back(start);
    seen[static_cast<std::size_t>(start)] = 1;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        std::int32_t v = queue[head];
        sum += head * static_cast<std::uint64_t>(v);
        for (std::int32_t k = a.first[static_cast<std::size_t>(v)];
             k < a.first[static_cast<std::size_t>(v) + 1]; ++k) {
            std::int32_t w = a.neighbours[static_cast<std::size_t>(k)];
            if (!seen[static_cast<std::size_t>(w)]) {
                seen[static_cast<std::size_t>(w)] = 1;
                queue.push_back(w);
            }
        }
    }
    return sum;
}

// Without recursion: the stack holds each open node and its next neighbour.
std::uint64_t DepthFirst(const Adjacency& a, std::int32_t start, std::vector<char>& entered,
                         std::vector<std::pair<std::int32_t, std::int32_t>>& stack) {
    std::uint64_t sum = 0;
    std::uint64_t count = 0;
    stack.clear();
    stack.emplace_back(start, a.first[static_cast<std::size_t>(start)]);
    entered[static_cast<std::size_t>(start)] = 1;
    while (!stack.empty()) {
        auto& [v, next] = stack.back();
        if (next == a.first[static_cast<std::size_t>(v) + 1]) {
            stack.pop_back();
            continue;
        }
        std::int32_t w = a.neighbours[static_cast<std::size_t>(next++)];
        if (!entered[static_cast<std::size_t>(w)]) {
            entered[static_cast<std::size_t>(w)] = 1;
            sum += ++count * static_cast<std::uint64_t>(w);
            stack.emplace_back(w, a.first[static_cast<std::size_t>(w)]);
        }
    }
    return sum;
}

}  // namespace

FloorWalk WalkFloor(const Network& network) {
    std::vector<std::int32_t> number = NumberByID(network);
    Adjacency a = BuildAdjacency(network, number);
    std::size_t n = network.nodes.size();
    std::vector<char> seen(n, 0);
    std::vector<char> entered(n, 0);
    std::vector<std::int32_t> queue;
    std::vector<std::pair<std::int32_t, std::int32_t>> stack;
    FloorWalk walk;
    // In ID order, the first node of a component met is its lowest-ID node.
    for (std::int32_t v : number) {
        if (v != kNone && !seen[static_cast<std::size_t>(v)]) {
            ++walk.components;
            walk.checksum += BreadthFirst(a, v, seen, queue);
            walk.checksum += DepthFirst(a, v, entered, stack);
        }
    }
    return walk;
}

}  // namespace rivo_bench
