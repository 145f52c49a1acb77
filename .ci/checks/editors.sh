#!/usr/bin/env bash
# The editor packages: the VS Code extension's npm packages installed as the
# lock file pins them, its grammar's tests (test/*.txt, scope assertions run
# by vscode-tmgrammar-test), the .vsix packed by the registry's own tool with
# the language client inside; and, where Neovim is installed, the filetypes
# of editors/nvim/scenario_texts.lua. Needs node and npm (the nodejs package)
# and the npm registry; takes well under a minute once the packages are cached.
. "$(dirname "$0")/../lib/common.sh"

command -v npm >/dev/null || fail_now "npm not found: install node 20 or later with npm (scripts/packages.txt)"
ext=editors/vscode

(cd "$ext" && npm ci --no-audit --no-fund --loglevel=error) || fail_now "npm ci in $ext failed"
(cd "$ext" && npm test) || fail "the grammar tests failed"

rm -f "$ext/scenario-texts.vsix"
(cd "$ext" && npm run --silent package >/dev/null) || fail_now "vsce could not package the extension"
contents=$(unzip -l "$ext/scenario-texts.vsix")
for f in extension/package.json extension/extension.js extension/language-configuration.json \
    extension/syntaxes/scenario-line.tmLanguage.json extension/syntaxes/scenario-service.tmLanguage.json \
    extension/node_modules/vscode-languageclient/node.js; do
  grep -qF "$f" <<<"$contents" || fail "the .vsix lacks $f"
done
if grep -qF "extension/test/" <<<"$contents"; then fail "the .vsix carries the grammar tests"; fi

if command -v nvim >/dev/null; then
  work=$(mktemp -d /tmp/editors.XXXXXX)
  trap 'rm -rf "$work"' EXIT
  for pair in X_linea.txt:scenario_line X_12-.txt:scenario_service notes.txt:text; do
    file=${pair%%:*} want=${pair#*:}
    printf '[generale]\n' >"$work/$file"
    got=$(timeout 30 nvim --headless --clean -c "let g:scenario_tool = '/bin/false'" \
      -c "luafile editors/nvim/scenario_texts.lua" -c "edit $work/$file" \
      -c 'lua io.stdout:write(vim.bo.filetype)' -c 'qa!' 2>/dev/null | tail -c 40)
    [ "$got" = "$want" ] || fail "Neovim: $file has filetype '$got', expected '$want'"
  done
else
  echo "skip the Neovim filetypes: nvim is not installed"
fi

finish "grammar tests pass; $ext/scenario-texts.vsix packaged ($(du -k "$ext/scenario-texts.vsix" | cut -f1) KiB)"
