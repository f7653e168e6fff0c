#!/usr/bin/python3
"""The Python module's speed, as ratios measured in one run.

  1. tamboril.Generator("URN01").values(10**7) against URN01's C++ core
     filling 10^7 values in calls of 10 000 (tamboril_bench's Values/
     cases: into memory filled before, and into fresh memory)
  2. tamboril.read_data_file of a full run's ARCHURN01 (10 000 x 1 000
     values, 130 000 000 bytes) against numpy.loadtxt of it
  3. numpy.random.Generator(tamboril.BitGenerator("URN01")).random(10**7)
     against numpy.random.Generator(numpy.random.PCG64()).random(10**7)

Each ratio is the median of the rounds, with its min and max; a ratio is the
baseline's time over the module's (above 1: the module is faster).

  bench/python-speed.py [BUILD_DIR] [ROUNDS]    (default: build, 7 rounds;
                                                 numpy.loadtxt: 3 rounds)
The build needs the module, tamboril, and tamboril_bench (Google Benchmark).
"""
import json
import os
import platform
import statistics
import subprocess
import sys
import tempfile
import time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build"))
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 7
sys.path.insert(0, os.path.join(build, "python"))

import numpy as np  # noqa: E402

import tamboril  # noqa: E402

COUNT = 10**7


def timed(f):
    start = time.perf_counter()
    f()
    return time.perf_counter() - start


def core_times():
    """Seconds per fill of URN01's core, into reused and fresh memory."""
    out = subprocess.run([os.path.join(build, "tamboril_bench"), "--benchmark_filter=^Values/",
                          "--benchmark_format=json"], check=True, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL).stdout
    times = {b["name"]: b["real_time"] / 1e3 for b in json.loads(out)["benchmarks"]}  # milliseconds
    return times["Values/Urn01CoreReused"], times["Values/Urn01CoreFresh"]


def report(what, ratios, times):
    ratios = sorted(ratios)
    print(f"{what:58s} {statistics.median(ratios):7.3f}  (min {ratios[0]:.3f}, max {ratios[-1]:.3f}; "
          f"{len(ratios)} rounds)")
    for label, seconds in times:
        print(f"    {label:54s} {statistics.median(seconds) * 1e3:9.1f} ms (median)")


def machine():
    model = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    print(f"machine: {platform.machine()}, nproc {os.cpu_count()}, {model}")
    print(f"python {platform.python_version()}, numpy {np.__version__}, tamboril {tamboril.__version__}")


def main():
    machine()

    generator = tamboril.Generator("URN01")
    generator.values(COUNT)  # the first array's memory
    reused, fresh, module = [], [], []
    for _ in range(rounds):
        core_reused, core_fresh = core_times()
        reused.append(core_reused)
        fresh.append(core_fresh)
        module.append(timed(lambda: generator.values(COUNT)))
    report("1. Generator('URN01').values(10**7) over the core (reused)",
           [c / m for c, m in zip(reused, module)],
           [("values(10**7)", module), ("core, into memory filled before", reused)])
    report("   over the core into fresh memory", [c / m for c, m in zip(fresh, module)],
           [("core, into fresh memory", fresh)])

    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([os.path.join(build, "tamboril")], input=b"URN01\n10000\n1000\n\n", cwd=folder,
                       check=True, stdout=subprocess.DEVNULL)
        path = os.path.join(folder, "ARCHURN01")
        assert os.path.getsize(path) == 130_000_000
        tamboril.read_data_file(path)  # the first array's memory
        reads, loads = [], []
        for round_ in range(rounds):
            reads.append(timed(lambda: tamboril.read_data_file(path)))
            if round_ < 3:
                loads.append(timed(lambda: np.loadtxt(path, dtype=np.float32)))
        report("2. read_data_file of ARCHURN01 (130 MB) over np.loadtxt",
               [l / r for l, r in zip(loads, reads)],
               [("read_data_file", reads), ("np.loadtxt(path, dtype=np.float32)", loads)])

    ours = np.random.Generator(tamboril.BitGenerator("URN01"))
    theirs = np.random.Generator(np.random.PCG64())
    ours.random(COUNT)
    theirs.random(COUNT)
    mine, pcg = [], []
    for _ in range(rounds):
        mine.append(timed(lambda: ours.random(COUNT)))
        pcg.append(timed(lambda: theirs.random(COUNT)))
    report("3. Generator(BitGenerator('URN01')).random(10**7) over PCG64",
           [p / m for p, m in zip(pcg, mine)],
           [("BitGenerator('URN01')", mine), ("PCG64", pcg)])


main()
