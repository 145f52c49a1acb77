#!/usr/bin/env bash
# The language server with a real client: Neovim, headless, starts
# `scenario_tool lsp` on the exported BORVALE texts, types a typo into a
# `velocita` row and receives its warning at that line and column, hovers a
# station's field, applies the did-you-mean fix, formats, saves, and the text compiles
# to the built-in bytes again. The client's script is lsp/neovim_client.lua.
# A few seconds.
. "$(dirname "$0")/../lib/common.sh"
. .ci/lib/programs.sh

bash scripts/install_deps.sh neovim

work=$(mktemp -d /tmp/lsp_check.XXXXXX)
trap 'rm -rf "$work"' EXIT

"$tool" export --out "$work" >/dev/null
status=0
SB_TOOL="$tool" SB_DIR="$work" timeout 60 nvim --headless -u NONE -i NONE -n \
  -c "luafile .ci/checks/lsp/neovim_client.lua" >"$work/nvim.log" 2>&1 || status=$?
cat "$work/nvim.log"
[ "$status" -eq 0 ] || fail "the Neovim client ended with status $status"

"$tool" compile --line "$work/BORVALE_linea.txt" --service "$work/BORVALE_40617-.txt" --out "$work/out" \
  >/dev/null 2>&1 || fail "the edited texts do not compile"
for f in BORVALE_linea.dat BORVALE_40617.sim BORVALE_40617.dat; do
  cmp -s "$work/out/$f" "compile/testdata/$f" || fail "$f differs from the built-in bytes"
done
finish "Neovim got the diagnostic, the hover, the fix and the formatting; the text compiles to the built-in bytes"
