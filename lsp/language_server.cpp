#include "lsp/language_server.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "lsp/editor_features.h"
#include "lsp/message_framing.h"
#include "lsp/protocol_json.h"

namespace sb {
namespace {

using json = nlohmann::json;

constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestFailed = -32803;

std::string risposta(const json& id, json risultato) {
  return json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}}.dump(-1, ' ', false,
                                                                                     json::error_handler_t::replace);
}

std::string errore(const json& id, int codice, std::string_view messaggio) {
  return json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}}.dump(
      -1, ' ', false, json::error_handler_t::replace);
}

std::string notifica(std::string_view metodo, json parametri) {
  return json{{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}}.dump(
      -1, ' ', false, json::error_handler_t::replace);
}

json capacita(const opzioni_server& o) {
  json c = {{"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
            {"hoverProvider", true},
            {"inlayHintProvider", true},
            {"completionProvider", {{"triggerCharacters", json::array({"["})}}},
            {"documentSymbolProvider", true},
            {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}}};
  if (o.formatta) c["documentFormattingProvider"] = true;
  if (o.pagina_viva.apri) {
    c["executeCommandProvider"] = {{"commands", json::array({kComandoPaginaViva})}};
    c["codeLensProvider"] = {{"resolveProvider", false}};
  }
  return c;
}

// Compiles every open document again and publishes the diagnostics of every
// text of their pairs; a URI that had diagnostics and has none now is
// cleared.
void ricompila(stato_server& s, std::vector<std::string>& uscite, const std::string& cambiato) {
  std::map<std::string, json, std::less<>> pubblicare;
  // The changed document and every open one whose pair holds it.
  std::vector<std::string> da_rifare{cambiato};
  for (const auto& [uri, a] : s.analisi) {
    if (uri != cambiato && testo_di_uri(*a, cambiato) != nullptr) da_rifare.push_back(uri);
  }
  for (const auto& [uri, d] : s.documenti) {
    (void)d;
    if (s.analisi.find(uri) == s.analisi.end() && uri != cambiato) da_rifare.push_back(uri);
  }
  std::vector<std::string> fatti;
  for (const std::string& uri : da_rifare) {
    const auto d = s.documenti.find(uri);
    if (d == s.documenti.end() || std::find(fatti.begin(), fatti.end(), uri) != fatti.end()) continue;
    std::shared_ptr<const analisi_coppia> a = analizza(d->second, s.documenti, s.opzioni.leggi);
    // Its partner, when open, shares the same compile.
    for (const testo_coppia* t : {a->linea ? &*a->linea : nullptr, a->servizio ? &*a->servizio : nullptr}) {
      if (t == nullptr || s.documenti.count(t->uri) == 0) continue;
      s.analisi[t->uri] = a;
      fatti.push_back(t->uri);
    }
    s.analisi[uri] = a;
    for (const auto& [u, lista] : a->diagnostiche) pubblicare[u] = lista;
  }
  for (const auto& [uri, lista] : pubblicare) {
    uscite.push_back(notifica("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", lista}}));
  }
}

// The analysis and text of a document, or nulls.
std::pair<const analisi_coppia*, const testo_coppia*> documento(const stato_server& s, const json& p) {
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const auto a = s.analisi.find(uri);
  if (a == s.analisi.end()) return {nullptr, nullptr};
  return {a->second.get(), testo_di_uri(*a->second, uri)};
}

void apri(stato_server& s, const json& p, std::vector<std::string>& uscite) {
  const json& td = p.at("textDocument");
  documento_aperto d;
  d.uri = td.at("uri").get<std::string>();
  d.percorso = percorso_di_uri(d.uri);
  d.testo = td.at("text").get<std::string>();
  d.versione = td.value("version", int64_t{0});
  s.documenti[d.uri] = d;
  ricompila(s, uscite, d.uri);
}

void cambia(stato_server& s, const json& p, std::vector<std::string>& uscite) {
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const auto d = s.documenti.find(uri);
  if (d == s.documenti.end()) return;
  for (const json& c : p.at("contentChanges")) {
    modifica_testo m;
    m.testo = c.at("text").get<std::string>();
    if (c.contains("range")) {
      m.inizio = posizione_di(c["range"].at("start"));
      m.fine = posizione_di(c["range"].at("end"));
    }
    applica_modifica(d->second.testo, m);
  }
  d->second.versione = p["textDocument"].value("version", d->second.versione);
  ricompila(s, uscite, uri);
}

void chiudi(stato_server& s, const json& p, std::vector<std::string>& uscite) {
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const auto a = s.analisi.find(uri);
  std::vector<std::string> compagni;
  if (a != s.analisi.end()) {
    for (const auto& [u, lista] : a->second->diagnostiche) {
      (void)lista;
      if (u != uri) compagni.push_back(u);
    }
    s.analisi.erase(a);
  }
  s.documenti.erase(uri);
  // The closed text is told no more, nor its partner on disk; an open
  // partner is compiled again without the buffer.
  uscite.push_back(notifica("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", json::array()}}));
  for (const std::string& u : compagni) {
    if (s.documenti.count(u) != 0) {
      ricompila(s, uscite, u);
    } else {
      uscite.push_back(notifica("textDocument/publishDiagnostics", {{"uri", u}, {"diagnostics", json::array()}}));
    }
  }
}

json formatta(const stato_server& s, const json& p) {
  const auto [a, t] = documento(s, p);
  if (t == nullptr || !s.opzioni.formatta) return nullptr;
  const auto d = s.documenti.find(t->uri);
  if (d == s.documenti.end()) return nullptr;
  const std::optional<std::string> nuovo = s.opzioni.formatta(d->second.testo, t->genere);
  if (!nuovo || *nuovo == d->second.testo) return json::array();
  const righe_utf8 righe(d->second.testo);
  const int32_t ultima = righe.quante() - 1;
  const json fine = {{"line", ultima}, {"character", unita_utf16(righe.riga(ultima), 1 << 30)}};
  return json::array({{{"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", fine}}}, {"newText", *nuovo}}});
}

// Answers a request that needs an open document.
json richiesta_documento(const stato_server& s, const std::string& metodo, const json& p) {
  const auto [a, t] = documento(s, p);
  if (metodo == "textDocument/formatting") return formatta(s, p);
  if (t == nullptr) return nullptr;
  if (metodo == "textDocument/hover") return hover(*a, *t, posizione_di(p.at("position")));
  if (metodo == "textDocument/inlayHint") {
    return suggerimenti_campi(*t, p.at("range").at("start").at("line").get<int32_t>(),
                              p.at("range").at("end").at("line").get<int32_t>());
  }
  if (metodo == "textDocument/completion") return completamento(*t, posizione_di(p.at("position")));
  if (metodo == "textDocument/documentSymbol") return simboli(*t);
  if (metodo == "textDocument/codeAction") return azioni(*a, t->uri, p.at("range"));
  if (metodo == "textDocument/codeLens") return s.opzioni.pagina_viva.apri ? lenti_pagina_viva(*a, *t) : json::array();
  return nullptr;
}

bool metodo_documento(const std::string& m) {
  return m == "textDocument/hover" || m == "textDocument/inlayHint" || m == "textDocument/completion" ||
         m == "textDocument/documentSymbol" || m == "textDocument/codeAction" || m == "textDocument/formatting" ||
         m == "textDocument/codeLens";
}

// scenario/cursor: the editor's cursor, passed on to the live page.
void segui_cursore(const stato_server& s, const json& p) {
  if (!s.opzioni.pagina_viva.cursore) return;
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  s.opzioni.pagina_viva.cursore(percorso_di_uri(uri), posizione_di(p.at("position")).riga + 1);
}

// workspace/executeCommand: the live page of the pair of the text named in
// the arguments started, its address answered and opened by the editor.
void esegui_comando(stato_server& s, const json& id, const json& p, std::vector<std::string>& uscite) {
  const std::string comando = p.at("command").get<std::string>();
  if (comando != kComandoPaginaViva) {
    uscite.push_back(errore(id, kInvalidParams, "unknown command '" + comando + "'"));
    return;
  }
  const json argomenti = p.value("arguments", json::array());
  const std::string uri = argomenti.empty() ? "" : argomenti.at(0).get<std::string>();
  const auto a = s.analisi.find(uri);
  const esito_pagina_viva e = apri_pagina_viva(s.opzioni.pagina_viva, a == s.analisi.end() ? nullptr : a->second.get());
  if (!e.indirizzo) {
    uscite.push_back(errore(id, kRequestFailed, e.errore));
    return;
  }
  uscite.push_back(risposta(id, {{"uri", *e.indirizzo}}));
  uscite.push_back(chiedi_apertura(s.prossima_richiesta++, *e.indirizzo));
}

// A notification: no answer but what it publishes.
void gestisci_notifica(stato_server& s, const std::string& metodo, const json& p, std::vector<std::string>& uscite) {
  if (metodo == "exit") {
    s.uscita = s.chiusura ? 0 : 1;
    return;
  }
  if (!s.inizializzato || s.chiusura) return;
  if (metodo == "textDocument/didOpen") apri(s, p, uscite);
  else if (metodo == "textDocument/didChange") cambia(s, p, uscite);
  else if (metodo == "textDocument/didClose") chiudi(s, p, uscite);
  else if (metodo == "scenario/cursor") segui_cursore(s, p);
  // didSave: the buffer already holds what was saved; "initialized" and the
  // others need nothing.
}

std::string gestisci_richiesta(stato_server& s, const json& id, const std::string& metodo, const json& p) {
  if (metodo == "initialize") {
    if (s.inizializzato) return errore(id, kInvalidRequest, "the server is already initialized");
    s.inizializzato = true;
    return risposta(id, {{"capabilities", capacita(s.opzioni)},
                         {"serverInfo", {{"name", "scenario_tool"}, {"version", "1.0"}}}});
  }
  if (!s.inizializzato) return errore(id, kServerNotInitialized, "the server is not initialized");
  if (s.chiusura) return errore(id, kInvalidRequest, "the server is shutting down");
  if (metodo == "shutdown") {
    s.chiusura = true;
    return risposta(id, nullptr);
  }
  if (metodo_documento(metodo)) return risposta(id, richiesta_documento(s, metodo, p));
  return errore(id, kMethodNotFound, "unknown method '" + metodo + "'");
}

}  // namespace

std::vector<std::string> gestisci_messaggio(stato_server& s, std::string_view corpo) {
  std::vector<std::string> uscite;
  const json m = json::parse(corpo, nullptr, false);
  if (m.is_discarded()) return {errore(nullptr, kParseError, "the message is not JSON")};
  if (!m.is_object() || !m.contains("method") || !m["method"].is_string()) {
    if (m.is_object() && (m.contains("result") || m.contains("error"))) return {};  // an answer to us: none is asked
    const json id = m.is_object() && m.contains("id") ? m["id"] : json(nullptr);
    return {errore(id, kInvalidRequest, "the message is no request or notification")};
  }
  const std::string metodo = m["method"].get<std::string>();
  const json p = m.value("params", json::object());
  const bool richiesta = m.contains("id");
  const json id = richiesta ? m["id"] : json(nullptr);
  if (richiesta && !id.is_number_integer() && !id.is_string()) {
    return {errore(nullptr, kInvalidRequest, "the request's id is neither a number nor a string")};
  }
  try {
    if (!richiesta) {
      gestisci_notifica(s, metodo, p, uscite);
      return uscite;
    }
    if (metodo == "workspace/executeCommand" && s.inizializzato && !s.chiusura) {
      esegui_comando(s, id, p, uscite);
      return uscite;
    }
    uscite.push_back(gestisci_richiesta(s, id, metodo, p));
  } catch (const json::exception& e) {
    // A parameter missing or of the wrong type.
    if (richiesta) uscite.push_back(errore(id, kInvalidParams, std::string("invalid params: ") + e.what()));
  }
  return uscite;
}

int esegui_server(std::istream& in, std::ostream& out, opzioni_server o) {
  stato_server s;
  s.opzioni = std::move(o);
  for (;;) {
    const messaggio_letto m = leggi_messaggio(in, s.opzioni.massimo);
    if (m.esito == esito_messaggio::fine) return 0;
    if (m.esito == esito_messaggio::troppo_grande) {
      scrivi_messaggio(out, errore(nullptr, kInvalidRequest,
                                   "the message is over " + std::to_string(s.opzioni.massimo) + " bytes and is refused"));
      continue;
    }
    if (m.esito == esito_messaggio::senza_lunghezza) {
      scrivi_messaggio(out, errore(nullptr, kParseError, "a header without a valid Content-Length"));
      continue;
    }
    for (const std::string& u : gestisci_messaggio(s, m.corpo)) scrivi_messaggio(out, u);
    if (s.uscita) return *s.uscita;
  }
}

}  // namespace sb
