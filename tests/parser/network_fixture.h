#pragma once

#include <cstdint>
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

inline void Feed(const NetworkSpec& network, RivoNetworkParser& parser) {
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
