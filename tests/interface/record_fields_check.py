"""The .NET records and the Python stub, which cannot be made from the record
field lists (include/rivo/record_fields.h), declare their fields in order."""

import re
import sys
from pathlib import Path

# list: (stub class, its properties besides the list's, .NET record, whether
# the record's private fields are the C layout, named as the list names them)
CHECKED = {
    "PUMP_LINK": ("PumpLink", set(), "public struct PumpLinkAnswers", True),
    "BRANCH": ("Branch", {"number_of_nodes", "number_of_edges", "node_ids", "edge_ids"},
               "public sealed class BranchAnswers", False),
}


def block(text, opener):
    """The indented block that follows `opener`."""
    start = text.index(opener) + len(opener)
    return re.split(r"\n(?=\S)|\n    \}", text[start:], maxsplit=1)[0]


def main(root):
    header = (root / "include/rivo/record_fields.h").read_text().replace("\\\n", " ")
    stub = (root / "python/rivo/__init__.pyi").read_text()
    answers = (root / "dotnet/Answers.cs").read_text()
    failures = []
    for name, (python_class, extras, dotnet_record, layout) in CHECKED.items():
        body = re.search(rf"#define RIVO_{name}_FIELDS\(X\)(.*)", header).group(1)
        names, readers, python_names = zip(*re.findall(r"X\(\s*\w+,\s*(\w+),\s*(\w+),\s*(\w+),", body))
        stub_block = block(stub, f"\nclass {python_class}:")
        record = block(answers, f"{dotnet_record}\n    {{")
        declared = [
            (f"class {python_class} in the stub", python_names,
             [p for p in re.findall(r"def (\w+)\(self\) ->", stub_block) if p not in extras]),
            (f"{dotnet_record}: properties", readers,
             re.findall(r"public \w+\?? (\w+) \{", record)),
        ]
        if layout:
            declared.append((f"{dotnet_record}: fields", names,
                             re.findall(r"private \w+ (\w+);", record)))
        failures += [f"{what} declares {found}, the list has {list(listed)}"
                     for what, listed, found in declared if list(listed) != found]
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1])))
