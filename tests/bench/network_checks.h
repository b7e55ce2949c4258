#pragma once

#include <cstdint>
#include <numeric>
#include <ostream>
#include <unordered_map>
#include <vector>

#include "network_generator.h"

namespace rivo_bench {
// Names profiles in test output.
inline void PrintTo(Profile profile, std::ostream* out) {
    *out << ProfileName(profile);
}
}  // namespace rivo_bench

// Independent readings of a generated network, for the generator's tests.
namespace rivo_bench::testing {

// A link seen from one of its nodes.
struct Arm {
    std::size_t link;
    std::size_t other;  // node index at the far end
    double here;        // the link's level at this node
    double there;       // its level at the far end
};

class NetworkView {
public:
    explicit NetworkView(const Network& network) : network_(network) {
        for (std::size_t i = 0; i < network.nodes.size(); ++i) {
            index_[network.nodes[i].id] = i;
        }
        arms_.resize(network.nodes.size());
        for (std::size_t k = 0; k < network.links.size(); ++k) {
            const Link& l = network.links[k];
            if (!HasNode(l.source) || !HasNode(l.target)) {
                continue;
            }
            std::size_t s = Index(l.source);
            std::size_t t = Index(l.target);
            arms_[s].push_back({k, t, l.sourceElevation, l.targetElevation});
            arms_[t].push_back({k, s, l.targetElevation, l.sourceElevation});
        }
    }

    bool HasNode(std::int32_t id) const { return index_.count(id) != 0; }
    std::size_t Index(std::int32_t id) const { return index_.at(id); }
    const Node& NodeAt(std::size_t i) const { return network_.nodes[i]; }
    const Link& LinkAt(std::size_t k) const { return network_.links[k]; }
    const std::vector<Arm>& Arms(std::size_t i) const { return arms_[i]; }

    // Links water runs through: pipes and pressure mains, not controls.
    bool Carries(const Arm& a) const { return !link_kind::IsSetAside(LinkAt(a.link).type); }

    // A pipe falling away from its node, or a pressure main, which a pump
    // drives either way.
    bool Leaves(const Arm& a) const {
        return Carries(a) && (LinkAt(a.link).type == link_kind::kPressureMain || a.here > a.there);
    }

    bool IsLowPoint(std::size_t i) const {
        for (const Arm& a : arms_[i]) {
            if (Leaves(a)) {
                return false;
            }
        }
        return true;
    }

    // Nodes from which water reaches an outfall or a storage low point by
    // running downhill, through pressure mains and through pump links.
    std::vector<char> Drained() const {
        std::vector<char> reached(arms_.size(), 0);
        std::vector<std::size_t> queue;
        for (std::size_t i = 0; i < arms_.size(); ++i) {
            bool sink = NodeAt(i).type == node_kind::kStorage && IsLowPoint(i);
            if (NodeAt(i).type == node_kind::kOutfall || sink) {
                reached[i] = 1;
                queue.push_back(i);
            }
        }
        std::unordered_map<std::size_t, std::vector<std::size_t>> pumpedFrom;
        for (const PumpLink& p : network_.pumpLinks) {
            pumpedFrom[Index(p.downNode)].push_back(Index(p.upNode));
        }
        for (std::size_t q = 0; q < queue.size(); ++q) {
            std::size_t v = queue[q];
            std::vector<std::size_t> feeders = pumpedFrom[v];
            for (const Arm& a : arms_[v]) {
                if (Leaves(Arm{a.link, v, a.there, a.here})) {
                    feeders.push_back(a.other);
                }
            }
            for (std::size_t u : feeders) {
                if (!reached[u]) {
                    reached[u] = 1;
                    queue.push_back(u);
                }
            }
        }
        return reached;
    }

    // Connected parts of the network made by the links `use` accepts.
    template <class Use>
    std::size_t Components(Use use) const {
        std::vector<std::size_t> root(arms_.size());
        std::iota(root.begin(), root.end(), std::size_t{0});
        auto find = [&](std::size_t x) {
            while (root[x] != x) {
                x = root[x] = root[root[x]];
            }
            return x;
        };
        std::size_t parts = arms_.size();
        for (const Link& l : network_.links) {
            if (use(l)) {
                std::size_t a = find(Index(l.source));
                std::size_t b = find(Index(l.target));
                parts -= a != b ? 1 : 0;
                root[a] = b;
            }
        }
        return parts;
    }

    // Independent loops (cycle rank) of the links `use` accepts.
    template <class Use>
    std::int64_t Loops(Use use) const {
        std::int64_t links = 0;
        for (const Link& l : network_.links) {
            links += use(l) ? 1 : 0;
        }
        return links - static_cast<std::int64_t>(arms_.size()) +
               static_cast<std::int64_t>(Components(use));
    }

private:
    const Network& network_;
    std::unordered_map<std::int32_t, std::size_t> index_;
    std::vector<std::vector<Arm>> arms_;
};

inline bool IsPipe(const Link& l) {
    return l.type == link_kind::kPipe;
}
inline bool CarriesWater(const Link& l) {
    return !link_kind::IsSetAside(l.type);
}

}  // namespace rivo_bench::testing
