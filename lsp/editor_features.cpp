#include "lsp/editor_features.h"

#include <algorithm>

#include "documents/compiled_run.h"
#include "documents/train_sheet_layout.h"
#include "lsp/protocol_json.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

using json = nlohmann::json;

json intervallo_campo(const righe_utf8& righe, const posto_campo& p) {
  return intervallo_json(righe.da_colonna(p.riga, p.colonna), righe.da_colonna(p.riga, p.colonna_fine));
}

std::string intervallo_testo(const campo_riga& c) {
  const std::string s = intervallo_di(c);
  return c.unita.empty() ? s : s + " " + std::string(c.unita);
}

// What the compiled files keep of a value, when that is not the value.
std::string come_memorizzato(const campo_riga& c, int64_t v) {
  const std::optional<int64_t> m = valore_memorizzato(c, v);
  if (!m) return "does not fit its field: the compile stops (code 25)";
  if (*m == v) return "stored as written";
  switch (c.modo) {
    case conservazione::multiplo_5: return "stored as " + std::to_string(*m) + " (rounded to a multiple of 5)";
    case conservazione::tempo_segnale: return "stored as " + std::to_string(*m) + " (1..100 are raised to 101)";
    default: return "stored as " + std::to_string(*m) + " (only the low 8 bits are kept)";
  }
}

// The place of a row's item on the line: route metres and the line's own
// kilometres.
std::string luogo_elemento(const analisi_coppia& a, const riga_testo& r) {
  if (!r.tipo->con_posizione || r.numeri.empty()) return "";
  const int64_t metri = r.numeri[0];
  std::string s = "route " + std::to_string(metri) + " m";
  if (a.tabella) s += " · line km " + chilometri(progressiva_a(*a.tabella, metri));
  return s;
}

// The hover text of a row's keyword: its values in order.
std::string testo_chiave(const riga_testo& r) {
  std::string s = "**" + std::string(r.tipo->parola) + "** (" + std::string(r.tipo->sezione) + "): " +
                  std::to_string(r.tipo->campi.size()) + " values\n\n";
  for (size_t k = 0; k < r.tipo->campi.size(); ++k) {
    const campo_riga& c = r.tipo->campi[k];
    s += std::to_string(k + 1) + ". `" + std::string(c.nome) + "`";
    if (!c.unita.empty()) s += " (" + std::string(c.unita) + ")";
    if (!c.senso.empty()) s += ": " + std::string(c.senso);
    s += "\n";
  }
  return s;
}

// The hover text of value k of a row.
std::string testo_valore(const analisi_coppia& a, const riga_testo& r, size_t k) {
  const campo_riga& c = r.tipo->campi[k];
  std::string s = "**" + std::string(r.tipo->parola) + "** · `" + std::string(c.nome) + "` (value " +
                  std::to_string(k + 1) + " of " + std::to_string(r.tipo->campi.size()) + ")";
  if (!c.senso.empty()) s += "\n\n" + std::string(c.senso);
  if (!c.simulatore.empty()) s += "\n\nto the simulator: " + std::string(c.simulatore);
  if (!c.dove.empty()) s += " · stored in " + std::string(c.dove);
  if (c.modo == conservazione::testo) {
    s += "\n\ntext: `" + cp1252_in_utf8(r.nome) + "`";
  } else {
    const int64_t v = r.numeri[k];
    s += "\n\nrange " + intervallo_testo(c) + " · value " + std::to_string(v) + ": " + come_memorizzato(c, v);
    if (v < c.minimo || v > c.massimo) s += " · outside its range";
  }
  const std::string luogo = luogo_elemento(a, r);
  if (!luogo.empty()) s += "\n\n" + luogo;
  return s;
}

// The snippet of a row: the keyword, then a placeholder for each value.
std::string snippet(const tipo_riga& t) {
  std::string s(t.parola);
  for (size_t k = 0; k < t.campi.size(); ++k) {
    s += ", ${" + std::to_string(k + 1) + ":" + std::string(t.campi[k].nome) + "}";
  }
  return s;
}

// The heading of the section a line (from 1) stands in; empty before
// "[generale]".
std::string sezione_a(const righe_documento& r, int32_t riga) {
  std::string s;
  for (const intestazione_testo& i : r.intestazioni) {
    if (i.posto.riga >= riga) break;
    s = i.testo;
  }
  return s;
}

// A column past the end of any line: places are clamped to their line's end.
constexpr int32_t kOltreLaRiga = 1 << 30;

// Whether two LSP ranges meet.
bool si_incontrano(intervallo_lsp a, intervallo_lsp b) {
  const auto prima = [](posizione_lsp x, posizione_lsp y) {
    return std::pair(x.riga, x.carattere) < std::pair(y.riga, y.carattere);
  };
  return !prima(a.fine, b.inizio) && !prima(b.fine, a.inizio);
}

// The name an outline gives a row's item.
std::string nome_simbolo(const riga_testo& r) {
  const std::string metri = r.numeri.empty() ? "" : " " + std::to_string(r.numeri[0]) + " m";
  if (r.tipo->id == id_riga::stazione && !r.nome.empty()) return cp1252_in_utf8(r.nome) + metri;
  return std::string(r.tipo->parola) + metri;
}

int tipo_simbolo(const tipo_riga& t) {
  if (t.id == id_riga::stazione) return 23;  // Struct
  if (t.id == id_riga::segnale) return 24;   // Event
  return 8;                               // Field
}

}  // namespace

json hover(const analisi_coppia& a, const testo_coppia& t, posizione_lsp p) {
  const righe_utf8 righe(t.utf8);
  if (p.riga >= righe.quante()) return nullptr;  // no line of the text: nothing stands there
  int valore = -1;
  const riga_testo* r = riga_a(righe_del_testo(t), p.riga + 1, righe.colonna_di(p), valore);
  if (r == nullptr) return nullptr;
  const posto_campo& posto = valore < 0 ? r->chiave : r->posti[static_cast<size_t>(valore)];
  const std::string testo = valore < 0 ? testo_chiave(*r) : testo_valore(a, *r, static_cast<size_t>(valore));
  return {{"contents", {{"kind", "markdown"}, {"value", testo}}}, {"range", intervallo_campo(righe, posto)}};
}

json suggerimenti_campi(const testo_coppia& t, int32_t da, int32_t a) {
  const righe_utf8 righe(t.utf8);
  json out = json::array();
  for (const riga_testo& r : righe_del_testo(t).righe) {
    if (!r.tipo->lunga) continue;
    for (size_t k = 0; k < r.posti.size(); ++k) {
      const posto_campo& p = r.posti[k];
      if (p.riga - 1 < da || p.riga - 1 > a) continue;
      out.push_back({{"position", posizione_json(righe.da_colonna(p.riga, p.colonna))},
                     {"label", std::string(r.tipo->campi[k].nome) + ":"},
                     {"kind", 2},
                     {"paddingRight", true}});
    }
  }
  return out;
}

json completamento(const testo_coppia& t, posizione_lsp p) {
  const righe_utf8 righe(t.utf8);
  if (p.riga >= righe.quante()) return json::array();  // no line of the text: nothing goes there
  const std::string_view riga = righe.riga(p.riga);
  const std::string_view prima = riga.substr(0, righe.offset(p) - righe.offset({p.riga, 0}));
  json out = json::array();
  if (prima.find(',') != std::string_view::npos) return out;  // a value goes here, not a keyword
  const std::string sezione = sezione_a(righe_del_testo(t), p.riga + 1);
  const std::span<const std::string_view> intestazioni = intestazioni_testo(t.genere);
  // Under a heading of its own (or [fine]) the text takes any of its rows.
  const bool sua = std::find(intestazioni.begin(), intestazioni.end(), sezione) != intestazioni.end() &&
                   sezione != "[fine]" && sezione != "[codici]";
  if (!sezione.empty()) {
    for (const tipo_riga& r : tipi_riga(t.genere)) {
      if (sua && r.sezione != sezione) continue;
      out.push_back({{"label", std::string(r.parola)},
                     {"kind", 14},
                     {"detail", std::to_string(r.campi.size()) + " values"},
                     {"insertText", snippet(r)},
                     {"insertTextFormat", 2}});
    }
  }
  for (std::string_view h : intestazioni) {
    if (sezione.empty() && h != "[generale]") continue;
    out.push_back({{"label", std::string(h)}, {"kind", 15}, {"detail", "section heading"}});
  }
  return out;
}

json simboli(const testo_coppia& t) {
  const righe_utf8 righe(t.utf8);
  json out = json::array();
  const std::vector<intestazione_testo>& sezioni = righe_del_testo(t).intestazioni;
  for (size_t i = 0; i < sezioni.size(); ++i) {
    const posto_campo& inizio = sezioni[i].posto;
    const int32_t ultima = i + 1 < sezioni.size() ? sezioni[i + 1].posto.riga - 1 : righe.quante();
    const int32_t fine = std::max(ultima, inizio.riga);
    json sezione = {{"name", cp1252_in_utf8(sezioni[i].testo)},
                    {"kind", 3},
                    {"range", intervallo_json(righe.da_colonna(inizio.riga, inizio.colonna),
                                              righe.da_colonna(fine, kOltreLaRiga))},
                    {"selectionRange", intervallo_campo(righe, inizio)},
                    {"children", json::array()}};
    for (const riga_testo& r : righe_del_testo(t).righe) {
      if (r.chiave.riga <= inizio.riga || r.chiave.riga > fine) continue;
      const id_riga id = r.tipo->id;
      if (id != id_riga::stazione && id != id_riga::segnale && id != id_riga::rallentamento) continue;
      const posto_campo& ultimo = r.posti.empty() ? r.chiave : r.posti.back();
      const posto_campo fino{ultimo.riga == r.chiave.riga ? ultimo.riga : r.chiave.riga, r.chiave.colonna,
                             ultimo.riga == r.chiave.riga ? ultimo.colonna_fine : r.chiave.colonna_fine};
      sezione["children"].push_back({{"name", nome_simbolo(r)},
                                     {"kind", tipo_simbolo(*r.tipo)},
                                     {"range", intervallo_campo(righe, fino)},
                                     {"selectionRange", intervallo_campo(righe, r.chiave)}});
    }
    out.push_back(std::move(sezione));
  }
  return out;
}

json azioni(const analisi_coppia& a, const std::string& uri, intervallo_lsp intervallo) {
  json out = json::array();
  for (const correzione& c : a.correzioni) {
    if (c.uri != uri || !si_incontrano(intervallo_di(c.diagnostica.at("range")), intervallo)) continue;
    out.push_back({{"title", c.titolo},
                   {"kind", "quickfix"},
                   {"diagnostics", json::array({c.diagnostica})},
                   {"isPreferred", true},
                   {"edit", {{"changes", {{uri, json::array({{{"range", c.intervallo}, {"newText", c.nuovo}}})}}}}}});
  }
  return out;
}

}  // namespace sb
