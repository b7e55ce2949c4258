#pragma once

#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "rivo.h"

namespace rivo::tool::testing {

// A stand-in for the system behind the host interface: logs the host calls
// it receives, answers per-node and per-link queries with values made from
// the ID, and raises like the system does: every lookup of an ID in
// `unknownIDs`, and the branch queries of a node in `notInBranch`.
class FakeNetworkParser : public Velmora::Calculations::Dynamic::IVFLDNetworkParser,
                          public Velmora::Calculations::Dynamic::IVFLDNetwork {
public:
    std::vector<std::string> calls;
    std::set<std::int32_t> unknownIDs;
    std::set<std::int32_t> notInBranch;
    bool raiseOnParse = false;

    void AddNode(std::int32_t id, double x, double y, std::int16_t type) override {
        Log("AddNode", id, x, y, type);
    }
    void SetNodeIsPondType(std::int32_t id, bool isPond) override {
        Log("SetNodeIsPondType", id, isPond);
    }
    void AddEdge(std::int32_t id, std::int32_t s, double es, std::int32_t t, double et, double size,
                 std::int16_t type, double length) override {
        Log("AddEdge", id, s, es, t, et, size, type, length);
    }
    void AddEdge(std::int32_t id, std::int32_t s, double es, std::int32_t t, double et, double size,
                 std::int16_t type) override {
        Log("AddEdge", id, s, es, t, et, size, type);
    }
    void AddPumpLink(std::int32_t id, std::int32_t up, std::int32_t down) override {
        Log("AddPumpLink", id, up, down);
    }
    void SetNodeStorageType(std::int32_t id) override { Log("SetNodeStorageType", id); }
    void AddGutterLinkIDDirection(std::int32_t id, bool same) override {
        Log("AddGutterLinkIDDirection", id, same);
    }
    bool ParseNetwork(bool longest) override {
        Log("ParseNetwork", longest);
        if (raiseOnParse) {
            CKtHRException(L"No outlet in the network", E_FAIL).Throw();
        }
        return true;
    }
    bool ParseNetwork() override {
        Log("ParseNetwork");
        return true;
    }

    // Per-node and per-link answers: the ID plus an offset per field.
    std::int32_t GetBranchNumberOfNode(std::int32_t id) override { return InBranch(id) + 1000; }
    std::int32_t GetNodeIndexInBranch(std::int32_t id) override { return InBranch(id) + 2000; }
    std::int32_t GetNodeUpStreamSectionNumber(std::int32_t id) override { return Known(id) + 3000; }
    bool GetNodeIsOutfallType(std::int32_t id) override { return Known(id) == 1; }
    bool GetNodeIsConvertedToOutfall(std::int32_t id) override { return Known(id) < 0; }
    bool GetNodeIsPump(std::int32_t id) override { return Known(id) < 0; }
    bool GetNodeIsManholeOrStorageType(std::int32_t id) override { return Known(id) != 1; }
    std::int32_t GetBranchNumberOfPipe(std::int32_t id) override { return Known(id) + 4000; }
    std::int32_t GetLinkUpStreamSectionNumber(std::int32_t id) override { return Known(id) + 5000; }
    bool GetParserDirectionSameAsUI(std::int32_t id) override { return Known(id) % 2 == 0; }

    // The rest of the interface is not used by the tool's writer.
    std::int32_t NumberOfBranches() const override { return 0; }
    std::int32_t NumberOfLoops() const override { return 0; }
    std::unique_ptr<Velmora::Calculations::Dynamic::IVBranch> GetBranch(std::int32_t) override {
        return nullptr;
    }
    std::unique_ptr<Velmora::Calculations::Dynamic::IVBranch> GetLoop(std::int32_t) override {
        return nullptr;
    }
    bool ContainsLoop() const override { return false; }
    double GetFirstSectionPosition(std::int32_t) override { return 0.0; }
    double GetSecondSectionPosition(std::int32_t) override { return 0.0; }
    void SetFirstSectionPosition(std::int32_t, double) override {}
    void SetSecondSectionPosition(std::int32_t, double) override {}
    std::int32_t NumberOfPumpLinks() const override { return 0; }
    std::unique_ptr<Velmora::Calculations::Dynamic::IVPumpLink> GetPumpLink(std::int32_t) override {
        return nullptr;
    }
    double GetNodeDownStreamSectionPosition(std::int32_t) override { return 0.0; }
    void SetNodeDownStreamSectionPosition(std::int32_t, double) override {}
    std::int32_t NumberOfGutters() const override { return 0; }
    std::int32_t GetGutterLinkID(std::int32_t) override { return 0; }
    std::int32_t NumberOfIsolatedNodes() const override { return 0; }
    std::int32_t NumberOfIsolatedEdges() const override { return 0; }
    std::int32_t GetIsolatedNodeId(std::int32_t) override { return 0; }
    std::int32_t GetIsolatedEdgeId(std::int32_t) override { return 0; }
    bool GetGutterDirectionSameAsUI(std::int32_t) override { return true; }
    std::int32_t NumberOfNodes() const override { return 0; }
    std::int32_t NumberOfLinks() const override { return 0; }
    std::vector<std::any>& PumpList() override { return pumpList_; }
    std::int32_t NumberOfRemovedOutfalls() const override { return 0; }
    std::int32_t GetRemovedOutfallID(std::int32_t) override { return 0; }

private:
    template <class... Args>
    void Log(const char* name, Args... args) {
        std::ostringstream text;
        text << name << '(';
        [[maybe_unused]] const char* separator = "";
        ((text << separator << +args, separator = ", "), ...);
        text << ')';
        calls.push_back(text.str());
    }

    std::int32_t Known(std::int32_t id) const {
        if (unknownIDs.count(id) != 0) {
            CKtHRException(L"Failed : graph_fld::GetNode", E_INVALIDARG).Throw();
        }
        return id;
    }

    std::int32_t InBranch(std::int32_t id) const {
        if (notInBranch.count(Known(id)) != 0) {
            CKtHRException(
                L"Failed : CFLDNetworkParser::GetBranchNumberOfNode\nNode ID is not in the Graph",
                E_INVALIDARG)
                .Throw();
        }
        return id;
    }

    std::vector<std::any> pumpList_;
};

}  // namespace rivo::tool::testing
