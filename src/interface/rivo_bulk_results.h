#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Reading every result of a parse at once, for hosts that read everything:
// writers of whole result documents, exports, checks. Each answer is exactly
// what the RivoNetworkParser query of the same name returns, and the node
// records are written as those queries write them (a node found only on loop
// branches keeps the branch and index it was found at). Where a query would
// raise, the answer is empty instead. Nothing here raises, and nothing here
// calls the parser's overridable members: a class derived from
// RivoNetworkParser that overrides a query is answered as the base would.
//
//     RivoNetworkParser parser;  // fed and parsed
//     for (const BranchAnswers& b : ReadBranches(parser)) { ... }
//     std::vector<NodeAnswers> nodes;
//     ReadNodes(parser, 0, parser.NumberOfNodes(), nodes);  // in the order they were added
//     for (const NodeAnswers& n : nodes) {
//         if (n.branchNumber) { ... } else { /* GetBranchNumberOfNode raises for n.id */ }
//     }
namespace Velmora::Calculations::Dynamic {

class RivoNetworkParser;

// A branch or loop branch, as the IVBranch of GetBranch or GetLoop answers.
struct BranchAnswers {
    std::int32_t branchNumber = 0;
    std::int32_t downStreamBranchNumber = 0;
    std::int32_t downStreamUpSectionNumber = 0;
    std::int32_t upStreamBranchNumber = 0;
    std::int32_t upStreamUpSectionNumber = 0;
    std::int32_t numberOfSections = 0;
    bool isStorageOutletBranch = false;
    bool isSingleStorageNodeBranch = false;
    std::vector<std::int32_t> nodeIDs;  // GetNodeID(0) .. GetNodeID(NumberOfNodes - 1)
    std::vector<std::int32_t> edgeIDs;  // GetEdgeID(0) .. GetEdgeID(NumberOfEdges - 1)

    bool operator==(const BranchAnswers&) const = default;
};

// A pump link, as the IVPumpLink of GetPumpLink answers.
struct PumpLinkAnswers {
    std::int32_t pumpLinkID = 0;
    std::int32_t upStreamNodeID = 0;
    std::int32_t downStreamNodeID = 0;
    std::int32_t upStreamBranchNumber = 0;
    std::int32_t downStreamBranchNumber = 0;
    std::int32_t upStreamNodeUpSectionNumber = 0;
    std::int32_t downStreamNodeUpSectionNumber = 0;

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

// Every branch, every loop branch and every pump link, in index order.
std::vector<BranchAnswers> ReadBranches(const RivoNetworkParser& parser);
std::vector<BranchAnswers> ReadLoops(const RivoNetworkParser& parser);
std::vector<PumpLinkAnswers> ReadPumpLinks(const RivoNetworkParser& parser);

// Appends to `out` the answers for `count` nodes (links) from position
// `first` in the order they were added, node copies of the longest-branch
// pass after the host's nodes; positions beyond NumberOfNodes (NumberOfLinks)
// are left out. Reading in pieces keeps a million answers from being held at once.
void ReadNodes(RivoNetworkParser& parser, std::size_t first, std::size_t count,
               std::vector<NodeAnswers>& out);
void ReadLinks(const RivoNetworkParser& parser, std::size_t first, std::size_t count,
               std::vector<LinkAnswers>& out);

// Appends to `out` the answers for the nodes (links) with these IDs, in this order.
void ReadNodes(RivoNetworkParser& parser, std::span<const std::int32_t> ids,
               std::vector<NodeAnswers>& out);
void ReadLinks(const RivoNetworkParser& parser, std::span<const std::int32_t> ids,
               std::vector<LinkAnswers>& out);

}  // namespace Velmora::Calculations::Dynamic
