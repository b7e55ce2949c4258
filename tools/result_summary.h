#pragma once

#include <cstdint>
#include <vector>

#include "rivo.h"

namespace rivo::tool {

// One branch or loop branch of the result: a chain of sections between two
// junctions, with the branch (and the section in it) its ends drain to and
// come from.
struct BranchResult {
    std::int32_t branchNumber = 0;
    std::int32_t downStreamBranchNumber = 0;
    std::int32_t downStreamUpSectionNumber = 0;
    std::int32_t upStreamBranchNumber = 0;
    std::int32_t upStreamUpSectionNumber = 0;
    std::int32_t numberOfSections = 0;
    bool isStorageOutletBranch = false;
    bool isSingleStorageNodeBranch = false;
    std::vector<std::int32_t> nodeIDs;
    std::vector<std::int32_t> edgeIDs;
};

struct PumpLinkResult {
    std::int32_t pumpLinkID = 0;
    std::int32_t upStreamNodeID = 0;
    std::int32_t downStreamNodeID = 0;
    std::int32_t upStreamBranchNumber = 0;
    std::int32_t downStreamBranchNumber = 0;
    std::int32_t upStreamNodeUpSectionNumber = 0;
    std::int32_t downStreamNodeUpSectionNumber = 0;
};

struct GutterResult {
    std::int32_t id = 0;
    bool sameDirectionAsUI = true;
};

// Everything of the result except the per-node and per-link answers. It is
// read in full before anything is written: should one of these queries
// raise, the error document replaces the result and no half-written result
// goes out.
struct ResultSummary {
    bool result = false;
    std::int32_t numberOfNodes = 0;
    std::int32_t numberOfLinks = 0;
    bool containsLoop = false;
    std::vector<BranchResult> branches;
    std::vector<BranchResult> loops;
    std::vector<PumpLinkResult> pumpLinks;
    std::vector<GutterResult> gutters;
    std::vector<std::int32_t> isolatedNodeIDs;
    std::vector<std::int32_t> isolatedEdgeIDs;
    std::vector<std::int32_t> removedOutfallIDs;
};

// Reads the summary after a parse that returned `result`. CKtHRException
// passes through.
ResultSummary CollectSummary(Velmora::Calculations::Dynamic::IVFLDNetworkParser& parser,
                             bool result);

}  // namespace rivo::tool
