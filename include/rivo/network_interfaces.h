#pragma once

#include <any>
#include <cstdint>
#include <memory>
#include <vector>

#include "rivo/export.h"

namespace Velmora::Calculations::Dynamic {

class IVBranch;
class IVPumpLink;

// Describing the network: nodes first, then links (their end nodes must
// exist), pump links, node flags and gutter links.
class RIVO_API IVFLDNetwork {
public:
    virtual ~IVFLDNetwork() = default;

    virtual void AddNode(std::int32_t nodeID, double xPosition, double yPosition,
                         std::int16_t nodeType) = 0;
    virtual void SetNodeIsPondType(std::int32_t nodeID, bool isPond) = 0;
    virtual void AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID, double elevationInSource,
                         std::int32_t targetNodeID, double elevationInTarget, double size,
                         std::int16_t edgeType, double length) = 0;
    virtual void AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID, double elevationInSource,
                         std::int32_t targetNodeID, double elevationInTarget, double size,
                         std::int16_t edgeType) = 0;
    virtual void AddPumpLink(std::int32_t pumpID, std::int32_t upStreamNodeID,
                             std::int32_t downStreamNodeID) = 0;
    virtual void SetNodeStorageType(std::int32_t nodeId) = 0;
};

// Parsing the network and reading the decomposition.
class RIVO_API IVFLDNetworkParser {
public:
    virtual ~IVFLDNetworkParser() = default;

    virtual bool ParseNetwork(bool findLongestBranch) = 0;
    virtual bool ParseNetwork() = 0;
    virtual std::int32_t NumberOfBranches() const = 0;
    virtual std::int32_t NumberOfLoops() const = 0;
    virtual std::unique_ptr<IVBranch> GetBranch(std::int32_t index) = 0;
    virtual std::unique_ptr<IVBranch> GetLoop(std::int32_t index) = 0;
    virtual bool ContainsLoop() const = 0;
    virtual double GetFirstSectionPosition(std::int32_t pipeID) = 0;
    virtual double GetSecondSectionPosition(std::int32_t pipeID) = 0;
    virtual std::int32_t GetBranchNumberOfPipe(std::int32_t PipeID) = 0;
    virtual void SetFirstSectionPosition(std::int32_t pipeID, double firstSectionPosition) = 0;
    virtual void SetSecondSectionPosition(std::int32_t pipeID, double secondSectionPosition) = 0;
    virtual std::int32_t GetBranchNumberOfNode(std::int32_t nodeID) = 0;
    virtual std::int32_t GetNodeIndexInBranch(std::int32_t nodeID) = 0;
    virtual std::int32_t NumberOfPumpLinks() const = 0;
    virtual std::unique_ptr<IVPumpLink> GetPumpLink(std::int32_t index) = 0;
    virtual double GetNodeDownStreamSectionPosition(std::int32_t nodeID) = 0;
    virtual void SetNodeDownStreamSectionPosition(std::int32_t nodeID,
                                                  double downStreamSectionPosition) = 0;
    virtual std::int32_t GetNodeUpStreamSectionNumber(std::int32_t nodeID) = 0;
    virtual std::int32_t GetLinkUpStreamSectionNumber(std::int32_t linkID) = 0;
    virtual std::int32_t NumberOfGutters() const = 0;
    virtual void AddGutterLinkIDDirection(std::int32_t gutterID, bool gutterDirectionSameAsUI) = 0;
    virtual std::int32_t GetGutterLinkID(std::int32_t index) = 0;
    virtual std::int32_t NumberOfIsolatedNodes() const = 0;
    virtual std::int32_t NumberOfIsolatedEdges() const = 0;
    virtual std::int32_t GetIsolatedNodeId(std::int32_t index) = 0;
    virtual std::int32_t GetIsolatedEdgeId(std::int32_t index) = 0;
    virtual bool GetParserDirectionSameAsUI(std::int32_t linkId) = 0;
    virtual bool GetGutterDirectionSameAsUI(std::int32_t index) = 0;
    virtual bool GetNodeIsManholeOrStorageType(std::int32_t nodeId) = 0;
    virtual bool GetNodeIsOutfallType(std::int32_t nodeId) = 0;
    virtual bool GetNodeIsConvertedToOutfall(std::int32_t nodeId) = 0;
    virtual bool GetNodeIsPump(std::int32_t nodeId) = 0;
    virtual std::int32_t NumberOfNodes() const = 0;
    virtual std::int32_t NumberOfLinks() const = 0;
    virtual std::vector<std::any>& PumpList() = 0;
    virtual std::int32_t NumberOfRemovedOutfalls() const = 0;
    virtual std::int32_t GetRemovedOutfallID(std::int32_t index) = 0;
};

// One branch or loop branch of the result.
class RIVO_API IVBranch {
public:
    virtual ~IVBranch() = default;

    virtual std::int32_t BranchNumber() const = 0;
    virtual std::int32_t DownStreamBranchNumber() const = 0;
    virtual std::int32_t DownStreamUpSectionNumber() const = 0;
    virtual std::int32_t UpStreamBranchNumber() const = 0;
    virtual std::int32_t UpStreamUpSectionNumber() const = 0;
    virtual std::int32_t NumberOfNodes() const = 0;
    virtual std::int32_t NumberOfEdges() const = 0;
    virtual std::int32_t GetNodeID(std::int32_t index) const = 0;
    virtual std::int32_t GetEdgeID(std::int32_t index) const = 0;
    virtual std::int32_t NumberOfSections() const = 0;
    virtual bool IsStorageOutletBranch() const = 0;
    virtual bool IsSingleStorageNodeBranch() const = 0;
};

// One pump link of the result: the branches and sections the pump joins.
class RIVO_API IVPumpLink {
public:
    virtual ~IVPumpLink() = default;

    virtual std::int32_t UpStreamNodeID() const = 0;
    virtual std::int32_t DownStreamNodeID() const = 0;
    virtual std::int32_t UpStreamBranchNumber() const = 0;
    virtual std::int32_t DownStreamBranchNumber() const = 0;
    virtual std::int32_t UpStreamNodeUpSectionNumber() const = 0;
    virtual std::int32_t DownStreamNodeUpSectionNumber() const = 0;
    virtual std::int32_t PumpLinkID() const = 0;
};

}  // namespace Velmora::Calculations::Dynamic
