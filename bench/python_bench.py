#!/usr/bin/env python3
"""Times the Python module against the C++ host on one generated network.

    python3 bench/python_bench.py [--build build/release] [--network realistic] [--size 1e6]

The network is written by rivo_write_network and read into Python lists
beforehand (not timed), as a script holding its own data would have it. Then,
in a fresh process: the bulk calls (add_nodes, add_edges, add_pump_links; node
flags and gutters one by one), parse_network(), and result(); and in another
the same with result(columns=True), then to_frames() where pandas is
installed (and to_networkx() with --graph). The C++ side is rivo_bench on the
same profile, size and seed: feeding through the interface, ParseNetwork()
and reading every result. On a busy machine, --repeat keeps the best time of
each phase. The script runs itself again with the interpreter the module was
built for (/usr/bin/python3 on Debian) when started with another.
"""

import argparse
import gc
import importlib
import json
import os
import resource
import subprocess
import sys
import tempfile
import time


def timed(work):
    start = time.perf_counter()
    value = work()
    return (time.perf_counter() - start) * 1000.0, value


def columns(document):
    """The document's records as one list per field, as a script would hold them."""
    nodes, links, pumps = document["nodes"], document["links"], document["pumpLinks"]

    def pick(records, *fields):
        return [[record.get(field) for record in records] for field in fields]

    return {
        "nodes": pick(nodes, "id", "x", "y", "type"),
        "flags": [(n["id"], n.get("pond"), n.get("storage")) for n in nodes
                  if "pond" in n or n.get("storage")],
        "links": pick(links, "id", "source", "sourceElevation", "target", "targetElevation",
                      "size", "type", "length"),
        "pumps": pick(pumps, "id", "upstream", "downstream"),
        "gutters": [(g["id"], g["sameDirectionAsUI"]) for g in document["gutters"]],
    }


def feed(rivo, parser, data, one_by_one):
    if one_by_one:
        for node in zip(*data["nodes"]):
            parser.add_node(*node)
    else:
        parser.add_nodes(*data["nodes"])
    for node_id, pond, storage in data["flags"]:
        if pond is not None:
            parser.set_node_is_pond_type(node_id, pond)
        if storage:
            parser.set_node_storage_type(node_id)
    if one_by_one:
        for link in zip(*data["links"]):
            parser.add_edge(*link)
        for pump in zip(*data["pumps"]):
            parser.add_pump_link(*pump)
    else:
        parser.add_edges(*data["links"][:7], lengths=data["links"][7])
        parser.add_pump_links(*data["pumps"])
    for gutter in data["gutters"]:
        parser.add_gutter_link_id_direction(*gutter)


def peak_mib():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0


def python_side(rivo, data, one_by_one, columns, document=None):
    parser = rivo.NetworkParser()
    feed_ms, _ = timed(lambda: feed(rivo, parser, data, one_by_one))
    parse_ms, _ = timed(parser.parse_network)
    result_ms, result = timed(lambda: parser.result(columns=columns))
    times = {"feed": feed_ms, "parse": parse_ms, "result": result_ms}
    if columns:
        try:
            times["frames"], _ = timed(lambda: rivo.to_frames(result))
        except ImportError:
            pass
        if document is not None:
            times["peak"] = peak_mib()
            times["graph"], graph = timed(lambda: rivo.to_networkx(result, document))
            times["graph peak"] = peak_mib()
            del graph
    times["free"], _ = timed(lambda: (parser.release(), result.clear()))
    return times


def cpp_side(build, profile, size, seed):
    """feed, parse and read ms of rivo_bench's row for the case (it exits 1 when the
    longest-branch parse raises, as it does on the realistic profile)."""
    run = subprocess.run([os.path.join(build, "bench", "rivo_bench"), "--sizes", size,
                          "--profiles", profile, "--seed", str(seed)],
                         capture_output=True, text=True, check=False)
    rows = [line.split("|")[1:-1] for line in run.stdout.splitlines() if line.startswith("|")]
    header = [cell.strip() for cell in rows[0]]
    row = [cell.strip().replace(",", "") for cell in rows[-1]]
    value = dict(zip(header, row))
    return {"feed": float(value["feed ms"]), "parse": float(value["parse ms"]),
            "read": float(value["read ms"])}


def python_side_in_child(options, path, one_by_one=False, columns=False):
    """python_side in a fresh process, as rivo_bench runs each case: the
    parser's memory is new to the process, not what an earlier run freed."""
    flags = (["--one-by-one"] if one_by_one else []) + (["--columns"] if columns else []) + (
        ["--graph"] if options.graph and columns else [])
    run = subprocess.run([sys.executable, __file__, "--build", options.build, "--child", path]
                         + flags, capture_output=True, text=True, check=True)
    return json.loads(run.stdout)


def child(options):
    sys.path.insert(0, os.path.join(options.build, "python"))
    import rivo
    with open(options.child) as file:
        document = json.load(file)
    data = columns(document)
    if options.columns:
        # A session that takes arrays has numpy (and pandas) imported already;
        # their first import is no part of making the result.
        for module in ("numpy.ma", "pandas", "networkx"):
            try:
                importlib.import_module(module)
            except ImportError:
                pass
    if not options.graph:
        document = None
    gc.collect()
    times = python_side(rivo, data, options.one_by_one, options.columns, document)
    times["nodes"], times["links"] = len(data["nodes"][0]), len(data["links"][0])
    times.setdefault("peak", peak_mib())
    print(json.dumps(times))


def module_interpreter(build):
    """The interpreter the module in `build` was built for (CMake's Python3_EXECUTABLE)."""
    try:
        with open(os.path.join(build, "CMakeCache.txt")) as cache:
            for line in cache:
                if line.startswith("Python3_EXECUTABLE:"):
                    return line.split("=", 1)[1].strip()
    except OSError:
        pass
    return sys.executable


def main():
    arguments = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    arguments.add_argument("--build", default="build/release")
    arguments.add_argument("--network", dest="profile", default="realistic",
                           help="the generated network's profile, as rivo_bench --profiles names it")
    arguments.add_argument("--size", default="1e6")
    arguments.add_argument("--seed", type=int, default=1)
    arguments.add_argument("--repeat", type=int, default=3,
                           help="run each side this often and keep each phase's best time")
    arguments.add_argument("--one-by-one", action="store_true",
                           help="also time add_node/add_edge calls one at a time")
    arguments.add_argument("--graph", action="store_true",
                           help="also time to_networkx() on the result in columns")
    arguments.add_argument("--child", help=argparse.SUPPRESS)
    arguments.add_argument("--columns", action="store_true", help=argparse.SUPPRESS)
    options = arguments.parse_args()
    if options.child:
        return child(options)
    interpreter = module_interpreter(options.build)
    if os.path.realpath(interpreter) != os.path.realpath(sys.executable):
        os.execv(interpreter, [interpreter, __file__, *sys.argv[1:]])

    def best(runs):
        return {phase: min(run[phase] for run in runs) for phase in runs[0]}

    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "network.json")
        subprocess.run([os.path.join(options.build, "bench", "rivo_write_network"),
                        options.profile, options.size, path, str(options.seed)], check=True)
        cpp, py, col = (best(runs) for runs in zip(*[
            (cpp_side(options.build, options.profile, options.size, options.seed),
             python_side_in_child(options, path), python_side_in_child(options, path, columns=True))
            for _ in range(options.repeat)]))
        single = python_side_in_child(options, path, True) if options.one_by_one else None
    report(options, cpp, py, col, single)


def report(options, cpp, py, col, single):
    print(f"{options.profile}, {py['nodes']:,} nodes, {py['links']:,} links, "
          f"best of {options.repeat}")
    print(f"C++    feed {cpp['feed']:8.1f} ms  parse {cpp['parse']:8.1f} ms  "
          f"read every result       {cpp['read']:8.1f} ms")
    print(f"Python feed {py['feed']:8.1f} ms  parse {py['parse']:8.1f} ms  "
          f"result()                {py['result']:8.1f} ms  (freeing {py['free']:.1f} ms)")
    print(f"Python feed {col['feed']:8.1f} ms  parse {col['parse']:8.1f} ms  "
          f"result(columns=True)    {col['result']:8.1f} ms  (freeing {col['free']:.1f} ms)")
    print(f"feed + parse: {(py['feed'] + py['parse']) / (cpp['feed'] + cpp['parse']):.2f} x C++; "
          f"result(): {py['result'] / cpp['read']:.2f} x C++ reading; "
          f"result(columns=True): {col['result'] / cpp['read']:.2f} x")
    extra = [f"{name} {col[key]:.1f} ms" for key, name in
             (("frames", "to_frames()"), ("graph", "to_networkx()")) if key in col]
    if extra:
        print("from the columns: " + ", ".join(extra))
    if single:
        print(f"one by one: feed {single['feed']:.1f} ms "
              f"({single['feed'] * 1e6 / py['nodes']:.0f} ns per node, links included)")
    print(f"peak of the Python process: {py['peak']:.0f} MiB with result(), "
          f"{col['peak']:.0f} MiB with result(columns=True)"
          + (f", {col['graph peak']:.0f} MiB with its graph" if "graph peak" in col else ""))


if __name__ == "__main__":
    main()
