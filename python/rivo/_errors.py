"""The errors of the rivo module."""

import re


class ParserError(Exception):
    """An error the parser raised, from the call that caused it.

    ``hresult`` is the error code as an unsigned number (``0x80070057`` for a
    bad argument, ``0x80004005`` for a failure such as a network without
    outlet); ``message`` is the parser's text exactly, for example
    ``"Failed : CFLDNetworkParser::GetBranch\\nIndex out of range"``. In a
    bulk call (``add_nodes`` and the like) ``index`` is the element whose call
    raised; the elements before it were added. Elsewhere it is None.
    """

    def __init__(self, hresult, message, index=None):
        super().__init__(message)
        self.hresult = hresult
        self.message = message
        self.index = index

    def __repr__(self):
        return f"ParserError(hresult=0x{self.hresult:08x}, message={self.message!r})"


_PLACE = re.compile(r"(\d+)(?::(\d+))?: ")


class InputError(ValueError):
    """A network file or document the readers cannot use.

    ``str(error)`` is the reader's message exactly as ``rivo parse`` prints
    it: ``FILE:LINE:COLUMN: what is wrong`` for a network document,
    ``FILE:LINE: what is wrong`` lines for a SWMM model, ``FILE: what is
    wrong`` where no place applies. ``file``, ``line`` and ``column`` give the
    first place named (None where there is none). For a network given as a
    dict the message is the JSON path and the problem, without a place.
    """

    def __init__(self, text, file=None):
        self.file, self.line, self.column = file, None, None
        if file is not None and text.startswith(file + ":"):
            place = _PLACE.match(text, len(file) + 1)
            if place:
                self.line = int(place.group(1))
                self.column = int(place.group(2)) if place.group(2) else None
        super().__init__(text)
