"""Results through every way in equal the tool's documents, on the examples and generated networks."""

import array
import json

import pytest

import rivo
from conftest import (EXAMPLES, FIXTURES, PROFILES, SHARED, TOOL_PUMP_NODES, assert_same_outcome,
                      run_tool)


def column(kind, values, form):
    """`values` as a list, an array.array or a numpy array of the argument's kind."""
    if form == "list":
        return values
    if form == "array":
        return array.array({"id": "i", "type": "h", "number": "d"}[kind], values)
    numpy = pytest.importorskip("numpy")
    return numpy.array(values, dtype={"id": numpy.int64, "type": numpy.int16,
                                      "number": numpy.float64}[kind])


def parse_through_bulk_calls(document, longest, form="list"):
    """The network fed in the tool's order, nodes, links and pump links by the bulk calls."""
    nodes, links = document["nodes"], document.get("links", [])
    pumps = document.get("pumpLinks", [])

    def columns(records, fields):
        return [column(kind, [r[f] for r in records], form) for f, kind in fields]

    with rivo.NetworkParser() as parser:
        parser.add_nodes(*columns(nodes, [("id", "id"), ("x", "number"), ("y", "number"),
                                          ("type", "type")]))
        for node in nodes:
            if "pond" in node:
                parser.set_node_is_pond_type(node["id"], node["pond"])
            if node.get("storage"):
                parser.set_node_storage_type(node["id"])
        parser.add_edges(*columns(links, [("id", "id"), ("source", "id"),
                                          ("sourceElevation", "number"), ("target", "id"),
                                          ("targetElevation", "number"), ("size", "number"),
                                          ("type", "type")]),
                         lengths=[link.get("length") for link in links])
        parser.add_pump_links(*columns(pumps, [("id", "id"), ("upstream", "id"),
                                               ("downstream", "id")]))
        for gutter in document.get("gutters", []):
            parser.add_gutter_link_id_direction(gutter["id"], gutter["sameDirectionAsUI"])
        parser.parse_network(longest)
        return parser.result()


def ways_in(path, longest):
    """The file itself, the document as a dict, and the bulk calls on lists."""
    document = json.loads(path.read_text())
    return [lambda: rivo.parse(path, longest),
            lambda: rivo.parse(str(path), longest=longest),
            lambda: rivo.parse(document, longest),
            lambda: parse_through_bulk_calls(document, longest)]


@pytest.mark.parametrize("longest", [False, True], ids=["plain", "longest"])
@pytest.mark.parametrize("source", EXAMPLES + PROFILES, ids=lambda s: getattr(s, "name", s))
def test_every_way_in(request, source, longest):
    """The examples, and a generated network of each profile (by its name)."""
    path = request.getfixturevalue("generated")[source] if source in PROFILES else source
    for parse in ways_in(path, longest):
        assert_same_outcome(parse, path, longest)


@pytest.mark.parametrize("form", ["array", "numpy"])
def test_buffers_give_the_same_result(form):
    document = json.loads(EXAMPLES[-1].read_text())
    assert parse_through_bulk_calls(document, False, form) == \
        parse_through_bulk_calls(document, False)


SWMM_MODELS = [FIXTURES / "swmm" / "every_kind.inp"] + sorted(SHARED.glob("inp/*.inp"))[:3]


@pytest.mark.parametrize("model", SWMM_MODELS, ids=lambda p: p.name)
def test_swmm_models(model, tmp_path):
    names_path = tmp_path / "names.json"
    imported = run_tool("import-swmm", model, "--names", names_path)
    assert imported.returncode == 0, imported.stderr
    document, names = rivo.read_swmm(model, pump_nodes=TOOL_PUMP_NODES)
    assert (document, names) == (json.loads(imported.stdout), json.loads(names_path.read_text()))
    seen = []

    def parse():
        seen.append(rivo.parse(model, pump_nodes=TOOL_PUMP_NODES))
        return dict(seen[-1])

    assert_same_outcome(parse, model, False)
    assert all(result["names"] == names for result in seen)


def test_type_codes_name_what_the_parser_tests():
    parser = rivo.NetworkParser()
    parser.add_node(1, 0.0, 0.0, rivo.NodeType.OUTFALL)
    parser.add_node(2, 10.0, 0.0, rivo.NodeType.PUMP)
    parser.add_node(3, 20.0, 0.0, rivo.NodeType.MANHOLE)
    parser.add_edge(10, 2, 1.0, 1, 0.5, 0.6, rivo.LinkType.PIPE, 25.0)
    parser.add_edge(11, 3, 1.0, 2, 0.5, 0.6, rivo.LinkType.WEIR, 25.0)
    assert parser.get_node_is_outfall_type(1) and parser.get_node_is_pump(2)
    # A weir is kept out of the trees as a loop branch of its own.
    parser.parse_network()
    assert parser.number_of_loops == 1
