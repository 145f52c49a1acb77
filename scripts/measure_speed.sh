#!/usr/bin/env bash
# Measures the two speed goals and the memory goal against the physical
# limit, on this machine, in one run:
#
#   1. the whole scenario_builder run against copying its six output files
#      with cp and flushing the copies with sync FILE...;
#   2. the largest line the format takes through scenario_tool compile
#      against copying its three output files and flushing them the same way;
#   3. the peak resident memory of that compile (GNU time), against its plan
#      file.
#
# Each pair times one run of the program and then one copy-and-flush of its
# outputs; the figure is the median over all pairs of the ratio inside each
# pair, so that a machine whose speed drifts during the run still compares
# like with like. Both sides include starting their processes.
#
#   scripts/measure_speed.sh [BUILD_DIR] [PAIRS]
#
# BUILD_DIR defaults to build (it must hold bin/scenario_builder and
# bin/scenario_tool), PAIRS to 50. TMPDIR picks the file system the scratch
# directories live on.
set -euo pipefail

build=$(realpath "${1:-build}")
pairs=${2:-50}
here=$(dirname "$(realpath "$0")")

# The builder talks through the console: no window is timed.
unset DISPLAY
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Microseconds since the epoch, without starting a process.
now() { echo "${EPOCHREALTIME/./}"; }

# Median of the numbers in a file, one a line.
median() {
  sort -g "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# pair NAME PROGRAM_DIR COPY_DIR FILES... -- PROGRAM...: runs PAIRS pairs of
# (the program in PROGRAM_DIR, then cp of FILES from PROGRAM_DIR to COPY_DIR
# and sync of the copies) and prints the medians and the median ratio.
pair() {
  local name=$1 from=$2 to=$3
  shift 3
  local files=()
  while [ "$1" != "--" ]; do files+=("$1"); shift; done
  shift
  local copies=() f
  for f in "${files[@]}"; do copies+=("$to/$(basename "$f")"); done
  : >"$work/$name.program"
  : >"$work/$name.copy"
  : >"$work/$name.ratio"
  for ((i = 0; i < pairs; i++)); do
    local t0 t1 t2
    t0=$(now)
    (cd "$from" && "$@" >/dev/null 2>&1) || true
    t1=$(now)
    (cd "$from" && cp "${files[@]}" "$to/" && sync "${copies[@]}")
    t2=$(now)
    echo $((t1 - t0)) >>"$work/$name.program"
    echo $((t2 - t1)) >>"$work/$name.copy"
    echo "$((t1 - t0)) $((t2 - t1))" | awk '{ printf "%.6f\n", $1 / $2 }' >>"$work/$name.ratio"
  done
  local bytes
  bytes=$(cd "$from" && cat "${files[@]}" | wc -c)
  awk -v p="$(median "$work/$name.program")" -v c="$(median "$work/$name.copy")" \
      -v r="$(median "$work/$name.ratio")" -v n="$pairs" -v b="$bytes" -v f="${#files[@]}" -v name="$name" 'BEGIN {
    printf "%s: %d pairs, %d files, %d bytes\n", name, n, f, b
    printf "  program run (median):            %8.2f ms\n", p / 1000
    printf "  cp + sync of its files (median): %8.2f ms\n", c / 1000
    printf "  median of the pair ratios:       %8.2f\n", r
  }'
}

# --- 1. The builder, in a directory of its own.
mkdir "$work/builder" "$work/builder-copy"
cp "$build/bin/scenario_builder" "$work/builder/"
outputs=(BORVALE_linea.dat BORVALE_40617.sim BORVALE_40617.dat BORVALE_40617_scheda_treno.txt
         BORVALE_40617_rallentamenti.txt BORVALE_40617_note.txt)
# One run and one copy first: both sides then replace existing files.
(cd "$work/builder" && ./scenario_builder >/dev/null)
(cd "$work/builder" && cp "${outputs[@]}" "$work/builder-copy/")
pair builder "$work/builder" "$work/builder-copy" "${outputs[@]}" -- ./scenario_builder

# --- 2. The largest line (1 000 000 m, 3999 curves, 10 001 gradient rows, 80
# montagna spans, 81 indicators, 81 signs: test_support/largest_line_fixture.h) with
# a service that holds no row, through scenario_tool compile.
mkdir "$work/largest" "$work/largest-copy"
awk -f "$here/largest_line.awk" >"$work/largest/LARGEST_linea.txt"
printf '[generale]\r\n[fine]\r\n' >"$work/largest/EMPTY_40617-.txt"
tool=("$build/bin/scenario_tool" compile --line LARGEST_linea.txt --service EMPTY_40617-.txt --out out)
largest=(out/LARGEST_linea.dat out/LARGEST_40617.sim out/LARGEST_40617.dat)
mkdir "$work/largest-copy/out"
(cd "$work/largest" && "${tool[@]}" >/dev/null 2>&1) || true
(cd "$work/largest" && cp "${largest[@]}" "$work/largest-copy/out/")
pair largest_line "$work/largest" "$work/largest-copy/out" "${largest[@]}" -- "${tool[@]}"

# --- 3. Peak resident memory of the same compile.
if [ -x /usr/bin/time ]; then
  (cd "$work/largest" && /usr/bin/time -v "${tool[@]}" >/dev/null 2>"$work/time") || true
  plan=$(stat -c %s "$work/largest/out/LARGEST_linea.dat")
  awk -v plan="$plan" '/Maximum resident set size/ { kb = $NF } END {
    printf "largest_line peak resident memory: %.1f MB (plan file %.1f MB; bound 1.25 x plan + 8 MiB = %.1f MB)\n",
      kb * 1024 / 1e6, plan / 1e6, (1.25 * plan + 8 * 1048576) / 1e6
  }' "$work/time"
else
  echo "largest_line peak resident memory: /usr/bin/time (GNU time) is not installed"
fi
