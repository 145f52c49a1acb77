-- The language server's client for .ci/checks/lsp.sh: Neovim's own LSP
-- client, driven step by step. Each step prints "ok ..." or ends Neovim
-- with status 1 and what went wrong.
local tool, dir = os.getenv("SB_TOOL"), os.getenv("SB_DIR")
local file = dir .. "/BORVALE_40617-.txt"

local function say(s) io.stdout:write(s .. "\n") end
local function fail(s)
  io.stdout:write("FAIL " .. s .. "\n")
  vim.cmd("cquit 1")
end

local function main()
  -- Every publication received, by URI.
  local published = {}
  local on_publish = vim.lsp.handlers["textDocument/publishDiagnostics"]
  vim.lsp.handlers["textDocument/publishDiagnostics"] = function(err, result, ctx, config)
    published[result.uri] = result.diagnostics
    published.count = (published.count or 0) + 1
    return on_publish(err, result, ctx, config)
  end

  vim.cmd("edit " .. file)
  local buf = vim.api.nvim_get_current_buf()
  local client = vim.lsp.start_client({ name = "scenario_tool", cmd = { tool, "lsp" }, root_dir = dir })
  if not client then fail("the server did not start") end
  vim.lsp.buf_attach_client(buf, client)
  local uri = vim.uri_from_bufnr(buf)

  -- Waits until the server has published for the file something that passes.
  local function wait_for(what, test)
    if not vim.wait(15000, function() return published[uri] ~= nil and test(published[uri]) end, 20) then
      fail("no " .. what .. " (last: " .. vim.inspect(published[uri]) .. ")")
    end
  end

  wait_for("clean first check", function(d) return #d == 0 end)
  say("ok   the exported run checks clean")

  -- The nth line holding a row's keyword (0-based).
  local function row_of(keyword, nth)
    for i, line in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
      if line:find("^" .. keyword .. ",") then
        nth = nth - 1
        if nth == 0 then return i - 1, line end
      end
    end
    fail("no " .. keyword .. " row")
  end

  -- A typo in the second speed row: "velocita" becomes "velcita".
  local typo_line = row_of("velocita", 2)
  vim.api.nvim_buf_set_text(buf, typo_line, 3, typo_line, 4, { "" })
  wait_for("warning about the typo", function(d) return #d == 1 end)
  local d = published[uri][1]
  if d.range.start.line ~= typo_line or d.range.start.character ~= 0 or d.range["end"].character ~= 7 then
    fail("the warning stands at " .. vim.inspect(d.range))
  end
  if d.severity ~= 2 or d.code ~= "unknown-keyword" or not d.message:find("did you mean 'velocita'", 1, true) then
    fail("the warning is " .. vim.inspect(d))
  end
  say("ok   warning at line " .. (typo_line + 1) .. ", column 1: " .. d.message)

  -- Hover on the type of the first station.
  local station_line, text = row_of("stazione", 2)
  local second_comma = (text:find(",", (text:find(",")) + 1))
  local type_at = (text:find("%d", second_comma)) - 1
  local hover = vim.lsp.buf_request_sync(buf, "textDocument/hover",
    { textDocument = { uri = uri }, position = { line = station_line, character = type_at } }, 5000)
  local value = hover and hover[client] and hover[client].result and hover[client].result.contents.value or ""
  if not value:find("`tipo`", 1, true) or not value:find("line km", 1, true) then
    fail("the hover says " .. vim.inspect(value))
  end
  say("ok   hover on a station's type: " .. value:gsub("\n+", " | "))

  -- The did-you-mean fix, applied as the editor applies it.
  local actions = vim.lsp.buf_request_sync(buf, "textDocument/codeAction", {
    textDocument = { uri = uri },
    range = d.range,
    context = { diagnostics = { d } },
  }, 5000)
  local action = actions and actions[client] and actions[client].result and actions[client].result[1]
  if not action or action.title ~= "Change to 'velocita'" then fail("the fixes are " .. vim.inspect(actions)) end
  vim.lsp.util.apply_workspace_edit(action.edit, "utf-16")
  wait_for("clean check after the fix", function(x) return #x == 0 end)
  say("ok   applied: " .. action.title)

  -- Formatting: the blanks of the fixed row squeezed out, then the
  -- formatter's edit applied as the editor applies it; the text stays clean.
  local squeezed = vim.api.nvim_buf_get_lines(buf, typo_line, typo_line + 1, false)[1]:gsub(" ", "")
  vim.api.nvim_buf_set_lines(buf, typo_line, typo_line + 1, false, { squeezed })
  wait_for("clean check of the squeezed row", function(x) return #x == 0 end)
  local formatted = vim.lsp.buf_request_sync(buf, "textDocument/formatting",
    { textDocument = { uri = uri }, options = { tabSize = 4, insertSpaces = true } }, 5000)
  local edits = formatted and formatted[client] and formatted[client].result
  if edits == nil or #edits ~= 1 then fail("the formatting edits are " .. vim.inspect(formatted)) end
  vim.lsp.util.apply_text_edits(edits, buf, "utf-16")
  wait_for("clean check after formatting", function(x) return #x == 0 end)
  say("ok   formatted: " .. #edits .. " edit(s)")

  vim.cmd("silent write")
  vim.lsp.stop_client(client)
  vim.wait(5000, function() return vim.lsp.get_client_by_id(client) == nil end, 20)
end

local ok, err = pcall(main)
if not ok then fail(tostring(err)) end
vim.cmd("qall!")
