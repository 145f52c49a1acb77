// The language server: the protocol's messages in, answers and published
// diagnostics out. It writes no file; it reads only the partner text of an
// open document.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/document_store.h"
#include "lsp/live_page.h"
#include "lsp/message_framing.h"
#include "lsp/pair_analysis.h"

namespace sb {

// A text laid out again, or none when it cannot be: the hook the formatter
// is wired to. Takes and gives UTF-8.
using formattatore = std::function<std::optional<std::string>(std::string_view testo, genere_testo g)>;

// What the server is started with.
struct opzioni_server {
  lettore_file leggi = nullptr;  // reads a partner text; null: the file layer
  formattatore formatta;          // empty: no formatting offered
  size_t massimo = kMessaggioMassimo;  // a longer message is refused
  size_t massimo_documento = kMassimoByteLettura;  // a longer document is not checked
  std::string versione;  // the version told in serverInfo; empty: none told
  gancio_pagina_viva pagina_viva;      // empty: no live page offered
};

// The server's state between messages.
struct stato_server {
  opzioni_server opzioni;
  documenti_aperti documenti;
  std::map<std::string, std::shared_ptr<const analisi_coppia>, std::less<>> analisi;  // by open URI
  bool inizializzato = false;
  bool chiusura = false;  // shutdown was asked: only exit is answered
  std::optional<int> uscita;  // set by exit: the status to end with
  int64_t prossima_richiesta = 1;  // the id of our next request to the editor
};

// Handles one message body and returns the messages to send, in order.
std::vector<std::string> gestisci_messaggio(stato_server& s, std::string_view corpo);

// Serves the protocol over the streams until exit or the end of input;
// returns the exit status (0 after shutdown and exit, or when the client
// closes its end; 1 for exit without shutdown).
int esegui_server(std::istream& in, std::ostream& out, opzioni_server o);

}  // namespace sb
