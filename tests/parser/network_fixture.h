#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "rivo.h"

// Small networks described in a line each, fed through the public interface,
// and the decomposition written out as text that tests compare whole.
namespace rivo_test {

using Velmora::Calculations::Dynamic::IVBranch;
using Velmora::Calculations::Dynamic::RivoNetworkParser;

struct NodeSpec {
    std::int32_t id;
    double x;
    double y;
    std::int16_t type = 0;  // 0 manhole, 1 outfall, 2 storage, 3, 4 pump
    bool notPond = false;
};

struct LinkSpec {
    std::int32_t id;
    std::int32_t source;
    std::int32_t target;
    double sourceElevation;
    double targetElevation;
    double size = 1.0;
    std::int16_t type = 0;
    double length = 1.0;
};

struct NetworkSpec {
    std::vector<NodeSpec> nodes = {};
    std::vector<LinkSpec> links = {};
    std::vector<std::vector<std::int32_t>> pumpLinks = {};  // {id, upstream, downstream}
};

// Feeds the public parser or the core one alike.
template <class Parser>
void Feed(const NetworkSpec& network, Parser& parser) {
    for (const NodeSpec& n : network.nodes) {
        parser.AddNode(n.id, n.x, n.y, n.type);
    }
    for (const NodeSpec& n : network.nodes) {
        if (n.notPond) {
            parser.SetNodeIsPondType(n.id, false);
        }
    }
    for (const LinkSpec& l : network.links) {
        parser.AddEdge(l.id, l.source, l.sourceElevation, l.target, l.targetElevation, l.size,
                       l.type, l.length);
    }
    for (const auto& p : network.pumpLinks) {
        parser.AddPumpLink(p.at(0), p.at(1), p.at(2));
    }
}

// "B<number> [nodes] (links) out b/s in b/s sec n" plus " storage-outlet",
// " single-storage" flags; loops start with "L" instead of "B".
inline std::string Describe(IVBranch& b, char kind) {
    std::ostringstream out;
    out << kind << b.BranchNumber() << " [";
    for (std::int32_t i = 0; i < b.NumberOfNodes(); ++i) {
        out << (i ? " " : "") << b.GetNodeID(i);
    }
    out << "] (";
    for (std::int32_t i = 0; i < b.NumberOfEdges(); ++i) {
        out << (i ? " " : "") << b.GetEdgeID(i);
    }
    out << ") out " << b.DownStreamBranchNumber() << "/" << b.DownStreamUpSectionNumber() << " in "
        << b.UpStreamBranchNumber() << "/" << b.UpStreamUpSectionNumber() << " sec "
        << b.NumberOfSections();
    if (b.IsStorageOutletBranch()) {
        out << " storage-outlet";
    }
    if (b.IsSingleStorageNodeBranch()) {
        out << " single-storage";
    }
    return out.str();
}

// Every branch and then every loop branch, one per line.
inline std::string DescribeBranches(RivoNetworkParser& parser) {
    std::string text;
    for (std::int32_t i = 0; i < parser.NumberOfBranches(); ++i) {
        text += Describe(*parser.GetBranch(i), 'B') + "\n";
    }
    for (std::int32_t i = 0; i < parser.NumberOfLoops(); ++i) {
        text += Describe(*parser.GetLoop(i), 'L') + "\n";
    }
    return text;
}

// "id: branch/index/section" per node (x where a query raises).
inline std::string DescribeNodes(RivoNetworkParser& parser, const NetworkSpec& network) {
    std::ostringstream out;
    for (const NodeSpec& n : network.nodes) {
        out << n.id << ":";
        try {
            out << parser.GetBranchNumberOfNode(n.id);
        } catch (const CKtHRException&) {
            out << "x";
        }
        out << "/";
        try {
            out << parser.GetNodeIndexInBranch(n.id);
        } catch (const CKtHRException&) {
            out << "x";
        }
        out << "/" << parser.GetNodeUpStreamSectionNumber(n.id) << " ";
    }
    return out.str();
}

// "id: branch/section/direction" per link, direction + or -.
inline std::string DescribeLinks(RivoNetworkParser& parser, const NetworkSpec& network) {
    std::ostringstream out;
    for (const LinkSpec& l : network.links) {
        out << l.id << ":" << parser.GetBranchNumberOfPipe(l.id) << "/"
            << parser.GetLinkUpStreamSectionNumber(l.id) << "/"
            << (parser.GetParserDirectionSameAsUI(l.id) ? "+" : "-") << " ";
    }
    return out.str();
}

// "up-branch down-branch up-section down-section; " per pump link.
inline std::string DescribePumpLinks(RivoNetworkParser& parser) {
    std::string text;
    for (std::int32_t i = 0; i < parser.NumberOfPumpLinks(); ++i) {
        auto l = parser.GetPumpLink(i);
        text += std::to_string(l->UpStreamBranchNumber()) + " " +
                std::to_string(l->DownStreamBranchNumber()) + " " +
                std::to_string(l->UpStreamNodeUpSectionNumber()) + " " +
                std::to_string(l->DownStreamNodeUpSectionNumber()) + "; ";
    }
    return text;
}

inline std::string Join(std::int32_t count, const std::function<std::int32_t(std::int32_t)>& get) {
    std::string text;
    for (std::int32_t i = 0; i < count; ++i) {
        text += (i ? " " : "") + std::to_string(get(i));
    }
    return text;
}

// A whole parse that succeeds, with its decomposition as the Describe* texts.
struct ParseCase {
    const char* name;
    NetworkSpec network;
    const char* branches;
    const char* nodes;  // nullptr: not compared
    const char* links;
};

// Also checks that every link lies on exactly one branch or loop branch.
inline void ExpectParse(const ParseCase& c) {
    RivoNetworkParser parser;
    Feed(c.network, parser);
    EXPECT_TRUE(parser.ParseNetwork());
    EXPECT_EQ(DescribeBranches(parser), c.branches);
    if (c.nodes != nullptr) {
        EXPECT_EQ(DescribeNodes(parser, c.network), c.nodes);
    }
    EXPECT_EQ(DescribeLinks(parser, c.network), c.links);
    std::map<std::int32_t, int> seen;
    auto count = [&](IVBranch& b) {
        for (std::int32_t k = 0; k < b.NumberOfEdges(); ++k) {
            ++seen[b.GetEdgeID(k)];
        }
    };
    for (std::int32_t i = 0; i < parser.NumberOfBranches(); ++i) {
        count(*parser.GetBranch(i));
    }
    for (std::int32_t i = 0; i < parser.NumberOfLoops(); ++i) {
        count(*parser.GetLoop(i));
    }
    for (const LinkSpec& l : c.network.links) {
        EXPECT_EQ(seen[l.id], 1) << "link " << l.id;
    }
}

// Case names as test names: INSTANTIATE_TEST_SUITE_P(..., rivo_test::ByName).
inline std::string TestName(std::string name) {
    for (char& ch : name) {
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    }
    return name;
}
inline constexpr auto ByName = [](const auto& info) { return TestName(info.param.name); };

}  // namespace rivo_test

// Expects `statement` to raise CKtHRException with exactly this message and code.
#define EXPECT_RAISES(statement, expectedMessage, expectedHr)                \
    do {                                                                     \
        try {                                                                \
            statement;                                                       \
            ADD_FAILURE() << "no exception from " #statement;                \
        } catch (const CKtHRException& raised) {                             \
            EXPECT_EQ(ToUtf8(raised.message), std::string(expectedMessage)); \
            EXPECT_EQ(raised.hr, static_cast<HRESULT>(expectedHr));          \
        }                                                                    \
    } while (false)
