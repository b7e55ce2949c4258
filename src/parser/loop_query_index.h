#pragma once

#include <cstdint>
#include <vector>

#include "graph/id_index.h"
#include "parser/branch.h"

// Where a host node ID stands in the reported loop branches: the first loop
// branch holding it and the last one, each with the first position of the ID
// in that branch. Node queries fall back to the loop branches for nodes that
// no tree branch numbered; the index answers them without scanning every loop
// branch per query. Built on first use, dropped when the loop list changes.
class LoopQueryIndex {
public:
    struct Hit {
        std::int32_t loop = -1;  // position in the loop branch list, -1 for none
        std::int32_t position = 0;
    };

    void Invalidate() {
        built_ = false;
        ids_.clear();
        first_.clear();
        last_.clear();
    }

    Hit First(const std::vector<CBranch*>& loops, std::int32_t nodeID) {
        std::int32_t slot = Lookup(loops, nodeID);
        return slot < 0 ? Hit{} : first_[static_cast<std::size_t>(slot)];
    }
    Hit Last(const std::vector<CBranch*>& loops, std::int32_t nodeID) {
        std::int32_t slot = Lookup(loops, nodeID);
        return slot < 0 ? Hit{} : last_[static_cast<std::size_t>(slot)];
    }

private:
    std::int32_t Lookup(const std::vector<CBranch*>& loops, std::int32_t nodeID) {
        if (!built_) {
            Build(loops);
        }
        return ids_.find(nodeID);
    }

    void Build(const std::vector<CBranch*>& loops) {
        for (std::size_t i = 0; i < loops.size(); ++i) {
            const CBranch& b = *loops[i];
            // Only IDs the branch's table holds for its nodes can match.
            std::span<const std::int32_t> nodeIDs = b.NodeIDs();
            std::size_t count = std::min(b.nodes.size(), nodeIDs.size());
            for (std::size_t k = 0; k < count; ++k) {
                Record(nodeIDs[k], static_cast<std::int32_t>(i), static_cast<std::int32_t>(k));
            }
        }
        built_ = true;
    }

    void Record(std::int32_t id, std::int32_t loop, std::int32_t position) {
        std::int32_t slot = ids_.find(id);
        if (slot < 0) {
            ids_.insert(id, static_cast<std::int32_t>(first_.size()));
            first_.push_back(Hit{loop, position});
            last_.push_back(Hit{loop, position});
            return;
        }
        Hit& last = last_[static_cast<std::size_t>(slot)];
        if (last.loop != loop) {  // only the first position within a branch counts
            last = Hit{loop, position};
        }
    }

    bool built_ = false;
    IdIndex ids_;
    std::vector<Hit> first_;
    std::vector<Hit> last_;
};
