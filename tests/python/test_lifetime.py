"""Records keep their parser alive; a released parser raises instead of crashing."""

import gc

import pytest

import rivo
from test_errors import small_network


def test_records_outlive_the_parser_object():
    parser = small_network()
    branch, again = parser.get_branch(0), parser.get_branch(0)
    del parser
    gc.collect()
    assert branch is not again
    assert branch.node_ids == again.node_ids == [1, 2, 3]
    assert (branch.branch_number, branch.number_of_edges, branch.get_edge_id(1)) == (1, 2, 11)
    assert repr(branch).startswith("Branch(branch_number=1, number_of_nodes=3")


def test_release_twice_then_every_call_raises():
    parser = small_network()
    branch = parser.get_branch(0)
    parser.release()
    parser.release()
    assert parser.released
    for call in (lambda: parser.number_of_branches, lambda: parser.get_branch(0),
                 lambda: parser.add_nodes([5], [0], [0], [0]), lambda: parser.result(),
                 lambda: branch.branch_number, lambda: branch.node_ids):
        with pytest.raises(RuntimeError, match="released"):
            call()
    assert "released" in repr(parser) and "released" in repr(branch)


def test_context_manager_releases_and_pump_list_is_the_hosts():
    with small_network(parse=False) as parser:
        pumps = parser.pump_list
        pumps.append("kept")
        parser.parse_network()
        assert parser.pump_list is pumps and pumps == ["kept"]
    assert parser.released
