"""Errors of the parser reach Python from the call that raised them, code and text exact."""

import pytest

import rivo
from rivo import E_FAIL, E_INVALIDARG


def small_network(parse=True):
    """Outfall 1 <- manhole 2 <- manhole 3, and manhole 4 that no link reaches."""
    parser = rivo.NetworkParser()
    parser.add_nodes([1, 2, 3, 4], [0.0, 10.0, 20.0, 30.0], [0.0] * 4, [1, 0, 0, 0])
    parser.add_edges([10, 11], [2, 3], [1.0, 1.5], [1, 2], [0.5, 1.0], [0.6, 0.6], [0, 0])
    if parse:
        parser.parse_network()
    return parser


INDEX = "\nIndex out of range"
# One call of each kind the module wraps (the library's own tests check every
# query's message): a parser query, a branch's query, an ID lookup, a bulk
# input call and the parse itself.
PARSER_ERRORS = [
    (True, lambda p: p.get_loop(-1), E_INVALIDARG, "Failed : CFLDNetworkParser::GetLoopBranch" + INDEX),
    (True, lambda p: p.get_branch(0).get_edge_id(-1), E_INVALIDARG, "Failed : CBranch::GetEdgeID" + INDEX),
    (True, lambda p: p.get_node_index_in_branch(4), E_INVALIDARG,
     "Failed : CFLDNetworkParser::GetNodeIndexInBranch\nNode ID is not in the Graph"),
    (True, lambda p: p.get_branch_number_of_pipe(99), E_INVALIDARG, "Failed : graph_fld::GetEdge"),
    (False, lambda p: p.add_edge(12, 4, 2.0, 99, 1.0, 0.6, 0), E_INVALIDARG, "Failed : graph_fld::GetNode"),
    (True, lambda p: p.parse_network(True), E_FAIL,
     "Failed : CFLDNetworkParser::ParseAllNetworks\nThe network has already been parsed"),
]


@pytest.mark.parametrize("parsed, call, hresult, message", PARSER_ERRORS,
                         ids=lambda v: v.splitlines()[0] if isinstance(v, str) else None)
def test_parser_errors(parsed, call, hresult, message):
    with pytest.raises(rivo.ParserError) as raised:
        call(small_network(parsed))
    assert (raised.value.hresult, raised.value.message, str(raised.value)) == (hresult, message, message)
    assert raised.value.index is None


def test_result_needs_a_parse():
    with pytest.raises(RuntimeError, match="parse_network"):
        small_network(parse=False).result()


def test_bulk_call_stops_at_the_element_that_raised():
    parser = rivo.NetworkParser()
    with pytest.raises(rivo.ParserError) as raised:
        parser.add_nodes([1, 2, 1, 3], [0.0] * 4, [0.0] * 4, [1, 0, 0, 0])
    assert (raised.value.index, raised.value.message) == (2, "Failed : graph_fld::add_node")
    assert parser.number_of_nodes == 2


BAD_COLUMNS = [
    (([1, 2.5], [0, 0], [0, 0], [0, 0]), TypeError, r"ids\[1\]: expected an integer, found float"),
    (([1, 2], [0, "x"], [0, 0], [0, 0]), TypeError, r"xs\[1\]: expected a number, found str"),
    (([1, 2**31], [0, 0], [0, 0], [0, 0]), OverflowError,
     r"ids\[1\]: 2147483648 is outside the range of an ID \(-2147483648 to 2147483647\)"),
    (([1, 2], [0, 0], [0, 0], [0, 40000]), OverflowError,
     r"types\[1\]: 40000 is outside the range of a type \(-32768 to 32767\)"),
    (([1, 2], [0, 0], [0], [0, 0]), ValueError, "ys has 1 elements, ids has 2"),
    ((7, [0], [0], [0]), TypeError, "ids: expected a sequence or a buffer"),
    (([1], [0], [0], memoryview(b"\0\0\0\0").cast("f")), TypeError, "types: expected integers"),
]


@pytest.mark.parametrize("columns, error, match", BAD_COLUMNS)
def test_bad_columns_change_nothing(columns, error, match):
    parser = rivo.NetworkParser()
    with pytest.raises(error, match=match):
        parser.add_nodes(*columns)
    assert parser.number_of_nodes == 0
