#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "network_generator.h"

// Feed must describe the network the way the parser expects a host to: end
// nodes before their links, flags only on known nodes, values unchanged.
namespace {

using namespace rivo_bench;
namespace dyn = Velmora::Calculations::Dynamic;

class RecordingHost : public dyn::IVFLDNetwork {
public:
    std::vector<char> phases;  // N node, F flag, E edge, P pump link
    std::set<std::int32_t> nodes;
    std::set<std::int32_t> storage;
    std::set<std::int32_t> notPonds;
    std::vector<Link> edges;
    std::vector<PumpLink> pumps;
    std::vector<std::string> faults;

    void AddNode(std::int32_t id, double, double, std::int16_t) override {
        Note('N');
        if (!nodes.insert(id).second) {
            faults.push_back("node added twice: " + std::to_string(id));
        }
    }
    void SetNodeIsPondType(std::int32_t id, bool isPond) override {
        Note('F');
        Known(id, "pond flag");
        if (!isPond) {
            notPonds.insert(id);
        }
    }
    void SetNodeStorageType(std::int32_t id) override {
        Note('F');
        Known(id, "storage flag");
        storage.insert(id);
    }
    void AddEdge(std::int32_t id, std::int32_t s, double es, std::int32_t t, double et, double size,
                 std::int16_t type, double length) override {
        Note('E');
        Known(s, "link source");
        Known(t, "link target");
        edges.push_back({id, s, t, es, et, size, type, length});
    }
    void AddEdge(std::int32_t id, std::int32_t, double, std::int32_t, double, double,
                 std::int16_t) override {
        faults.push_back("link without length: " + std::to_string(id));
    }
    void AddPumpLink(std::int32_t id, std::int32_t up, std::int32_t down) override {
        Note('P');
        Known(up, "pump link");
        Known(down, "pump link");
        pumps.push_back({id, up, down});
    }

private:
    void Note(char phase) {
        if (phases.empty() || phases.back() != phase) {
            phases.push_back(phase);
        }
    }
    void Known(std::int32_t id, const char* what) {
        if (nodes.count(id) == 0) {
            faults.push_back(std::string(what) + " names unknown node " + std::to_string(id));
        }
    }
};

TEST(Feed, DescribesNodesThenFlagsThenLinksThenPumpLinks) {
    Network net = Generate(Profile::kRealistic, 12000, 11);
    RecordingHost host;
    Feed(net, host);
    EXPECT_TRUE(host.faults.empty()) << host.faults.front();
    EXPECT_EQ(std::string(host.phases.begin(), host.phases.end()), "NFEP");
}

TEST(Feed, PassesEveryNodeFlagLinkAndPumpLinkUnchanged) {
    Network net = Generate(Profile::kRealistic, 12000, 11);
    RecordingHost host;
    Feed(net, host);
    EXPECT_EQ(host.nodes.size(), net.nodes.size());
    for (const Node& n : net.nodes) {
        bool isStorage = n.type == node_kind::kStorage;
        EXPECT_EQ(host.storage.count(n.id) == 1, isStorage) << "node " << n.id;
        EXPECT_EQ(host.notPonds.count(n.id) == 1, isStorage && !n.pond) << "node " << n.id;
    }
    ASSERT_EQ(host.edges.size(), net.links.size());
    for (std::size_t i = 0; i < net.links.size(); ++i) {
        const Link& a = net.links[i];
        const Link& b = host.edges[i];
        EXPECT_TRUE(a.id == b.id && a.source == b.source && a.target == b.target &&
                    a.sourceElevation == b.sourceElevation &&
                    a.targetElevation == b.targetElevation && a.size == b.size &&
                    a.type == b.type && a.length == b.length)
            << "link " << a.id;
    }
    ASSERT_EQ(host.pumps.size(), net.pumpLinks.size());
    for (std::size_t i = 0; i < net.pumpLinks.size(); ++i) {
        EXPECT_EQ(host.pumps[i].upNode, net.pumpLinks[i].upNode);
        EXPECT_EQ(host.pumps[i].downNode, net.pumpLinks[i].downNode);
    }
}

}  // namespace
