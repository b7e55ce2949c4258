#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The parse's two outlet passes: the first over the network as the host gave
// it, the second (for the longest branches) over the network the first pass
// prepared. Storage drops and pressure mains are found in the first only.
enum class ParsePass { kFirst, kSecond };

// The stages of a parse, in the order they first run. The worker stages run
// once per subnetwork; the longest-branch preparation runs between the passes
// and counts with the second.
enum class ParseStage : std::uint8_t {
    kAdjacency,
    kPondLinkLoops,
    kNumbering,
    kOutletSelection,
    kOutletOrder,
    kSubnetworks,
    kIsolatedNodes,
    kLoopLinks,
    kTreeCutting,
    kStorageDrops,
    kLoopLengthening,
    kPressureMains,
    kBranchIDTables,
    kTreeNumbering,
    kLoopNumbering,
    kPathLengths,
    kLoopSplitting,
    kRelease,
    kResults,
    kPumpLinks,
    kCount
};

inline constexpr std::size_t kParseStageCount = static_cast<std::size_t>(ParseStage::kCount);

inline constexpr std::array<std::string_view, kParseStageCount> kParseStageNames = {
    "adjacency lists",
    "pond link loops",
    "numbering for searches",
    "outlet selection",
    "outlet order",
    "subnetworks",
    "isolated nodes",
    "loop link selection",
    "tree cutting",
    "storage drops",
    "loop branch lengthening",
    "pressure mains",
    "branch ID tables",
    "tree numbering",
    "loop numbering",
    "path lengths",
    "loops opened at node copies",
    "searches and workers released",
    "results collected",
    "pump links"};

// Where a parse's time went, by pass and stage, in milliseconds. A parser
// fills it only when a caller (the benchmark) hands it one.
struct StageTimes {
    std::array<std::array<double, kParseStageCount>, 2> ms{};

    double& at(ParsePass pass, ParseStage stage) {
        return ms[static_cast<std::size_t>(pass)][static_cast<std::size_t>(stage)];
    }
};

// Adds the time from its making to its end to one stage of `times`. Without
// times (a parse nobody profiles) it only tests a pointer twice, so stages
// that run once per subnetwork, a million times on some networks, may be
// timed too.
class StageTimer {
public:
    StageTimer(StageTimes* times, ParsePass pass, ParseStage stage)
        : times_(times), pass_(pass), stage_(stage) {
        if (times_ != nullptr) {
            start_ = std::chrono::steady_clock::now();
        }
    }
    StageTimer(const StageTimer&) = delete;
    StageTimer& operator=(const StageTimer&) = delete;
    ~StageTimer() {
        if (times_ != nullptr) {
            std::chrono::duration<double, std::milli> spent =
                std::chrono::steady_clock::now() - start_;
            times_->at(pass_, stage_) += spent.count();
        }
    }

private:
    StageTimes* times_;
    ParsePass pass_;
    ParseStage stage_;
    std::chrono::steady_clock::time_point start_;
};
