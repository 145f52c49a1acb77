#include "lsp/language_server.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <ostream>

#include "lsp/editor_features.h"
#include "lsp/live_page.h"
#include "lsp/message_envelope.h"
#include "lsp/message_framing.h"
#include "lsp/protocol_json.h"

namespace sb {
namespace {

using json = nlohmann::json;

constexpr int kRequestFailed = -32803;
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;

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

std::string pubblica(std::string_view uri, json diagnostiche) {
  return notifica("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", std::move(diagnostiche)}});
}

// What a document too large to check publishes.
json diagnostiche_troppo_grande(const stato_server& s) {
  return json::array({diagnostica_json(intervallo_json({}, {}), 1, "",
                                       "the text is larger than " + std::to_string(s.opzioni.massimo_documento) +
                                           " bytes, the limit for a file that is read: it is not checked")});
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
  // What they were analysed as goes first: a large text's old analysis is
  // not held beside its new one.
  for (const std::string& uri : da_rifare) s.analisi.erase(uri);
  std::vector<std::string> fatti;
  for (const std::string& uri : da_rifare) {
    const auto d = s.documenti.find(uri);
    if (d == s.documenti.end() || std::find(fatti.begin(), fatti.end(), uri) != fatti.end()) continue;
    if (d->second.troppo_grande) {
      s.analisi.erase(uri);
      pubblicare[uri] = diagnostiche_troppo_grande(s);
      continue;
    }
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
  for (const auto& [uri, lista] : pubblicare) uscite.push_back(pubblica(uri, lista));
}

// The URI of the document a message is about.
const std::string& uri_documento(const json& p) { return testo_membro(membro(p, "textDocument"), "uri"); }

// The analysis and text of the document a request is about, or nulls.
std::pair<const analisi_coppia*, const testo_coppia*> documento(const stato_server& s, const json& p) {
  const std::string& uri = uri_documento(p);
  const auto a = s.analisi.find(uri);
  if (a == s.analisi.end()) return {nullptr, nullptr};
  return {a->second.get(), testo_di_uri(*a->second, uri)};
}

// A document's version: any integer the client counts with.
int64_t versione_di(const json& td, int64_t altrimenti) {
  const json* v = membro_se_c_e(td, "version");
  if (v == nullptr || v->is_null()) return altrimenti;
  return intero_membro(td, "version", std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
}

// A string member taken out of the client's message rather than copied.
std::string prendi_testo(json& o, std::string_view chiave) {
  testo_membro(o, chiave);
  return std::move(o.find(chiave)->get_ref<std::string&>());
}

json apri(stato_server& s, json& p, std::vector<std::string>& uscite) {
  documento_aperto d;
  d.uri = uri_documento(p);
  json& td = p["textDocument"];
  d.versione = versione_di(td, 0);
  d.testo = prendi_testo(td, "text");
  d.file = file_di_uri(d.uri);
  if (d.testo.size() > s.opzioni.massimo_documento) {
    d.troppo_grande = true;
    std::string().swap(d.testo);
  }
  const std::string uri = d.uri;
  s.documenti[uri] = std::move(d);
  ricompila(s, uscite, uri);
  return nullptr;
}

// The changes of a didChange, read whole before any is applied.
std::vector<modifica_testo> modifiche_di(json& p) {
  membro(p, "contentChanges");
  json& cambi = p["contentChanges"];
  if (!cambi.is_array()) throw parametro_errato{"'contentChanges' is not an array"};
  std::vector<modifica_testo> out;
  for (json& c : cambi) {
    modifica_testo m;
    if (const json* r = membro_se_c_e(c, "range"); r != nullptr) {
      const intervallo_lsp i = intervallo_di(*r);
      m.inizio = i.inizio;
      m.fine = i.fine;
    }
    m.testo = prendi_testo(c, "text");
    out.push_back(std::move(m));
  }
  return out;
}

json cambia(stato_server& s, json& p, std::vector<std::string>& uscite) {
  const std::string uri = uri_documento(p);
  const int64_t versione = versione_di(membro(p, "textDocument"), 0);
  std::vector<modifica_testo> modifiche = modifiche_di(p);
  const auto d = s.documenti.find(uri);
  if (d == s.documenti.end()) return nullptr;
  documento_aperto& doc = d->second;
  for (const modifica_testo& m : modifiche) {
    // A text too large is held no more: only a whole new text takes it back.
    if (doc.troppo_grande && m.inizio) continue;
    doc.troppo_grande = !applica_modifica(doc.testo, m, s.opzioni.massimo_documento);
    if (doc.troppo_grande) std::string().swap(doc.testo);
  }
  if (membro_se_c_e(membro(p, "textDocument"), "version") != nullptr) doc.versione = versione;
  ricompila(s, uscite, uri);
  return nullptr;
}

json chiudi(stato_server& s, json& p, std::vector<std::string>& uscite) {
  const std::string uri = uri_documento(p);
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
  uscite.push_back(pubblica(uri, json::array()));
  for (const std::string& u : compagni) {
    if (s.documenti.count(u) != 0) {
      ricompila(s, uscite, u);
    } else {
      uscite.push_back(pubblica(u, json::array()));
    }
  }
  return nullptr;
}

json formatta(stato_server& s, json& p, std::vector<std::string>&) {
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

json chiedi_hover(stato_server& s, json& p, std::vector<std::string>&) {
  const auto [a, t] = documento(s, p);
  const posizione_lsp dove = posizione_di(membro(p, "position"));
  return t == nullptr ? json(nullptr) : hover(*a, *t, dove);
}

json chiedi_suggerimenti(stato_server& s, json& p, std::vector<std::string>&) {
  const auto [a, t] = documento(s, p);
  const intervallo_lsp i = intervallo_di(membro(p, "range"));
  return t == nullptr ? json(nullptr) : suggerimenti_campi(*t, i.inizio.riga, i.fine.riga);
}

json chiedi_completamento(stato_server& s, json& p, std::vector<std::string>&) {
  const auto [a, t] = documento(s, p);
  const posizione_lsp dove = posizione_di(membro(p, "position"));
  return t == nullptr ? json(nullptr) : completamento(*t, dove);
}

json chiedi_simboli(stato_server& s, json& p, std::vector<std::string>&) {
  const auto [a, t] = documento(s, p);
  return t == nullptr ? json(nullptr) : simboli(*t);
}

json chiedi_azioni(stato_server& s, json& p, std::vector<std::string>&) {
  const auto [a, t] = documento(s, p);
  const intervallo_lsp i = intervallo_di(membro(p, "range"));
  return t == nullptr ? json(nullptr) : azioni(*a, t->uri, i);
}

json chiedi_lenti(stato_server& s, json& p, std::vector<std::string>&) {
  const auto [a, t] = documento(s, p);
  if (t == nullptr) return nullptr;
  return s.opzioni.pagina_viva.apri ? lenti_pagina_viva(*a, *t) : json::array();
}

// A request the server understood and could not carry out.
struct richiesta_fallita {
  std::string messaggio;
};

// workspace/executeCommand: the live page of the pair of the text named in
// the arguments started, its address answered and opened by the editor.
json esegui_comando(stato_server& s, json& p, std::vector<std::string>& uscite) {
  const std::string& comando = testo_membro(p, "command");
  if (comando != kComandoPaginaViva) throw parametro_errato{"unknown command '" + comando + "'"};
  std::string uri;
  if (const json* argomenti = membro_se_c_e(p, "arguments"); argomenti != nullptr) {
    if (!argomenti->is_array()) throw parametro_errato{"'arguments' is not an array"};
    if (!argomenti->empty()) {
      if (!(*argomenti)[0].is_string()) throw parametro_errato{"the command's argument is not a URI"};
      uri = (*argomenti)[0].get<std::string>();
    }
  }
  const auto a = s.analisi.find(uri);
  const esito_pagina_viva e = apri_pagina_viva(s.opzioni.pagina_viva, a == s.analisi.end() ? nullptr : a->second.get());
  if (!e.indirizzo) throw richiesta_fallita{e.errore};
  uscite.push_back(chiedi_apertura(s.prossima_richiesta++, *e.indirizzo));
  return {{"uri", *e.indirizzo}};
}

// scenario/cursor: the editor's cursor, passed on to the live page.
json segui_cursore(stato_server& s, json& p, std::vector<std::string>&) {
  if (!s.opzioni.pagina_viva.cursore) return nullptr;
  const std::string& uri = testo_membro(membro(p, "textDocument"), "uri");
  const posizione_lsp dove = posizione_di(membro(p, "position"));
  s.opzioni.pagina_viva.cursore(file_di_uri(uri), dove.riga + 1);
  return nullptr;
}

json capacita(const opzioni_server& o);

json inizia(stato_server& s, json&, std::vector<std::string>&) {
  s.inizializzato = true;
  json info = {{"name", "scenario_tool"}};
  if (!s.opzioni.versione.empty()) info["version"] = s.opzioni.versione;
  return {{"capabilities", capacita(s.opzioni)}, {"serverInfo", info}};
}

json chiudi_server(stato_server& s, json&, std::vector<std::string>&) {
  s.chiusura = true;
  return nullptr;
}

// A capability offered as it is.
json si(const opzioni_server&) { return true; }

json sincronia(const opzioni_server&) {
  return {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}};
}

json con_completamento(const opzioni_server&) { return {{"triggerCharacters", json::array({"["})}}; }

json con_azioni(const opzioni_server&) { return {{"codeActionKinds", json::array({"quickfix"})}}; }

// Formatting is offered only when a formatter is wired.
json con_formato(const opzioni_server& o) { return o.formatta ? json(true) : json(nullptr); }

// The live page is offered only when one can be started.
json con_comandi(const opzioni_server& o) {
  return o.pagina_viva.apri ? json{{"commands", json::array({kComandoPaginaViva})}} : json(nullptr);
}

json con_lenti(const opzioni_server& o) {
  return o.pagina_viva.apri ? json{{"resolveProvider", false}} : json(nullptr);
}

// One method the server takes: a request is answered, a notification not.
// Its capability (a key of initialize's answer and its value, null when not
// offered) tells the client of it; a method without a handler needs
// nothing done, so its message is never read past its top level.
struct voce_metodo {
  std::string_view metodo;
  bool richiesta;
  std::string_view capacita;
  json (*valore)(const opzioni_server&);
  json (*gestore)(stato_server&, json& parametri, std::vector<std::string>& uscite);
};

// Every method the server takes. "exit" ends the loop and is not here.
constexpr voce_metodo kMetodi[] = {
    {"initialize", true, "", nullptr, inizia},
    {"initialized", false, "", nullptr, nullptr},
    {"shutdown", true, "", nullptr, chiudi_server},
    {"textDocument/didOpen", false, "textDocumentSync", sincronia, apri},
    {"textDocument/didChange", false, "", nullptr, cambia},
    {"textDocument/didClose", false, "", nullptr, chiudi},
    {"textDocument/didSave", false, "", nullptr, nullptr},  // the buffer already holds what was saved
    {"textDocument/hover", true, "hoverProvider", si, chiedi_hover},
    {"textDocument/inlayHint", true, "inlayHintProvider", si, chiedi_suggerimenti},
    {"textDocument/completion", true, "completionProvider", con_completamento, chiedi_completamento},
    {"textDocument/documentSymbol", true, "documentSymbolProvider", si, chiedi_simboli},
    {"textDocument/codeAction", true, "codeActionProvider", con_azioni, chiedi_azioni},
    {"textDocument/formatting", true, "documentFormattingProvider", con_formato, formatta},
    {"textDocument/codeLens", true, "codeLensProvider", con_lenti, chiedi_lenti},
    {"workspace/executeCommand", true, "executeCommandProvider", con_comandi, esegui_comando},
    {"scenario/cursor", false, "", nullptr, segui_cursore},
};

json capacita(const opzioni_server& o) {
  json c = json::object();
  for (const voce_metodo& v : kMetodi) {
    if (v.capacita.empty()) continue;
    json valore = v.valore(o);
    if (!valore.is_null()) c[std::string(v.capacita)] = std::move(valore);
  }
  return c;
}

// The table's entry of a method, or null.
const voce_metodo* voce_di(std::string_view metodo, bool richiesta) {
  for (const voce_metodo& v : kMetodi) {
    if (v.metodo == metodo && v.richiesta == richiesta) return &v;
  }
  return nullptr;
}

// A message's body, and the string that holds it when the server may let it
// go once the tree is built (a 60 MiB document is then not held twice while
// it is analysed).
struct corpo_messaggio {
  std::string_view testo;
  std::string* proprio = nullptr;
};

// Builds the message's tree (its depth already checked), lets the body go
// and runs the handler on its params; a parameter missing or wrong is
// thrown as parametro_errato.
json esegui_gestore(stato_server& s, const voce_metodo& v, corpo_messaggio corpo, std::vector<std::string>& uscite) {
  json m = json::parse(corpo.testo, nullptr, false);
  if (corpo.proprio != nullptr) std::string().swap(*corpo.proprio);
  json vuoto = json::object();
  json* p = &vuoto;
  if (const auto i = m.find("params"); i != m.end()) p = &*i;
  if (!p->is_object()) throw parametro_errato{"'params' is not an object"};
  return v.gestore(s, *p, uscite);
}

void gestisci_notifica(stato_server& s, const std::string& metodo, corpo_messaggio corpo,
                       std::vector<std::string>& uscite) {
  if (metodo == "exit") {
    s.uscita = s.chiusura ? 0 : 1;
    return;
  }
  if (!s.inizializzato || s.chiusura) return;
  const voce_metodo* v = voce_di(metodo, false);
  if (v == nullptr || v->gestore == nullptr) return;
  try {
    esegui_gestore(s, *v, corpo, uscite);
  } catch (const parametro_errato&) {
    // A notification is not answered: one that cannot be read changes nothing.
  }
}

std::string gestisci_richiesta(stato_server& s, const json& id, const std::string& metodo, corpo_messaggio corpo,
                               std::vector<std::string>& uscite) {
  if (metodo == "initialize" && s.inizializzato) return errore(id, kInvalidRequest, "the server is already initialized");
  if (metodo != "initialize" && !s.inizializzato) {
    return errore(id, kServerNotInitialized, "the server is not initialized");
  }
  if (s.chiusura) return errore(id, kInvalidRequest, "the server is shutting down");
  const voce_metodo* v = voce_di(metodo, true);
  if (v == nullptr) return errore(id, kMethodNotFound, "unknown method '" + metodo + "'");
  try {
    return risposta(id, esegui_gestore(s, *v, corpo, uscite));
  } catch (const parametro_errato& e) {
    return errore(id, kInvalidParams, "invalid params: " + e.messaggio);
  } catch (const richiesta_fallita& e) {
    return errore(id, kRequestFailed, e.messaggio);
  }
}

// Handles one message; its body's string, when given, is let go as soon as
// its tree is built.
std::vector<std::string> gestisci(stato_server& s, corpo_messaggio corpo) {
  const busta_messaggio b = esamina_messaggio(corpo.testo);
  if (b.troppo_profondo) {
    return {errore(b.id, kInvalidRequest,
                   "the message nests deeper than " + std::to_string(kProfonditaMassima) + " levels")};
  }
  if (!b.json) return {errore(nullptr, kParseError, "the message is not JSON")};
  if (!b.oggetto || !b.metodo) {
    if (b.oggetto && b.risposta) return {};  // an answer to us: none is asked
    return {errore(b.id, kInvalidRequest, "the message is no request or notification")};
  }
  if (b.con_id && !b.id_valido) {
    return {errore(nullptr, kInvalidRequest, "the request's id is neither a number nor a string")};
  }
  std::vector<std::string> uscite;
  if (!b.con_id) {
    gestisci_notifica(s, *b.metodo, corpo, uscite);
    return uscite;
  }
  std::string r = gestisci_richiesta(s, b.id, *b.metodo, corpo, uscite);
  uscite.insert(uscite.begin(), std::move(r));
  return uscite;
}

}  // namespace

std::vector<std::string> gestisci_messaggio(stato_server& s, std::string_view corpo) { return gestisci(s, {corpo}); }

int esegui_server(std::istream& in, std::ostream& out, opzioni_server o) {
  stato_server s;
  s.opzioni = std::move(o);
  for (;;) {
    messaggio_letto m = leggi_messaggio(in, s.opzioni.massimo);
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
    for (const std::string& u : gestisci(s, {m.corpo, &m.corpo})) scrivi_messaggio(out, u);
    if (s.uscita) return *s.uscita;
  }
}

}  // namespace sb
