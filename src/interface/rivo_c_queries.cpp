// The C interface: the result queries, one function per query.

#include "interface/c_handle.h"

using rivo::c_interface::Answer;
using rivo::c_interface::CallerError;
using rivo::c_interface::HandleParser;

namespace rivo::c_interface {

namespace {

// The branch or loop branch at `index`, looked up as GetBranch or GetLoop
// does, so that a bad index fails with the same message.
CBranch& BranchAt(HandleParser& p, std::int32_t list, std::int32_t index) {
    if (list == RIVO_BRANCHES) {
        return *p.Core().GetBranch(index);
    }
    if (list == RIVO_LOOPS) {
        return *p.Core().GetLoopBranch(index);
    }
    throw CallerError{RIVO_E_INVALIDARG, texts::kUnknownBranchList};
}

std::int32_t BranchField(const CBranch& b, std::int32_t field) {
    switch (field) {
        case RIVO_BRANCH_NUMBER:
            return b.branchNumber;
        case RIVO_BRANCH_DOWN_STREAM_BRANCH_NUMBER:
            return b.outBranchNumber;
        case RIVO_BRANCH_DOWN_STREAM_UP_SECTION_NUMBER:
            return b.outUpSectionNumber;
        case RIVO_BRANCH_UP_STREAM_BRANCH_NUMBER:
            return b.inBranchNumber;
        case RIVO_BRANCH_UP_STREAM_UP_SECTION_NUMBER:
            return b.inUpSectionNumber;
        case RIVO_BRANCH_NUMBER_OF_NODES:
            return b.GetNumberOfNodes();
        case RIVO_BRANCH_NUMBER_OF_EDGES:
            return b.GetNumberOfEdges();
        case RIVO_BRANCH_NUMBER_OF_SECTIONS:
            return b.GetNumberOfSections();
        case RIVO_BRANCH_IS_STORAGE_OUTLET_BRANCH:
            return b.isStorageOutletBranch ? 1 : 0;
        case RIVO_BRANCH_IS_SINGLE_STORAGE_NODE_BRANCH:
            return b.isSingleStorageNodeBranch ? 1 : 0;
        default:
            throw CallerError{RIVO_E_INVALIDARG, texts::kUnknownField};
    }
}

std::int32_t PumpLinkField(const CPumpLink& pump, std::int32_t field) {
    switch (field) {
        case RIVO_PUMP_UP_STREAM_NODE_ID:
            return pump.upStreamNodeID;
        case RIVO_PUMP_DOWN_STREAM_NODE_ID:
            return pump.downStreamNodeID;
        case RIVO_PUMP_UP_STREAM_BRANCH_NUMBER:
            return pump.upStreamBranchNumber;
        case RIVO_PUMP_DOWN_STREAM_BRANCH_NUMBER:
            return pump.downStreamBranchNumber;
        case RIVO_PUMP_UP_STREAM_NODE_UP_SECTION_NUMBER:
            return pump.upStreamNodeUpSectionNumber;
        case RIVO_PUMP_DOWN_STREAM_NODE_UP_SECTION_NUMBER:
            return pump.downStreamNodeUpSectionNumber;
        case RIVO_PUMP_LINK_ID:
            return pump.pumpLinkID;
        default:
            throw CallerError{RIVO_E_INVALIDARG, texts::kUnknownField};
    }
}

}  // namespace

}  // namespace rivo::c_interface

// Each query below forwards to the RivoNetworkParser member of the same name.
#define RIVO_COUNT(function, member)                                              \
    rivo_hresult function(rivo_parser* parser, int32_t* count) {                  \
        return Answer(parser, count, [](HandleParser& p) { return p.member(); }); \
    }
#define RIVO_QUERY(function, member, Value)                                             \
    rivo_hresult function(rivo_parser* parser, int32_t key, Value* value) {             \
        return Answer(parser, value, [key](HandleParser& p) { return p.member(key); }); \
    }
#define RIVO_SETTER(function, member)                                                            \
    rivo_hresult function(rivo_parser* parser, int32_t key, double value) {                      \
        return rivo::c_interface::Guard(parser, [&](HandleParser& p) { p.member(key, value); }); \
    }

extern "C" {

RIVO_COUNT(rivo_number_of_branches, NumberOfBranches)
RIVO_COUNT(rivo_number_of_loops, NumberOfLoops)
RIVO_COUNT(rivo_contains_loop, ContainsLoop)
RIVO_COUNT(rivo_number_of_pump_links, NumberOfPumpLinks)
RIVO_COUNT(rivo_number_of_gutters, NumberOfGutters)
RIVO_COUNT(rivo_number_of_isolated_nodes, NumberOfIsolatedNodes)
RIVO_COUNT(rivo_number_of_isolated_edges, NumberOfIsolatedEdges)
RIVO_COUNT(rivo_number_of_nodes, NumberOfNodes)
RIVO_COUNT(rivo_number_of_links, NumberOfLinks)
RIVO_COUNT(rivo_number_of_removed_outfalls, NumberOfRemovedOutfalls)

RIVO_QUERY(rivo_get_first_section_position, GetFirstSectionPosition, double)
RIVO_QUERY(rivo_get_second_section_position, GetSecondSectionPosition, double)
RIVO_SETTER(rivo_set_first_section_position, SetFirstSectionPosition)
RIVO_SETTER(rivo_set_second_section_position, SetSecondSectionPosition)
RIVO_QUERY(rivo_get_branch_number_of_pipe, GetBranchNumberOfPipe, int32_t)
RIVO_QUERY(rivo_get_link_up_stream_section_number, GetLinkUpStreamSectionNumber, int32_t)
RIVO_QUERY(rivo_get_parser_direction_same_as_ui, GetParserDirectionSameAsUI, int32_t)

RIVO_QUERY(rivo_get_branch_number_of_node, GetBranchNumberOfNode, int32_t)
RIVO_QUERY(rivo_get_node_index_in_branch, GetNodeIndexInBranch, int32_t)
RIVO_QUERY(rivo_get_node_down_stream_section_position, GetNodeDownStreamSectionPosition, double)
RIVO_SETTER(rivo_set_node_down_stream_section_position, SetNodeDownStreamSectionPosition)
RIVO_QUERY(rivo_get_node_up_stream_section_number, GetNodeUpStreamSectionNumber, int32_t)
RIVO_QUERY(rivo_get_node_is_manhole_or_storage_type, GetNodeIsManholeOrStorageType, int32_t)
RIVO_QUERY(rivo_get_node_is_outfall_type, GetNodeIsOutfallType, int32_t)
RIVO_QUERY(rivo_get_node_is_converted_to_outfall, GetNodeIsConvertedToOutfall, int32_t)
RIVO_QUERY(rivo_get_node_is_pump, GetNodeIsPump, int32_t)

RIVO_QUERY(rivo_get_gutter_link_id, GetGutterLinkID, int32_t)
RIVO_QUERY(rivo_get_gutter_direction_same_as_ui, GetGutterDirectionSameAsUI, int32_t)
RIVO_QUERY(rivo_get_isolated_node_id, GetIsolatedNodeId, int32_t)
RIVO_QUERY(rivo_get_isolated_edge_id, GetIsolatedEdgeId, int32_t)
RIVO_QUERY(rivo_get_removed_outfall_id, GetRemovedOutfallID, int32_t)

rivo_hresult rivo_branch_value(rivo_parser* parser, int32_t list, int32_t index, int32_t field,
                               int32_t* value) {
    return Answer(parser, value, [&](HandleParser& p) {
        return rivo::c_interface::BranchField(rivo::c_interface::BranchAt(p, list, index), field);
    });
}

rivo_hresult rivo_branch_node_id(rivo_parser* parser, int32_t list, int32_t index,
                                 int32_t nodeIndex, int32_t* nodeID) {
    return Answer(parser, nodeID, [&](HandleParser& p) {
        return rivo::c_interface::BranchAt(p, list, index).GetNodeID(nodeIndex);
    });
}

rivo_hresult rivo_branch_edge_id(rivo_parser* parser, int32_t list, int32_t index,
                                 int32_t edgeIndex, int32_t* edgeID) {
    return Answer(parser, edgeID, [&](HandleParser& p) {
        return rivo::c_interface::BranchAt(p, list, index).GetEdgeID(edgeIndex);
    });
}

rivo_hresult rivo_pump_link_value(rivo_parser* parser, int32_t index, int32_t field,
                                  int32_t* value) {
    return Answer(parser, value, [&](HandleParser& p) {
        return rivo::c_interface::PumpLinkField(*p.Core().GetPumpLink(index), field);
    });
}

}  // extern "C"
