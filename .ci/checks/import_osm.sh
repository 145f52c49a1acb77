#!/usr/bin/env bash
# The import of a real line from the whole country's .osm.pbf (shared/osm,
# beside the source tree): Schaan-Vaduz to Tisis writes two texts that check
# clean, with the compiled plan within 2 m of the track, and the same texts
# as the import from the railway cut kept in the tree. Skipped where the
# shared data is not there.
. "$(dirname "$0")/../lib/common.sh"

pbf=../shared/osm/liechtenstein-2013-08-03.osm.pbf
if [ ! -f "$pbf" ]; then
  echo "skip $check_name: $pbf is not there"
  exit 0
fi
tool=$build/bin/scenario_tool
work=$(mktemp -d /tmp/import_osm.XXXXXX)
trap 'rm -rf "$work"' EXIT

"$tool" import osm "$pbf" --from Schaan-Vaduz --to Tisis --out "$work/pbf" >"$work/pbf.out" ||
  fail_now "the import from $pbf failed"
"$tool" import osm osm_import/testdata/liechtenstein_railway.osm --from Schaan-Vaduz --to Tisis \
  --out "$work/cut" >"$work/cut.out" || fail_now "the import from the cut failed"
for f in SCHAAN-VADUZ_linea.txt SCHAAN-VADUZ_1-.txt; do
  cmp -s "$work/pbf/$f" "$work/cut/$f" || fail "$f differs between the country's .pbf and the cut"
done
departure=$(sed -n 's/.*the compiled plan departs from the track by \([0-9.]*\) m at most.*/\1/p' "$work/pbf.out")
awk -v d="$departure" 'BEGIN { exit !(d != "" && d <= 2.0) }' || fail "the plan departs by '$departure' m"
"$tool" check --line "$work/pbf/SCHAAN-VADUZ_linea.txt" --service "$work/pbf/SCHAAN-VADUZ_1-.txt" >/dev/null 2>&1 ||
  fail "check finds fault with the imported texts"
finish "the country's .pbf imports Schaan-Vaduz to Tisis clean, plan within $departure m"
