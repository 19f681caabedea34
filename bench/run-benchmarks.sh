#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds Kvel, makes the three benchmark dictionaries and measures the lookup on
# each, with the peers (SQLite LIKE, dictd, sdcv) on the same rows; prints the
# summary table that bench/README.md shows. Run from a fresh checkout:
#   bench/run-benchmarks.sh [WORK_DIR]
# WORK_DIR (default /tmp/kvel-bench) gets the build, the dictionaries and the
# JSON results; nothing is written into the checkout. KVEL_BUILD_DIR reuses a
# build folder instead of $WORK_DIR/build.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-/tmp/kvel-bench}
build=${KVEL_BUILD_DIR:-$work/build}
results=$work/results
mkdir -p "$work" "$results"

"$source_dir/scripts/bootstrap"
cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target kvel-dict kvel-lookup kvel-bench kvel-lookup-bench \
  kvel-synthetic-dict kvel_default_dictionary
bin=$build/bin

# (b) FreeDict's English-Croatian pair: real Latin text with the same diacritics.
[ -f "$work/freedict-hrv.mdb" ] || "$bin/kvel-dict" build -o "$work/freedict-hrv.mdb" \
  english:/usr/share/dictd/freedict-eng-hrv serbian:/usr/share/dictd/freedict-hrv-eng
# (c) One million made-up rows, always the same for the same seed.
[ -f "$work/synthetic-1m.mdb" ] || "$bin/kvel-synthetic-dict" -o "$work/synthetic-1m.mdb" \
  --entries 1000000 --seed 20240601

declare -A dictionaries=(
  [default]=$bin/kvel.mdb
  [freedict-hrv]=$work/freedict-hrv.mdb
  [synthetic-1m]=$work/synthetic-1m.mdb
)

# The reference store reads the whole table for every rare phrase: the million
# rows get fewer phrases so that the check over all of them ends in minutes.
"$bin/kvel-lookup-bench" \
  --dictionary "default=${dictionaries[default]}:300" \
  --dictionary "freedict-hrv=${dictionaries[freedict-hrv]}:300" \
  --dictionary "synthetic-1m=${dictionaries[synthetic-1m]}:120" \
  --phrases-out "$results" \
  --benchmark_format=json --benchmark_out_format=json \
  --benchmark_out="$results/lookup.json" >/dev/null

port=26280
for name in default freedict-hrv synthetic-1m; do
  db=${dictionaries[$name]}
  "$bin/kvel-bench" --db "$db" --json >"$results/kvel-bench-$name.json"
  # The whole kvel-lookup process, index included, at its peak.
  /usr/bin/time -f '%M' -o "$results/kvel-lookup-rss-$name.txt" \
    "$bin/kvel-lookup" --db "$db" --method contains zzzq >/dev/null || true
  # The same with tolerant search, whose index of unaccented keys comes on top.
  "$bin/kvel-bench" --db "$db" --json --tolerant >"$results/kvel-bench-tolerant-$name.json"
  /usr/bin/time -f '%M' -o "$results/kvel-lookup-rss-tolerant-$name.txt" \
    "$bin/kvel-lookup" --db "$db" --tolerant --method contains zzzq >/dev/null || true
  # And with dictionary forms: Hunspell's step on single words, its dictionaries in memory.
  "$bin/kvel-bench" --db "$db" --json --forms >"$results/kvel-bench-forms-$name.json"
  /usr/bin/time -f '%M' -o "$results/kvel-lookup-rss-forms-$name.txt" \
    "$bin/kvel-lookup" --db "$db" --forms --method contains zzzq >/dev/null || true
  python3 "$source_dir/bench/peers.py" --mdb "$db" --phrases "$results/$name.phrases" \
    --work "$work/peers-$name" --port $port >"$results/peers-$name.json"
  port=$((port + 1))
done

python3 "$source_dir/bench/summarize.py" "$results" | tee "$results/summary.md"
