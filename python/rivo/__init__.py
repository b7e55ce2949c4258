"""Rivo: decompose a drainage network into the branches a dynamic-wave solver marches through.

One call for a file or a network document::

    import rivo
    result = rivo.parse("examples/showcase.json")
    for branch in result["branches"]:
        print(branch["branchNumber"], branch["nodeIDs"])

The host interface, call by call::

    parser = rivo.NetworkParser()
    parser.add_node(1, 0.0, 0.0, rivo.NodeType.OUTFALL)
    parser.add_node(2, 10.0, 0.0, rivo.NodeType.MANHOLE)
    parser.add_edge(10, 2, 1.0, 1, 0.5, 0.6, rivo.LinkType.PIPE, 25.0)
    assert parser.parse_network()
    branch = parser.get_branch(0)
    print(branch.node_ids, branch.number_of_sections)

``result()`` and ``parse()`` return the result document of ``rivo parse`` as
dicts and lists, or with ``columns=True`` as numpy arrays, one per field of
each table; ``to_frames()`` makes pandas DataFrames of those and
``to_networkx()`` a NetworkX graph of the network with its decomposition.
Errors of the parser come as ``ParserError``, unusable input as
``InputError``.
"""

import json
import os

from ._errors import InputError, ParserError
from ._frames import to_frames
from ._graph import to_networkx
from ._rivo import Branch, LinkType, NetworkParser, NodeType, PumpLink, version

__all__ = ["Branch", "InputError", "LinkType", "NetworkParser", "NodeType", "ParserError",
           "PumpLink", "parse", "read_swmm", "to_frames", "to_networkx", "version", "E_FAIL",
           "E_INVALIDARG"]
__version__ = version

E_INVALIDARG = 0x80070057
E_FAIL = 0x80004005

_DICT_NAME = "<network>"


def _load(source, pump_nodes):
    if isinstance(source, dict):
        from ._rivo import _load_text
        try:
            return _load_text(json.dumps(source), _DICT_NAME, pump_nodes)
        except InputError as error:
            raise InputError(_without_place(str(error))) from None
    from ._rivo import _load_file
    return _load_file(os.fspath(source), pump_nodes)


def _without_place(text):
    # The place in the text a dict was written to means nothing to its author.
    head, _, rest = text.partition(": ")
    return rest if head.startswith(_DICT_NAME) else text


def parse(source, longest=False, pump_nodes="storage", columns=False):
    """Parses a network and returns the result document, as ``rivo parse`` writes it.

    ``source`` is the path of a network document (JSON) or of a SWMM model
    (``.inp``), either possibly gzip-compressed and told apart by their text as
    the tool tells them, or a dict in the network document's shape. ``longest`` parses
    with the longest-branch option. ``pump_nodes`` is how a SWMM model's pumps
    reach the parser (``"storage"`` or ``"none"``); for a SWMM model the result
    has a ``"names"`` member mapping IDs (as strings) to SWMM names.
    ``columns`` gives the tables as numpy arrays (``NetworkParser.result``).
    Raises InputError for an unusable file, ParserError when the parser raises.
    The reading, the parse and the reading of the result release the GIL.
    """
    network = _load(source, pump_nodes)
    with NetworkParser() as parser:
        parser._feed(network)
        parser.parse_network(longest)
        result = parser.result(columns=columns)
    names = network.names_text()
    if names is not None:
        result["names"] = json.loads(names)
    return result


def read_swmm(path, pump_nodes="storage"):
    """Reads a SWMM model (possibly gzip-compressed); returns ``(network, names)``.

    ``network`` is the network document as a dict (what ``rivo import-swmm``
    writes), ``names`` maps the IDs, as strings, to SWMM names:
    ``{"nodes": {"1": "J1"}, "links": {...}, "pumpLinks": {...}}``.
    """
    from ._rivo import _load_swmm
    network = _load_swmm(os.fspath(path), pump_nodes)
    return json.loads(network.document_text()), json.loads(network.names_text())
