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

// The node queries for one node, asked in the order of the fields: the
// branch number before the index (for a node found only on loop branches the
// first of the two fixes both). An ID that no node has answers nothing.
struct NodeAnswers {
    std::int32_t id = 0;
    std::optional<std::int32_t> branchNumber;           // GetBranchNumberOfNode
    std::optional<std::int32_t> indexInBranch;          // GetNodeIndexInBranch
    std::optional<std::int32_t> upStreamSectionNumber;  // GetNodeUpStreamSectionNumber
    std::optional<double> downStreamSectionPosition;    // GetNodeDownStreamSectionPosition
    std::optional<bool> isOutfallType;                  // GetNodeIsOutfallType
    std::optional<bool> isConvertedToOutfall;           // GetNodeIsConvertedToOutfall
    std::optional<bool> isPump;                         // GetNodeIsPump
    std::optional<bool> isManholeOrStorageType;         // GetNodeIsManholeOrStorageType

    bool operator==(const NodeAnswers&) const = default;
};

// The link queries for one link. An ID that no link has answers nothing.
struct LinkAnswers {
    std::int32_t id = 0;
    std::optional<std::int32_t> branchNumber;           // GetBranchNumberOfPipe
    std::optional<std::int32_t> upStreamSectionNumber;  // GetLinkUpStreamSectionNumber
    std::optional<bool> parserDirectionSameAsUI;        // GetParserDirectionSameAsUI
    std::optional<double> firstSectionPosition;         // GetFirstSectionPosition
    std::optional<double> secondSectionPosition;        // GetSecondSectionPosition

    bool operator==(const LinkAnswers&) const = default;
};

}  // namespace Velmora::Calculations::Dynamic
