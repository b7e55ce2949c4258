#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "output/result_writer.h"
#include "rivo/rivo.h"
#include "swmm/pump_stations.h"
#include "swmm/swmm_reader.h"

// Why a pump link could not be numbered. The parser numbers every pump link
// at the end of a parse that reached every node, by asking the branch
// number of its two nodes, and raises at the first node on no branch; what
// it built up to then stays in place, so the tool finds every such end
// through the public interface afterwards.
namespace rivo::tool {

struct UnnumberedPumpEnd {
    enum class Cause {
        kBranchEnd,       // the last node of a branch, numbered only for an outfall or storage node
        kRemovedOutfall,  // an outfall without links, which the parser sets aside
        kLoopOnly,        // with --longest: on no branch it reports, only on a loop branch
        kUnreached,       // on no branch: no outlet reaches it
        kUnknownNode,     // no node has the ID
    };

    std::int32_t pumpLinkID = 0;
    bool upstream = true;  // which end: the node the pump lifts from, or into
    std::int32_t nodeID = 0;
    Cause cause = Cause::kUnreached;
    std::int32_t branchNumber = 0;  // the branch a kBranchEnd node ends
    // The cause is what the parse without --longest finds: the node lies on
    // no branch the longest-branch parse reports, nor numbered without it.
    bool withoutLongest = false;
};

// After ParseNetwork raised `error`: every pump link end on no branch, in
// pump link order, upstream end first. Empty unless the raise came from
// numbering the pump links.
std::vector<UnnumberedPumpEnd> FindUnnumberedPumpEnds(
    Velmora::Calculations::Dynamic::RivoNetworkParser& parser, const RaisedError& error,
    bool findLongestBranch);

// Where the longest-branch parse left ends on no branch it reports
// (kLoopOnly), looks at the same network parsed without --longest:
// numbered there, the node lies only on a loop branch that --longest does
// not report; otherwise the end takes the cause found there.
bool NeedsParseWithoutLongest(const std::vector<UnnumberedPumpEnd>& ends);
void ExplainWithoutLongest(Velmora::Calculations::Dynamic::RivoNetworkParser& plain,
                           std::vector<UnnumberedPumpEnd>& ends);

// How the network came to the parser, for the hint that ends the report.
struct NetworkSource {
    std::string_view file;
    const swmm::NameTable* names = nullptr;  // a SWMM model's
    swmm::PumpNodes pumpNodes = swmm::PumpNodes::kStorage;
};

// One line per end, `FILE: pump link 3 'P3': downstream node 17 'J17' cannot
// be numbered: why`, names only for a SWMM model, then one line with a hint.
void ReportUnnumberedPumpEnds(std::ostream& out, const NetworkSource& source,
                              const std::vector<UnnumberedPumpEnd>& ends);

}  // namespace rivo::tool
