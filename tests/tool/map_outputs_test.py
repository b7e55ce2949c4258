#!/usr/bin/env python3
"""The GeoJSON map and the HTML view as a GIS program and a browser read them.

`geojson`: GDAL's ogrinfo reads back the map of the examples and of a few
shared models; its features per kind are what the result document lists.
`html`: headless Chromium loads the view, runs a search passed in the
address, and takes a screenshot. Exits 77 (skipped) where ogrinfo or
Chromium cannot start, or nothing was there to test.
"""

import argparse
import collections
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

ARGS = None
# Isolated parts, removed outfalls, converted storage nodes, pumps; a city district.
SHARED_MODELS = ["swmmio-full-features", "pystorms-alpha", "gnnuds-chaohu", "uvadmist-hague"]


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=120)


def example(name):
    return os.path.join(ARGS.source, "examples", name)


def shared(*parts):
    folder = os.environ.get("RIVO_SHARED_DIR") or os.path.join(ARGS.source, "..", "shared")
    return os.path.join(folder, "networks", *parts)


def fixture(*parts):
    return os.path.join(ARGS.source, "tests", "tool", "fixtures", *parts)


def result_document(network, *options):
    parsed = run(ARGS.rivo, "parse", network, *options)
    return json.loads(parsed.stdout)


def counts_per_kind(result, unnumbered_ends=0):
    """The features the map must hold, by kind, from the result document (and
    the pump link ends a parse written as far as it got stopped at)."""
    removed = set(result["removedOutfallIDs"])
    nodes = result["nodes"]
    counts = {
        "branch": len(result["branches"]), "loop": len(result["loops"]),
        "pumpLink": len(result["pumpLinks"]),
        "outlet": sum(n["isOutfallType"] is True and n["id"] not in removed for n in nodes),
        "convertedStorage": sum(n["isConvertedToOutfall"] is True for n in nodes),
        "removedOutfall": len(removed), "isolatedNode": len(result["isolatedNodeIDs"]),
        "isolatedLink": len(result["isolatedEdgeIDs"]), "unnumberedPumpEnd": unnumbered_ends,
    }
    return {kind: n for kind, n in counts.items() if n}


def read_features(path, where=None):
    """Every feature as ogrinfo reads it: its fields as text, and its geometry."""
    command = ["ogrinfo", "-ro", "-al", "-q", path] + (["-where", where] if where else [])
    listing = run(*command)
    if listing.returncode != 0:
        raise AssertionError(f"ogrinfo {path}: {listing.stderr}")
    features = []
    for line in listing.stdout.splitlines():
        if line.startswith("OGRFeature("):
            features.append({})
        elif field := re.match(r"^  (\w+) \((?:[^()]|\([^()]*\))*\) = (.*)$", line):
            features[-1][field[1]] = field[2]
        elif shape := re.match(r"^  ((?:POINT|LINESTRING).*)$", line):
            features[-1]["geometry"] = shape[1]
    return features


class InFolder(unittest.TestCase):
    """A test with a fresh folder for what it makes."""

    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.dir, ignore_errors=True)


class GeoJsonTest(InFolder):
    def setUp(self):
        if shutil.which("ogrinfo") is None or run("ogrinfo", "--version").returncode != 0:
            self.skipTest("ogrinfo cannot start")
        super().setUp()

    def geojson(self, network, *options, status=0):
        out = os.path.join(self.dir, "map.geojson")
        made = run(ARGS.rivo, "geojson", network, *options, "-o", out)
        self.assertEqual(made.returncode, status, made.stderr)
        return out

    def test_features_per_kind_are_the_result_documents(self):
        partial = ("--pump-nodes", "none", "--partial")
        networks = [(example("showcase.json"), ()), (example("showcase.json"), ("--longest",)),
                    (example("pressure_main.json"), ()), (fixture("swmm", "every_kind.inp"), ()),
                    (fixture("swmm", "force_main_dead_end.inp"), partial),
                    (fixture("swmm", "pump_into_outfall.inp"), partial)]
        if os.path.isdir(shared()):
            networks += [(shared("json-storage", name + ".json"), ()) for name in SHARED_MODELS]
        for network, options in networks:
            with self.subTest(network=os.path.basename(network), options=options):
                parsed = run(ARGS.rivo, "parse", network, *options)
                ends = parsed.stderr.count("cannot be numbered")
                expected = counts_per_kind(json.loads(parsed.stdout), ends)
                out = self.geojson(network, *options, status=parsed.returncode)
                found = collections.Counter(f["kind"] for f in read_features(out))
                self.assertEqual(found, expected)

    def test_a_branch_is_what_the_parser_answered_where_the_nodes_are(self):
        network = example("showcase.json")
        result = result_document(network)
        branch = max(result["branches"], key=lambda b: len(b["edgeIDs"]))
        where = f"kind = 'branch' AND branchNumber = {branch['branchNumber']}"
        [feature] = read_features(self.geojson(network), where)
        for field, value in branch.items():
            if isinstance(value, list):
                value = f"({len(value)}:{','.join(map(str, value))})"
            elif isinstance(value, bool):
                value = int(value)
            self.assertEqual(feature[field], str(value), field)
        with open(network) as document:
            place = {n["id"]: (n["x"], n["y"]) for n in json.load(document)["nodes"]}
        points = ",".join("%g %g" % place[id] for id in branch["nodeIDs"])
        self.assertEqual(feature["geometry"], f"LINESTRING ({points})")

    def test_elements_of_a_model_carry_their_swmm_names(self):
        model = fixture("swmm", "every_kind.inp")
        with open(fixture("swmm", "every_kind.names.json")) as table:
            names = json.load(table)
        with open(self.geojson(model)) as collection:
            features = [f["properties"] for f in json.load(collection)["features"]]
        named = {"nodeIDs": ("nodeNames", "nodes"), "edgeIDs": ("edgeNames", "links"),
                 "nodeID": ("nodeName", "nodes"), "edgeID": ("edgeName", "links"),
                 "pumpLinkID": ("pumpLinkName", "pumpLinks"),
                 "upStreamNodeID": ("upStreamNodeName", "nodes"),
                 "downStreamNodeID": ("downStreamNodeName", "nodes")}
        checked = 0
        for properties in features:
            for ids, (field, table) in named.items():
                if ids in properties and field in properties:
                    value = properties[ids]
                    want = [names[table][str(id)] for id in value] if isinstance(value, list) \
                        else names[table][str(value)]
                    self.assertEqual(properties[field], want, (properties["kind"], field))
                    checked += 1
        self.assertGreater(checked, len(features))

    def test_crs_names_the_system_only_when_given(self):
        out = self.geojson(example("showcase.json"), "--crs", "EPSG:28992")
        self.assertIn('ID["EPSG",28992]', run("ogrinfo", "-ro", "-al", "-so", out).stdout)
        with open(self.geojson(example("showcase.json"))) as collection:
            self.assertNotIn("crs", json.load(collection))
        for wrong in ["28992", "EPSG:", "EPSG:28992x"]:
            self.geojson(example("showcase.json"), "--crs", wrong, status=2)

    # Its line on stderr is checked with every command in explanations_test.
    def test_a_raise_leaves_no_features_and_names_the_error(self):
        made = run(ARGS.rivo, "geojson", fixture("link_to_missing_node.json"))
        self.assertEqual(made.returncode, 3)
        collection = json.loads(made.stdout)
        self.assertEqual((collection["result"], collection["features"]), (None, []))
        self.assertEqual(collection["error"]["message"], "Failed : graph_fld::GetNode")


class HtmlViewTest(InFolder):
    def load(self, page, fragment):
        """The page's DOM after the search in `fragment`, and its screenshot."""
        if shutil.which("chromium") is None:
            self.skipTest("chromium is not installed")
        shot = os.path.join(self.dir, "view.png")
        loaded = run("chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + os.path.join(self.dir, "profile"),
                     "--window-size=1280,800", "--screenshot=" + shot, "--dump-dom",
                     f"file://{page}#{fragment}")
        if loaded.returncode != 0 or "<html" not in loaded.stdout:
            self.skipTest("chromium cannot start: " + loaded.stderr[-300:])
        return loaded.stdout, shot

    def test_search_by_id_or_name_shows_the_branch(self):
        cases = [(example("showcase.json"), "node%2022", 22), (fixture("swmm", "every_kind.inp"),
                                                                 "Out%201", 1)]
        for network, search, node_id in cases:
            with self.subTest(network=os.path.basename(network), search=search):
                page = os.path.join(self.dir, "view.html")
                self.assertEqual(run(ARGS.rivo, "render", network, "-o", page).returncode, 0)
                with open(page, encoding="utf-8") as view:
                    text = view.read()
                # Nothing to fetch: the only address is the SVG namespace.
                self.assertEqual(re.findall(r"https?://[^\s\"']+", text),
                                 ["http://www.w3.org/2000/svg"])
                self.assertNotRegex(text, r"<link|\ssrc=")

                nodes = result_document(network)["nodes"]
                branch = next(n["branchNumber"] for n in nodes if n["id"] == node_id)
                dom, shot = self.load(page, "search=" + search)
                root = re.search(r"<html[^>]*>", dom)[0]  # where the page marks a script error
                self.assertEqual(root, '<html lang="en" data-ready="1">')
                info = re.search(r'<section id="info"[^>]*>', dom)[0]
                self.assertIn(f'data-kind="node" data-id="{node_id}" data-branch="{branch}"', info)
                with open(shot, "rb") as picture:
                    self.assertEqual(picture.read(8), b"\x89PNG\r\n\x1a\n")


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("suite", choices=["geojson", "html"])
    parser.add_argument("--rivo", required=True)
    parser.add_argument("--source", required=True, help="the repository")
    ARGS = parser.parse_args()
    case = GeoJsonTest if ARGS.suite == "geojson" else HtmlViewTest
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(case)
    outcome = unittest.TextTestRunner(verbosity=2).run(suite)
    if not outcome.wasSuccessful():
        return 1
    return 77 if len(outcome.skipped) == outcome.testsRun else 0


if __name__ == "__main__":
    sys.exit(main())
