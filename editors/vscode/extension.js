// The client: starts `scenario_tool lsp` for the line and service
// description texts and hands them to it.
'use strict';

const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

function activate(context) {
  const tool = vscode.workspace.getConfiguration('scenarioTexts').get('toolPath', 'scenario_tool');
  const server = { command: tool, args: ['lsp'], transport: TransportKind.stdio };
  const options = {
    documentSelector: [
      { scheme: 'file', language: 'scenario-line' },
      { scheme: 'file', language: 'scenario-service' },
    ],
  };
  client = new LanguageClient('scenarioTexts', 'Scenario description texts', server, options);
  context.subscriptions.push(client);
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
