#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "parser/network_fixture.h"
#include "parser/parser_access.h"

// Branch-finding stages run one at a time on the core parser, with branch
// lists written as text: each branch's text (BranchText), " LO" for a loop
// between outlets, "; " between branches.
namespace rivo_test {

// Nodes 1..n along a line, outfall 1 and the given storage nodes; link "i(i+1)"
// (12, 23, ...) runs down from node i+1 to node i, ends[i-1] giving its inverts
// at node i and at node i+1.
inline host::Network DropChain(const std::vector<std::pair<double, double>>& ends,
                               const std::set<std::int32_t>& storage) {
    host::Network net;
    for (std::int32_t i = 1; i <= static_cast<std::int32_t>(ends.size()) + 1; ++i) {
        net.nodes.push_back({i, 10.0 * i, 0, std::int16_t(i == 1 ? 1 : storage.count(i) ? 2 : 0)});
    }
    for (std::int32_t i = 1; i <= static_cast<std::int32_t>(ends.size()); ++i) {
        net.links.push_back({10 * i + i + 1, i + 1, i, ends[i - 1].second, ends[i - 1].first});
    }
    return net;
}

// Feeds the network and runs the outlet stage: one worker per subnetwork,
// nothing cut yet. Returns the first worker.
inline CBranchFinder& PrepareWorker(CFLDNetworkParser& parser, const host::Network& net) {
    PondStage(parser, net);
    EXPECT_TRUE(ParserTestAccess::FindOutletsAndSubnetworks(parser, false));
    return *ParserTestAccess::Subnetworks(parser).at(0);
}

inline std::string Chains(const graph_fld& g, const CBranchFinder::BranchList& list) {
    std::string text;
    for (const auto& b : list) {
        std::vector<std::int32_t> nodes, links;
        for (GTL::node n : b->nodes) {
            nodes.push_back(g.data(n).nodeID);
        }
        for (GTL::edge e : b->edges) {
            links.push_back(g.data(e).edgeID);
        }
        text += (text.empty() ? "" : "; ") +
                BranchText(nodes, links, b->isStorageOutletBranch, b->isSingleStorageNodeBranch) +
                (b->isLoopBetweenOutlets ? " LO" : "");
    }
    return text;
}

// Builds a branch from its text form ("4 5 6/45 56", "5/ SS").
inline std::unique_ptr<CBranch> MakeBranch(graph_fld& g, std::string text) {
    auto b = std::make_unique<CBranch>();
    if (text.ends_with(" SS")) {
        b->isSingleStorageNodeBranch = true;
        text.resize(text.size() - 3);
    }
    if (text.ends_with(" SO")) {
        b->isStorageOutletBranch = true;
        text.resize(text.size() - 3);
    }
    std::istringstream in(text);
    std::string part;
    std::getline(in, part, '/');
    std::istringstream nodes(part);
    for (std::int32_t id; nodes >> id;) {
        b->nodes.push_back(g.GetNode(id));
    }
    std::getline(in, part);
    std::istringstream edges(part);
    for (std::int32_t id; edges >> id;) {
        b->edges.push_back(g.GetEdge(id));
    }
    return b;
}

// The parser's count of loop ends at every node equals the count over the
// loop lists of the first pass's workers (and of a counted worker made by the
// test) and the parser's own loops.
inline void ExpectLoopEndCounts(CFLDNetworkParser& parser, const CBranchFinder* own = nullptr) {
    graph_fld& g = ParserTestAccess::Graph(parser);
    std::map<std::int32_t, std::int32_t> ends;
    auto count = [&](const CBranch& L) {
        ++ends[L.nodes.front().id];
        if (L.nodes.back() != L.nodes.front()) {
            ++ends[L.nodes.back().id];
        }
    };
    for (const auto& w : ParserTestAccess::Subnetworks(parser)) {
        for (const auto& L : w->LoopBranches()) {
            count(*L);
        }
    }
    for (const auto& L : ParserTestAccess::LinkLoops(parser)) {
        count(*L);
    }
    for (std::size_t i = 0; own && i < own->LoopBranches().size(); ++i) {
        count(*own->LoopBranches()[i]);
    }
    g.for_each_node([&](GTL::node n) {
        EXPECT_EQ(parser.CountLoopEndsAtNode(n), ends[n.id]) << g.data(n).nodeID;
    });
}

// The nodes of the network whose flag is set.
template <class Flag>
std::set<std::int32_t> NodesWith(const graph_fld& g, const host::Network& net, Flag flag) {
    std::set<std::int32_t> ids;
    for (const host::Node& n : net.nodes) {
        if (flag(g.data(g.GetNode(n.id)))) {
            ids.insert(n.id);
        }
    }
    return ids;
}

}  // namespace rivo_test
