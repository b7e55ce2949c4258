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

#endif /* RIVO_RECORD_FIELDS_H */
