"""Checks that the .NET records and the Python stub declare each result
record's fields in the order of its one list (include/rivo/record_fields.h),
the forms that cannot be made from that list."""

import re
import sys
from pathlib import Path

# list -> (Python stub class, .NET struct): the stub's properties are the
# python names, the struct's private fields the names (its layout is the C
# record's) and its public properties the readers.
CHECKED = {"PUMP_LINK": ("PumpLink", "PumpLinkAnswers")}


def field_lists(header):
    text = header.replace("\\\n", " ")
    lists = {}
    for name, body in re.findall(r"#define RIVO_(\w+)_FIELDS\(X\)(.*)", text):
        lists[name] = re.findall(r"X\(\s*\w+,\s*(\w+),\s*(\w+),\s*(\w+),", body)
    return lists


def block(text, opener):
    """The text of the indented block that follows `opener`."""
    start = text.index(opener) + len(opener)
    end = re.search(r"\n(?=\S)|\n    \}", text[start:])
    return text[start:start + end.start()] if end else text[start:]


def main(root):
    lists = field_lists((root / "include/rivo/record_fields.h").read_text())
    stub = (root / "python/rivo/__init__.pyi").read_text()
    answers = (root / "dotnet/Answers.cs").read_text()
    failures = []

    def compare(what, declared, listed):
        if declared != listed:
            failures.append(f"{what}: declares {declared}, the list has {listed}")

    for list_name, (python_class, dotnet_struct) in CHECKED.items():
        fields = lists[list_name]
        properties = re.findall(r"def (\w+)\(self\) ->", block(stub, f"\nclass {python_class}:"))
        compare(f"class {python_class} in the stub", properties, [f[2] for f in fields])
        struct = block(answers, f"public struct {dotnet_struct}\n    {{")
        compare(f"{dotnet_struct} fields", re.findall(r"private \w+ (\w+);", struct),
                [f[0] for f in fields])
        compare(f"{dotnet_struct} properties", re.findall(r"public \w+\?? (\w+) \{", struct),
                [f[1] for f in fields])
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1])))
