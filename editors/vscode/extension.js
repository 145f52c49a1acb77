// The client: starts `scenario_tool lsp` for the line and service
// description texts and hands them to it. The command "Open the live page"
// asks the server to serve the page of the pair being edited (the server
// then has the editor open its address), and the cursor's line goes to the
// server, whose page highlights that row's items.
'use strict';

const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

// Whether the document is one of the two description texts.
function isScenarioText(document) {
  return document.uri.scheme === 'file' &&
    (document.languageId === 'scenario-line' || document.languageId === 'scenario-service');
}

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
  context.subscriptions.push(vscode.commands.registerCommand('scenarioTexts.openLivePage', function () {
    const editor = vscode.window.activeTextEditor;
    if (!editor || !isScenarioText(editor.document)) return undefined;
    return client.sendRequest('workspace/executeCommand', {
      command: 'scenario.openLivePage', arguments: [editor.document.uri.toString()],
    }).catch(function (e) { vscode.window.showErrorMessage(String(e.message || e)); });
  }));
  context.subscriptions.push(vscode.window.onDidChangeTextEditorSelection(function (e) {
    if (!client.isRunning() || !isScenarioText(e.textEditor.document)) return;
    const at = e.selections[0].active;
    client.sendNotification('scenario/cursor', {
      textDocument: { uri: e.textEditor.document.uri.toString() },
      position: { line: at.line, character: at.character },
    });
  }));
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
