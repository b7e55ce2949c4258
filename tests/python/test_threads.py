"""Threads parse separate networks at once and get what one thread gets."""

from concurrent.futures import ThreadPoolExecutor

import rivo
from conftest import EXAMPLES, FIXTURES


def test_parses_in_a_thread_pool(generated):
    sources = EXAMPLES + [FIXTURES / "ring.json", generated["realistic"], generated["looped"]]
    jobs = [(path, longest) for path in sources for longest in (False, True)] * 3

    def run(job):
        try:
            return rivo.parse(job[0], job[1])
        except rivo.ParserError as error:
            return (error.hresult, error.message)

    alone = {job: run(job) for job in jobs}
    with ThreadPoolExecutor(max_workers=4) as pool:
        together = list(pool.map(run, jobs))
    assert together == [alone[job] for job in jobs]
