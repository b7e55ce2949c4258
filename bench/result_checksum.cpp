#include "result_checksum.h"

#include <bit>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

#include "host/result_reader.h"
#include "rivo/record_fields.h"

namespace rivo_bench {

namespace {

namespace host = rivo::host;

// Folds the values in the order the checksums were first recorded in, which
// puts the counts and lists of the summary after the node and link answers.
class Checksum : public host::ResultVisitor {
public:
    void Summary(const host::ResultSummary&) override {}

    void Branches(host::BranchList list, std::size_t,
                  std::span<const host::BranchResult> piece) override {
        auto& count = list == host::BranchList::kBranches ? tally_.branches : tally_.loops;
        count += static_cast<std::int32_t>(piece.size());
        for (const host::BranchResult& branch : piece) {
            Branch(branch);
        }
    }

    void SummaryEnd(const host::ResultSummary& summary) override {
        for (const host::PumpLinkResult& p : summary.pumpLinks) {
            Mix(p.pumpLinkID, p.upStreamNodeID, p.downStreamNodeID, p.upStreamBranchNumber,
                p.downStreamBranchNumber, p.upStreamNodeUpSectionNumber,
                p.downStreamNodeUpSectionNumber);
        }
        tail_ = {summary.containsLoop,    summary.numberOfNodes,   summary.numberOfLinks,
                 summary.isolatedNodeIDs, summary.isolatedEdgeIDs, summary.removedOutfallIDs,
                 summary.gutters};
    }

#define RIVO_MIX(type, name, ...) Mix(a.name);
    void Node(const host::NodeAnswers& a) override {
        RIVO_NODE_ANSWER_FIELDS(RIVO_MIX);
    }
    void Link(const host::LinkAnswers& a) override {
        RIVO_LINK_ANSWER_FIELDS(RIVO_MIX);
    }
#undef RIVO_MIX

    ReadTally Finish() {
        Mix(tail_.containsLoop, tail_.numberOfNodes, tail_.numberOfLinks);
        for (const auto* list : {&tail_.isolatedNodeIDs, &tail_.isolatedEdgeIDs, &tail_.removed}) {
            for (const std::int32_t id : *list) {
                Mix(id);
            }
        }
        for (const host::GutterResult& gutter : tail_.gutters) {
            Mix(gutter.id, gutter.sameDirectionAsUI);
        }
        return tally_;
    }

private:
    void Branch(const host::BranchResult& b) {
        Mix(b.branchNumber, b.downStreamBranchNumber, b.downStreamUpSectionNumber,
            b.upStreamBranchNumber, b.upStreamUpSectionNumber, b.numberOfSections,
            b.isStorageOutletBranch, b.isSingleStorageNodeBranch);
        for (const auto* ids : {&b.nodeIDs, &b.edgeIDs}) {
            for (const std::int32_t id : *ids) {
                Mix(id);
            }
        }
    }

    template <class... T>
    void Mix(const T&... values) {
        (MixOne(values), ...);
    }

    // A query that raised adds nothing but its count.
    template <class T>
    void MixOne(const std::optional<T>& value) {
        if (value) {
            MixOne(*value);
        } else {
            ++tally_.errors;
        }
    }

    template <class T>
    void MixOne(T value) {
        std::uint64_t bits = 0;
        if constexpr (std::is_floating_point_v<T>) {
            bits = std::bit_cast<std::uint64_t>(static_cast<double>(value));
        } else {
            bits = static_cast<std::uint64_t>(value);
        }
        tally_.checksum = (tally_.checksum ^ bits) * 0x100000001b3ull;
    }

    struct Tail {
        bool containsLoop = false;
        std::int32_t numberOfNodes = 0;
        std::int32_t numberOfLinks = 0;
        std::vector<std::int32_t> isolatedNodeIDs;
        std::vector<std::int32_t> isolatedEdgeIDs;
        std::vector<std::int32_t> removed;
        std::vector<host::GutterResult> gutters;
    };

    ReadTally tally_;
    Tail tail_;
};

}  // namespace

ReadTally ReadEverything(Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                         std::span<const std::int32_t> nodeIDs,
                         std::span<const std::int32_t> linkIDs) {
    Checksum checksum;
    host::ReadResult(parser, nodeIDs, linkIDs, checksum);
    return checksum.Finish();
}

}  // namespace rivo_bench
