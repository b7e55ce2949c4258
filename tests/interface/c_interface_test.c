/* The C interface from C: a pump's pressure main (the network of
   examples/pressure_main.json) fed one by one and in bulk, every answer read
   both ways and checked against the tool's result document, and every
   error path with its code and exact message. */

#include <rivo/rivo_c.h>
#include <stdio.h>
#include <string.h>

static int failures = 0;

#define CHECK(condition)                                                            \
    do {                                                                            \
        if (!(condition)) {                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                             \
        }                                                                           \
    } while (0)

/* A call that must succeed. */
#define OK(call) CHECK((call) == RIVO_S_OK)

static const int32_t node_ids[] = {1, 2, 3, 4, 5, 6, 7};
static const double node_xs[] = {0, 10, 20, 30, 20, 20, 20};
static const double node_ys[] = {0, 0, 0, 0, 10, 20, 30};
static const int16_t node_types[] = {1, 0, 4, 2, 0, 0, 0};
enum { NODES = 7, LINKS = 6 };
static const int32_t link_ids[] = {10, 11, 12, 13, 14, 15};
static const int32_t sources[] = {2, 3, 4, 3, 5, 6};
static const int32_t targets[] = {1, 2, 3, 5, 6, 7};
static const double source_elevations[] = {1.0, 1.5, 2.0, 1.5, 3.0, 3.9};
static const double target_elevations[] = {0.5, 1.0, 1.5, 3.0, 4.0, 3.6};
static const double sizes[] = {1.0, 1.0, 0.8, 0.3, 0.3, 0.3};
static const int16_t link_types[] = {0, 0, 0, 0, 0, 0};
static const double lengths[] = {10, 10, 10, 10, 10, 10};
static const int32_t pump_id = 300, pump_up = 4, pump_down = 3;

/* The message of the last call is exactly `expected`, in both encodings. */
static void check_message(const rivo_parser* parser, const char* expected) {
    const uint16_t* wide = rivo_last_error_message_utf16(parser);
    size_t i = 0;
    CHECK(strcmp(rivo_last_error_message(parser), expected) == 0);
    for (; expected[i] != '\0'; ++i) {
        CHECK(wide[i] == (uint16_t)(unsigned char)expected[i]);
    }
    CHECK(wide[i] == 0);
}

static rivo_parser* fed_one_by_one(void) {
    rivo_parser* p = NULL;
    int i;
    OK(rivo_parser_create(&p));
    for (i = 0; i < NODES; ++i) {
        OK(rivo_add_node(p, node_ids[i], node_xs[i], node_ys[i], node_types[i]));
    }
    OK(rivo_set_node_is_pond_type(p, 4, 0));
    for (i = 0; i < LINKS; ++i) {
        OK(rivo_add_edge(p, link_ids[i], sources[i], source_elevations[i], targets[i],
                         target_elevations[i], sizes[i], link_types[i], lengths[i]));
    }
    OK(rivo_add_pump_link(p, pump_id, pump_up, pump_down));
    OK(rivo_add_gutter_link_id_direction(p, 15, 0));
    return p;
}

static rivo_parser* fed_in_bulk(void) {
    rivo_parser* p = NULL;
    int32_t added = -1;
    OK(rivo_parser_create(&p));
    OK(rivo_add_nodes(p, NODES, node_ids, node_xs, node_ys, node_types, &added));
    CHECK(added == NODES);
    OK(rivo_set_node_is_pond_type(p, 4, 0));
    OK(rivo_add_edges(p, LINKS, link_ids, sources, source_elevations, targets, target_elevations,
                      sizes, link_types, lengths, &added));
    CHECK(added == LINKS);
    OK(rivo_add_pump_links(p, 1, &pump_id, &pump_up, &pump_down, NULL));
    OK(rivo_add_gutter_link_id_direction(p, 15, 0));
    return p;
}

/* The branches of the tool's result document, fields in the order of
   RIVO_BRANCH_NUMBER .. RIVO_BRANCH_IS_SINGLE_STORAGE_NODE_BRANCH. */
static const int32_t expected_branches[3][10] = {
    {1, 1, 7, 0, 0, 4, 3, 7, 0, 0}, {2, 0, 0, 0, 0, 2, 1, 3, 0, 0}, {3, 2, 1, 0, 0, 3, 2, 4, 0, 0}};
static const int32_t expected_node_ids[] = {1, 2, 3, 4, 6, 7, 3, 5, 6};
static const int32_t expected_edge_ids[] = {10, 11, 12, 15, 13, 14};
/* branchNumber, indexInBranch, upStreamSectionNumber, isOutfallType,
   isConvertedToOutfall, isPump, isManholeOrStorageType; -1: the query fails. */
static const int32_t expected_nodes[NODES][7] = {
    {1, 1, 1, 1, 0, 0, 0}, {1, 2, 3, 0, 0, 0, 1}, {3, 1, 1, 0, 0, 1, 0},  {1, 4, 7, 0, 0, 0, 1},
    {3, 2, 2, 0, 0, 0, 1}, {2, 1, 1, 0, 0, 0, 1}, {-1, -1, 0, 0, 0, 0, 1}};
/* branchNumber, upStreamSectionNumber, parserDirectionSameAsUI */
static const int32_t expected_links[LINKS][3] = {{1, 2, 0}, {1, 4, 0}, {1, 6, 0},
                                                 {3, 1, 1}, {3, 3, 1}, {2, 2, 1}};

static void check_one_by_one_answers(rivo_parser* p) {
    int32_t value = -1, b, f, k;
    int node = 0, edge = 0;
    typedef rivo_hresult (*NodeQuery)(rivo_parser*, int32_t, int32_t*);
    static const NodeQuery node_queries[7] = {
        rivo_get_branch_number_of_node,          rivo_get_node_index_in_branch,
        rivo_get_node_up_stream_section_number,  rivo_get_node_is_outfall_type,
        rivo_get_node_is_converted_to_outfall,   rivo_get_node_is_pump,
        rivo_get_node_is_manhole_or_storage_type};
    static const NodeQuery link_queries[3] = {rivo_get_branch_number_of_pipe,
                                              rivo_get_link_up_stream_section_number,
                                              rivo_get_parser_direction_same_as_ui};
    OK(rivo_number_of_branches(p, &value));
    CHECK(value == 3);
    for (b = 0; b < 3; ++b) {
        for (f = RIVO_BRANCH_NUMBER; f <= RIVO_BRANCH_IS_SINGLE_STORAGE_NODE_BRANCH; ++f) {
            OK(rivo_branch_value(p, RIVO_BRANCHES, b, f, &value));
            CHECK(value == expected_branches[b][f]);
        }
        for (k = 0; k < expected_branches[b][RIVO_BRANCH_NUMBER_OF_NODES]; ++k) {
            OK(rivo_branch_node_id(p, RIVO_BRANCHES, b, k, &value));
            CHECK(value == expected_node_ids[node++]);
        }
        for (k = 0; k < expected_branches[b][RIVO_BRANCH_NUMBER_OF_EDGES]; ++k) {
            OK(rivo_branch_edge_id(p, RIVO_BRANCHES, b, k, &value));
            CHECK(value == expected_edge_ids[edge++]);
        }
    }
    for (k = 0; k < NODES; ++k) {
        for (f = 0; f < 7; ++f) {
            rivo_hresult hr = node_queries[f](p, node_ids[k], &value);
            CHECK(expected_nodes[k][f] < 0 ? RIVO_FAILED(hr)
                                           : hr == RIVO_S_OK && value == expected_nodes[k][f]);
        }
    }
    for (k = 0; k < LINKS; ++k) {
        for (f = 0; f < 3; ++f) {
            OK(link_queries[f](p, link_ids[k], &value));
            CHECK(value == expected_links[k][f]);
        }
    }
    {
        static const int32_t pump[7] = {4, 3, 1, 3, 7, 1, 300};
        for (f = RIVO_PUMP_UP_STREAM_NODE_ID; f <= RIVO_PUMP_LINK_ID; ++f) {
            OK(rivo_pump_link_value(p, 0, f, &value));
            CHECK(value == pump[f]);
        }
    }
}

/* The bulk answers agree with the tool's document and with the queries. */
static void check_bulk_answers(rivo_parser* p) {
    rivo_node_answers nodes[NODES + 1];
    rivo_link_answers links[LINKS];
    rivo_branch_answers branches[4];
    rivo_pump_link_answers pumps[2];
    int32_t read = -1, ids[16], edges[16], k, f;
    const int32_t unknown_and_first[2] = {99, 1};
    OK(rivo_read_nodes_at(p, 0, NODES + 5, nodes, &read));
    CHECK(read == NODES);
    for (k = 0; k < NODES; ++k) {
        const int32_t got[7] = {nodes[k].branchNumber,          nodes[k].indexInBranch,
                                nodes[k].upStreamSectionNumber, nodes[k].isOutfallType,
                                nodes[k].isConvertedToOutfall,  nodes[k].isPump,
                                nodes[k].isManholeOrStorageType};
        CHECK(nodes[k].id == node_ids[k]);
        for (f = 0; f < 7; ++f) {
            int answered = (nodes[k].answered >> (f < 3 ? f : f + 1)) & 1;
            CHECK(expected_nodes[k][f] < 0 ? !answered && got[f] == 0
                                           : answered && got[f] == expected_nodes[k][f]);
        }
    }
    OK(rivo_read_nodes(p, 2, unknown_and_first, nodes));
    CHECK(nodes[0].id == 99 && nodes[0].answered == 0);
    CHECK(nodes[1].id == 1 && nodes[1].branchNumber == 1 && nodes[1].answered == 0xFF);
    OK(rivo_read_links_at(p, 4, 10, links, &read));
    CHECK(read == 2 && links[0].id == 14 && links[1].upStreamSectionNumber == 2);
    OK(rivo_read_links(p, LINKS, link_ids, links));
    for (k = 0; k < LINKS; ++k) {
        CHECK(links[k].id == link_ids[k] && links[k].answered == 0x705);
        CHECK(links[k].branchNumber == expected_links[k][0]);
        CHECK(links[k].parserDirectionSameAsUI == expected_links[k][2]);
    }
    OK(rivo_read_branches(p, RIVO_BRANCHES, 1, 4, branches, &read));
    CHECK(read == 2 && branches[0].branchNumber == 2 && branches[1].numberOfSections == 4);
    OK(rivo_read_branch_ids(p, RIVO_BRANCHES, 0, 3, ids, 9, edges, 6));
    CHECK(memcmp(ids, expected_node_ids, sizeof expected_node_ids) == 0);
    CHECK(memcmp(edges, expected_edge_ids, sizeof expected_edge_ids) == 0);
    OK(rivo_read_branches(p, RIVO_LOOPS, 0, 4, branches, &read));
    CHECK(read == 0);
    OK(rivo_read_pump_links(p, 0, 2, pumps, &read));
    CHECK(read == 1 && pumps[0].pumpLinkID == 300 && pumps[0].downStreamNodeUpSectionNumber == 1);
}

typedef rivo_hresult (*Count)(rivo_parser*, int32_t*);

static void check_lists_and_positions(rivo_parser* p) {
    static const struct {
        Count query;
        int32_t value;
    } counts[] = {{rivo_number_of_nodes, NODES},       {rivo_number_of_links, LINKS},
                  {rivo_number_of_loops, 0},           {rivo_contains_loop, 0},
                  {rivo_number_of_pump_links, 1},      {rivo_number_of_gutters, 1},
                  {rivo_number_of_isolated_nodes, 0},  {rivo_number_of_isolated_edges, 0},
                  {rivo_number_of_removed_outfalls, 0}};
    int32_t value = -1;
    double position = -1.0;
    size_t k;
    for (k = 0; k < sizeof counts / sizeof counts[0]; ++k) {
        OK(counts[k].query(p, &value));
        CHECK(value == counts[k].value);
    }
    OK(rivo_get_gutter_link_id(p, 0, &value));
    CHECK(value == 15);
    OK(rivo_get_gutter_direction_same_as_ui(p, 0, &value));
    CHECK(value == 0);
    /* Positions are the host's to keep on the parser's records. */
    OK(rivo_set_first_section_position(p, 12, 2.5));
    OK(rivo_set_second_section_position(p, 12, 7.5));
    OK(rivo_set_node_down_stream_section_position(p, 5, 4.0));
    OK(rivo_get_first_section_position(p, 12, &position));
    CHECK(position == 2.5);
    OK(rivo_get_second_section_position(p, 12, &position));
    CHECK(position == 7.5);
    OK(rivo_get_node_down_stream_section_position(p, 5, &position));
    CHECK(position == 4.0);
}

/* A call failed with `expected` and `message`, and wrote no answer (read
   here, after the call, never beside it among the arguments). */
static void expect(const rivo_parser* p, rivo_hresult hr, rivo_hresult expected,
                   const char* message, const int32_t* value) {
    CHECK(hr == expected);
    CHECK(*value == 77);
    check_message(p, message);
}

#define FAILS(call, code, message) expect(p, (call), RIVO_E_##code, message, &v)
#define OUT_OF_RANGE(what) "Failed : " what "\nIndex out of range"

/* Every way a call can fail: the code, the exact message, nothing written. */
static void check_errors(rivo_parser* p) {
    int32_t v = 77, added = -1;
    const int32_t twice[2] = {8, 8}, unknown[2] = {9, 9};
    const double zero[2] = {0, 0};
    const int16_t manholes[2] = {0, 0};
    FAILS(rivo_branch_value(p, RIVO_BRANCHES, -1, RIVO_BRANCH_NUMBER, &v), INVALIDARG,
          OUT_OF_RANGE("CFLDNetworkParser::GetBranch"));
    FAILS(rivo_branch_value(p, RIVO_LOOPS, 0, RIVO_BRANCH_NUMBER, &v), INVALIDARG,
          OUT_OF_RANGE("CFLDNetworkParser::GetLoopBranch"));
    FAILS(rivo_branch_node_id(p, RIVO_BRANCHES, 0, 4, &v), INVALIDARG,
          OUT_OF_RANGE("CBranch::GetNodeID"));
    FAILS(rivo_branch_edge_id(p, RIVO_BRANCHES, 0, -1, &v), INVALIDARG,
          OUT_OF_RANGE("CBranch::GetEdgeID"));
    FAILS(rivo_pump_link_value(p, 1, RIVO_PUMP_LINK_ID, &v), INVALIDARG,
          OUT_OF_RANGE("CFLDNetworkParser::GetPumpLink"));
    FAILS(rivo_get_branch_number_of_node(p, 7, &v), INVALIDARG,
          "Failed : CFLDNetworkParser::GetBranchNumberOfNode\nNode ID is not in the Graph");
    FAILS(rivo_get_branch_number_of_pipe(p, 99, &v), INVALIDARG, "Failed : graph_fld::GetEdge");
    FAILS(rivo_get_isolated_node_id(p, 0, &v), INVALIDARG,
          OUT_OF_RANGE("CFLDNetworkParser::GetIsolatedNodeId"));
    FAILS(rivo_get_isolated_edge_id(p, 0, &v), INVALIDARG,
          OUT_OF_RANGE("CFLDNetworkParser::GetIsolatedEdgeId"));
    FAILS(rivo_get_removed_outfall_id(p, 0, &v), INVALIDARG,
          OUT_OF_RANGE("CFLDNetworkParser::GetRemovedOutfallId"));
    FAILS(rivo_get_gutter_link_id(p, 1, &v), INVALIDARG,
          OUT_OF_RANGE("CFLDNetworkParser::GetGutterLinkID"));
    FAILS(rivo_parse_network(p, 1, &v), FAIL,
          "Failed : CFLDNetworkParser::ParseAllNetworks\nThe network has already been parsed");
    FAILS(rivo_branch_value(p, 2, 0, RIVO_BRANCH_NUMBER, &v), INVALIDARG, "Unknown branch list");
    FAILS(rivo_branch_value(p, RIVO_BRANCHES, 0, 10, &v), INVALIDARG, "Unknown field");
    FAILS(rivo_pump_link_value(p, 0, -1, &v), INVALIDARG, "Unknown field");
    FAILS(rivo_number_of_branches(p, NULL), POINTER, "A pointer argument is null");
    FAILS(rivo_read_nodes(p, -1, NULL, NULL), INVALIDARG, "A count or position is negative");
    FAILS(rivo_read_nodes(p, 1, NULL, NULL), POINTER, "A pointer argument is null");
    FAILS(rivo_read_branch_ids(p, RIVO_BRANCHES, 0, 3, &v, 8, &v, 6), INVALIDARG,
          "An array is too small for the answers");
    FAILS(rivo_set_node_storage_type(p, 99), INVALIDARG, "Failed : graph_fld::GetNode");
    FAILS(rivo_add_edge_default_length(p, 20, 99, 0.0, 1, 0.0, 1.0, 0), INVALIDARG,
          "Failed : graph_fld::GetNode");
    /* The message belongs to the last call: a success clears it. */
    OK(rivo_number_of_branches(p, &v));
    check_message(p, "");
    /* A bulk call stops at the element the parser refuses. */
    CHECK(rivo_add_nodes(p, 2, twice, zero, zero, manholes, &added) == RIVO_E_INVALIDARG);
    CHECK(added == 1);
    check_message(p, "Failed : graph_fld::add_node");
    CHECK(rivo_add_edges(p, 2, twice, unknown, zero, unknown, zero, zero, manholes, NULL, &added) ==
          RIVO_E_INVALIDARG);
    CHECK(added == 0);
    check_message(p, "Failed : graph_fld::GetNode");
    /* Input after the parse still reaches the graph. */
    OK(rivo_set_node_storage_type(p, 8));
    OK(rivo_add_edge_default_length(p, 20, 8, 0.0, 1, 0.0, 1.0, 0));
    OK(rivo_number_of_links(p, &v));
    CHECK(v == LINKS + 1);
}

static void check_without_handle(void) {
    int32_t value = 0;
    CHECK(rivo_parser_create(NULL) == RIVO_E_POINTER);
    CHECK(rivo_number_of_nodes(NULL, &value) == RIVO_E_POINTER);
    CHECK(rivo_add_node(NULL, 1, 0, 0, 0) == RIVO_E_POINTER);
    CHECK(strcmp(rivo_last_error_message(NULL), "") == 0);
    CHECK(rivo_last_error_message_utf16(NULL)[0] == 0);
    rivo_parser_release(NULL);
}

int main(void) {
    rivo_parser* parsers[2];
    int32_t complete = 0, k;
    parsers[0] = fed_one_by_one();
    parsers[1] = fed_in_bulk();
    for (k = 0; k < 2; ++k) {
        OK(rivo_parse_network(parsers[k], 0, &complete));
        CHECK(complete == 1);
        check_one_by_one_answers(parsers[k]);
        check_bulk_answers(parsers[k]);
        check_lists_and_positions(parsers[k]);
    }
    check_errors(parsers[0]);
    check_without_handle();
    rivo_parser_release(parsers[0]);
    rivo_parser_release(parsers[1]);
    if (failures == 0) {
        puts("all checks passed");
    }
    return failures == 0 ? 0 : 1;
}
