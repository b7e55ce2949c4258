"""Unusable input: the tool's readers' messages, with the place, and the options of parse()."""

import gzip
import json

import pytest

import rivo
from conftest import FIXTURES, TOOL_PUMP_NODES, assert_same_outcome

FILES = sorted(p for p in FIXTURES.glob("*.json") if ".result" not in p.name)


@pytest.mark.parametrize("path", FILES + [FIXTURES / "swmm" / "bad_lines.inp",
                                          FIXTURES / "no_such_file.json"], ids=lambda p: p.name)
def test_files_as_the_tool_reads_them(path):
    assert_same_outcome(lambda: rivo.parse(path, pump_nodes=TOOL_PUMP_NODES), path, False)


def test_place_of_the_problem(tmp_path):
    path = tmp_path / "net.json"
    path.write_text('{"nodes": [\n  {"id": 1, "x": 0, "y": 0, "type": 1},\n  {"id": 2.0}]}')
    with pytest.raises(rivo.InputError) as raised:
        rivo.parse(path)
    assert (raised.value.file, raised.value.line, raised.value.column) == (str(path), 3, 10)
    assert str(raised.value).endswith("nodes[1].id: expected an integer, found 2.0")


@pytest.mark.parametrize("document, message", [
    ({"nodes": [{"id": 1.5, "x": 0, "y": 0, "type": 1}]}, "nodes[0].id: expected an integer, found 1.5"),
    ({"links": []}, "nodes: required field is missing"),
])
def test_dict_problems_name_the_field(document, message):
    with pytest.raises(rivo.InputError) as raised:
        rivo.parse(document)
    assert (str(raised.value), raised.value.file, raised.value.line) == (message, None, None)


def test_pump_nodes_option():
    model = FIXTURES / "swmm" / "every_kind.inp"
    with pytest.raises(ValueError, match="pump_nodes"):
        rivo.parse(model, pump_nodes="pumps")
    assert rivo.parse(FIXTURES / "chain.json", pump_nodes="storage") == json.loads(
        (FIXTURES / "chain.result.json").read_text())


def test_compressed_files_read_as_their_text(tmp_path):
    model = FIXTURES / "swmm" / "every_kind.inp"
    for source in (model, FIXTURES / "chain.json"):
        packed = tmp_path / (source.name + ".gz")
        packed.write_bytes(gzip.compress(source.read_bytes()))
        assert rivo.parse(packed) == rivo.parse(source)
    assert rivo.read_swmm(tmp_path / "every_kind.inp.gz") == rivo.read_swmm(model)
