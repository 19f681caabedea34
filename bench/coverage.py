#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""How much of a real text the dictionary covers.

Takes the most frequent words of a plain UTF-8 text (three letters or more) and
looks each one up with `kvel-lookup --method equals` in every configuration:
plain, tolerant, dictionary forms, and both. Prints the share found per search
language and configuration; --json prints
{"words": N, "results": [{"lang", "tolerant", "forms", "found", "share"}]}.
A configuration that kvel-lookup does not offer (exit status 2, a usage error)
is reported with "found" and "share" null instead of a guessed figure.

Usage: coverage.py [--db FILE] [--kvel-lookup PROGRAM] [--lang LANG]...
                   [--words N] [--jobs N] [--json] TEXT
"""

import argparse
import collections
import concurrent.futures
import json
import pathlib
import re
import subprocess
import sys

BUILD_BIN = pathlib.Path(__file__).resolve().parent.parent / "build" / "bin"
CONFIGURATIONS = [(False, False), (True, False), (False, True), (True, True)]
# Letters only: digits, underscores and apostrophes split words.
WORD = re.compile(r"[^\W\d_]+")
USAGE_ERROR = 2


def frequent_words(text, count):
    """The `count` most frequent words of three letters or more, lower-cased;
    ties in the order the words first appear."""
    counts = collections.Counter()
    first_seen = {}
    for match in WORD.finditer(text):
        word = match.group(0).lower()
        if len(word) < 3:
            continue
        counts[word] += 1
        first_seen.setdefault(word, match.start())
    ranked = sorted(counts, key=lambda w: (-counts[w], first_seen[w]))
    return ranked[:count]


def look_up(program, db, lang, tolerant, forms, word):
    """True or False for found, or None when kvel-lookup rejects the options."""
    command = [program, "--json", "--method", "equals", "--lang", lang]
    if db:
        command += ["--db", db]
    if tolerant:
        command.append("--tolerant")
    if forms:
        command.append("--forms")
    # "--" keeps a word that begins with a dash a word.
    result = subprocess.run(command + ["--", word], capture_output=True, text=True, check=False)
    if result.returncode == USAGE_ERROR:
        return None
    if result.returncode not in (0, 1):
        raise RuntimeError(f"{' '.join(command)} {word}: exit {result.returncode}: {result.stderr}")
    display = json.loads(result.stdout)
    return display["kind"] == 0 and bool(display["lines"])


def coverage(program, db, langs, words, jobs):
    results = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        for lang in langs:
            for tolerant, forms in CONFIGURATIONS:
                found = list(
                    pool.map(lambda w: look_up(program, db, lang, tolerant, forms, w), words))
                row = {"lang": lang, "tolerant": tolerant, "forms": forms}
                if any(f is None for f in found):
                    row.update(found=None, share=None)
                else:
                    hits = sum(found)
                    row.update(found=hits, share=round(hits / len(words), 4) if words else 0.0)
                results.append(row)
    return results


def configuration_name(row):
    return {(False, False): "plain", (True, False): "tolerant", (False, True): "forms",
            (True, True): "both"}[(row["tolerant"], row["forms"])]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("text", help="plain UTF-8 text")
    parser.add_argument("--db", help="dictionary (default: the one kvel-lookup opens)")
    parser.add_argument("--kvel-lookup", default=str(BUILD_BIN / "kvel-lookup"))
    parser.add_argument("--lang", action="append", choices=["english", "serbian", "both"],
                        help="search language, may be repeated (default: english and serbian)")
    parser.add_argument("--words", type=int, default=200)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--json", action="store_true")
    args = parser.parse_args()

    text = pathlib.Path(args.text).read_text(encoding="utf-8")
    words = frequent_words(text, args.words)
    results = coverage(args.kvel_lookup, args.db, args.lang or ["english", "serbian"], words,
                       args.jobs)
    if args.json:
        print(json.dumps({"words": len(words), "results": results}))
        return
    print(f"{len(words)} most frequent words of {args.text}")
    print(f"{'lang':<9}{'configuration':<15}{'found':>6}{'share':>8}")
    for row in results:
        found = "n/a" if row["found"] is None else str(row["found"])
        share = "n/a" if row["share"] is None else f"{row['share']:.1%}"
        print(f"{row['lang']:<9}{configuration_name(row):<15}{found:>6}{share:>8}")


if __name__ == "__main__":
    sys.exit(main())
