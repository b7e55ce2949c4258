#include "diagnosis/pump_diagnosis.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "diagnosis/element_names.h"
#include "host/result_reader.h"

namespace rivo::tool {

namespace {

using Cause = UnnumberedPumpEnd::Cause;
using Velmora::Calculations::Dynamic::RivoNetworkParser;

constexpr std::string_view kNumberingContext = "Failed : CFLDNetworkParser::GetBranchNumberOfNode";
constexpr std::string_view kUnknownNode = "Failed : graph_fld::GetNode";

// What the parser kept that tells why a node lies on no branch.
class NodePlaces {
public:
    explicit NodePlaces(const host::ResultSummary& summary)
        : removed_(summary.removedOutfallIDs.begin(), summary.removedOutfallIDs.end()),
          isolated_(summary.isolatedNodeIDs.begin(), summary.isolatedNodeIDs.end()) {
        for (const host::BranchResult& branch : summary.branches) {
            if (!branch.nodeIDs.empty()) {
                lastNodeOf_.try_emplace(branch.nodeIDs.back(), branch.branchNumber);
            }
        }
    }

    UnnumberedPumpEnd Explain(RivoNetworkParser& parser, UnnumberedPumpEnd end,
                              bool findLongestBranch) const {
        const auto last = lastNodeOf_.find(end.nodeID);
        if (!Exists(parser, end.nodeID)) {
            end.cause = Cause::kUnknownNode;
        } else if (last != lastNodeOf_.end()) {
            end.cause = Cause::kBranchEnd;
            end.branchNumber = last->second;
        } else if (removed_.contains(end.nodeID)) {
            end.cause = Cause::kRemovedOutfall;
        } else if (findLongestBranch && !isolated_.contains(end.nodeID)) {
            // Reached (the parse counted every node) but on no branch of the
            // longest-branch pass: only a loop branch of the first pass holds it.
            end.cause = Cause::kLoopOnly;
        } else {
            end.cause = Cause::kUnreached;
        }
        return end;
    }

private:
    static bool Exists(RivoNetworkParser& parser, std::int32_t id) {
        try {
            parser.GetNodeIsPump(id);
            return true;
        } catch (const CKtHRException&) {
            return false;
        }
    }

    std::unordered_set<std::int32_t> removed_;
    std::unordered_set<std::int32_t> isolated_;
    // Node -> the first branch that ends there.
    std::unordered_map<std::int32_t, std::int32_t> lastNodeOf_;
};

bool OnNoBranch(RivoNetworkParser& parser, std::int32_t id) {
    try {
        parser.GetBranchNumberOfNode(id);
        return false;
    } catch (const CKtHRException&) {
        return true;
    }
}

std::string CauseText(const UnnumberedPumpEnd& end) {
    switch (end.cause) {
        case Cause::kBranchEnd:
            return "it is the last node of branch " + std::to_string(end.branchNumber) +
                   ", which a branch numbers only when it is an outfall or a storage node";
        case Cause::kRemovedOutfall:
            return "it is an outfall without links, which the parser sets aside (a removed "
                   "outfall)";
        case Cause::kLoopOnly:
            return "it lies only on a loop branch, which --longest does not report";
        case Cause::kUnreached:
            return "no outlet reaches it";
        case Cause::kUnknownNode:
            return "no node has this ID";
    }
    return "";
}

std::string Why(const UnnumberedPumpEnd& end) {
    return end.withoutLongest
               ? "it lies on no branch that --longest reports, and without --longest " +
                     CauseText(end)
               : CauseText(end);
}

std::string Hint(const NetworkSource& source, const std::vector<UnnumberedPumpEnd>& ends) {
    auto any = [&](Cause cause) {
        return std::any_of(ends.begin(), ends.end(),
                           [&](const UnnumberedPumpEnd& end) { return end.cause == cause; });
    };
    std::vector<std::string> ways;
    if (source.names != nullptr && source.pumpNodes == swmm::PumpNodes::kNone) {
        ways.push_back("use the storage mapping (--pump-nodes storage, the default)");
    }
    if (any(Cause::kBranchEnd)) {
        ways.push_back("make such a node a storage node");
    }
    if (any(Cause::kRemovedOutfall)) {
        ways.push_back("connect the outfall with a link");
    }
    if (any(Cause::kLoopOnly)) {
        ways.push_back("parse without --longest");
    }
    if (any(Cause::kUnreached)) {
        ways.push_back("join the node to a part of the network that drains to an outlet");
    }
    if (any(Cause::kUnknownNode)) {
        ways.push_back("correct the node IDs of the pump link");
    }
    std::string hint = "hint: a pump link needs both its nodes on numbered branches: ";
    for (std::size_t i = 0; i < ways.size(); ++i) {
        hint += (i == 0 ? "" : i + 1 == ways.size() ? ", or " : ", ") + ways[i];
    }
    return hint;
}

}  // namespace

std::vector<UnnumberedPumpEnd> FindUnnumberedPumpEnds(RivoNetworkParser& parser,
                                                      const RaisedError& error,
                                                      bool findLongestBranch) {
    const bool numbering = error.message.starts_with(kNumberingContext);
    if (!numbering && error.message != kUnknownNode) {
        return {};
    }
    host::ResultSummary summary;
    try {
        summary = host::ReadSummary(parser);
    } catch (const CKtHRException&) {
        return {};
    }
    const NodePlaces places(summary);
    std::vector<UnnumberedPumpEnd> ends;
    for (const host::PumpLinkResult& pump : summary.pumpLinks) {
        for (const bool upstream : {true, false}) {
            const std::int32_t node = upstream ? pump.upStreamNodeID : pump.downStreamNodeID;
            if (OnNoBranch(parser, node)) {
                ends.push_back(
                    places.Explain(parser, {pump.pumpLinkID, upstream, node}, findLongestBranch));
            }
        }
    }
    // A node unknown to the graph may have raised elsewhere in the parse; the
    // pump links explain it only when one of them names such a node.
    const bool unknownNamed = std::any_of(
        ends.begin(), ends.end(), [](const auto& end) { return end.cause == Cause::kUnknownNode; });
    return numbering || unknownNamed ? ends : std::vector<UnnumberedPumpEnd>{};
}

bool NeedsParseWithoutLongest(const std::vector<UnnumberedPumpEnd>& ends) {
    return std::any_of(ends.begin(), ends.end(),
                       [](const UnnumberedPumpEnd& end) { return end.cause == Cause::kLoopOnly; });
}

void ExplainWithoutLongest(RivoNetworkParser& plain, std::vector<UnnumberedPumpEnd>& ends) {
    host::ResultSummary summary;
    try {
        summary = host::ReadSummary(plain);
    } catch (const CKtHRException&) {
        return;
    }
    const NodePlaces places(summary);
    for (UnnumberedPumpEnd& end : ends) {
        if (end.cause == Cause::kLoopOnly && OnNoBranch(plain, end.nodeID)) {
            end = places.Explain(plain, end, false);
            end.withoutLongest = true;
        }
    }
}

void ReportUnnumberedPumpEnds(std::ostream& out, const NetworkSource& source,
                              const std::vector<UnnumberedPumpEnd>& ends) {
    if (ends.empty()) {
        return;
    }
    const swmm::NameTable* names = source.names;
    for (const UnnumberedPumpEnd& end : ends) {
        out << source.file << ": pump link "
            << Named(end.pumpLinkID, names ? &names->pumpLinks : nullptr) << ": "
            << (end.upstream ? "upstream" : "downstream") << " node "
            << Named(end.nodeID, names ? &names->nodes : nullptr)
            << " cannot be numbered: " << Why(end) << '\n';
    }
    out << source.file << ": " << Hint(source, ends) << '\n';
}

}  // namespace rivo::tool
