"""The tables of a result in columns as pandas DataFrames."""

_TABLES = ("branches", "loops", "pumpLinks", "gutters", "nodes", "links")
# The tables a SWMM model names, with the field holding the ID.
_NAMED = {"nodes": "id", "links": "id", "pumpLinks": "pumpLinkID"}


def require_columns(result, caller):
    if not isinstance(result.get("nodes"), dict):
        raise TypeError(f"{caller}() takes a result in columns: "
                        "parser.result(columns=True) or rivo.parse(..., columns=True)")


def to_frames(result):
    """The tables of a result in columns as pandas DataFrames, by table name.

    ``result`` is what ``rivo.parse(..., columns=True)`` or
    ``NetworkParser.result(columns=True)`` returns. The frames are
    ``"branches"``, ``"loops"``, ``"pumpLinks"``, ``"gutters"``, ``"nodes"``
    and ``"links"``: a row per record in the result's order, a column per
    field under the field's name. Answers that can be missing have pandas'
    nullable types (``Int32``, ``boolean``) with ``<NA>`` where the query
    raised; a branch's ``nodeIDs`` and ``edgeIDs`` are numpy arrays (views of
    the result's). For a SWMM model, nodes, links and pump links have a
    ``name`` column. Needs pandas::

        frames = rivo.to_frames(rivo.parse("examples/showcase.json", columns=True))
        frames["nodes"].groupby("branchNumber")["id"].count()
    """
    import pandas

    require_columns(result, "to_frames")
    names = result.get("names", {})
    frames = {}
    for name in _TABLES:
        frame = pandas.DataFrame(_frame_columns(result[name], pandas))
        if name in _NAMED and name in names:
            table = names[name]
            frame["name"] = [table.get(str(i)) for i in result[name][_NAMED[name]].tolist()]
        frames[name] = frame
    return frames


def _frame_columns(table, pandas):
    import numpy

    columns = {}
    for field, values in table.items():
        if field.endswith("Offsets"):
            continue
        if field in ("nodeIDs", "edgeIDs"):
            offsets = table[field[:4] + "Offsets"].tolist()
            values = [values[start:end] for start, end in zip(offsets, offsets[1:])]
        elif isinstance(values, numpy.ma.MaskedArray):
            nullable = (pandas.arrays.BooleanArray if values.dtype == bool
                        else pandas.arrays.IntegerArray)
            values = nullable(values.data, numpy.ma.getmaskarray(values))
        columns[field] = values
    return columns
