#!/usr/bin/env python3
"""Runs the benchmarks that have a floor and prints floor, figure and ratio for each, then times
`tavrin-cli dump` against `cat` of the same output and reports the memory dump needs for two sizes
of collection. Absolute figures move with the machine's load; the ratios are measured in the same
run, floor and figure side by side.

Usage: bench/ratios.py [BUILD_DIR]   (a Release build with -DTAVRIN_BENCH=ON, default build/bench)
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1] if len(sys.argv) > 1 else "build/bench"
bench = os.path.join(build, "bench")

# (program, benchmark name, what it is, target ratio or absolute limit in ms)
RATIOS = [
    ("browse_filters_bench", "BM_RefreshNeutral/manual_time", "refresh, every filter neutral / master-order scan", 3),
    ("browse_filters_bench", "BM_RefreshEveryFilter/manual_time", "refresh, every filter set / master-order scan", 3),
    ("browse_filters_bench", "BM_RefreshNameSelections/manual_time", "refresh, name selections / master-order scan", 3),
    ("collection_file_bench", "BM_LoadCollectionFile/manual_time", "open / one read of the file", 2),
    ("collection_file_bench", "BM_SaveCollectionFile/flush:1/manual_time", "save (to disk) / write+fsync+rename", 1.3),
    ("collection_file_bench", "BM_SaveCollectionFile/flush:0/manual_time", "bytes + safe write, no fsync / write+rename", 1.3),
]
ABSOLUTE = [
    ("browse_filters_bench", "BM_SortMasterOrder", "title order of 65,535 titles", 10),
    ("title_list_bench", "BM_RebuildEveryTitle", "title list rebuild, 65,535 rows", 4),
    ("title_search_bench", "BM_Search/3", "search of three words, 65,535 titles", 5),
    ("title_search_bench", "BM_SearchTitlesOnly", "search of a word no name holds", 5),
    ("title_search_bench", "BM_SortByColumn/3/0", "table sort by director, 65,535 titles", 20),
    ("title_search_bench", "BM_SortByColumn/6/1", "table sort by price reversed", 20),
    ("title_list_bench", "BM_SearchKeystroke/0", "search keystroke and list rebuild", 16),
    ("title_list_bench", "BM_SearchKeystroke/1", "search keystroke and table rebuild", 16),
    ("tellico_export_bench", "BM_TellicoZip", "Tellico export of 65,535 titles with covers", 2000),
]


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def run(program, names):
    pattern = "^(" + "|".join(n.split("/")[0] for n in names) + ")"
    out = subprocess.run([os.path.join(bench, program), "--benchmark_filter=" + pattern,
                          "--benchmark_format=json", "--benchmark_min_time=1"],
                         check=True, capture_output=True, text=True).stdout
    return {b["name"]: b for b in json.loads(out)["benchmarks"]}


def ms(b):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b["real_time"] * scale, b["cpu_time"] * scale


def timed(args, stdout):
    """Wall seconds, CPU seconds and peak memory (KB) of one run of args. The memory comes from
    /usr/bin/time: the child's own figure would count the Python process it was forked from."""
    with tempfile.NamedTemporaryFile("r") as report:
        start = time.perf_counter()
        proc = subprocess.Popen(["/usr/bin/time", "-o", report.name, "-f", "%M"] + args, stdout=stdout)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
        if status != 0:
            raise SystemExit(f"{args[0]} failed")
        return wall, usage.ru_utime + usage.ru_stime, int(report.read().split()[-1])


def main():
    print(f"load average before: {load()}")
    programs = {}
    for program, name, _, _ in RATIOS + ABSOLUTE:
        programs.setdefault(program, []).append(name)
    results = {}
    for program, names in programs.items():
        results.update(run(program, names))

    print("ratio: of the median wall times; min: of the fastest runs; cpu: of the median processor times")
    print(f"{'':52} {'floor ms':>9} {'figure ms':>10} {'ratio':>7} {'min':>6} {'cpu':>6} {'target':>7}")
    for _, name, what, target in RATIOS:
        b = results[name]
        print(f"{what:52} {b['floor_ms']:9.3f} {b['median_ms']:10.3f} {b['ratio']:7.2f} {b['min_ratio']:6.2f} "
              f"{b['cpu_ratio']:6.2f} {target:>7}")
    for _, name, what, limit in ABSOLUTE:
        wall, cpu = ms(results[name])
        print(f"{what:52} {'':9} {wall:10.3f} {'':7} {'<= ' + str(limit) + ' ms':>7}  (cpu {cpu:.3f} ms)")

    cli = os.path.join(build, "src", "tavrin-cli")
    with tempfile.TemporaryDirectory() as tmp:
        large, small = os.path.join(tmp, "LARGE.KXT"), os.path.join(tmp, "SMALL.KXT")
        subprocess.run([os.path.join(bench, "floor_bench"), "--write-collection=" + large], check=True)
        subprocess.run([os.path.join(bench, "floor_bench"), "--write-collection=" + small, "--titles=8192"],
                       check=True)
        dumped = os.path.join(tmp, "LARGE.json")
        with open(dumped, "wb") as out:
            timed([cli, "dump", large], out)
        dumps, cats = [], []
        with open(os.devnull, "wb") as null:
            for _ in range(7):  # side by side, as the benchmarks do
                dumps.append(timed([cli, "dump", large], null))
                cats.append(timed(["cat", dumped], null))
            small_run = timed([cli, "dump", small], null)
        dump_wall = statistics.median(d[0] for d in dumps)
        cat_wall = statistics.median(c[0] for c in cats)
        print(f"{'dump of 65,535 titles / cat of its output':52} {cat_wall * 1e3:9.1f} {dump_wall * 1e3:10.1f} "
              f"{dump_wall / cat_wall:7.2f} {20:>7}  (cpu {statistics.median(d[1] for d in dumps) * 1e3:.0f} ms "
              f"/ {statistics.median(c[1] for c in cats) * 1e3:.0f} ms)")
        mb = 1024 * 1024
        print(f"dump output {os.path.getsize(dumped) / mb:.1f} MB; peak memory "
              f"{max(d[2] for d in dumps) / 1024:.1f} MB for a {os.path.getsize(large) / mb:.1f} MB collection, "
              f"{small_run[2] / 1024:.1f} MB for a {os.path.getsize(small) / mb:.1f} MB one")
    print(f"load average after: {load()}")


main()
