"""The .NET records and the Python stub, which cannot be made from the record
field lists (include/rivo/record_fields.h), declare their fields in order."""

import re
import sys
from pathlib import Path

# list: (stub class, its properties besides the list's, .NET record, whether
# the record's private fields are the C layout, named as the list names them)
RECORDS = {
    "PUMP_LINK": ("PumpLink", set(), "public struct PumpLinkAnswers", True),
    "BRANCH": ("Branch", {"number_of_nodes", "number_of_edges", "node_ids", "edge_ids"},
               "public sealed class BranchAnswers", False),
}
# list: (stub row of the result's answers, .NET record)
ANSWERS = {"NODE_ANSWER": ("NodeRow", "public struct NodeAnswers"),
           "LINK_ANSWER": ("LinkRow", "public struct LinkAnswers")}


def block(text, opener):
    """The indented block that follows `opener`."""
    start = text.index(opener) + len(opener)
    return re.split(r"\n(?=\S)|\n    \}", text[start:], maxsplit=1)[0]


def fields(header, name):
    body = re.search(rf"#define RIVO_{name}_FIELDS\(X\)(.*)", header).group(1)
    return re.findall(r"X\(\s*(\w+),\s*(\w+),\s*(\w+),\s*(\w+),\s*(\w*)", body)


def record_declarations(header, stub, answers):
    for name, (python_class, extras, dotnet_record, layout) in RECORDS.items():
        _, names, readers, python_names, _ = zip(*fields(header, name))
        stub_block = block(stub, f"\nclass {python_class}:")
        record = block(answers, f"{dotnet_record}\n    {{")
        yield (f"class {python_class} in the stub", python_names,
               [p for p in re.findall(r"def (\w+)\(self\) ->", stub_block) if p not in extras])
        yield f"{dotnet_record}: properties", readers, re.findall(r"public \w+\?? (\w+) \{", record)
        if layout:
            yield f"{dotnet_record}: fields", names, re.findall(r"private \w+ (\w+);", record)


def answer_declarations(header, c_header, stub, answers):
    bits = dict(re.findall(r"RIVO_ANSWERED_(\w+) = 1 << (\d+)", c_header))
    for name, (python_class, dotnet_record) in ANSWERS.items():
        listed = fields(header, name)
        record = block(answers, f"{dotnet_record}\n    {{")
        yield (f"class {python_class} in the stub",
               ["id"] + [n for _, n, _, _, written in listed if written == "IN_DOCUMENT"],
               re.findall(r"^    (\w+):", block(stub, f"\nclass {python_class}(TypedDict):"), re.M))
        # the C layout: 4-byte fields first, then the answered bits, then the doubles
        narrow = [("int", n) for t, n, *_ in listed if t != "double"]
        yield (f"{dotnet_record}: fields",
               [("int", "id"), *narrow, ("uint", "answered"), ("int", "reserved")]
               + [("double", n) for t, n, *_ in listed if t == "double"],
               re.findall(r"private (\w+) (\w+);", record))
        yield (f"{dotnet_record}: properties and answered bits",
               [("ID", None)] + [(reader, bits[bit]) for _, _, reader, bit, _ in listed],
               [(p, b or None) for p, b in re.findall(
                   r"public \w+\?? (\w+)\s*\{\s*get \{ return (?:\w+\((\d+))?", record)])


def main(root):
    header = (root / "include/rivo/record_fields.h").read_text().replace("\\\n", " ")
    c_header = (root / "include/rivo/rivo_c.h").read_text()
    stub = (root / "python/rivo/__init__.pyi").read_text()
    answers = (root / "dotnet/Answers.cs").read_text()
    failures = [f"{what} declares {found}, the list has {list(listed)}"
                for what, listed, found in [*record_declarations(header, stub, answers),
                                            *answer_declarations(header, c_header, stub, answers)]
                if list(listed) != found]
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1])))
