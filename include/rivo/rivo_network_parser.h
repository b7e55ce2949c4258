#pragma once

#include <any>
#include <cstdint>
#include <memory>
#include <vector>

#include "rivo/export.h"
#include "rivo/network_interfaces.h"
#include "rivo/record_fields.h"

class CFLDNetworkParser;
class CBranch;
class CPumpLink;

namespace Velmora::Calculations::Dynamic {

// The host's parser: forwards every call to the core parser it owns. Errors
// of the core (CKtHRException) pass through unchanged.
class RIVO_API RivoNetworkParser : public IVFLDNetworkParser, public IVFLDNetwork {
public:
    RivoNetworkParser();
    RivoNetworkParser(const RivoNetworkParser&) = delete;
    RivoNetworkParser& operator=(const RivoNetworkParser&) = delete;
    ~RivoNetworkParser() override;

    // Deletes the core parser; a second call does nothing.
    virtual void Release();

    // IVFLDNetwork
    void AddNode(std::int32_t nodeID, double xPosition, double yPosition,
                 std::int16_t nodeType) override;
    void SetNodeIsPondType(std::int32_t nodeID, bool isPond) override;
    void AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID, double elevationInSource,
                 std::int32_t targetNodeID, double elevationInTarget, double size,
                 std::int16_t edgeType, double length) override;
    void AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID, double elevationInSource,
                 std::int32_t targetNodeID, double elevationInTarget, double size,
                 std::int16_t edgeType) override;
    void AddPumpLink(std::int32_t pumpID, std::int32_t upStreamNodeID,
                     std::int32_t downStreamNodeID) override;
    void SetNodeStorageType(std::int32_t nodeId) override;

    // IVFLDNetworkParser
    bool ParseNetwork(bool findLongestBranch) override;
    bool ParseNetwork() override;
    std::int32_t NumberOfBranches() const override;
    std::int32_t NumberOfLoops() const override;
    std::unique_ptr<IVBranch> GetBranch(std::int32_t index) override;
    std::unique_ptr<IVBranch> GetLoop(std::int32_t index) override;
    bool ContainsLoop() const override;
    double GetFirstSectionPosition(std::int32_t pipeID) override;
    double GetSecondSectionPosition(std::int32_t pipeID) override;
    std::int32_t GetBranchNumberOfPipe(std::int32_t PipeID) override;
    void SetFirstSectionPosition(std::int32_t pipeID, double firstSectionPosition) override;
    void SetSecondSectionPosition(std::int32_t pipeID, double secondSectionPosition) override;
    std::int32_t GetBranchNumberOfNode(std::int32_t nodeID) override;
    std::int32_t GetNodeIndexInBranch(std::int32_t nodeID) override;
    std::int32_t NumberOfPumpLinks() const override;
    std::unique_ptr<IVPumpLink> GetPumpLink(std::int32_t index) override;
    double GetNodeDownStreamSectionPosition(std::int32_t nodeID) override;
    void SetNodeDownStreamSectionPosition(std::int32_t nodeID,
                                          double downStreamSectionPosition) override;
    std::int32_t GetNodeUpStreamSectionNumber(std::int32_t nodeID) override;
    std::int32_t GetLinkUpStreamSectionNumber(std::int32_t linkID) override;
    std::int32_t NumberOfGutters() const override;
    void AddGutterLinkIDDirection(std::int32_t gutterID, bool gutterDirectionSameAsUI) override;
    std::int32_t GetGutterLinkID(std::int32_t index) override;
    std::int32_t NumberOfIsolatedNodes() const override;
    std::int32_t NumberOfIsolatedEdges() const override;
    std::int32_t GetIsolatedNodeId(std::int32_t index) override;
    std::int32_t GetIsolatedEdgeId(std::int32_t index) override;
    bool GetParserDirectionSameAsUI(std::int32_t linkId) override;
    bool GetGutterDirectionSameAsUI(std::int32_t index) override;
    bool GetNodeIsManholeOrStorageType(std::int32_t nodeId) override;
    bool GetNodeIsOutfallType(std::int32_t nodeId) override;
    bool GetNodeIsConvertedToOutfall(std::int32_t nodeId) override;
    bool GetNodeIsPump(std::int32_t nodeId) override;
    std::int32_t NumberOfNodes() const override;
    std::int32_t NumberOfLinks() const override;
    std::vector<std::any>& PumpList() override;
    std::int32_t NumberOfRemovedOutfalls() const override;
    std::int32_t GetRemovedOutfallID(std::int32_t index) override;

protected:
    // The bulk reading of rivo_bulk_results.h reads the core directly.
    friend struct BulkReader;

    CFLDNetworkParser* networkParser = nullptr;
    // Storage for the host, made on first read; the parser never touches it.
    std::unique_ptr<std::vector<std::any>> pumpList;
};

// A branch of the result; reads the record the parser owns on every access.
class RIVO_API RivoBranch : public IVBranch {
public:
    RivoBranch() = default;
    ~RivoBranch() override = default;

    virtual void SetBranch(CBranch* branch) { br = branch; }
    // Does nothing: the record belongs to the parser.
    virtual void Release() {}

    std::int32_t BranchNumber() const override;
    std::int32_t DownStreamBranchNumber() const override;
    std::int32_t DownStreamUpSectionNumber() const override;
    std::int32_t UpStreamBranchNumber() const override;
    std::int32_t UpStreamUpSectionNumber() const override;
    std::int32_t NumberOfNodes() const override;
    std::int32_t NumberOfEdges() const override;
    std::int32_t GetNodeID(std::int32_t index) const override;
    std::int32_t GetEdgeID(std::int32_t index) const override;
    std::int32_t NumberOfSections() const override;
    bool IsStorageOutletBranch() const override;
    bool IsSingleStorageNodeBranch() const override;

protected:
    CBranch* br = nullptr;
};

// A pump link of the result; reads the record the parser owns on every access.
class RIVO_API RivoPumpLink : public IVPumpLink {
public:
    RivoPumpLink() = default;
    ~RivoPumpLink() override = default;

    virtual void SetPumpLink(CPumpLink* link) { pumpLink = link; }
    // Does nothing: the record belongs to the parser.
    virtual void Release() {}

#define RIVO_READER(type, name, Reader, ...) type Reader() const override;
    RIVO_PUMP_LINK_FIELDS(RIVO_READER)
#undef RIVO_READER

protected:
    CPumpLink* pumpLink = nullptr;
};

}  // namespace Velmora::Calculations::Dynamic
