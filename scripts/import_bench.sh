#!/usr/bin/env bash
# Measures the import of a whole country against osmium-tool cutting the
# railway out of the same file, side by side in one run:
#
#   scenario_tool import osm FILE --from A --to B --out DIR
#   osmium tags-filter FILE nwr/railway -o OUT.osm
#
# Each pair times one import and then one cut; the figure is the median over
# all pairs of the ratio inside each pair. Both include starting their
# processes. The import's peak resident memory is taken from GNU time.
#
#   scripts/import_bench.sh [BUILD_DIR] [PAIRS] [FILE] [FROM] [TO]
#
# Defaults: build, 20 pairs, the Liechtenstein extract of shared/osm, from
# Schaan-Vaduz to Tisis.
set -euo pipefail

build=$(realpath "${1:-build}")
pairs=${2:-20}
here=$(dirname "$(realpath "$0")")
file=$(realpath "${3:-$here/../../shared/osm/liechtenstein-2013-08-03.osm.pbf}")
from=${4:-Schaan-Vaduz}
to=${5:-Tisis}
tool=$build/bin/scenario_tool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { echo "${EPOCHREALTIME/./}"; }
median() {
  sort -g "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for ((i = 0; i < pairs; i++)); do
  rm -rf "$work/out" "$work/cut.osm"
  t0=$(now)
  "$tool" import osm "$file" --from "$from" --to "$to" --out "$work/out" >/dev/null
  t1=$(now)
  osmium tags-filter "$file" nwr/railway -o "$work/cut.osm" >/dev/null 2>&1
  t2=$(now)
  echo $((t1 - t0)) >>"$work/import"
  echo $((t2 - t1)) >>"$work/osmium"
  awk -v a=$((t1 - t0)) -v b=$((t2 - t1)) 'BEGIN { printf "%.4f\n", a / b }' >>"$work/ratio"
done
rm -rf "$work/out"
/usr/bin/time -f '%M' -o "$work/rss" "$tool" import osm "$file" --from "$from" --to "$to" --out "$work/out" >/dev/null
printf 'import osm:     median %.3f s\n' "$(awk -v v="$(median "$work/import")" 'BEGIN { print v / 1e6 }')"
printf 'osmium cut:     median %.3f s\n' "$(awk -v v="$(median "$work/osmium")" 'BEGIN { print v / 1e6 }')"
printf 'ratio (pairs):  median %s (goal 1.5)\n' "$(median "$work/ratio")"
printf 'import peak:    %s kB resident (goal 64 MB)\n' "$(cat "$work/rss")"
