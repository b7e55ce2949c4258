#!/usr/bin/env python3
"""Every example of the README, docs/*.md and the help texts, run as written.

Network documents (JSON blocks with "nodes") are parsed and must exit with the
status the text after them gives ("exits 0"); `$ ` lines of a block run in a
copy of the examples and their printed output must follow them; the network
document in `rivo parse --help` parses; the README's Python block runs
where the module is built (PYTHONPATH); its C++ block builds into a host
that runs.
"""

import argparse
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

ARGS = None
BLOCK = re.compile(r"```(\w*)\n(.*?)```", re.S)
STATUS = re.compile(r"exits? (?:with status )?(\d)")
COMMAND = re.compile(r"^\$ (.*)\n((?:(?!\$ ).*\n)*)", re.M)


def blocks(language):
    files = ["README.md"] + sorted(os.path.relpath(path, ARGS.source) for path in
                                   glob.glob(os.path.join(ARGS.source, "docs", "*.md")))
    for name in files:
        with open(os.path.join(ARGS.source, name), encoding="utf-8") as f:
            text = f.read()
        for match in BLOCK.finditer(text):
            if match.group(1) == language:
                yield name, match.group(2), text[match.end():match.end() + 400]


def parse_status(network_text, folder):
    path = os.path.join(folder, "network.json")
    with open(path, "w", encoding="utf-8") as f:
        f.write(network_text)
    run = subprocess.run([ARGS.rivo, "parse", path], capture_output=True, text=True)
    return run.returncode, run.stderr


class DocumentedExamples(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.folder)

    def test_network_documents_exit_as_the_text_says(self):
        found = 0
        for name, block, after in blocks("json"):
            try:
                document = json.loads(block)
            except json.JSONDecodeError:
                continue  # an excerpt with "..."
            if not isinstance(document.get("nodes"), list):
                continue
            found += 1
            said = STATUS.search(after)
            self.assertIsNotNone(said, f"{name}: no exit status given after {block[:60]}")
            status, stderr = parse_status(block, self.folder)
            self.assertEqual(status, int(said.group(1)), f"{name}: {stderr}")
        self.assertGreater(found, 0)

    def test_commands_print_what_the_text_shows(self):
        shutil.copytree(os.path.join(ARGS.source, "examples"), os.path.join(self.folder, "examples"))
        env = dict(os.environ, PATH=os.path.dirname(ARGS.rivo) + os.pathsep + os.environ["PATH"])
        for name, block, _ in blocks(""):
            # A command and the lines up to the next command: what it prints.
            for command, shown in COMMAND.findall(block):
                run = subprocess.run(["bash", "-c", command], cwd=self.folder, env=env,
                                     capture_output=True, text=True)
                self.assertEqual(run.stdout.splitlines(), shown.splitlines(),
                                 f"{name}: {command}\n{run.stderr}")

    def test_help_network_document_parses(self):
        help_text = subprocess.run([ARGS.rivo, "parse", "--help"], capture_output=True,
                                   text=True).stdout
        example = re.search(r"Input, a network document.*?\n(  \{.*?)\n  Required", help_text, re.S)
        self.assertIsNotNone(example, help_text)
        self.assertEqual(parse_status(example.group(1), self.folder), (0, ""))

    def test_readme_python_runs(self):
        try:
            import rivo  # noqa: F401
        except ImportError:
            self.skipTest("the module rivo is not on PYTHONPATH")
        for name, block, _ in blocks("python"):
            if name == "README.md":
                run = subprocess.run([sys.executable, "-c", block], cwd=ARGS.source,
                                     capture_output=True, text=True)
                self.assertEqual(run.returncode, 0, run.stderr)

    def test_readme_cpp_builds_and_runs(self):
        block = next(block for name, block, _ in blocks("cpp") if name == "README.md")
        head = "".join(line + "\n" for line in block.splitlines() if line.startswith(("#", "using")))
        body = "".join(line + "\n" for line in block.splitlines()
                       if not line.startswith(("#", "using")))
        source, host = os.path.join(self.folder, "host.cpp"), os.path.join(self.folder, "host")
        with open(source, "w", encoding="utf-8") as f:
            f.write(head + "int main() {\n" + body + "return complete ? 0 : 1;\n}\n")
        built = subprocess.run([ARGS.cxx, "-std=c++20", *ARGS.flags.split(), *[
            "-I" + folder for folder in ARGS.include], source, ARGS.library, "-o", host],
            capture_output=True, text=True)
        self.assertEqual(built.returncode, 0, built.stderr)
        self.assertEqual(subprocess.run([host]).returncode, 0)


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("--rivo", "--source", "--cxx", "--library"):
        parser.add_argument(name, required=True)
    parser.add_argument("--include", action="append", default=[])
    parser.add_argument("--flags", default="")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
