#ifndef RIVO_C_H
#define RIVO_C_H

/* The parser for hosts that call C: C, Fortran, Delphi, Julia, Rust and the
   .NET assembly. One opaque handle per parser; every operation of the host
   interface is one function that returns a result code (an HRESULT: 0 for
   success, negative for failure) and gives its value through an
   out-parameter. After a failure, rivo_last_error_message() gives the
   parser's message exactly as it raised it. Nothing is allocated that the
   caller must free; no C++ exception leaves a function.

       rivo_parser* parser = NULL;
       int32_t complete = 0, branches = 0, number = 0;
       if (rivo_parser_create(&parser) != RIVO_S_OK) return 1;
       rivo_add_node(parser, 1, 0.0, 0.0, 1);              (an outfall)
       rivo_add_node(parser, 2, 10.0, 0.0, 0);             (a manhole)
       rivo_add_edge(parser, 10, 2, 1.0, 1, 0.5, 0.6, 0, 25.0);
       rivo_parse_network(parser, 0, &complete);
       rivo_number_of_branches(parser, &branches);
       if (RIVO_FAILED(rivo_branch_value(parser, RIVO_BRANCHES, 5, RIVO_BRANCH_NUMBER, &number)))
           puts(rivo_last_error_message(parser));   (two lines: what failed, why)
       rivo_parser_release(parser);

   A parser is used by one thread at a time; separate parsers may be used on
   separate threads. Booleans cross as int32_t (0 false, anything else true
   going in; 0 or 1 coming out), so that every argument has the same size in
   every language. */

#include <stdint.h>

#include "rivo/export.h"
#include "rivo/record_fields.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes. The parser's own errors carry RIVO_E_INVALIDARG (a bad
   index, an unknown node or link) or RIVO_E_FAIL; RIVO_E_OUTOFMEMORY when
   memory ran out; RIVO_E_POINTER for a null handle or a null out-parameter. */
typedef int32_t rivo_hresult;
#define RIVO_S_OK ((rivo_hresult)0)
#define RIVO_E_FAIL ((rivo_hresult)0x80004005u)
#define RIVO_E_POINTER ((rivo_hresult)0x80004003u)
#define RIVO_E_INVALIDARG ((rivo_hresult)0x80070057u)
#define RIVO_E_OUTOFMEMORY ((rivo_hresult)0x8007000Eu)
#define RIVO_FAILED(hr) ((hr) < 0)

typedef struct rivo_parser rivo_parser;

/* Creation and release. rivo_parser_create sets *parser to a new parser, or
   to NULL when it fails (RIVO_E_OUTOFMEMORY). Releasing NULL does nothing;
   a released handle must not be used again. */
RIVO_API rivo_hresult rivo_parser_create(rivo_parser** parser);
RIVO_API void rivo_parser_release(rivo_parser* parser);

/* The message of the last call on this parser, "" when it succeeded: for the
   parser's errors the text it raised, for example
   "Failed : CFLDNetworkParser::GetBranch\nIndex out of range". UTF-8, and
   the same text in UTF-16 (on Windows, a wchar_t string). The text belongs
   to the parser and stays valid until the next call on it; NULL gives "". */
RIVO_API const char* rivo_last_error_message(const rivo_parser* parser);
RIVO_API const uint16_t* rivo_last_error_message_utf16(const rivo_parser* parser);

/* Describing the network: nodes first, then links (their end nodes must
   exist), pump links, node flags and gutter links. */
RIVO_API rivo_hresult rivo_add_node(rivo_parser* parser, int32_t nodeID, double xPosition,
                                    double yPosition, int16_t nodeType);
RIVO_API rivo_hresult rivo_set_node_is_pond_type(rivo_parser* parser, int32_t nodeID,
                                                 int32_t isPond);
RIVO_API rivo_hresult rivo_add_edge(rivo_parser* parser, int32_t edgeID, int32_t sourceNodeID,
                                    double elevationInSource, int32_t targetNodeID,
                                    double elevationInTarget, double size, int16_t edgeType,
                                    double length);
/* A link whose length the parser sets (1.0). */
RIVO_API rivo_hresult rivo_add_edge_default_length(rivo_parser* parser, int32_t edgeID,
                                                   int32_t sourceNodeID, double elevationInSource,
                                                   int32_t targetNodeID, double elevationInTarget,
                                                   double size, int16_t edgeType);
RIVO_API rivo_hresult rivo_add_pump_link(rivo_parser* parser, int32_t pumpID,
                                         int32_t upStreamNodeID, int32_t downStreamNodeID);
RIVO_API rivo_hresult rivo_set_node_storage_type(rivo_parser* parser, int32_t nodeId);
RIVO_API rivo_hresult rivo_add_gutter_link_id_direction(rivo_parser* parser, int32_t gutterID,
                                                        int32_t gutterDirectionSameAsUI);

/* The same calls for `count` elements, in array order. The first element
   the parser refuses ends the call with its error; the elements before it
   stay added. *added (may be NULL) receives how many were added. A NULL
   `lengths` gives every link the parser's length, as
   rivo_add_edge_default_length does. */
RIVO_API rivo_hresult rivo_add_nodes(rivo_parser* parser, int32_t count, const int32_t* nodeIDs,
                                     const double* xPositions, const double* yPositions,
                                     const int16_t* nodeTypes, int32_t* added);
RIVO_API rivo_hresult rivo_add_edges(rivo_parser* parser, int32_t count, const int32_t* edgeIDs,
                                     const int32_t* sourceNodeIDs, const double* elevationsInSource,
                                     const int32_t* targetNodeIDs, const double* elevationsInTarget,
                                     const double* sizes, const int16_t* edgeTypes,
                                     const double* lengths, int32_t* added);
RIVO_API rivo_hresult rivo_add_pump_links(rivo_parser* parser, int32_t count,
                                          const int32_t* pumpIDs, const int32_t* upStreamNodeIDs,
                                          const int32_t* downStreamNodeIDs, int32_t* added);

/* The parse: *result is 1 when every node was reached from an outlet. A
   parser parses once. */
RIVO_API rivo_hresult rivo_parse_network(rivo_parser* parser, int32_t findLongestBranch,
                                         int32_t* result);

/* Counts. */
RIVO_API rivo_hresult rivo_number_of_branches(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_number_of_loops(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_contains_loop(rivo_parser* parser, int32_t* containsLoop);
RIVO_API rivo_hresult rivo_number_of_pump_links(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_number_of_gutters(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_number_of_isolated_nodes(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_number_of_isolated_edges(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_number_of_nodes(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_number_of_links(rivo_parser* parser, int32_t* count);
RIVO_API rivo_hresult rivo_number_of_removed_outfalls(rivo_parser* parser, int32_t* count);

/* Links by ID. */
RIVO_API rivo_hresult rivo_get_first_section_position(rivo_parser* parser, int32_t pipeID,
                                                      double* position);
RIVO_API rivo_hresult rivo_get_second_section_position(rivo_parser* parser, int32_t pipeID,
                                                       double* position);
RIVO_API rivo_hresult rivo_set_first_section_position(rivo_parser* parser, int32_t pipeID,
                                                      double firstSectionPosition);
RIVO_API rivo_hresult rivo_set_second_section_position(rivo_parser* parser, int32_t pipeID,
                                                       double secondSectionPosition);
RIVO_API rivo_hresult rivo_get_branch_number_of_pipe(rivo_parser* parser, int32_t pipeID,
                                                     int32_t* branchNumber);
RIVO_API rivo_hresult rivo_get_link_up_stream_section_number(rivo_parser* parser, int32_t linkID,
                                                             int32_t* sectionNumber);
RIVO_API rivo_hresult rivo_get_parser_direction_same_as_ui(rivo_parser* parser, int32_t linkId,
                                                           int32_t* sameDirection);

/* Nodes by ID. */
RIVO_API rivo_hresult rivo_get_branch_number_of_node(rivo_parser* parser, int32_t nodeID,
                                                     int32_t* branchNumber);
RIVO_API rivo_hresult rivo_get_node_index_in_branch(rivo_parser* parser, int32_t nodeID,
                                                    int32_t* index);
RIVO_API rivo_hresult rivo_get_node_down_stream_section_position(rivo_parser* parser,
                                                                 int32_t nodeID, double* position);
RIVO_API rivo_hresult rivo_set_node_down_stream_section_position(rivo_parser* parser,
                                                                 int32_t nodeID,
                                                                 double downStreamSectionPosition);
RIVO_API rivo_hresult rivo_get_node_up_stream_section_number(rivo_parser* parser, int32_t nodeID,
                                                             int32_t* sectionNumber);
RIVO_API rivo_hresult rivo_get_node_is_manhole_or_storage_type(rivo_parser* parser, int32_t nodeId,
                                                               int32_t* is);
RIVO_API rivo_hresult rivo_get_node_is_outfall_type(rivo_parser* parser, int32_t nodeId,
                                                    int32_t* is);
RIVO_API rivo_hresult rivo_get_node_is_converted_to_outfall(rivo_parser* parser, int32_t nodeId,
                                                            int32_t* is);
RIVO_API rivo_hresult rivo_get_node_is_pump(rivo_parser* parser, int32_t nodeId, int32_t* is);

/* Lists by index. */
RIVO_API rivo_hresult rivo_get_gutter_link_id(rivo_parser* parser, int32_t index, int32_t* id);
RIVO_API rivo_hresult rivo_get_gutter_direction_same_as_ui(rivo_parser* parser, int32_t index,
                                                           int32_t* sameDirection);
RIVO_API rivo_hresult rivo_get_isolated_node_id(rivo_parser* parser, int32_t index, int32_t* id);
RIVO_API rivo_hresult rivo_get_isolated_edge_id(rivo_parser* parser, int32_t index, int32_t* id);
RIVO_API rivo_hresult rivo_get_removed_outfall_id(rivo_parser* parser, int32_t index, int32_t* id);

/* Branches and loop branches by list and index: the parser looks the branch
   up first (an index out of range fails as GetBranch or GetLoopBranch
   does), then the field is read from its record as it is now. */
enum { RIVO_BRANCHES = 0, RIVO_LOOPS = 1 };
enum {
    RIVO_BRANCH_NUMBER = 0,
    RIVO_BRANCH_DOWN_STREAM_BRANCH_NUMBER = 1,
    RIVO_BRANCH_DOWN_STREAM_UP_SECTION_NUMBER = 2,
    RIVO_BRANCH_UP_STREAM_BRANCH_NUMBER = 3,
    RIVO_BRANCH_UP_STREAM_UP_SECTION_NUMBER = 4,
    RIVO_BRANCH_NUMBER_OF_NODES = 5,
    RIVO_BRANCH_NUMBER_OF_EDGES = 6,
    RIVO_BRANCH_NUMBER_OF_SECTIONS = 7,
    RIVO_BRANCH_IS_STORAGE_OUTLET_BRANCH = 8,
    RIVO_BRANCH_IS_SINGLE_STORAGE_NODE_BRANCH = 9
};
RIVO_API rivo_hresult rivo_branch_value(rivo_parser* parser, int32_t list, int32_t index,
                                        int32_t field, int32_t* value);
RIVO_API rivo_hresult rivo_branch_node_id(rivo_parser* parser, int32_t list, int32_t index,
                                          int32_t nodeIndex, int32_t* nodeID);
RIVO_API rivo_hresult rivo_branch_edge_id(rivo_parser* parser, int32_t list, int32_t index,
                                          int32_t edgeIndex, int32_t* edgeID);

/* Pump links by index, the same way. */
enum {
    RIVO_PUMP_UP_STREAM_NODE_ID = 0,
    RIVO_PUMP_DOWN_STREAM_NODE_ID = 1,
    RIVO_PUMP_UP_STREAM_BRANCH_NUMBER = 2,
    RIVO_PUMP_DOWN_STREAM_BRANCH_NUMBER = 3,
    RIVO_PUMP_UP_STREAM_NODE_UP_SECTION_NUMBER = 4,
    RIVO_PUMP_DOWN_STREAM_NODE_UP_SECTION_NUMBER = 5,
    RIVO_PUMP_LINK_ID = 6
};
RIVO_API rivo_hresult rivo_pump_link_value(rivo_parser* parser, int32_t index, int32_t field,
                                           int32_t* value);

/* Reading whole results at once. Each answer is what the query of the same
   name gives; where that query would fail, the field's bit in `answered` is
   clear and the field is 0. Node records are written as the queries write
   them (the branch number is asked before the index). Nothing here fails
   for an unknown ID or a node on no branch. */
enum {
    RIVO_ANSWERED_BRANCH_NUMBER = 1 << 0,
    RIVO_ANSWERED_INDEX_IN_BRANCH = 1 << 1,
    RIVO_ANSWERED_UP_STREAM_SECTION_NUMBER = 1 << 2,
    RIVO_ANSWERED_DOWN_STREAM_SECTION_POSITION = 1 << 3,
    RIVO_ANSWERED_IS_OUTFALL_TYPE = 1 << 4,
    RIVO_ANSWERED_IS_CONVERTED_TO_OUTFALL = 1 << 5,
    RIVO_ANSWERED_IS_PUMP = 1 << 6,
    RIVO_ANSWERED_IS_MANHOLE_OR_STORAGE_TYPE = 1 << 7,
    RIVO_ANSWERED_PARSER_DIRECTION_SAME_AS_UI = 1 << 8,
    RIVO_ANSWERED_FIRST_SECTION_POSITION = 1 << 9,
    RIVO_ANSWERED_SECOND_SECTION_POSITION = 1 << 10
};

/* The records' members follow the lists in rivo/record_fields.h: id, the
   4-byte answers in list order (flags as 0 or 1), answered, reserved (0),
   then the 8-byte answers (the section positions). */
typedef struct rivo_node_answers {
    RIVO_C_ANSWER_RECORD(RIVO_NODE_ANSWER_FIELDS)
} rivo_node_answers;

/* Uses the RIVO_ANSWERED_BRANCH_NUMBER and RIVO_ANSWERED_UP_STREAM_SECTION_NUMBER
   bits too. */
typedef struct rivo_link_answers {
    RIVO_C_ANSWER_RECORD(RIVO_LINK_ANSWER_FIELDS)
} rivo_link_answers;

typedef struct rivo_branch_answers {
    int32_t branchNumber;
    int32_t downStreamBranchNumber;
    int32_t downStreamUpSectionNumber;
    int32_t upStreamBranchNumber;
    int32_t upStreamUpSectionNumber;
    int32_t numberOfSections;
    int32_t isStorageOutletBranch;
    int32_t isSingleStorageNodeBranch;
    int32_t numberOfNodes;
    int32_t numberOfEdges;
} rivo_branch_answers;

typedef struct rivo_pump_link_answers {
#define RIVO_C_MEMBER(type, name, ...) type name;
    RIVO_PUMP_LINK_FIELDS(RIVO_C_MEMBER)
#undef RIVO_C_MEMBER
} rivo_pump_link_answers;

/* The answers for the nodes (links) with these IDs, one per ID. */
RIVO_API rivo_hresult rivo_read_nodes(rivo_parser* parser, int32_t count, const int32_t* nodeIDs,
                                      rivo_node_answers* answers);
RIVO_API rivo_hresult rivo_read_links(rivo_parser* parser, int32_t count, const int32_t* linkIDs,
                                      rivo_link_answers* answers);

/* The answers for the nodes (links) at positions first .. first+count-1 in
   the order they were added; *read receives how many exist there. */
RIVO_API rivo_hresult rivo_read_nodes_at(rivo_parser* parser, int32_t first, int32_t count,
                                         rivo_node_answers* answers, int32_t* read);
RIVO_API rivo_hresult rivo_read_links_at(rivo_parser* parser, int32_t first, int32_t count,
                                         rivo_link_answers* answers, int32_t* read);

/* Branches (list RIVO_BRANCHES) or loop branches (RIVO_LOOPS) first ..
   first+count-1, as far as they exist; *read receives how many. */
RIVO_API rivo_hresult rivo_read_branches(rivo_parser* parser, int32_t list, int32_t first,
                                         int32_t count, rivo_branch_answers* answers,
                                         int32_t* read);
/* The node IDs and the link IDs of the same branches, one branch after the
   other: as many as their numberOfNodes (numberOfEdges) add up to. Fails
   with RIVO_E_INVALIDARG when a capacity is smaller, writing nothing. */
RIVO_API rivo_hresult rivo_read_branch_ids(rivo_parser* parser, int32_t list, int32_t first,
                                           int32_t count, int32_t* nodeIDs, int64_t nodeCapacity,
                                           int32_t* edgeIDs, int64_t edgeCapacity);
RIVO_API rivo_hresult rivo_read_pump_links(rivo_parser* parser, int32_t first, int32_t count,
                                           rivo_pump_link_answers* answers, int32_t* read);

#ifdef __cplusplus
}
#endif

#endif /* RIVO_C_H */
