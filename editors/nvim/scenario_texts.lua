-- The line and service description texts in Neovim (0.7 or later): the
-- filetypes by file name, and scenario_tool's language server for both.
-- :ScenarioLivePage opens the live page of the pair being edited in the
-- browser; the page then highlights the items of the row under the cursor.
-- Load it from init.lua:  dofile('/path/to/editors/nvim/scenario_texts.lua')
-- Set vim.g.scenario_tool first when scenario_tool is not on PATH.

-- Set after the general detection, which takes any *.txt for text.
for pattern, filetype in pairs({ ['*_linea.txt'] = 'scenario_line', ['*-.txt'] = 'scenario_service' }) do
  vim.api.nvim_create_autocmd({ 'BufRead', 'BufNewFile' }, {
    pattern = pattern,
    callback = function() vim.bo.filetype = filetype end,
  })
end

-- The server asks to open the live page's address: in the desktop's
-- browser, the address shown too.
local function show_document(_, result)
  vim.notify('live page: ' .. result.uri)
  if result.external and vim.fn.executable('xdg-open') == 1 then
    vim.fn.jobstart({ 'xdg-open', result.uri }, { detach = true })
  end
  return { success = true }
end

-- The scenario_tool server of the buffer, if one is attached.
local function server_of(bufnr)
  for _, client in pairs(vim.lsp.buf_get_clients(bufnr)) do
    if client.name == 'scenario_tool' then return client end
  end
  return nil
end

-- The buffer's own commands and the cursor passed on to the server.
local function set_up_live_page(bufnr)
  vim.api.nvim_buf_create_user_command(bufnr, 'ScenarioLivePage', function()
    local client = server_of(bufnr)
    if not client then return vim.notify('scenario_tool is not attached', vim.log.levels.WARN) end
    client.request('workspace/executeCommand',
      { command = 'scenario.openLivePage', arguments = { vim.uri_from_bufnr(bufnr) } },
      function(err) if err then vim.notify(err.message, vim.log.levels.ERROR) end end, bufnr)
  end, { desc = 'Open the live page of the pair being edited' })
  vim.api.nvim_create_autocmd('CursorMoved', {
    buffer = bufnr,
    callback = function()
      local client = server_of(bufnr)
      if not client then return end
      local at = vim.api.nvim_win_get_cursor(0)
      client.notify('scenario/cursor', {
        textDocument = { uri = vim.uri_from_bufnr(bufnr) },
        position = { line = at[1] - 1, character = at[2] },
      })
    end,
  })
end

vim.api.nvim_create_autocmd('FileType', {
  pattern = { 'scenario_line', 'scenario_service' },
  callback = function(args)
    set_up_live_page(args.buf)
    local config = {
      name = 'scenario_tool',
      cmd = { vim.g.scenario_tool or 'scenario_tool', 'lsp' },
      root_dir = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(args.buf), ':p:h'),
      handlers = { ['window/showDocument'] = show_document },
    }
    if vim.lsp.start then -- 0.8 and later: one server per folder, reused
      vim.lsp.start(config, { bufnr = args.buf })
      return
    end
    vim.g.scenario_tool_clients = vim.g.scenario_tool_clients or {}
    local clients = vim.g.scenario_tool_clients
    local id = clients[config.root_dir]
    if not id or not vim.lsp.get_client_by_id(id) then
      id = vim.lsp.start_client(config)
      clients[config.root_dir] = id
      vim.g.scenario_tool_clients = clients
    end
    if id then vim.lsp.buf_attach_client(args.buf, id) end
  end,
})
