#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "rivo/record_fields.h"

// The records of the bulk reading (rivo_bulk_results.h): each field holds
// what the query named beside it answers.
namespace Velmora::Calculations::Dynamic {

// A branch or loop branch, as the IVBranch of GetBranch or GetLoop answers.
struct BranchAnswers {
#define RIVO_MEMBER(type, name, ...) type name{};
    RIVO_BRANCH_FIELDS(RIVO_MEMBER)
#undef RIVO_MEMBER
    std::vector<std::int32_t> nodeIDs;  // GetNodeID(0) .. GetNodeID(NumberOfNodes - 1)
    std::vector<std::int32_t> edgeIDs;  // GetEdgeID(0) .. GetEdgeID(NumberOfEdges - 1)

    bool operator==(const BranchAnswers&) const = default;
};

// A pump link, as the IVPumpLink of GetPumpLink answers.
struct PumpLinkAnswers {
#define RIVO_MEMBER(type, name, ...) type name = 0;
    RIVO_PUMP_LINK_FIELDS(RIVO_MEMBER)
#undef RIVO_MEMBER

    bool operator==(const PumpLinkAnswers&) const = default;
};

// The node queries for one node, asked in the order of the fields (for a
// node found only on loop branches the branch number fixes the index too),
// and the link queries for one link: each field holds what the query of the
// same name answers (GetBranchNumberOfNode and GetBranchNumberOfPipe for
// branchNumber, GetFirstSectionPosition for firstSectionPosition), nothing
// where it raises. An ID that no node (link) has answers nothing.
#define RIVO_MEMBER(type, name, ...) std::optional<type> name;
struct NodeAnswers {
    std::int32_t id = 0;
    RIVO_NODE_ANSWER_FIELDS(RIVO_MEMBER)

    bool operator==(const NodeAnswers&) const = default;
};

struct LinkAnswers {
    std::int32_t id = 0;
    RIVO_LINK_ANSWER_FIELDS(RIVO_MEMBER)

    bool operator==(const LinkAnswers&) const = default;
};
#undef RIVO_MEMBER

}  // namespace Velmora::Calculations::Dynamic
