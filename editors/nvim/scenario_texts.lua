-- The line and service description texts in Neovim (0.7 or later): the
-- filetypes by file name, and scenario_tool's language server for both.
-- Load it from init.lua:  dofile('/path/to/editors/nvim/scenario_texts.lua')
-- Set vim.g.scenario_tool first when scenario_tool is not on PATH.

-- Set after the general detection, which takes any *.txt for text.
for pattern, filetype in pairs({ ['*_linea.txt'] = 'scenario_line', ['*-.txt'] = 'scenario_service' }) do
  vim.api.nvim_create_autocmd({ 'BufRead', 'BufNewFile' }, {
    pattern = pattern,
    callback = function() vim.bo.filetype = filetype end,
  })
end

vim.api.nvim_create_autocmd('FileType', {
  pattern = { 'scenario_line', 'scenario_service' },
  callback = function(args)
    local config = {
      name = 'scenario_tool',
      cmd = { vim.g.scenario_tool or 'scenario_tool', 'lsp' },
      root_dir = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(args.buf), ':p:h'),
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
