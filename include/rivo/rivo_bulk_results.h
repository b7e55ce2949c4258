#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "rivo/bulk_answers.h"
#include "rivo/export.h"

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

// Every branch, every loop branch and every pump link, in index order.
RIVO_API std::vector<BranchAnswers> ReadBranches(const RivoNetworkParser& parser);
RIVO_API std::vector<BranchAnswers> ReadLoops(const RivoNetworkParser& parser);
RIVO_API std::vector<PumpLinkAnswers> ReadPumpLinks(const RivoNetworkParser& parser);

// Appends to `out` the branches (loop branches) at positions first ..
// first + count - 1 in index order, leaving out positions beyond the last.
// A star of a million branches holds a record and two ID lists for each;
// reading them in pieces keeps them from being held at once.
RIVO_API void ReadBranches(const RivoNetworkParser& parser, std::size_t first, std::size_t count,
                           std::vector<BranchAnswers>& out);
RIVO_API void ReadLoops(const RivoNetworkParser& parser, std::size_t first, std::size_t count,
                        std::vector<BranchAnswers>& out);

// Appends to `out` the answers for `count` nodes (links) from position
// `first` in the order they were added, node copies of the longest-branch
// pass after the host's nodes; positions beyond NumberOfNodes (NumberOfLinks)
// are left out. Reading in pieces keeps a million answers from being held at once.
RIVO_API void ReadNodes(RivoNetworkParser& parser, std::size_t first, std::size_t count,
                        std::vector<NodeAnswers>& out);
RIVO_API void ReadLinks(const RivoNetworkParser& parser, std::size_t first, std::size_t count,
                        std::vector<LinkAnswers>& out);

// Appends to `out` the answers for the nodes (links) with these IDs, in this order.
RIVO_API void ReadNodes(RivoNetworkParser& parser, std::span<const std::int32_t> ids,
                        std::vector<NodeAnswers>& out);
RIVO_API void ReadLinks(const RivoNetworkParser& parser, std::span<const std::int32_t> ids,
                        std::vector<LinkAnswers>& out);

}  // namespace Velmora::Calculations::Dynamic
