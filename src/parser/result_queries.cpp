#include <algorithm>

#include "parser/network_parser.h"

namespace {
template <class T>
std::int32_t Count(const std::vector<T>& v) {
    return static_cast<std::int32_t>(v.size());
}

// Index queries name themselves on the parser's error object, then check the
// index against the list.
template <class T>
void CheckIndex(CKtHRException& error, const wchar_t* context, std::int32_t index,
                const std::vector<T>& list) {
    error.SetContext(context);
    if (index < 0 || index > Count(list) - 1) {
        error.ThrowError(E_INVALIDARG, texts::kIndexOutOfRange);
    }
}

// What the node type queries answer: an outfall the host gave (not one the
// parse converted), a pump, and the kinds that hold water like a manhole.
bool IsHostOutfall(const NodeData& d) {
    return IsOutfallType(d) && !d.convertedToOutfall;
}
bool IsPump(const NodeData& d) {
    return d.nodeType == node_type::kPump;
}
bool IsManholeOrStorageType(const NodeData& d) {
    return d.nodeType == node_type::kManhole || d.nodeType == node_type::kStorage ||
           d.nodeType == node_type::kPressureMain;
}
}  // namespace

std::int32_t CFLDNetworkParser::GetNumberOfBranches() const {
    return Count(results_.branches);
}

CBranch* CFLDNetworkParser::GetBranch(std::int32_t index) {
    CheckIndex(error(), texts::kGetBranch, index, results_.branches);
    return results_.branches[static_cast<std::size_t>(index)];
}

std::int32_t CFLDNetworkParser::GetNumberOfLoopBranches() const {
    return Count(results_.loopBranches);
}

CBranch* CFLDNetworkParser::GetLoopBranch(std::int32_t index) {
    CheckIndex(error(), texts::kGetLoopBranch, index, results_.loopBranches);
    return results_.loopBranches[static_cast<std::size_t>(index)];
}

bool CFLDNetworkParser::ContainsLoop() const {
    return !results_.loopBranches.empty();
}

std::int32_t CFLDNetworkParser::GetNumberOfPumpLinks() const {
    return Count(input_.pumpLinks);
}

CPumpLink* CFLDNetworkParser::GetPumpLink(std::int32_t index) {
    CheckIndex(error(), texts::kGetPumpLink, index, input_.pumpLinks);
    return input_.pumpLinks[static_cast<std::size_t>(index)].get();
}

std::int32_t CFLDNetworkParser::GetNumberOfGutters() const {
    return Count(input_.gutterLinkIDs);
}

std::int32_t CFLDNetworkParser::GetGutterLinkID(std::int32_t index) {
    CheckIndex(error(), texts::kGetGutterLinkID, index, input_.gutterLinkIDs);
    return input_.gutterLinkIDs[static_cast<std::size_t>(index)];
}

bool CFLDNetworkParser::GetGutterDirectionSameAsUI(std::int32_t index) {
    CheckIndex(error(), texts::kGetGutterDirectionSameAsUI, index, input_.gutterDirectionsSameAsUI);
    return input_.gutterDirectionsSameAsUI[static_cast<std::size_t>(index)];
}

std::int32_t CFLDNetworkParser::GetNumberOfIsolatedNodes() const {
    return Count(outletStage_.isolatedNodeIDs);
}

std::int32_t CFLDNetworkParser::GetNumberOfIsolatedEdges() const {
    return Count(outletStage_.isolatedEdgeIDs);
}

std::int32_t CFLDNetworkParser::GetIsolatedNodeId(std::int32_t index) {
    CheckIndex(error(), texts::kGetIsolatedNodeId, index, outletStage_.isolatedNodeIDs);
    return outletStage_.isolatedNodeIDs[static_cast<std::size_t>(index)];
}

std::int32_t CFLDNetworkParser::GetIsolatedEdgeId(std::int32_t index) {
    CheckIndex(error(), texts::kGetIsolatedEdgeId, index, outletStage_.isolatedEdgeIDs);
    return outletStage_.isolatedEdgeIDs[static_cast<std::size_t>(index)];
}

std::int32_t CFLDNetworkParser::GetNumberOfRemovedOutfalls() const {
    return Count(outletStage_.removedOutfallIDs);
}

std::int32_t CFLDNetworkParser::GetRemovedOutfallId(std::int32_t index) {
    CheckIndex(error(), texts::kGetRemovedOutfallId, index, outletStage_.removedOutfallIDs);
    return outletStage_.removedOutfallIDs[static_cast<std::size_t>(index)];
}

bool CFLDNetworkParser::GetNodeIsPump(std::int32_t nodeID) const {
    return IsPump(graph.data(graph.GetNode(nodeID)));
}

bool CFLDNetworkParser::GetNodeIsOutfallType(std::int32_t nodeID) const {
    return IsHostOutfall(graph.data(graph.GetNode(nodeID)));
}

bool CFLDNetworkParser::GetNodeIsConvertedToOutfall(std::int32_t nodeID) const {
    return graph.data(graph.GetNode(nodeID)).convertedToOutfall;
}

bool CFLDNetworkParser::GetNodeIsManholeOrStorageType(std::int32_t nodeID) const {
    return IsManholeOrStorageType(graph.data(graph.GetNode(nodeID)));
}

std::int32_t CFLDNetworkParser::GetNodeUpStreamSectionNumber(std::int32_t nodeID) const {
    return graph.data(graph.GetNode(nodeID)).upStreamSectionNumber;
}

double CFLDNetworkParser::GetNodeDownStreamSectionPosition(std::int32_t nodeID) const {
    return graph.data(graph.GetNode(nodeID)).downStreamSectionPosition;
}

void CFLDNetworkParser::SetNodeDownStreamSectionPosition(std::int32_t nodeID,
                                                         double downStreamSectionPosition) {
    graph.data(graph.GetNode(nodeID)).downStreamSectionPosition = downStreamSectionPosition;
}

bool CFLDNetworkParser::GetParserDirectionSameAsUI(std::int32_t linkID) const {
    return graph.data(graph.GetEdge(linkID)).parserDirectionSameAsUI;
}

std::int32_t CFLDNetworkParser::GetLinkUpStreamSectionNumber(std::int32_t linkID) const {
    return graph.data(graph.GetEdge(linkID)).upStreamSectionNumber;
}

std::int32_t CFLDNetworkParser::GetBranchNumberOfPipe(std::int32_t pipeID) const {
    return graph.data(graph.GetEdge(pipeID)).branchNumber;
}

double CFLDNetworkParser::GetFirstSectionPosition(std::int32_t pipeID) const {
    return graph.data(graph.GetEdge(pipeID)).firstSectionPosition;
}

double CFLDNetworkParser::GetSecondSectionPosition(std::int32_t pipeID) const {
    return graph.data(graph.GetEdge(pipeID)).secondSectionPosition;
}

void CFLDNetworkParser::SetFirstSectionPosition(std::int32_t pipeID, double firstSectionPosition) {
    graph.data(graph.GetEdge(pipeID)).firstSectionPosition = firstSectionPosition;
}

void CFLDNetworkParser::SetSecondSectionPosition(std::int32_t pipeID,
                                                 double secondSectionPosition) {
    graph.data(graph.GetEdge(pipeID)).secondSectionPosition = secondSectionPosition;
}

// A node that no tree branch numbered is looked for in the loop branches: the
// first loop branch holding it decides, and the answer is kept in the node's
// record for later queries.
std::int32_t CFLDNetworkParser::GetBranchNumberOfNode(std::int32_t nodeID) {
    error().SetContext(texts::kGetBranchNumberOfNode);
    std::optional<std::int32_t> b = BranchNumberOf(graph.data(graph.GetNode(nodeID)), nodeID);
    if (!b) {
        error().ThrowError(E_INVALIDARG, texts::kNodeNotInGraph);
    }
    return *b;
}

// As above, but the last loop branch holding the node decides.
std::int32_t CFLDNetworkParser::GetNodeIndexInBranch(std::int32_t nodeID) {
    error().SetContext(texts::kGetNodeIndexInBranch);
    std::optional<std::int32_t> i = IndexInBranchOf(graph.data(graph.GetNode(nodeID)), nodeID);
    if (!i) {
        error().ThrowError(E_INVALIDARG, texts::kNodeNotInGraph);
    }
    return *i;
}

std::optional<std::int32_t> CFLDNetworkParser::BranchNumberOf(NodeData& d, std::int32_t nodeID) {
    std::int32_t b = d.branchNumber;
    if (b > 0) {
        return b;
    }
    LoopQueryIndex::Hit hit = results_.loopQueries.First(results_.loopBranches, nodeID);
    if (hit.loop >= 0) {
        b = results_.loopBranches[static_cast<std::size_t>(hit.loop)]->branchNumber;
        d.branchNumber = b;
        d.indexInBranch = hit.position + 1;
    }
    return b == 0 ? std::nullopt : std::optional(b);
}

std::optional<std::int32_t> CFLDNetworkParser::IndexInBranchOf(NodeData& d, std::int32_t nodeID) {
    std::int32_t i = d.indexInBranch;
    if (i > 0) {
        return i;
    }
    LoopQueryIndex::Hit hit = results_.loopQueries.Last(results_.loopBranches, nodeID);
    if (hit.loop >= 0) {
        i = hit.position + 1;
        d.branchNumber = results_.loopBranches[static_cast<std::size_t>(hit.loop)]->branchNumber;
        d.indexInBranch = i;
    }
    return i == 0 ? std::nullopt : std::optional(i);
}

// The node queries in the order NodeAnswers lists them, for a node n with
// this ID (null where the graph has none: every query's lookup raises).
CFLDNetworkParser::NodeAnswers CFLDNetworkParser::AnswerNode(std::int32_t nodeID, GTL::node n) {
    NodeAnswers a;
    a.id = nodeID;
    if (n.is_null()) {
        return a;
    }
    NodeData& d = graph.data(n);
    a.branchNumber = BranchNumberOf(d, nodeID);
    a.indexInBranch = IndexInBranchOf(d, nodeID);
    a.upStreamSectionNumber = d.upStreamSectionNumber;
    a.downStreamSectionPosition = d.downStreamSectionPosition;
    a.isOutfallType = IsHostOutfall(d);
    a.isConvertedToOutfall = static_cast<bool>(d.convertedToOutfall);
    a.isPump = IsPump(d);
    a.isManholeOrStorageType = IsManholeOrStorageType(d);
    return a;
}

CFLDNetworkParser::LinkAnswers CFLDNetworkParser::AnswerLink(std::int32_t edgeID,
                                                             GTL::edge e) const {
    LinkAnswers a;
    a.id = edgeID;
    if (e.is_null()) {
        return a;
    }
    const CEdgeData& d = graph.data(e);
    a.branchNumber = d.branchNumber;
    a.upStreamSectionNumber = d.upStreamSectionNumber;
    a.parserDirectionSameAsUI = d.parserDirectionSameAsUI;
    a.firstSectionPosition = d.firstSectionPosition;
    a.secondSectionPosition = d.secondSectionPosition;
    return a;
}

// A branch's ID tables are what GetNodeID and GetEdgeID answer for every
// index below the node and link counts.
CFLDNetworkParser::BranchAnswers CFLDNetworkParser::AnswerBranch(const CBranch& b) {
    BranchAnswers a;
    a.branchNumber = b.branchNumber;
    a.downStreamBranchNumber = b.outBranchNumber;
    a.downStreamUpSectionNumber = b.outUpSectionNumber;
    a.upStreamBranchNumber = b.inBranchNumber;
    a.upStreamUpSectionNumber = b.inUpSectionNumber;
    a.numberOfSections = b.numberOfSections;
    a.isStorageOutletBranch = b.isStorageOutletBranch;
    a.isSingleStorageNodeBranch = b.isSingleStorageNodeBranch;
    std::span<const std::int32_t> nodeIDs = b.NodeIDs();
    std::span<const std::int32_t> edgeIDs = b.EdgeIDs();
    a.nodeIDs.assign(
        nodeIDs.begin(),
        nodeIDs.begin() + std::min<std::ptrdiff_t>(b.GetNumberOfNodes(), std::ssize(nodeIDs)));
    a.edgeIDs.assign(
        edgeIDs.begin(),
        edgeIDs.begin() + std::min<std::ptrdiff_t>(b.GetNumberOfEdges(), std::ssize(edgeIDs)));
    return a;
}
