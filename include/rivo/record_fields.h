#ifndef RIVO_RECORD_FIELDS_H
#define RIVO_RECORD_FIELDS_H

/* The fields of the result records, each listed once. Every form of a
   record (the bulk answers, the C record, the parser's own record, the
   result document, the Python rows and objects) is made from its list, so
   a field added here appears in all of them in the same place; the .NET
   and .pyi declarations, which cannot be made from it, are checked against
   it by a test (tests/interface/record_fields_check.py).

   A list calls X(type, name, Reader, python_name, "meaning") once per field,
   in the order the result document writes them:
     type         the C and C++ type of the value
     name         the member name in every record and the document's key
     Reader       the reader of IVPumpLink (IVBranch) and the .NET property
     python_name  the Python property
     meaning      what the value is, shown by Python's help()
   Plain C, so that the C interface (rivo_c.h) can use the lists too. */

#include <stdint.h>

/* A pump link: the nodes it lifts from and into, with their branches and
   sections. The parser's CPumpLink holds the same members. */
#define RIVO_PUMP_LINK_FIELDS(X)                                                                   \
    X(int32_t, pumpLinkID, PumpLinkID, pump_link_id, "The pump link's ID.")                        \
    X(int32_t, upStreamNodeID, UpStreamNodeID, up_stream_node_id, "The node it lifts from.")       \
    X(int32_t, downStreamNodeID, DownStreamNodeID, down_stream_node_id, "The node it lifts into.") \
    X(int32_t, upStreamBranchNumber, UpStreamBranchNumber, up_stream_branch_number,                \
      "The branch of the node it lifts from.")                                                     \
    X(int32_t, downStreamBranchNumber, DownStreamBranchNumber, down_stream_branch_number,          \
      "The branch of the node it lifts into.")                                                     \
    X(int32_t, upStreamNodeUpSectionNumber, UpStreamNodeUpSectionNumber,                           \
      up_stream_node_up_section_number, "The section of the node it lifts from.")                  \
    X(int32_t, downStreamNodeUpSectionNumber, DownStreamNodeUpSectionNumber,                       \
      down_stream_node_up_section_number, "The section of the node it lifts into.")

/* A branch or loop branch: its number, the branch and section each end
   meets (0 for none), its sections and what kind it is. Its node and link
   IDs (nodeIDs, edgeIDs; node_ids, edge_ids in Python) follow these fields
   in every form. C++ only: the C record holds the flags as int32_t and the
   list lengths in their place. */
#define RIVO_BRANCH_FIELDS(X)                                                                     \
    X(int32_t, branchNumber, BranchNumber, branch_number, "The branch's number (from 1).")        \
    X(int32_t, downStreamBranchNumber, DownStreamBranchNumber, down_stream_branch_number,         \
      "The branch its downstream end meets, 0 for none.")                                         \
    X(int32_t, downStreamUpSectionNumber, DownStreamUpSectionNumber,                              \
      down_stream_up_section_number,                                                              \
      "The section of that branch it meets; negative where the last node is an "                  \
      "outfall-type node joined to branch 1.")                                                    \
    X(int32_t, upStreamBranchNumber, UpStreamBranchNumber, up_stream_branch_number,               \
      "The branch its upstream end meets, 0 for none.")                                           \
    X(int32_t, upStreamUpSectionNumber, UpStreamUpSectionNumber, up_stream_up_section_number,     \
      "The section of that branch it meets.")                                                     \
    X(int32_t, numberOfSections, NumberOfSections, number_of_sections, "Computational sections.") \
    X(bool, isStorageOutletBranch, IsStorageOutletBranch, is_storage_outlet_branch,               \
      "Whether the branch drains a storage node.")                                                \
    X(bool, isSingleStorageNodeBranch, IsSingleStorageNodeBranch, is_single_storage_node_branch,  \
      "Whether the branch is one storage node.")

/* The answers of the node queries for one node and of the link queries for
   one link, in the order they are asked: for a node found only on loop
   branches the branch number, asked first, fixes the index too. Any answer
   may be missing, where its query raises (an unknown ID, a node on no
   branch); the record's ID comes before the answers in every form and is
   always there. A list calls X(type, name, Reader, bit, written) once per
   answer:
     type     the C++ type of the value (C holds bool as int32_t)
     name     the member name in every record and the document's key
     Reader   the .NET property
     bit      RIVO_ANSWERED_<bit>, set in the C record's `answered` when the
              answer is there
     written  IN_DOCUMENT when the result document (and so the Python result
              and its columns) writes the answer, NOT_IN_DOCUMENT when only
              the bulk readers give it: a section position is the host's to
              set, not a result of the parse */
#define RIVO_NODE_ANSWER_FIELDS(X)                                                                \
    X(int32_t, branchNumber, BranchNumber, BRANCH_NUMBER, IN_DOCUMENT)                            \
    X(int32_t, indexInBranch, IndexInBranch, INDEX_IN_BRANCH, IN_DOCUMENT)                        \
    X(int32_t, upStreamSectionNumber, UpStreamSectionNumber, UP_STREAM_SECTION_NUMBER,            \
      IN_DOCUMENT)                                                                                \
    X(double, downStreamSectionPosition, DownStreamSectionPosition, DOWN_STREAM_SECTION_POSITION, \
      NOT_IN_DOCUMENT)                                                                            \
    X(bool, isOutfallType, IsOutfallType, IS_OUTFALL_TYPE, IN_DOCUMENT)                           \
    X(bool, isConvertedToOutfall, IsConvertedToOutfall, IS_CONVERTED_TO_OUTFALL, IN_DOCUMENT)     \
    X(bool, isPump, IsPump, IS_PUMP, IN_DOCUMENT)                                                 \
    X(bool, isManholeOrStorageType, IsManholeOrStorageType, IS_MANHOLE_OR_STORAGE_TYPE, IN_DOCUMENT)

#define RIVO_LINK_ANSWER_FIELDS(X)                                                                 \
    X(int32_t, branchNumber, BranchNumber, BRANCH_NUMBER, IN_DOCUMENT)                             \
    X(int32_t, upStreamSectionNumber, UpStreamSectionNumber, UP_STREAM_SECTION_NUMBER,             \
      IN_DOCUMENT)                                                                                 \
    X(bool, parserDirectionSameAsUI, ParserDirectionSameAsUI, PARSER_DIRECTION_SAME_AS_UI,         \
      IN_DOCUMENT)                                                                                 \
    X(double, firstSectionPosition, FirstSectionPosition, FIRST_SECTION_POSITION, NOT_IN_DOCUMENT) \
    X(double, secondSectionPosition, SecondSectionPosition, SECOND_SECTION_POSITION,               \
      NOT_IN_DOCUMENT)

/* RIVO_IF_##written(text) keeps `text` for an answer the document writes. */
#define RIVO_IF_IN_DOCUMENT(...) __VA_ARGS__
#define RIVO_IF_NOT_IN_DOCUMENT(...)

/* The C records hold their 4-byte answers first, in list order, then the
   `answered` bits and a reserved word, then the 8-byte answers, so that no
   language or compiler pads them differently. RIVO_C_NARROW_##type(name)
   and RIVO_C_WIDE_##type(name) declare the member in its part. */
#define RIVO_C_NARROW_int32_t(name) int32_t name;
#define RIVO_C_NARROW_bool(name) int32_t name;
#define RIVO_C_NARROW_double(name)
#define RIVO_C_WIDE_int32_t(name)
#define RIVO_C_WIDE_bool(name)
#define RIVO_C_WIDE_double(name) double name;
#define RIVO_C_ANSWER_RECORD(FIELDS)                 \
    int32_t id;                                      \
    FIELDS(RIVO_C_NARROW_MEMBER)                     \
    uint32_t answered; /* the RIVO_ANSWERED_ bits */ \
    int32_t reserved;  /* 0 */                       \
    FIELDS(RIVO_C_WIDE_MEMBER)
#define RIVO_C_NARROW_MEMBER(type, name, ...) RIVO_C_NARROW_##type(name)
#define RIVO_C_WIDE_MEMBER(type, name, ...) RIVO_C_WIDE_##type(name)

#endif /* RIVO_RECORD_FIELDS_H */
