"""Shared helpers: the built tool as the reference, and the networks to compare on."""

import json
import os
import pathlib
import subprocess

import pytest

import rivo

ROOT = pathlib.Path(__file__).resolve().parents[2]
FIXTURES = ROOT / "tests" / "tool" / "fixtures"
# The shared-data folder: RIVO_SHARED_DIR at test time, or beside the checkout.
SHARED = pathlib.Path(os.environ.get("RIVO_SHARED_DIR") or ROOT.parent / "shared") / "networks"
EXAMPLES = sorted(p for p in (ROOT / "examples").glob("*.json") if ".result" not in p.name)
PROFILES = ["realistic", "outfall-heavy", "looped", "chain", "star", "ring", "extra-loops"]
# How the tool maps the pumps of a SWMM model by default.
TOOL_PUMP_NODES = "storage"


def run_tool(*args):
    tool = os.environ.get("RIVO_TOOL")
    if not tool:
        pytest.skip("RIVO_TOOL does not name the built tool")
    return subprocess.run([tool, *map(str, args)], capture_output=True, text=True, check=False)


def assert_same_outcome(parse, path, longest):
    """`parse()` answers as `rivo parse PATH` does: the same document, error or input error."""
    run = run_tool("parse", path, *(["--longest"] if longest else []))
    status = run.returncode
    if status == 0:
        assert json.loads(json.dumps(parse())) == json.loads(run.stdout)
    elif status == 3:
        with pytest.raises(rivo.ParserError) as raised:
            parse()
        error = json.loads(run.stdout)["error"]
        assert (f"0x{raised.value.hresult:08x}", raised.value.message) == (
            error["hresult"], error["message"])
    else:
        assert status == 2, run.stderr
        with pytest.raises(rivo.InputError) as raised:
            parse()
        assert str(raised.value) + "\n" == run.stderr
        assert raised.value.file == str(path)


@pytest.fixture(scope="session")
def generated(tmp_path_factory):
    """A small generated network of every benchmark profile, by profile name."""
    writer = os.environ.get("RIVO_WRITE_NETWORK")
    if not writer:
        pytest.skip("RIVO_WRITE_NETWORK does not name the benchmark's network writer")
    folder = tmp_path_factory.mktemp("generated")
    paths = {}
    for profile in PROFILES:
        paths[profile] = folder / f"{profile}.json"
        subprocess.run([writer, profile, "400", paths[profile], "7"], check=True)
    return paths
