// The C interface: reading whole results into the host's arrays.

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "interface/c_handle.h"
#include "rivo/rivo_bulk_results.h"

using rivo::c_interface::CallerError;
using rivo::c_interface::Guard;
using rivo::c_interface::HandleParser;
using rivo::c_interface::In;
using rivo::c_interface::Out;
using Velmora::Calculations::Dynamic::LinkAnswers;
using Velmora::Calculations::Dynamic::NodeAnswers;
using Velmora::Calculations::Dynamic::ReadLinks;
using Velmora::Calculations::Dynamic::ReadNodes;

namespace rivo::c_interface {

namespace {

// Answers go through the library's bulk reading a block at a time, so that
// a million of them are never held twice.
constexpr std::int32_t kBlock = 4096;

// Stores an optional answer and marks it answered.
template <class T, class Field>
void Put(const std::optional<T>& answer, Field& field, std::uint32_t bit, std::uint32_t& answered) {
    if (answer) {
        field = static_cast<Field>(*answer);
        answered |= bit;
    }
}

#define RIVO_PUT(type, name, Reader, bit, ...) Put(a.name, c.name, RIVO_ANSWERED_##bit, c.answered);
rivo_node_answers ToC(const NodeAnswers& a) {
    rivo_node_answers c{};
    c.id = a.id;
    RIVO_NODE_ANSWER_FIELDS(RIVO_PUT)
    return c;
}

rivo_link_answers ToC(const LinkAnswers& a) {
    rivo_link_answers c{};
    c.id = a.id;
    RIVO_LINK_ANSWER_FIELDS(RIVO_PUT)
    return c;
}
#undef RIVO_PUT

std::int32_t Checked(std::int32_t position) {
    if (position < 0) {
        throw CallerError{RIVO_E_INVALIDARG, texts::kNegativeCount};
    }
    return position;
}

// How many of `count` positions from `first` exist among `total`.
std::int32_t Existing(std::int32_t first, std::int32_t count, std::int32_t total) {
    return std::max(0, std::min(Checked(count), total - Checked(first)));
}

// Calls read(from, n, block) for blocks of at most kBlock answers and copies
// each block out; gives how many were written.
template <class Answers, class CAnswers, class Read>
std::int32_t ByBlocks(std::int32_t count, CAnswers* out, Read read) {
    std::vector<Answers> block;
    std::int32_t written = 0;
    for (std::int32_t from = 0; from < count; from += kBlock) {
        block.clear();
        read(from, std::min(kBlock, count - from), block);
        for (const Answers& a : block) {
            out[written++] = ToC(a);
        }
    }
    return written;
}

// The branches of `list` from `first` on, at most `count` of them.
std::span<CBranch* const> Branches(HandleParser& p, std::int32_t list, std::int32_t first,
                                   std::int32_t count) {
    const std::vector<CBranch*>* all = nullptr;
    if (list == RIVO_BRANCHES) {
        all = &p.Core().ResultBranches();
    } else if (list == RIVO_LOOPS) {
        all = &p.Core().ResultLoopBranches();
    } else {
        throw CallerError{RIVO_E_INVALIDARG, texts::kUnknownBranchList};
    }
    const auto size = static_cast<std::int32_t>(all->size());
    const std::int32_t begin = std::min(Checked(first), size);
    const std::int32_t end = begin + std::min(Checked(count), size - begin);
    return std::span<CBranch* const>(*all).subspan(static_cast<std::size_t>(begin),
                                                   static_cast<std::size_t>(end - begin));
}

// The library's bulk reading of what a C record of answers holds.
template <class CAnswers>
struct Reading;
template <>
struct Reading<rivo_node_answers> {
    using Answers = NodeAnswers;
    static std::int32_t Total(HandleParser& p) { return p.NumberOfNodes(); }
    static void Read(HandleParser& p, auto&&... where) { ReadNodes(p, where...); }
};
template <>
struct Reading<rivo_link_answers> {
    using Answers = LinkAnswers;
    static std::int32_t Total(HandleParser& p) { return p.NumberOfLinks(); }
    static void Read(HandleParser& p, auto&&... where) { ReadLinks(p, where...); }
};

// The answers for `count` IDs.
template <class CAnswers>
void ReadByID(HandleParser& p, std::int32_t count, const std::int32_t* ids, CAnswers* answers) {
    using R = Reading<CAnswers>;
    In(ids, count), In(answers, count);
    ByBlocks<typename R::Answers>(
        count, answers, [&](std::int32_t from, std::int32_t n, auto& block) {
            R::Read(p, std::span<const std::int32_t>(ids + from, static_cast<std::size_t>(n)),
                    block);
        });
}

// The answers at positions `first` on, as far as they exist; gives how many.
template <class CAnswers>
std::int32_t ReadAt(HandleParser& p, std::int32_t first, std::int32_t count, CAnswers* answers) {
    using R = Reading<CAnswers>;
    In(answers, count);
    const std::int32_t n = Existing(first, count, R::Total(p));
    return ByBlocks<typename R::Answers>(
        n, answers, [&](std::int32_t from, std::int32_t size, auto& block) {
            R::Read(p, static_cast<std::size_t>(first) + static_cast<std::size_t>(from),
                    static_cast<std::size_t>(size), block);
        });
}

rivo_branch_answers ToC(const CBranch& b) {
    rivo_branch_answers c{};
    c.branchNumber = b.branchNumber;
    c.downStreamBranchNumber = b.outBranchNumber;
    c.downStreamUpSectionNumber = b.outUpSectionNumber;
    c.upStreamBranchNumber = b.inBranchNumber;
    c.upStreamUpSectionNumber = b.inUpSectionNumber;
    c.numberOfSections = b.GetNumberOfSections();
    c.isStorageOutletBranch = b.isStorageOutletBranch ? 1 : 0;
    c.isSingleStorageNodeBranch = b.isSingleStorageNodeBranch ? 1 : 0;
    c.numberOfNodes = b.GetNumberOfNodes();
    c.numberOfEdges = b.GetNumberOfEdges();
    return c;
}

// Writes the first `count` IDs as GetNodeID (GetEdgeID) answers them.
int32_t* CopyIDs(std::span<const std::int32_t> ids, std::int32_t count, int32_t* out) {
    const auto n = std::min<std::size_t>(ids.size(), static_cast<std::size_t>(count));
    out = std::copy_n(ids.begin(), n, out);
    return std::fill_n(out, static_cast<std::size_t>(count) - n, 0);
}

}  // namespace

}  // namespace rivo::c_interface

using rivo::c_interface::Branches;
using rivo::c_interface::Checked;
using rivo::c_interface::Existing;
using rivo::c_interface::ReadAt;
using rivo::c_interface::ReadByID;

extern "C" {

rivo_hresult rivo_read_nodes(rivo_parser* parser, int32_t count, const int32_t* nodeIDs,
                             rivo_node_answers* answers) {
    return Guard(parser, [&](HandleParser& p) { ReadByID(p, count, nodeIDs, answers); });
}

rivo_hresult rivo_read_links(rivo_parser* parser, int32_t count, const int32_t* linkIDs,
                             rivo_link_answers* answers) {
    return Guard(parser, [&](HandleParser& p) { ReadByID(p, count, linkIDs, answers); });
}

rivo_hresult rivo_read_nodes_at(rivo_parser* parser, int32_t first, int32_t count,
                                rivo_node_answers* answers, int32_t* read) {
    return Guard(parser, [&](HandleParser& p) {
        int32_t& done = Out(read);
        done = ReadAt(p, first, count, answers);
    });
}

rivo_hresult rivo_read_links_at(rivo_parser* parser, int32_t first, int32_t count,
                                rivo_link_answers* answers, int32_t* read) {
    return Guard(parser, [&](HandleParser& p) {
        int32_t& done = Out(read);
        done = ReadAt(p, first, count, answers);
    });
}

rivo_hresult rivo_read_branches(rivo_parser* parser, int32_t list, int32_t first, int32_t count,
                                rivo_branch_answers* answers, int32_t* read) {
    return Guard(parser, [&](HandleParser& p) {
        int32_t& done = Out(read);
        In(answers, count);
        std::span<CBranch* const> branches = Branches(p, list, first, count);
        std::transform(branches.begin(), branches.end(), answers,
                       [](const CBranch* b) { return rivo::c_interface::ToC(*b); });
        done = static_cast<int32_t>(branches.size());
    });
}

rivo_hresult rivo_read_branch_ids(rivo_parser* parser, int32_t list, int32_t first, int32_t count,
                                  int32_t* nodeIDs, int64_t nodeCapacity, int32_t* edgeIDs,
                                  int64_t edgeCapacity) {
    return Guard(parser, [&](HandleParser& p) {
        std::span<CBranch* const> branches = Branches(p, list, first, count);
        int64_t nodes = 0, edges = 0;
        for (const CBranch* b : branches) {
            nodes += b->GetNumberOfNodes();
            edges += b->GetNumberOfEdges();
        }
        if (nodes > nodeCapacity || edges > edgeCapacity) {
            throw CallerError{RIVO_E_INVALIDARG, texts::kCapacityTooSmall};
        }
        if ((nodes > 0 && nodeIDs == nullptr) || (edges > 0 && edgeIDs == nullptr)) {
            throw CallerError{RIVO_E_POINTER, texts::kNullPointer};
        }
        for (const CBranch* b : branches) {
            nodeIDs = rivo::c_interface::CopyIDs(b->NodeIDs(), b->GetNumberOfNodes(), nodeIDs);
            edgeIDs = rivo::c_interface::CopyIDs(b->EdgeIDs(), b->GetNumberOfEdges(), edgeIDs);
        }
    });
}

rivo_hresult rivo_read_pump_links(rivo_parser* parser, int32_t first, int32_t count,
                                  rivo_pump_link_answers* answers, int32_t* read) {
    return Guard(parser, [&](HandleParser& p) {
        int32_t& done = Out(read);
        In(answers, count);
        const auto& pumps = p.Core().PumpLinks();
        const auto size = static_cast<int32_t>(pumps.size());
        const int32_t begin = std::min(Checked(first), size);
        const int32_t end = begin + Existing(begin, count, size);
        for (int32_t i = begin; i < end; ++i) {
            const CPumpLink& q = *pumps[static_cast<std::size_t>(i)];
            rivo_pump_link_answers& a = answers[i - begin];
#define RIVO_COPY(type, name, ...) a.name = q.name;
            RIVO_PUMP_LINK_FIELDS(RIVO_COPY)
#undef RIVO_COPY
        }
        done = end - begin;
    });
}

}  // extern "C"
