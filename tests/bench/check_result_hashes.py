"""Parses seeded networks of every profile and compares the checksum of every
result read (branches, loops, pump links, per-node and per-link answers) with
the checksums recorded before any optimisation: results must not change."""
import subprocess
import sys

bench, expected_file, sizes = sys.argv[1], sys.argv[2], sys.argv[3]
expected = {}
for line in open(expected_file):
    profile, nodes, digest = line.split()
    expected[(profile, nodes)] = digest
out = subprocess.run([bench, "--sizes", sizes, "--profiles", "all", "--no-fork"],
                     capture_output=True, text=True).stdout
seen = {}
for row in out.splitlines():
    cells = [c.strip() for c in row.split("|")]
    if len(cells) > 17 and cells[2].isdigit():
        seen[(cells[1], cells[2])] = cells[16]
failures = [f"{k}: expected {v}, got {seen.get(k)}" for k, v in expected.items() if seen.get(k) != v]
print("\n".join(failures) or f"{len(expected)} result checksums unchanged")
sys.exit(1 if failures else 0)
