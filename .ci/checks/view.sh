#!/usr/bin/env bash
# The interactive page and the plan picture in a real browser. Headless
# Chromium opens the page of the builder's scenario (from its texts and from
# its binary files), of the two-station example in docs/examples and of the
# largest line; each page checks itself when its address ends with #selftest
# (every station drawn, no two labels overlapping at three zooms, hover and
# search working, no script error) and writes its verdict into the DOM, which
# Chromium dumps. Console messages and network use are failures too.
# Screenshots of the pages and of the SVG picture land in build/view/.
# Run from the repository root after build/ has been built.
. "$(dirname "$0")/../lib/common.sh"

bash scripts/install_deps.sh chromium fonts-dejavu-core >/dev/null

cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target scenario_tool sb_tools_tests >/dev/null
tool=$build/bin/scenario_tool
out=$(realpath "$build")/view
rm -rf "$out"
mkdir -p "$out"

# Chromium as root, headless, with a fresh profile and no way out to the
# network: every host name resolves to nothing.
browser() {
  local profile
  profile=$(mktemp -d "$out/profile.XXXXXX")
  timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --host-resolver-rules="MAP * ~NOTFOUND" --hide-scrollbars --window-size=1400,1000 \
    --user-data-dir="$profile" --enable-logging=stderr --v=0 "$@"
  local status=$?
  rm -rf "$profile"
  return $status
}

# Opens NAME.html with its self-check and reads the verdict.
check_page() {
  local name=$1
  browser --dump-dom "file://$out/$name.html#selftest" >"$out/$name.dom" 2>"$out/$name.log" ||
    fail_now "$name: chromium failed (see $out/$name.log)"
  local verdict
  verdict=$(grep -o '<div id="selftest"[^>]*>[^<]*' "$out/$name.dom" | sed 's/<[^>]*>//') || true
  echo "$name: $verdict"
  grep -q 'data-result="PASS"' "$out/$name.dom" || fail_now "$name: the page's own check did not pass"
  if grep -E 'Uncaught|:CONSOLE[:(]' "$out/$name.log"; then fail_now "$name: console messages"; fi
}

# A screenshot of the page at the address's fragment.
shot() {
  browser --screenshot="$out/$2.png" "file://$out/$1.html$3" >/dev/null 2>&1 || fail_now "screenshot $2"
}

# The builder's scenario, from its texts and from its binary files.
"$tool" export --out "$out/texts" >/dev/null
"$tool" compile --line "$out/texts/BORVALE_linea.txt" --service "$out/texts/BORVALE_40617-.txt" \
  --out "$out/bin" >/dev/null
"$tool" view --line "$out/texts/BORVALE_linea.txt" --service "$out/texts/BORVALE_40617-.txt" \
  --html "$out/borvale.html"
"$tool" view --plan "$out/bin/BORVALE_linea.dat" --sim "$out/bin/BORVALE_40617.sim" \
  --cells "$out/bin/BORVALE_40617.dat" --html "$out/borvale_bin.html"
# Two stations of our own.
"$tool" view --line docs/examples/VALDORA_linea.txt --service docs/examples/VALDORA_2201-.txt \
  --line-name VALDORA --train 2201 --html "$out/valdora.html"
# 72 stations, and the largest line, 1 000 000 m (no service: its page lists
# code 25), as the tool's tests write them.
SB_VIEW_PAGES="$out" "$build/bin/sb_tools_tests" \
  --gtest_filter='Vista.SeventyTwoStations:Vista.LargestLinePageStaysSmall' >/dev/null || fail_now "test pages"

# A line whose kilometres start at 12+000 (the example's with its first
# chainage row changed), clean and with a signal put on the speed indicator's
# cell at 600 m (error 16 there; compile's status 1).
sed 's/^progressiva chilometrica uno,.*/progressiva chilometrica uno,  0,  12000,  0/' \
  docs/examples/VALDORA_linea.txt >"$out/km12_linea.txt"
sed 's/^segnale,  4800,/segnale,  600,/' docs/examples/VALDORA_2201-.txt >"$out/km12_fault-.txt"
"$tool" view --line "$out/km12_linea.txt" --service docs/examples/VALDORA_2201-.txt \
  --line-name KM12 --train 2201 --html "$out/km12.html"
status=0
"$tool" view --line "$out/km12_linea.txt" --service "$out/km12_fault-.txt" \
  --line-name KM12 --train 2201 --html "$out/km12_fault.html" 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail_now "km12_fault: view gave status $status, not compile's 1"

for page in borvale borvale_bin valdora stations72 largest km12 km12_fault; do check_page "$page"; done

# The axis of the 12+000 line as the page left it, the whole line in view:
# the posts' spelling from 12+000 on, the route's end at 18.000 on the sheet.
axis=$(grep -o '<text class="lbl axis km-label"[^>]*>[^<]*' "$out/km12.dom" | sed 's/.*>//' | tr '\n' ' ')
echo "km12 axis: $axis"
case "$axis" in
  "12+000 13+000 "*) ;;
  *) fail "km12: the axis does not read 12+000, 13+000, ...: $axis" ;;
esac
grep 'class="route-end".*fine percorso km 18.000' "$out/km12.dom" >/dev/null || fail "km12: no route end mark at km 18.000"
grep 'class="route-end-line"' "$out/km12.dom" >/dev/null || fail "km12: no route end line"
grep 'class="fault"><title>[^<]*error 16' "$out/km12_fault.dom" >/dev/null || fail "km12_fault: error 16 not marked"
grep 'class="fault"' "$out/km12.dom" >/dev/null && fail "km12: a clean compile marked an error"
grep -q '"Borgo Vallestre"' "$out/borvale_bin.html" || fail_now "the page from the binary files lacks a station"

# A malformed escape in the address is taken as written: the page starts,
# with no script error, and draws its map.
browser --dump-dom "file://$out/borvale.html#find=%ZZ" >"$out/bad_find.dom" 2>"$out/bad_find.log" ||
  fail_now "bad #find=: chromium failed (see $out/bad_find.log)"
if grep -E 'Uncaught|:CONSOLE[:(]' "$out/bad_find.log"; then fail_now "bad #find=: console messages"; fi
grep 'class="st-map"' "$out/bad_find.dom" >/dev/null || fail_now "bad #find=: no map drawn"

shot borvale view_borvale ""
shot borvale view_borvale_station "#find=Mulinara"
shot valdora view_valdora ""
shot stations72 view_stations72 ""
shot km12 view_km12 ""
shot km12_fault view_km12_fault ""

# The SVG picture, as a PNG of its own size.
"$tool" plan --plan "$out/bin/BORVALE_linea.dat" --sim "$out/bin/BORVALE_40617.sim" \
  --cells "$out/bin/BORVALE_40617.dat" --svg "$out/plan_borvale.svg"
size=$(grep -o '<svg [^>]*' "$out/plan_borvale.svg" | sed -E 's/.*width="([0-9.]+)" height="([0-9.]+)".*/\1,\2/')
browser --screenshot="$out/plan_borvale.png" --window-size="${size%%.*},$(printf '%.0f' "${size#*,}")" \
  "file://$out/plan_borvale.svg" >/dev/null 2>&1 || fail_now "SVG screenshot"

# The picture of the 12+000 line from its descriptions with the error: the
# axis in the line's kilometres, every item titled, the end and the error
# marked (status 1, as compile gives).
status=0
"$tool" plan --line "$out/km12_linea.txt" --service "$out/km12_fault-.txt" --line-name KM12 --train 2201 \
  --svg "$out/plan_km12_fault.svg" 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail_now "plan_km12_fault: plan gave status $status, not compile's 1"
for want in '>12+000</text>' '<title>fine percorso km 18.000, route 6 000 m</title>' \
  '<g class="fault"><title>[^<]*error 16' '<title>stazione Cerreto Alto at km 17.500, route 5 500 m</title>'; do
  grep "$want" "$out/plan_km12_fault.svg" >/dev/null || fail "plan_km12_fault: no $want"
done
size=$(grep -o '<svg [^>]*' "$out/plan_km12_fault.svg" | sed -E 's/.*width="([0-9.]+)" height="([0-9.]+)".*/\1,\2/')
browser --screenshot="$out/plan_km12_fault.png" --window-size="${size%%.*},$(printf '%.0f' "${size#*,}")" \
  "file://$out/plan_km12_fault.svg" >/dev/null 2>&1 || fail_now "SVG screenshot"

[ "$failures" -eq 0 ] || fail_now "the kilometre axis"
echo "view check passed; screenshots in $out"
