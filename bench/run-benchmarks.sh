#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds Kvel, makes the three benchmark dictionaries and measures on each the
# index built in memory beside the mapped index file, with the peers (SQLite
# LIKE, dictd, sdcv) on the same rows; prints the summary tables and draws the
# charts that bench/README.md shows. Run from a fresh checkout:
#   bench/run-benchmarks.sh [WORK_DIR]
# WORK_DIR (default /tmp/kvel-bench) gets the build, the dictionaries and the
# results; dictionaries already made there are reused, so a run that stopped
# can simply be started again. KVEL_BUILD_DIR reuses a build folder instead of
# $WORK_DIR/build. The only files written into the checkout are the charts,
# bench/charts/*.svg.
set -euo pipefail

# Every line the summary quotes about the machine and its load.
note() { echo "$*" | tee -a "$results/machine.txt"; }
load() { echo "$(date -u '+%T'), load $(cut -d' ' -f1-3 /proc/loadavg)"; }

# Each dictionary is written under a temporary name and renamed with its index
# file, so that one cut short is made again at the next run. Both are made
# again when the program that makes them is newer: its index file format may
# have changed, and an index file of an older format would not be mapped.
make_dictionary() {
  local file=$1
  shift
  [ -f "$file" ] && [ "$file.kvx" -nt "$1" ] && return 0
  rm -f "$file.part" "$file.part.kvx"
  "$@" -o "$file.part"
  mv "$file.part.kvx" "$file.kvx"
  mv "$file.part" "$file"
}

# All of it read before it runs, so that editing this file cannot change a run.
main() {
  source_dir=$(cd "$(dirname "$0")/.." && pwd)
  work=${1:-/tmp/kvel-bench}
  build=${KVEL_BUILD_DIR:-$work/build}
  results=$work/results
  started=$(date +%s)
  mkdir -p "$work" "$results"
  # One run at a time in a work folder: two would build and measure at once.
  exec 9>"$work/run.lock"
  flock -n 9 || { echo "run-benchmarks.sh: another run is using $work" >&2; exit 1; }

  "$source_dir/scripts/bootstrap"
  cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target kvel-dict kvel-lookup kvel-bench kvel-lookup-bench \
    kvel-synthetic-dict kvel_default_dictionary
  bin=$build/bin

  : >"$results/machine.txt"
  note "machine: $(nproc) cores, $(LC_ALL=C lscpu | sed -n 's/^Model name: *//p'), $(free -g | awk '/^Mem:/ {print $2}') GiB, $(sed -n 's/^PRETTY_NAME="\(.*\)"/\1/p' /etc/os-release)"
  note "build: Release, $build"
  note "start: $(date -u '+%F') $(load)"

  # (a) FreeDict's English-Serbian pair alone (966 rows).
  make_dictionary "$work/freedict-srp.mdb" "$bin/kvel-dict" build \
    english:/usr/share/dictd/freedict-eng-srp serbian:/usr/share/dictd/freedict-srp-eng
  # (b) The default kvel.mdb, made by the build with its kvel.mdb.kvx (138,685 rows).
  # (c) One million made-up rows, always the same for the same seed.
  make_dictionary "$work/synthetic-1m.mdb" "$bin/kvel-synthetic-dict" \
    --entries 1000000 --seed 20240601

  names=(freedict-srp default synthetic-1m)
  declare -A dictionaries=(
    [freedict-srp]=$work/freedict-srp.mdb
    [default]=$bin/kvel.mdb
    [synthetic-1m]=$work/synthetic-1m.mdb
  )
  for name in "${names[@]}"; do
    note "dictionary $name: $(sqlite3 "file:${dictionaries[$name]}?mode=ro" 'select count(*) from TblKvel') rows"
  done

  # kvel-lookup maps the index file beside its dictionary; the same file linked
  # into a folder of its own has none, so there it builds the index in memory.
  # An empty cache folder keeps the user's cached index files out of it.
  mkdir -p "$work/without-index" "$work/empty-cache"
  export XDG_CACHE_HOME=$work/empty-cache LANG=C.UTF-8
  declare -A lookup_db
  for name in "${names[@]}"; do
    plain=$work/without-index/$name.mdb
    ln -f "${dictionaries[$name]}" "$plain" 2>/dev/null || cp -f "${dictionaries[$name]}" "$plain"
    lookup_db[$name/built]=$plain
    lookup_db[$name/mapped]=${dictionaries[$name]}
  done

  # The reference store reads the whole table for every rare phrase: the million
  # rows get fewer phrases so that the check over all of them ends in minutes.
  note "kvel-lookup-bench: $(load)"
  "$bin/kvel-lookup-bench" \
    --dictionary "freedict-srp=${dictionaries[freedict-srp]}:300" \
    --dictionary "default=${dictionaries[default]}:300" \
    --dictionary "synthetic-1m=${dictionaries[synthetic-1m]}:80" \
    --phrases-out "$results" \
    --benchmark_format=json --benchmark_out_format=json \
    --benchmark_out="$results/lookup.json" >/dev/null

  # The opening alone, ten processes each, with the load beside every run.
  printf 'a\n' >"$work/one-phrase.txt"
  note "kvel-bench: $(load)"
  for name in "${names[@]}"; do
    db=${dictionaries[$name]}
    for index in built mapped; do
      for option in plain tolerant forms; do
        flags=(--db "$db" --json --index "$index")
        [ "$option" = plain ] || flags+=("--$option")
        "$bin/kvel-bench" "${flags[@]}" >"$results/kvel-bench-$index-$option-$name.json"
      done
      for _ in 1 2 3 4 5 6 7 8 9 10; do
        printf '%s %s\n' "$(cut -d' ' -f1 /proc/loadavg)" \
          "$("$bin/kvel-bench" --db "$db" --json --index "$index" --queries "$work/one-phrase.txt")"
      done >"$results/opening-$index-$name.txt"
    done
  done

  # The whole kvel-lookup process: its peak resident memory and its private
  # memory at its peak, with either index and each kind of search.
  note "kvel-lookup: $(load)"
  for name in "${names[@]}"; do
    for index in built mapped; do
      for option in plain tolerant forms; do
        command=("$bin/kvel-lookup" --db "${lookup_db[$name/$index]}" --method contains)
        [ "$option" = plain ] || command+=("--$option")
        out=$results/kvel-lookup-$index-$option-$name
        /usr/bin/time -f '%M' -o "$out.rss" "${command[@]}" zzzq >/dev/null || true
        python3 "$source_dir/bench/peak_private.py" "${command[@]}" zzzq >"$out.private.json"
      done
    done
  done

  note "peers: $(load)"
  port=26280
  for name in "${names[@]}"; do
    python3 "$source_dir/bench/peers.py" --mdb "${dictionaries[$name]}" \
      --phrases "$results/$name.phrases" --work "$work/peers-$name" --port $port \
      >"$results/peers-$name.json"
    port=$((port + 1))
  done
  note "end: $(load), $((($(date +%s) - started) / 60)) min in all"

  python3 "$source_dir/bench/summarize.py" "$results" --charts "$results/charts" |
    tee "$results/summary.md"
  gnuplot -e "data='$results/charts'" "$source_dir/bench/charts.gnuplot"
  mkdir -p "$source_dir/bench/charts"
  cp "$results"/charts/*.svg "$source_dir/bench/charts/"
}

main "$@"
