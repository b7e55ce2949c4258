"""A network and its decomposition as a NetworkX graph."""

import gc
import json


def to_networkx(result, network, names=None, pump_nodes="storage"):
    """The network as a ``networkx.MultiDiGraph`` whose nodes and links carry the result.

    ``result`` is a result in columns (``rivo.parse(..., columns=True)``);
    ``network`` what it was parsed from: the network document as a dict (as
    ``read_swmm`` gives it), or the path of a network document or SWMM model,
    read as ``parse`` reads it (with ``pump_nodes``). ``names`` maps IDs to
    SWMM names as ``read_swmm`` gives them; by default the result's own
    ``"names"``.

    Nodes are keyed by ID. Links run from source to target as the network
    gives them, keyed by link ID; pump links run from the node they lift from
    to the node they lift into, keyed ``("pump", ID)``. Nodes and links carry
    ``branch`` (the branch or loop branch number), ``index`` (the position on
    that branch, from 1), ``section`` (the upstream section number) and
    ``name`` (the SWMM name); ``None`` where there is none, as for a node on
    no branch (a link on no branch has branch 0, as the parser answers). Nodes
    also carry ``x``, ``y`` and ``type``; links ``kind`` ``"link"`` and
    ``parser_direction_same_as_ui``; pump links ``kind`` ``"pump"``,
    ``name`` and the branch and section at each end (``up_stream_branch``,
    ``up_stream_section``, ``down_stream_branch``, ``down_stream_section``).
    Needs networkx::

        model = "tests/tool/fixtures/swmm/every_kind.inp"
        graph = rivo.to_networkx(rivo.parse(model, columns=True), model)
        upstream_of_node_1 = networkx.ancestors(graph, 1)
    """
    import networkx

    from ._frames import require_columns
    require_columns(result, "to_networkx")
    if not isinstance(network, dict):
        from . import _load
        network = json.loads(_load(network, pump_nodes).document_text())
    names = result.get("names", {}) if names is None else names
    graph = networkx.MultiDiGraph()
    # Millions of new dicts would start the cyclic collector again and again,
    # each time walking every object of the process.
    collecting = gc.isenabled()
    gc.disable()
    try:
        _add_nodes(graph, result["nodes"], network["nodes"], names.get("nodes", {}))
        _add_links(graph, result, network.get("links", []), names.get("links", {}))
        _add_pump_links(graph, result["pumpLinks"], network.get("pumpLinks", []),
                        names.get("pumpLinks", {}))
    finally:
        if collecting:
            gc.enable()
    return graph


def _add_nodes(graph, nodes, records, names):
    places = {record["id"]: record for record in records}
    graph.add_nodes_from(
        (node, {"branch": branch, "index": index, "section": section, "name": names.get(str(node)),
                "x": places[node]["x"], "y": places[node]["y"], "type": places[node]["type"]})
        for node, branch, index, section in zip(
            nodes["id"].tolist(), nodes["branchNumber"].tolist(), nodes["indexInBranch"].tolist(),
            nodes["upStreamSectionNumber"].tolist()))


def _positions_on_branches(result):
    """The position (from 1) of each link on each branch and loop branch, by (number, link ID)."""
    positions = {}
    for table in (result["branches"], result["loops"]):
        offsets, links = table["edgeOffsets"].tolist(), table["edgeIDs"].tolist()
        for number, start, end in zip(table["branchNumber"].tolist(), offsets, offsets[1:]):
            for k in range(start, end):
                positions[number, links[k]] = k - start + 1
    return positions


def _add_links(graph, result, records, names):
    ends = {record["id"]: (record["source"], record["target"]) for record in records}
    positions = _positions_on_branches(result)
    links = result["links"]
    add_edge = graph.add_edge  # add_edges_from copies each link's attributes once more
    for link, branch, section, same_direction in zip(
            links["id"].tolist(), links["branchNumber"].tolist(),
            links["upStreamSectionNumber"].tolist(), links["parserDirectionSameAsUI"].tolist()):
        add_edge(*ends[link], link, kind="link", branch=branch,
                 index=positions.get((branch, link)), section=section,
                 name=names.get(str(link)), parser_direction_same_as_ui=same_direction)


def _add_pump_links(graph, pump_links, records, names):
    fields = ("upStreamBranchNumber", "upStreamNodeUpSectionNumber", "downStreamBranchNumber",
              "downStreamNodeUpSectionNumber")
    keys = ("up_stream_branch", "up_stream_section", "down_stream_branch", "down_stream_section")
    numbers = {row[0]: dict(zip(keys, row[1:])) for row in zip(
        pump_links["pumpLinkID"].tolist(), *(pump_links[field].tolist() for field in fields))}
    for record in records:
        pump = record["id"]
        graph.add_edge(record["upstream"], record["downstream"], ("pump", pump), kind="pump",
                       name=names.get(str(pump)), **numbers.get(pump, dict.fromkeys(keys)))
