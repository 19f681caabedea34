#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Prints the results of run-benchmarks.sh as Markdown tables: the index built
in memory beside the mapped index file on each dictionary, with the peers.

  summarize.py RESULTS_DIR [--charts DIR]

--charts also writes the figures the charts draw, one file a chart, a line a
dictionary (see charts.gnuplot)."""
import argparse
import json
import os
import statistics

NAMES = ("freedict-srp", "default", "synthetic-1m")
INDEXES = ("built", "mapped")
OPTIONS = ("plain", "tolerant", "forms")
METHODS = ("begins", "contains", "ends", "equals")
LANGUAGES = ("both", "english", "serbian")


def load(path):
    with open(path, encoding="utf-8") as feed:
        return json.load(feed)


class Results:
    def __init__(self, folder):
        self.folder = folder
        self.lookup = load(self.path("lookup.json"))
        self.bench = {(index, option, name): load(self.path(f"kvel-bench-{index}-{option}-{name}.json"))
                      for index in INDEXES for option in OPTIONS for name in NAMES}
        self.peers = {name: load(self.path(f"peers-{name}.json")) for name in NAMES}

    def path(self, name):
        return os.path.join(self.folder, name)

    def counters(self, prefix):
        found = {}
        for run in self.lookup["benchmarks"]:
            name = run["name"].split("/iterations")[0]
            if name.startswith(prefix):
                found[name[len(prefix):]] = run
        return found

    def opening(self, index, name):
        """The median of the ten openings, their spread and the load during them."""
        times, loads = [], []
        with open(self.path(f"opening-{index}-{name}.txt"), encoding="utf-8") as feed:
            for line in feed:
                load_now, report = line.split(" ", 1)
                loads.append(float(load_now))
                times.append(json.loads(report)["open_ms"])
        return statistics.median(times), min(times), max(times), min(loads), max(loads)

    def lookup_process(self, index, option, name):
        """kvel-lookup's peak resident and peak private memory, in MB."""
        base = self.path(f"kvel-lookup-{index}-{option}-{name}")
        with open(base + ".rss", encoding="utf-8") as feed:
            rss = int(feed.read().split()[-1]) / 1024
        return rss, load(base + ".private.json")["private_mb"]

    def worst(self, index, option, name, field="p99_us", method=None):
        return max(r[field] for r in self.bench[(index, option, name)]["results"]
                   if method is None or r["method"] == method)


ROWS = {"freedict-srp": 966, "default": 138685, "synthetic-1m": 1000000}


def ms(value):
    return f"{value:,.0f}" if value >= 10 else f"{value:.1f}"


def span(low, high, digits=1):
    return f"{low:.{digits}f}" if f"{low:.{digits}f}" == f"{high:.{digits}f}" else \
        f"{low:.{digits}f}-{high:.{digits}f}"


def row(title, cells, target=""):
    print(f"| {title} | " + " | ".join(cells) + f" | {target} |")


def index_warnings(res):
    """kvel-bench runs built when it cannot make or map the index file; says so."""
    for (index, option, name), bench in sorted(res.bench.items()):
        if bench.get("index") != index:
            print(f"**Warning: kvel-bench --index {index} ran {bench.get('index')} "
                  f"({option}, {name}).**\n")
    for (index, option, name) in ((i, o, n) for i in INDEXES for o in OPTIONS for n in NAMES):
        mapped = bool(load(res.path(f"kvel-lookup-{index}-{option}-{name}.private.json"))
                      .get("index_files"))
        if mapped != (index == "mapped"):
            print(f"**Warning: kvel-lookup {'mapped' if mapped else 'mapped no'} index file "
                  f"in the {index} run ({option}, {name}).**\n")
    for index in INDEXES:
        for name in NAMES:
            with open(res.path(f"opening-{index}-{name}.txt"), encoding="utf-8") as feed:
                ran = {json.loads(line.split(" ", 1)[1]).get("index") for line in feed}
            if ran != {index}:
                print(f"**Warning: the openings with --index {index} ran {sorted(ran)} "
                      f"({name}).**\n")


def side_by_side(res):
    print("| | " + " | ".join(f"{ROWS[n]:,} built | {ROWS[n]:,} mapped" for n in NAMES)
          + " | target (mapped) |")
    print("|---|" + "---:|" * (2 * len(NAMES)) + "---|")
    cells = []
    for name in NAMES:
        for index in INDEXES:
            median, low, high, load_low, load_high = res.opening(index, name)
            cells.append(f"{ms(median)} ms ({ms(low)}-{ms(high)}; load {span(load_low, load_high)})")
    row("opening, median of 10 `kvel-bench` (range; load)", cells,
        "≤ 20 ms at 138,685, ≤ 50 ms at 1,000,000")
    for option, title, target in (
            ("plain", "worst p99 per lookup, every method and language", "≤ 250 µs at 1,000,000"),
            ("tolerant", "worst p99, tolerant", "≤ 250 µs at 1,000,000"),
            ("forms", "worst p99, dictionary forms", "reported")):
        row(title, [f"{res.worst(i, option, n):.0f} µs" for n in NAMES for i in INDEXES], target)
    row("worst median per lookup", [f"{res.worst(i, 'plain', n, 'median_us'):.0f} µs"
                                    for n in NAMES for i in INDEXES])
    for option, title, target in (("plain", "", "≤ 40 MB at 1,000,000"),
                                  ("tolerant", " --tolerant", ""), ("forms", " --forms", "")):
        row(f"private memory, `kvel-lookup{title}` (peak)",
            [f"{res.lookup_process(i, option, n)[1]:.1f} MB" for n in NAMES for i in INDEXES],
            target)
    for option, title, target in (("plain", "", "≤ 60 MB at 1,000,000"),
                                  ("tolerant", " --tolerant", ""), ("forms", " --forms", "")):
        row(f"peak resident, `kvel-lookup{title}`",
            [f"{res.lookup_process(i, option, n)[0]:.0f} MB" for n in NAMES for i in INDEXES],
            target)
    row("private memory / peak resident, `kvel-bench`",
        [f"{res.bench[(i, 'plain', n)]['private_mb']:.1f} / "
         f"{res.bench[(i, 'plain', n)]['peak_rss_mb']:.0f} MB" for n in NAMES for i in INDEXES])
    cells = []
    for name in NAMES:
        check = res.counters(f"check/{name}").get("", {})
        cells.append(f"{check.get('mismatches', -1):.0f} of {check.get('queries', 0):,.0f}")
        cells.append(f"{check.get('mapped_mismatches', -1):.0f} of "
                     f"{check.get('mapped_queries', 0):,.0f}")
    row("differences from the reference store", cells, "0")


def peers_line(res):
    print("\nPeers on the same rows (worst over methods and languages):\n")
    print("| | " + " | ".join(f"{ROWS[n]:,}" for n in NAMES) + " |")
    print("|---|" + "---:|" * len(NAMES))
    like = {n: res.counters(f"sqlite_like/{n}/") for n in NAMES}
    row_cells = [f"{max(r['p99_us'] for r in like[n].values()):,.0f} µs" for n in NAMES]
    print("| SQLite `LIKE`, p99 (first 60 phrases) | " + " | ".join(row_cells) + " |")
    row_cells = [f"{max(r['p99_us'] for r in res.peers[n]['dictd']):,.0f} µs" for n in NAMES]
    print("| dictd `MATCH`, p99 | " + " | ".join(row_cells) + " |")
    row_cells = [f"{max(r['mean_us'] for r in res.peers[n]['sdcv']):,.0f} µs" for n in NAMES]
    print("| sdcv, mean after start-up | " + " | ".join(row_cells) + " |")
    row_cells = [f"{ms(max(r['startup_ms'] for r in res.peers[n]['sdcv']))} ms" for n in NAMES]
    print("| sdcv start-up, whole process (median of 3) | " + " | ".join(row_cells) + " |")


def per_dictionary(res, name):
    check = res.counters(f"check/{name}").get("", {})
    like = res.counters(f"sqlite_like/{name}/")
    peers = res.peers[name]
    dictd = {(r["method"], r["lang"]): r for r in peers["dictd"]}
    sdcv = {(r["method"], r["lang"]): r for r in peers["sdcv"]}
    bench = {(i, o): {(r["method"], r["lang"]): r for r in res.bench[(i, o, name)]["results"]}
             for i in INDEXES for o in OPTIONS}
    print(f"\n#### {name} ({ROWS[name]:,} rows)\n")
    print(f"Reference store median {check.get('reference_median_us', 0) / 1000:.1f} ms a query. "
          "Times in µs, median / p99 over the phrases, each phrase's time the median of its "
          "5 runs; sdcv gives a mean.\n")
    print("| method | lang | built | mapped | tolerant built | tolerant mapped | forms built "
          "| forms mapped | LIKE median | dictd | sdcv mean |")
    print("|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    for method in METHODS:
        for lang in LANGUAGES:
            key = (method, lang)
            cells = [f"{bench[(i, o)][key]['median_us']:.0f} / {bench[(i, o)][key]['p99_us']:.0f}"
                     for o in OPTIONS for i in INDEXES]
            d = dictd[key]
            print(f"| {method} | {lang} | " + " | ".join(cells)
                  + f" | {like[f'{method}/{lang}']['median_us']:,.0f} "
                  f"| {d['median_us']:,.0f} / {d['p99_us']:,.0f} | {sdcv[key]['mean_us']:,.0f} |")
    client = ", ".join(f"{r['method']} {r['median_us'] / 1000:.1f} ms"
                       for r in peers["dict_client"])
    print(f"\nStock `dict` client, one process a query (median): {client}.")


def write_charts(res, folder):
    os.makedirs(folder, exist_ok=True)

    def write(file, header, lines):
        with open(os.path.join(folder, file), "w", encoding="utf-8") as out:
            out.write("# " + header + "\n")
            for name in NAMES:
                out.write(f"{ROWS[name]} " + " ".join(f"{v:.4g}" for v in lines(name)) + "\n")

    write("opening.dat", "rows built_ms mapped_ms sdcv_startup_ms",
          lambda n: [res.opening("built", n)[0], res.opening("mapped", n)[0],
                     max(r["startup_ms"] for r in res.peers[n]["sdcv"])])
    write("p99.dat", "rows built mapped built_tolerant mapped_tolerant like dictd sdcv_mean (µs)",
          lambda n: [res.worst("built", "plain", n), res.worst("mapped", "plain", n),
                     res.worst("built", "tolerant", n), res.worst("mapped", "tolerant", n),
                     max(r["p99_us"] for r in res.counters(f"sqlite_like/{n}/").values()),
                     max(r["p99_us"] for r in res.peers[n]["dictd"]),
                     max(r["mean_us"] for r in res.peers[n]["sdcv"])])
    write("p99-methods.dat", "rows, then per method built and mapped, worst over languages (µs)",
          lambda n: [res.worst(i, o, n, method=m) for o in ("plain", "tolerant")
                     for m in METHODS for i in INDEXES])
    write("memory.dat", "rows lookup_private_built lookup_private_mapped lookup_rss_built "
          "lookup_rss_mapped sdcv_private sdcv_rss (MB)",
          lambda n: [res.lookup_process("built", "plain", n)[1],
                     res.lookup_process("mapped", "plain", n)[1],
                     res.lookup_process("built", "plain", n)[0],
                     res.lookup_process("mapped", "plain", n)[0],
                     res.peers[n]["sdcv_memory"]["private_mb"],
                     res.peers[n]["sdcv_memory"]["rss_mb"]])


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("results")
    parser.add_argument("--charts")
    args = parser.parse_args()
    res = Results(args.results)
    with open(res.path("machine.txt"), encoding="utf-8") as feed:
        for line in feed:
            print("    " + line.rstrip("\n"))
    print()
    index_warnings(res)
    side_by_side(res)
    peers_line(res)
    for name in NAMES:
        per_dictionary(res, name)
    if args.charts:
        write_charts(res, args.charts)


if __name__ == "__main__":
    main()
