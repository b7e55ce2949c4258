"""Results in columns, as frames and as a graph carry exactly what the dict form carries."""

import pytest

import rivo
from conftest import EXAMPLES, FIXTURES, PROFILES

numpy = pytest.importorskip("numpy")
MODEL = FIXTURES / "swmm" / "every_kind.inp"
ANSWERS = {"nodes": ["int32"] + ["int32"] * 3 + ["bool"] * 4,
           "links": ["int32", "int32", "int32", "bool"]}


def as_records(table):
    """A table in columns as the dict form's records: None where masked, lists cut at the offsets."""
    columns = {}
    for field, values in table.items():
        if field.endswith("IDs") and field[:4] + "Offsets" in table:
            ids, offsets = values.tolist(), table[field[:4] + "Offsets"].tolist()
            columns[field] = [ids[start:end] for start, end in zip(offsets, offsets[1:])]
        elif not field.endswith("Offsets"):
            columns[field] = values.tolist()
    return [dict(zip(columns, row)) for row in zip(*columns.values())]


def as_dict_form(result):
    return {key: as_records(value) if isinstance(value, dict) and key != "names" else
            value.tolist() if isinstance(value, numpy.ndarray) else value
            for key, value in result.items()}


def assert_columns_hold_the_dict_form(source, longest):
    try:
        expected = rivo.parse(source, longest)
    except rivo.ParserError as error:
        with pytest.raises(rivo.ParserError) as raised:
            rivo.parse(source, longest, columns=True)
        assert raised.value.message == error.message
        return
    result = rivo.parse(source, longest, columns=True)
    assert as_dict_form(result) == expected, source
    for table, dtypes in ANSWERS.items():
        columns = list(result[table].values())
        assert [c.dtype.name for c in columns] == dtypes
        assert all(isinstance(c, numpy.ma.MaskedArray) for c in columns[1:])
    assert result["branches"]["nodeOffsets"].dtype == numpy.int64


@pytest.mark.parametrize("longest", [False, True], ids=["plain", "longest"])
def test_columns_hold_the_dict_form(longest):
    for source in EXAMPLES + [MODEL, FIXTURES / "ring.json"]:
        assert_columns_hold_the_dict_form(source, longest)


@pytest.mark.parametrize("longest", [False, True], ids=["plain", "longest"])
def test_columns_of_generated_networks(generated, longest):
    for profile in PROFILES:
        assert_columns_hold_the_dict_form(generated[profile], longest)


def test_frames():
    pytest.importorskip("pandas")
    with pytest.raises(TypeError, match="columns=True"):
        rivo.to_frames(rivo.parse(MODEL))
    expected = rivo.parse(MODEL)
    frames = rivo.to_frames(rivo.parse(MODEL, columns=True))
    nodes = frames["nodes"]
    assert [str(t) for t in nodes.dtypes] == ["int32", "Int32", "Int32", "Int32", "boolean",
                                             "boolean", "boolean", "boolean", "object"]
    assert nodes["branchNumber"].isna().tolist() == [
        node["branchNumber"] is None for node in expected["nodes"]]
    assert nodes["name"].tolist() == [expected["names"]["nodes"][str(i)] for i in nodes["id"]]
    assert [ids.tolist() for ids in frames["loops"]["edgeIDs"]] == [
        loop["edgeIDs"] for loop in expected["loops"]]
    assert {name: len(frame) for name, frame in frames.items()} == {
        name: len(expected[name]) for name in frames}


@pytest.mark.parametrize("longest", [False, True], ids=["plain", "longest"])
def test_graph_follows_the_branches(longest):
    networkx = pytest.importorskip("networkx")
    result = rivo.parse(MODEL, longest, columns=True)
    graph = rivo.to_networkx(result, MODEL)
    expected, (network, names) = rivo.parse(MODEL, longest), rivo.read_swmm(MODEL)
    assert networkx.utils.graphs_equal(graph, rivo.to_networkx(result, network, names))
    assert (graph.number_of_nodes(), graph.number_of_edges()) == (
        len(network["nodes"]), len(network["links"]) + len(network["pumpLinks"]))
    for node in expected["nodes"]:
        data = graph.nodes[node["id"]]
        assert (data["branch"], data["index"], data["section"], data["name"]) == (
            node["branchNumber"], node["indexInBranch"], node["upStreamSectionNumber"],
            names["nodes"][str(node["id"])])
    edges = {key: (u, v, data) for u, v, key, data in graph.edges(keys=True, data=True)}
    on_branches = 0
    for branch in expected["branches"] + expected["loops"]:
        nodes = branch["nodeIDs"]
        for k, link in enumerate(branch["edgeIDs"]):
            u, v, data = edges[link]
            assert {u, v} == {nodes[k], nodes[k + 1]}
            assert (data["branch"], data["index"], data["name"]) == (
                branch["branchNumber"], k + 1, names["links"][str(link)])
            on_branches += 1
    assert on_branches == sum(data.get("index") is not None for _, _, data in edges.values())
    for pump in expected["pumpLinks"]:
        u, v, data = edges["pump", pump["pumpLinkID"]]
        assert (u, v, data["up_stream_branch"], data["down_stream_section"]) == (
            pump["upStreamNodeID"], pump["downStreamNodeID"], pump["upStreamBranchNumber"],
            pump["downStreamNodeUpSectionNumber"])
