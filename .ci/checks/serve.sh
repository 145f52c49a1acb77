#!/usr/bin/env bash
# The live page of `scenario_tool serve` in a real browser: headless Chromium
# driven by puppeteer-core (installed here from npm, pinned) opens the page
# of the exported BORVALE texts, and edits saved on disk (a station moved, a
# speed limit changed, an error brought in and taken out) must reach it
# without a reload, keeping its zoom and its pick. A foreign Host or a
# missing token gets nothing; the server listens on loopback only and writes
# nothing. The script is serve/live_page.js; with --bench it also measures
# the latency from a save to the page drawn again (docs/performance.md).
# A screenshot lands in build/serve/serve_live.png.
. "$(dirname "$0")/../lib/common.sh"
. .ci/lib/programs.sh

bash scripts/install_deps.sh chromium fonts-dejavu-core nodejs iproute2 >/dev/null
command -v npm >/dev/null || fail_now "npm not found: install node 20 or later with npm"

out=$(realpath "$build")/serve
modules=$(realpath "$build")/serve_check
mkdir -p "$out" "$modules"
if [ ! -d "$modules/node_modules/puppeteer-core" ]; then
  (cd "$modules" && npm install --no-audit --no-fund --loglevel=error --no-save puppeteer-core@24.43.1 >/dev/null) ||
    fail_now "npm could not install puppeteer-core"
fi

work=$(mktemp -d /tmp/serve_check.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$tool" export --out "$work" >/dev/null

SB_TOOL="$tool" SB_DIR="$work" SB_OUT="$out" CHROMIUM=$(command -v chromium) NODE_PATH="$modules/node_modules" \
  timeout 300 node .ci/checks/serve/live_page.js "$@" || fail "the live page"
finish "the live page follows the saves, keeps its zoom, serves nothing else and only on loopback"
