#!/usr/bin/env bash
# Times the whole scenario_builder run against the cost of writing the same
# bytes: in each round the builder runs once in a scratch directory, then its
# six output files are copied with cp to a second directory. Prints the median
# of each and their ratio.
#
#   tools/measure_builder.sh [BUILDER] [ROUNDS] [sync]
#
# BUILDER defaults to build/bin/scenario_builder, ROUNDS to 50. With "sync"
# the copy is followed by flushing the six copies to the disk (sync FILE...),
# as the builder flushes every file it writes. TMPDIR picks the file system
# the scratch directories live on.
set -euo pipefail

builder=$(realpath "${1:-build/bin/scenario_builder}")
rounds=${2:-50}
flush=${3:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run" "$work/copy"
cp "$builder" "$work/run/scenario_builder"

outputs=(BORVALE_linea.dat BORVALE_40617.sim BORVALE_40617.dat BORVALE_40617_scheda_treno.txt
         BORVALE_40617_rallentamenti.txt BORVALE_40617_note.txt)

now() { date +%s%N; }

# One run first, so that both sides start from warm caches and existing files.
(cd "$work/run" && ./scenario_builder >/dev/null)
(cd "$work/run" && cp "${outputs[@]}" "$work/copy/")

: >"$work/builder.ns"
: >"$work/copy.ns"
for ((i = 0; i < rounds; i++)); do
  t0=$(now)
  (cd "$work/run" && ./scenario_builder >/dev/null)
  t1=$(now)
  (cd "$work/run" && cp "${outputs[@]}" "$work/copy/")
  if [ "$flush" = sync ]; then (cd "$work/copy" && sync "${outputs[@]}"); fi
  t2=$(now)
  echo $((t1 - t0)) >>"$work/builder.ns"
  echo $((t2 - t1)) >>"$work/copy.ns"
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bytes=$(cd "$work/run" && cat "${outputs[@]}" | wc -c)
b=$(median "$work/builder.ns")
c=$(median "$work/copy.ns")
awk -v b="$b" -v c="$c" -v n="$rounds" -v bytes="$bytes" -v flush="$flush" 'BEGIN {
  printf "rounds:                   %d\n", n
  printf "bytes written per run:    %d\n", bytes
  printf "builder run (median):     %.2f ms\n", b / 1e6
  printf "copy of its six files:    %.2f ms%s\n", c / 1e6, flush == "sync" ? " (and sync)" : ""
  printf "ratio builder / copy:     %.2f\n", b / c
}'
