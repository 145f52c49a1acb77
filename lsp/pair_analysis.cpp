#include "lsp/pair_analysis.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "author/scenario_names.h"
#include "grammar/text_format.h"
#include "lsp/protocol_json.h"
#include "platform/files.h"
#include "report/compile_diagnostics.h"
#include "report/diagnostic.h"
#include "scenario/diagnostic_cap.h"
#include "text_input/text_lines.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

using json = nlohmann::json;

// A partner's bytes from its file.
std::optional<std::string> leggi_da_disco(const std::string& file) {
  std::string byte;
  if (!leggi_file(file, byte).ok) return std::nullopt;
  return byte;
}

// The folder part of a path, with its slash; empty for none.
std::string cartella_di(const std::string& file) {
  const size_t barra = file.rfind('/');
  return barra == std::string::npos ? "" : file.substr(0, barra + 1);
}

// The open document at a path, or null.
const documento_aperto* aperto_a(const documenti_aperti& aperti, const std::string& file) {
  for (const auto& [uri, d] : aperti) {
    if (!d.file.empty() && d.file == file) return &d;
  }
  return nullptr;
}

// The service texts of a line in its folder: open ones first, then those on
// disk, each in name order.
std::vector<std::string> servizi_di(const std::string& cartella, std::string_view linea,
                                    const documenti_aperti& aperti, bool& aperto) {
  std::vector<std::string> nomi;
  for (const auto& [uri, d] : aperti) {
    if (cartella_di(d.file) == cartella && nomi_da_servizio(d.file).linea == linea) nomi.push_back(d.file);
  }
  aperto = !nomi.empty();
  if (aperto) return nomi;
  std::error_code e;
  for (const auto& voce : std::filesystem::directory_iterator(cartella.empty() ? "." : cartella, e)) {
    const std::string nome = voce.path().filename().string();
    if (nomi_da_servizio(nome).linea == linea) nomi.push_back(cartella + nome);
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

// The partner's path by the document's name; empty when none pairs.
std::string file_partner(const documento_aperto& d, const documenti_aperti& aperti, bool& aperto) {
  aperto = false;
  const std::string cartella = cartella_di(d.file);
  if (const std::string_view linea = linea_da_file(d.file); !linea.empty()) {
    const std::vector<std::string> servizi = servizi_di(cartella, linea, aperti, aperto);
    return servizi.empty() ? "" : servizi.front();
  }
  const nomi_scenario n = nomi_da_servizio(d.file);
  if (n.linea.empty()) return "";
  const std::string linea = cartella + n.linea + "_linea.txt";
  aperto = aperto_a(aperti, linea) != nullptr;
  return linea;
}

// A text of the pair as the compile read it, taken over: the view the
// editor has of its bytes, its rows.
testo_coppia testo_di(const std::string& uri, genere_testo g, testo_autore&& compilato) {
  testo_coppia t;
  t.uri = uri;
  t.file = std::move(compilato.file);
  t.genere = g;
  std::string_view vista = compilato.originale;
  if (vista.substr(0, 3) == "\xEF\xBB\xBF") vista.remove_prefix(3);
  if (!utf8_valido(vista)) {
    t.utf8 = cp1252_in_utf8(vista);
  } else if (vista.size() == compilato.originale.size()) {
    t.utf8 = std::move(compilato.originale);
  } else {
    t.utf8 = std::string(vista);
  }
  t.byte = std::move(compilato.byte);
  if (t.byte == t.utf8) std::string().swap(t.byte);  // a text of ASCII only: one copy serves both
  return t;
}

// The lines of a text of the pair, as the editor shows them and as the
// compile read them, found once for all its diagnostics.
struct righe_testo_coppia {
  explicit righe_testo_coppia(const testo_coppia& t) : utf8(t.utf8) {
    if (!t.byte.empty()) byte_proprie.emplace(t.byte);
  }
  // The compile's lines: the editor's own when the bytes are the same.
  const righe_utf8& byte() const { return byte_proprie ? *byte_proprie : utf8; }
  righe_utf8 utf8;
  std::optional<righe_utf8> byte_proprie;
};

// The range a diagnostic underlines: its columns; the whole line when it has
// no column, the text's start when it has no line.
json intervallo_luogo(const luogo_sorgente& l, const righe_testo_coppia& r) {
  if (l.riga <= 0) return intervallo_json({}, {});
  const righe_utf8& righe = r.utf8;
  if (l.colonna <= 0) {
    const int32_t fine = static_cast<int32_t>(r.byte().riga(l.riga - 1).size()) + 1;
    return intervallo_json({l.riga - 1, 0}, righe.da_colonna(l.riga, fine));
  }
  const int32_t ultima = l.colonna_ultima > 0 ? l.colonna_ultima : l.colonna;
  return intervallo_json(righe.da_colonna(l.riga, l.colonna), righe.da_colonna(l.riga, ultima + 1));
}

int severita(gravita g) {
  switch (g) {
    case gravita::errore: return 1;
    case gravita::avviso: return 2;
    case gravita::nota: return 3;
  }
  return 1;
}

// The text a word stands in a message between quotes after `prima`; empty
// when the message has none.
std::string citato_dopo(std::string_view messaggio, std::string_view prima) {
  const size_t a = messaggio.find(prima);
  if (a == std::string_view::npos) return "";
  const size_t inizio = a + prima.size();
  const size_t fine = messaggio.find('\'', inizio);
  if (fine == std::string_view::npos) return "";
  return std::string(messaggio.substr(inizio, fine - inizio));
}

// The number after "stored as " at the end of a message; empty when none.
std::string memorizzato_come(std::string_view messaggio) {
  constexpr std::string_view kCome = "stored as ";
  const size_t a = messaggio.rfind(kCome);
  if (a == std::string_view::npos) return "";
  const std::string_view n = messaggio.substr(a + kCome.size());
  if (n.empty() || n.find_first_not_of("-0123456789") != std::string_view::npos) return "";
  return std::string(n);
}

// A row's text value (a name) that starts on the line of a diagnostic and
// before its column: from its start to the line's end, blanks at the end
// left out. Null when there is none.
std::optional<json> intervallo_nome(const luogo_sorgente& d, const testo_coppia& t) {
  for (const riga_testo& r : righe_del_testo(t).righe) {
    if (r.tipo->campi.empty() || r.tipo->campi.back().modo != conservazione::testo) continue;
    if (r.posti.size() != r.tipo->campi.size()) continue;
    const posto_campo& p = r.posti.back();
    if (p.riga != d.riga || p.colonna > d.colonna) continue;
    const std::string_view letta = riga_di(byte_del_testo(t), d.riga);
    size_t fine = letta.size();
    while (fine > 0 && (letta[fine - 1] == ' ' || letta[fine - 1] == '\t')) --fine;
    const righe_utf8 righe(t.utf8);
    return intervallo_json(righe.da_colonna(d.riga, p.colonna),
                           righe.da_colonna(d.riga, static_cast<int32_t>(fine) + 1));
  }
  return std::nullopt;
}

// The text between two places of a UTF-8 text.
std::string testo_tra(const testo_coppia& t, const json& intervallo) {
  const righe_utf8 righe(t.utf8);
  const intervallo_lsp i = intervallo_di(intervallo);
  const size_t a = righe.offset(i.inizio);
  const size_t b = righe.offset(i.fine);
  return b > a ? t.utf8.substr(a, b - a) : "";
}

// The fix a diagnostic knows, if any.
std::optional<correzione> correzione_di(const segnalazione& d, const testo_coppia& t, const json& diag) {
  correzione c{t.uri, diag["range"], "", "", diag};
  const std::string& m = d.messaggio;
  switch (d.genere) {
    case genere_avviso::chiave_sconosciuta:
    case genere_avviso::intestazione_sconosciuta: c.nuovo = citato_dopo(m, "did you mean '"); break;
    case genere_avviso::maiuscole: c.nuovo = citato_dopo(m, "lower case, '"); break;
    case genere_avviso::velocita_arrotondata: c.nuovo = memorizzato_come(m); break;
    case genere_avviso::nome_tagliato: {
      const std::optional<json> nome = intervallo_nome(d.dove, t);
      if (!nome) return std::nullopt;
      std::string scritto = testo_tra(t, *nome);
      if (scritto.find('"') != std::string::npos) return std::nullopt;
      c.intervallo = *nome;
      c.nuovo = "\"" + scritto + "\"";
      c.titolo = "Put the name in double quotes: " + c.nuovo;
      return c;
    }
    default: return std::nullopt;
  }
  if (c.nuovo.empty()) return std::nullopt;
  c.titolo = "Change to '" + c.nuovo + "'";
  return c;
}

// The code a diagnostic shows: an error's number, a warning's or note's
// kind; empty for none.
std::string codice_di(const segnalazione& x) {
  if (x.livello == gravita::errore && x.codice != 0) return "error " + std::to_string(x.codice);
  return std::string(nome_genere(x.genere));
}

// The list of a URI in the pair's diagnostics, made when missing.
json& lista_di(analisi_coppia& a, const std::string& uri) {
  for (auto& [u, lista] : a.diagnostiche) {
    if (u == uri) return lista;
  }
  a.diagnostiche.emplace_back(uri, json::array());
  return a.diagnostiche.back().second;
}

// The text of the pair a file names; null for none.
const testo_coppia* testo_del_file(const std::string& file, const analisi_coppia& a) {
  if (file.empty()) return nullptr;
  if (a.linea && a.linea->file == file) return &*a.linea;
  if (a.servizio && a.servizio->file == file) return &*a.servizio;
  return nullptr;
}

// Of one kind of diagnostic the first kDiagnosticheConservate, each with
// its notes, as the printer shows them; the rest only counted, by kind.
std::vector<diagnostica> primi_per_genere(const std::vector<diagnostica>& tutte, diagnostiche_omesse& omesse) {
  std::vector<diagnostica> tenute;
  std::map<genere_diagnostica, size_t> quante;
  bool ultima_tenuta = true;
  for (const diagnostica& d : tutte) {
    if (nota_su_precedente(d)) {
      if (ultima_tenuta) tenute.push_back(d);
      continue;
    }
    ultima_tenuta = ++quante[genere_di(d)] <= kDiagnosticheConservate;
    if (ultima_tenuta) {
      tenute.push_back(d);
    } else {
      ++omesse[genere_di(d)];
    }
  }
  return tenute;
}

// Where the last diagnostic of a kind was published.
struct ultima_pubblicata {
  std::string uri;
  json dove;
  std::string codice;
};

// Every diagnostic of the compile, by URI, with its notes as related
// information at their own places; of one kind the first
// kDiagnosticheConservate, then one line that counts the rest, as the
// printer tells them. One that names no text of the pair (the
// signal pass's) stands at the start of the service, else of the line.
void diagnostiche_protocollo(analisi_coppia& a, const std::vector<segnalazione>& trovate,
                             const diagnostiche_omesse& omesse) {
  if (a.linea) lista_di(a, a.linea->uri);
  if (a.servizio) lista_di(a, a.servizio->uri);
  std::optional<righe_testo_coppia> righe_linea, righe_servizio;
  if (a.linea) righe_linea.emplace(*a.linea);
  if (a.servizio) righe_servizio.emplace(*a.servizio);
  const auto righe_di = [&](const testo_coppia* t) -> const righe_testo_coppia& {
    return a.linea && t == &*a.linea ? *righe_linea : *righe_servizio;
  };
  const auto intervallo = [&](const luogo_sorgente& l, const testo_coppia*& t) {
    t = testo_del_file(l.file, a);
    if (t != nullptr) return intervallo_luogo(l, righe_di(t));
    t = a.servizio ? &*a.servizio : a.linea ? &*a.linea : nullptr;
    return intervallo_json({}, {});
  };
  std::map<genere_diagnostica, ultima_pubblicata> ultime;
  for (const segnalazione& x : trovate) {
    const testo_coppia* t = nullptr;
    const json dove = intervallo(x.dove, t);
    if (t == nullptr) continue;
    ultime[{x.livello, x.codice, x.genere}] = {t->uri, dove, codice_di(x)};
    json d = diagnostica_json(dove, severita(x.livello), codice_di(x), testo_segnalazione(x));
    for (const nota_segnalazione& n : x.note) {
      const testo_coppia* tn = nullptr;
      const json dove_nota = intervallo(n.dove, tn);
      if (tn == nullptr) continue;
      d["relatedInformation"].push_back(
          {{"location", {{"uri", tn->uri}, {"range", dove_nota}}}, {"message", n.messaggio}});
    }
    if (testo_del_file(x.dove.file, a) == t) {
      if (std::optional<correzione> c = correzione_di(x, *t, d)) a.correzioni.push_back(std::move(*c));
    }
    lista_di(a, t->uri).push_back(std::move(d));
  }
  for (const auto& [genere, n] : omesse) {
    const auto u = ultime.find(genere);
    if (u == ultime.end()) continue;
    lista_di(a, u->second.uri)
        .push_back(diagnostica_json(u->second.dove, 3, u->second.codice, std::to_string(n) + " more like this"));
  }
}

}  // namespace

std::optional<partner_trovato> trova_partner(const documento_aperto& d, const documenti_aperti& aperti,
                                             lettore_file leggi) {
  if (d.file.empty()) return std::nullopt;
  bool aperto = false;
  const std::string file = file_partner(d, aperti, aperto);
  if (file.empty() || file == d.file) return std::nullopt;
  if (aperto) {
    const documento_aperto* p = aperto_a(aperti, file);
    return partner_trovato{p->uri, file, p->testo, true};
  }
  std::optional<std::string> byte = leggi != nullptr ? leggi(file) : leggi_da_disco(file);
  if (!byte) return std::nullopt;
  return partner_trovato{uri_di_file(file), file, std::move(*byte), false};
}

std::shared_ptr<const analisi_coppia> analizza(const documento_aperto& d, const documenti_aperti& aperti,
                                               lettore_file leggi) {
  auto a = std::make_shared<analisi_coppia>();
  const genere_testo g = genere_del_file(d.file, d.testo);
  std::optional<partner_trovato> p = trova_partner(d, aperti, leggi);
  const std::string nome = d.file.empty() ? d.uri : d.file;
  opzioni_compile o;
  std::optional<testo_autore> linea, servizio;
  (g == genere_testo::linea ? linea : servizio) = testo_autore{nome, d.testo, ""};
  if (p) (g == genere_testo::linea ? servizio : linea) = testo_autore{p->file, std::move(p->originale), ""};
  o.linea = linea ? linea->file : "";
  o.servizio = servizio ? servizio->file : "";
  const nomi_scenario n = scegli_nomi(std::nullopt, std::nullopt, o.linea, o.servizio);
  o.nome_linea = n.linea;
  o.numero_treno = n.treno;
  const bool con_linea = linea.has_value(), con_servizio = servizio.has_value();
  analisi_testi c = analizza_testi(o, std::move(linea), std::move(servizio));
  diagnostiche_omesse omesse = std::move(c.omesse);
  const std::vector<segnalazione> trovate =
      segnalazioni_compile(primi_per_genere(c.diagnostiche, omesse), c.linea, c.servizio);
  std::vector<diagnostica>().swap(c.diagnostiche);
  if (c.r) a->tabella = c.r->s.tabella;
  c.r.reset();
  const auto uri_di = [&](genere_testo x) { return x == g ? d.uri : p->uri; };
  if (con_linea) a->linea = testo_di(uri_di(genere_testo::linea), genere_testo::linea, std::move(c.linea));
  if (con_servizio) a->servizio = testo_di(uri_di(genere_testo::servizio), genere_testo::servizio, std::move(c.servizio));
  diagnostiche_protocollo(*a, trovate, omesse);
  return a;
}

std::string_view byte_del_testo(const testo_coppia& t) { return t.byte.empty() ? t.utf8 : t.byte; }

const righe_documento& righe_del_testo(const testo_coppia& t) {
  if (!t.righe) t.righe = leggi_righe(t.genere, byte_del_testo(t));
  return *t.righe;
}

const testo_coppia* testo_di_uri(const analisi_coppia& a, std::string_view uri) {
  if (a.linea && a.linea->uri == uri) return &*a.linea;
  if (a.servizio && a.servizio->uri == uri) return &*a.servizio;
  return nullptr;
}

std::string_view nome_genere(genere_avviso g) {
  switch (g) {
    case genere_avviso::nessuno: return "";
    case genere_avviso::chiave_sconosciuta: return "unknown-keyword";
    case genere_avviso::intestazione_sconosciuta: return "unknown-section";
    case genere_avviso::maiuscole: return "keyword-case";
    case genere_avviso::generale_assente: return "missing-generale";
    case genere_avviso::valori_in_piu: return "extra-values";
    case genere_avviso::valori_mancanti: return "missing-values";
    case genere_avviso::virgola_decimale: return "decimal-comma";
    case genere_avviso::nome_tagliato: return "name-cut-short";
    case genere_avviso::virgolette_aperte: return "unclosed-quote";
    case genere_avviso::valore_troncato: return "value-truncated";
    case genere_avviso::fuori_intervallo: return "out-of-range";
    case genere_avviso::velocita_arrotondata: return "speed-rounded";
    case genere_avviso::ora_non_valida: return "invalid-time";
    case genere_avviso::sovrascrittura: return "overwrite";
    case genere_avviso::fuori_ordine: return "out-of-order";
    case genere_avviso::orari_indietro: return "times-backwards";
    case genere_avviso::orologio_in_ritardo: return "late-clock";
    case genere_avviso::carattere_sostituito: return "replaced-character";
    case genere_avviso::testo_senza: return "text-without";
    case genere_avviso::testo_tagliato: return "text-cut";
    case genere_avviso::oltre_fine: return "past-route-end";
    case genere_avviso::fuori_sezione: return "outside-section";
    case genere_avviso::tempo_insufficiente: return "leg-too-short";
    case genere_avviso::margine_ridotto: return "small-margin";
    case genere_avviso::corsa_interrotta: return "run-stopped";
    case genere_avviso::segnale_in_stazione: return "signal-in-station";
    case genere_avviso::indicatore_oltre_limite: return "indicator-above-limit";
    case genere_avviso::avviso_troppo_vicino: return "warning-too-close";
    case genere_avviso::prima_dell_inizio: return "before-route-start";
    case genere_avviso::cippo_discorde: return "km-post-mismatch";
  }
  return "";
}

}  // namespace sb
