#include "rivo/rivo_network_parser.h"

#include "parser/network_parser.h"

namespace Velmora::Calculations::Dynamic {

RivoNetworkParser::RivoNetworkParser() : networkParser(new CFLDNetworkParser()) {}

RivoNetworkParser::~RivoNetworkParser() {
    RivoNetworkParser::Release();
}

void RivoNetworkParser::Release() {
    delete networkParser;
    networkParser = nullptr;
}

void RivoNetworkParser::AddNode(std::int32_t nodeID, double xPosition, double yPosition,
                                std::int16_t nodeType) {
    networkParser->AddNode(nodeID, xPosition, yPosition, nodeType);
}

void RivoNetworkParser::SetNodeIsPondType(std::int32_t nodeID, bool isPond) {
    networkParser->SetNodeIsPondType(nodeID, isPond);
}

void RivoNetworkParser::AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID,
                                double elevationInSource, std::int32_t targetNodeID,
                                double elevationInTarget, double size, std::int16_t edgeType,
                                double length) {
    networkParser->AddEdge(edgeID, sourceNodeID, elevationInSource, targetNodeID, elevationInTarget,
                           size, edgeType, length);
}

void RivoNetworkParser::AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID,
                                double elevationInSource, std::int32_t targetNodeID,
                                double elevationInTarget, double size, std::int16_t edgeType) {
    networkParser->AddEdge(edgeID, sourceNodeID, elevationInSource, targetNodeID, elevationInTarget,
                           size, edgeType);
}

void RivoNetworkParser::AddPumpLink(std::int32_t pumpID, std::int32_t upStreamNodeID,
                                    std::int32_t downStreamNodeID) {
    networkParser->AddPumpLink(pumpID, upStreamNodeID, downStreamNodeID);
}

void RivoNetworkParser::SetNodeStorageType(std::int32_t nodeId) {
    networkParser->SetNodeStorageType(nodeId);
}

bool RivoNetworkParser::ParseNetwork(bool findLongestBranch) {
    return networkParser->ParseAllNetworks(findLongestBranch);
}

bool RivoNetworkParser::ParseNetwork() {
    return ParseNetwork(false);
}

std::int32_t RivoNetworkParser::NumberOfBranches() const {
    return networkParser->GetNumberOfBranches();
}

std::int32_t RivoNetworkParser::NumberOfLoops() const {
    return networkParser->GetNumberOfLoopBranches();
}

std::unique_ptr<IVBranch> RivoNetworkParser::GetBranch(std::int32_t index) {
    CBranch* record = networkParser->GetBranch(index);
    auto wrapped = std::make_unique<RivoBranch>();
    wrapped->SetBranch(record);
    return wrapped;
}

std::unique_ptr<IVBranch> RivoNetworkParser::GetLoop(std::int32_t index) {
    CBranch* record = networkParser->GetLoopBranch(index);
    auto wrapped = std::make_unique<RivoBranch>();
    wrapped->SetBranch(record);
    return wrapped;
}

bool RivoNetworkParser::ContainsLoop() const {
    return networkParser->ContainsLoop();
}

double RivoNetworkParser::GetFirstSectionPosition(std::int32_t pipeID) {
    return networkParser->GetFirstSectionPosition(pipeID);
}

double RivoNetworkParser::GetSecondSectionPosition(std::int32_t pipeID) {
    return networkParser->GetSecondSectionPosition(pipeID);
}

std::int32_t RivoNetworkParser::GetBranchNumberOfPipe(std::int32_t PipeID) {
    return networkParser->GetBranchNumberOfPipe(PipeID);
}

void RivoNetworkParser::SetFirstSectionPosition(std::int32_t pipeID, double firstSectionPosition) {
    networkParser->SetFirstSectionPosition(pipeID, firstSectionPosition);
}

void RivoNetworkParser::SetSecondSectionPosition(std::int32_t pipeID,
                                                 double secondSectionPosition) {
    networkParser->SetSecondSectionPosition(pipeID, secondSectionPosition);
}

std::int32_t RivoNetworkParser::GetBranchNumberOfNode(std::int32_t nodeID) {
    return networkParser->GetBranchNumberOfNode(nodeID);
}

std::int32_t RivoNetworkParser::GetNodeIndexInBranch(std::int32_t nodeID) {
    return networkParser->GetNodeIndexInBranch(nodeID);
}

std::int32_t RivoNetworkParser::NumberOfPumpLinks() const {
    return networkParser->GetNumberOfPumpLinks();
}

std::unique_ptr<IVPumpLink> RivoNetworkParser::GetPumpLink(std::int32_t index) {
    CPumpLink* record = networkParser->GetPumpLink(index);
    auto wrapped = std::make_unique<RivoPumpLink>();
    wrapped->SetPumpLink(record);
    return wrapped;
}

double RivoNetworkParser::GetNodeDownStreamSectionPosition(std::int32_t nodeID) {
    return networkParser->GetNodeDownStreamSectionPosition(nodeID);
}

void RivoNetworkParser::SetNodeDownStreamSectionPosition(std::int32_t nodeID,
                                                         double downStreamSectionPosition) {
    networkParser->SetNodeDownStreamSectionPosition(nodeID, downStreamSectionPosition);
}

std::int32_t RivoNetworkParser::GetNodeUpStreamSectionNumber(std::int32_t nodeID) {
    return networkParser->GetNodeUpStreamSectionNumber(nodeID);
}

std::int32_t RivoNetworkParser::GetLinkUpStreamSectionNumber(std::int32_t linkID) {
    return networkParser->GetLinkUpStreamSectionNumber(linkID);
}

std::int32_t RivoNetworkParser::NumberOfGutters() const {
    return networkParser->GetNumberOfGutters();
}

void RivoNetworkParser::AddGutterLinkIDDirection(std::int32_t gutterID,
                                                 bool gutterDirectionSameAsUI) {
    networkParser->AddGutterLinkIDDirection(gutterID, gutterDirectionSameAsUI);
}

std::int32_t RivoNetworkParser::GetGutterLinkID(std::int32_t index) {
    return networkParser->GetGutterLinkID(index);
}

std::int32_t RivoNetworkParser::NumberOfIsolatedNodes() const {
    return networkParser->GetNumberOfIsolatedNodes();
}

std::int32_t RivoNetworkParser::NumberOfIsolatedEdges() const {
    return networkParser->GetNumberOfIsolatedEdges();
}

std::int32_t RivoNetworkParser::GetIsolatedNodeId(std::int32_t index) {
    return networkParser->GetIsolatedNodeId(index);
}

std::int32_t RivoNetworkParser::GetIsolatedEdgeId(std::int32_t index) {
    return networkParser->GetIsolatedEdgeId(index);
}

bool RivoNetworkParser::GetParserDirectionSameAsUI(std::int32_t linkId) {
    return networkParser->GetParserDirectionSameAsUI(linkId);
}

bool RivoNetworkParser::GetGutterDirectionSameAsUI(std::int32_t index) {
    return networkParser->GetGutterDirectionSameAsUI(index);
}

bool RivoNetworkParser::GetNodeIsManholeOrStorageType(std::int32_t nodeId) {
    return networkParser->GetNodeIsManholeOrStorageType(nodeId);
}

bool RivoNetworkParser::GetNodeIsOutfallType(std::int32_t nodeId) {
    return networkParser->GetNodeIsOutfallType(nodeId);
}

bool RivoNetworkParser::GetNodeIsConvertedToOutfall(std::int32_t nodeId) {
    return networkParser->GetNodeIsConvertedToOutfall(nodeId);
}

bool RivoNetworkParser::GetNodeIsPump(std::int32_t nodeId) {
    return networkParser->GetNodeIsPump(nodeId);
}

std::int32_t RivoNetworkParser::NumberOfNodes() const {
    return networkParser->GetNumberOfNodes();
}

std::int32_t RivoNetworkParser::NumberOfLinks() const {
    return networkParser->GetNumberOfLinks();
}

std::vector<std::any>& RivoNetworkParser::PumpList() {
    if (!pumpList) {
        pumpList = std::make_unique<std::vector<std::any>>();
    }
    return *pumpList;
}

std::int32_t RivoNetworkParser::NumberOfRemovedOutfalls() const {
    return networkParser->GetNumberOfRemovedOutfalls();
}

std::int32_t RivoNetworkParser::GetRemovedOutfallID(std::int32_t index) {
    return networkParser->GetRemovedOutfallId(index);
}

}  // namespace Velmora::Calculations::Dynamic
