#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Prints the benchmark results of run-benchmarks.sh as Markdown tables."""
import json
import os
import platform
import sys

NAMES = ("default", "freedict-hrv", "synthetic-1m")
METHODS = ("begins", "contains", "ends", "equals")
LANGUAGES = ("both", "english", "serbian")


def load(path):
    with open(path, encoding="utf-8") as feed:
        return json.load(feed)


def counters(lookup, prefix):
    found = {}
    for run in lookup["benchmarks"]:
        name = run["name"].split("/iterations")[0]
        if name.startswith(prefix):
            found[name[len(prefix):]] = run
    return found


def ratio(peer, kvel):
    if kvel <= 0:
        return "-"
    value = peer / kvel
    return f"{value:.1f}x" if value < 10 else f"{value:,.0f}x"


def main():
    results = sys.argv[1]
    lookup = load(os.path.join(results, "lookup.json"))
    context = lookup["context"]
    print(f"Machine: {platform.node()}, {context.get('num_cpus')} CPUs at "
          f"{context.get('mhz_per_cpu')} MHz, load {context.get('load_avg')}, {context.get('date')}")
    for name in NAMES:
        opened = counters(lookup, f"open/{name}").get("", {})
        check = counters(lookup, f"check/{name}").get("", {})
        bench = load(os.path.join(results, f"kvel-bench-{name}.json"))
        peers = load(os.path.join(results, f"peers-{name}.json"))
        with open(os.path.join(results, f"kvel-lookup-rss-{name}.txt")) as feed:
            rss_mb = int(feed.read().split()[-1]) / 1024
        kvel = counters(lookup, f"kvel/{name}/")
        like = counters(lookup, f"sqlite_like/{name}/")
        dictd = {(r["method"], r["lang"]): r for r in peers["dictd"]}
        sdcv = {(r["method"], r["lang"]): r for r in peers["sdcv"]}
        print(f"\n### {name}\n")
        print(f"Opening (first lookup after start): {opened.get('open_ms', 0):.0f} ms; "
              f"index {opened.get('index_mb', 0):.1f} MB; kvel-lookup peak resident "
              f"{rss_mb:.0f} MB; kvel-bench resident {bench['rss_mb']:.0f} MB. "
              f"Check against the reference store: {check.get('queries', 0):.0f} queries, "
              f"{check.get('mismatches', -1):.0f} differences (reference median "
              f"{check.get('reference_median_us', 0) / 1000:.1f} ms).\n")
        print("| method | lang | Kvel median µs | Kvel p99 µs | LIKE median µs | LIKE/Kvel "
              "| dictd median µs | dictd/Kvel | sdcv mean µs | sdcv/Kvel |")
        print("|---|---|---:|---:|---:|---:|---:|---:|---:|---:|")
        for method in METHODS:
            for lang in LANGUAGES:
                key = f"{method}/{lang}"
                k = kvel[key]
                l = like[key]
                d = dictd[(method, lang)]
                s = sdcv[(method, lang)]
                print(f"| {method} | {lang} | {k['median_us']:.1f} | {k['p99_us']:.1f} "
                      f"| {l['median_us']:.0f} | {ratio(l['median_us'], k['median_us'])} "
                      f"| {d['median_us']:.0f} | {ratio(d['median_us'], k['median_us'])} "
                      f"| {s['mean_us']:.0f} | {ratio(s['mean_us'], k['median_us'])} |")
        client = ", ".join(f"{r['method']} {r['median_us'] / 1000:.1f} ms"
                           for r in peers["dict_client"])
        print(f"\nStock `dict` client, one process a query (median): {client}.")
        for option, title in (("tolerant", "Tolerant search"), ("forms", "Dictionary forms")):
            option_path = os.path.join(results, f"kvel-bench-{option}-{name}.json")
            if not os.path.exists(option_path):
                continue
            timed = load(option_path)
            with open(os.path.join(results, f"kvel-lookup-rss-{option}-{name}.txt")) as feed:
                option_rss_mb = int(feed.read().split()[-1]) / 1024
            print(f"\n{title} (`kvel-bench --{option}`): opening "
                  f"{timed['open_ms']:.0f} ms; kvel-lookup --{option} peak resident "
                  f"{option_rss_mb:.0f} MB.\n")
            print("| method | lang | median µs | p99 µs |")
            print("|---|---|---:|---:|")
            for r in timed["results"]:
                print(f"| {r['method']} | {r['lang']} | {r['median_us']:.1f} | {r['p99_us']:.1f} |")


if __name__ == "__main__":
    main()
