#include "rivo/rivo_bulk_results.h"

#include <algorithm>

#include "parser/network_parser.h"
#include "rivo/rivo_network_parser.h"

namespace Velmora::Calculations::Dynamic {

struct BulkReader {
    static CFLDNetworkParser& Core(const RivoNetworkParser& parser) {
        return *parser.networkParser;
    }
};

namespace {

// Positions first .. first + count - 1 of `total`, cut to those that exist.
std::size_t End(std::size_t first, std::size_t count, std::size_t total) {
    return first >= total ? first : first + std::min(count, total - first);
}

void AnswerBranches(const std::vector<CBranch*>& branches, std::size_t first, std::size_t count,
                    std::vector<BranchAnswers>& out) {
    for (std::size_t k = first, end = End(first, count, branches.size()); k < end; ++k) {
        out.push_back(CFLDNetworkParser::AnswerBranch(*branches[k]));
    }
}

std::vector<BranchAnswers> AnswerBranches(const std::vector<CBranch*>& branches) {
    std::vector<BranchAnswers> out;
    out.reserve(branches.size());
    AnswerBranches(branches, 0, branches.size(), out);
    return out;
}

}  // namespace

std::vector<BranchAnswers> ReadBranches(const RivoNetworkParser& parser) {
    return AnswerBranches(BulkReader::Core(parser).ResultBranches());
}

std::vector<BranchAnswers> ReadLoops(const RivoNetworkParser& parser) {
    return AnswerBranches(BulkReader::Core(parser).ResultLoopBranches());
}

void ReadBranches(const RivoNetworkParser& parser, std::size_t first, std::size_t count,
                  std::vector<BranchAnswers>& out) {
    AnswerBranches(BulkReader::Core(parser).ResultBranches(), first, count, out);
}

void ReadLoops(const RivoNetworkParser& parser, std::size_t first, std::size_t count,
               std::vector<BranchAnswers>& out) {
    AnswerBranches(BulkReader::Core(parser).ResultLoopBranches(), first, count, out);
}

std::vector<PumpLinkAnswers> ReadPumpLinks(const RivoNetworkParser& parser) {
    std::vector<PumpLinkAnswers> out;
    for (const auto& p : BulkReader::Core(parser).PumpLinks()) {
        PumpLinkAnswers& a = out.emplace_back();
#define RIVO_COPY(type, name, ...) a.name = p->name;
        RIVO_PUMP_LINK_FIELDS(RIVO_COPY)
#undef RIVO_COPY
    }
    return out;
}

void ReadNodes(RivoNetworkParser& parser, std::size_t first, std::size_t count,
               std::vector<NodeAnswers>& out) {
    CFLDNetworkParser& core = BulkReader::Core(parser);
    const graph_fld& g = core.Graph();
    for (std::size_t k = first,
                     end = End(first, count, static_cast<std::size_t>(core.GetNumberOfNodes()));
         k < end; ++k) {
        GTL::node n = g.nth_node(k);
        out.push_back(core.AnswerNode(g.data(n).nodeID, n));
    }
}

void ReadLinks(const RivoNetworkParser& parser, std::size_t first, std::size_t count,
               std::vector<LinkAnswers>& out) {
    const CFLDNetworkParser& core = BulkReader::Core(parser);
    const graph_fld& g = core.Graph();
    for (std::size_t k = first,
                     end = End(first, count, static_cast<std::size_t>(core.GetNumberOfLinks()));
         k < end; ++k) {
        GTL::edge e = g.nth_edge(k);
        out.push_back(core.AnswerLink(g.data(e).edgeID, e));
    }
}

void ReadNodes(RivoNetworkParser& parser, std::span<const std::int32_t> ids,
               std::vector<NodeAnswers>& out) {
    CFLDNetworkParser& core = BulkReader::Core(parser);
    for (std::int32_t id : ids) {
        out.push_back(core.AnswerNode(id, core.Graph().FindNode(id)));
    }
}

void ReadLinks(const RivoNetworkParser& parser, std::span<const std::int32_t> ids,
               std::vector<LinkAnswers>& out) {
    const CFLDNetworkParser& core = BulkReader::Core(parser);
    for (std::int32_t id : ids) {
        out.push_back(core.AnswerLink(id, core.Graph().FindEdge(id)));
    }
}

}  // namespace Velmora::Calculations::Dynamic
