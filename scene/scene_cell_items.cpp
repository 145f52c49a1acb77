#include "scene/scene_cell_items.h"

#include <map>
#include <string>

#include "decompile/cell_items.h"
#include "decompile/line_recovery.h"
#include "inspect/author_terms.h"
#include "scenario/cell_kinds.h"

namespace sb {
namespace {

std::string n(int64_t v) { return std::to_string(v); }

// An item at one metre, with the values of its row in the author's terms.
elemento_scena puntuale(genere_elemento g, int64_t metro, const voce_autore& voce) {
  elemento_scena e;
  e.genere = g;
  e.da = e.a = e.punto = e.avviso = metro;
  e.parola = parola_genere(g);
  e.valori.push_back({"posizione", n(metro)});
  for (const valore_autore& v : voce.valori) e.valori.push_back({v.nome, v.valore});
  if (!voce.nota.empty()) e.valori.push_back({"note", voce.nota});
  return e;
}

// The value of the voice's field, or empty.
std::string campo(const voce_autore& voce, const std::string& nome) {
  for (const valore_autore& v : voce.valori) {
    if (v.nome == nome) return v.valore;
  }
  return "";
}

elemento_scena indicatore(const cella& c, size_t i, const voce_autore& voce) {
  const indicatore_vmax v = indicatore_da_cella(c, static_cast<int64_t>(i)).v;
  elemento_scena e = puntuale(genere_elemento::indicatore, v.posizione, voce);
  e.etichetta = n(v.vas) + "/" + n(v.vbs) + "/" + n(v.vcs);
  e.priorita = 40;
  return e;
}

elemento_scena cartello(size_t i, const voce_autore& voce) {
  elemento_scena e = puntuale(genere_elemento::cartello, posizione_item(static_cast<int64_t>(i)), voce);
  e.etichetta = didascalia_in_riga(campo(voce, "didascalia"));
  e.priorita = 50;
  return e;
}

// A code-reduction point stands where its row's position gives its cell:
// nearest(p / 50), no "+ 1". The pass's own points carry no row.
elemento_scena abbattimento(const cella& c, size_t i, const voce_autore& voce) {
  elemento_scena e = puntuale(genere_elemento::abbattimento, posizione_confine(static_cast<int64_t>(i)), voce);
  if (voce.descrizione.rfind("abbattimento", 0) != 0) e.valori.push_back({"placed by", "the signal aspect pass"});
  e.etichetta = c.tipo == tipo_cella::abbattimento ? n(c.dato_1) : "";
  e.priorita = 10;
  return e;
}

// A slowdown from its start to its end, its approach from the first approach
// cell or the warning point.
elemento_scena rallentamento(const rallentamento_trovato& t, const voce_autore& voce) {
  const riga_rallentamento& r = t.riga;
  elemento_scena e = puntuale(genere_elemento::rallentamento, r.posizione, voce);
  e.a = t.fine >= 0 ? posizione_item(t.fine) : r.posizione;
  if (t.approccio >= 0) e.avviso = posizione_item(t.approccio - 3);
  else if (t.avviso >= 0) e.avviso = posizione_item(t.avviso);
  if (t.avviso >= 0) e.valori.push_back({"warning point", n(posizione_item(t.avviso)) + " m"});
  e.etichetta = n(r.v.v) + " km/h";
  e.priorita = 70;
  return e;
}

// A montagna span as its row writes it; a kind above 10 marks the span.
elemento_scena montagna(const riga_montagna& r) {
  elemento_scena e;
  e.genere = genere_elemento::montagna;
  e.parola = parola_genere(e.genere);
  e.da = e.punto = e.avviso = r.inizio;
  e.a = r.fine;
  e.variante = r.tipo > 10 ? r.tipo - 10 : r.tipo;
  e.valori = {{"inizio", n(r.inizio)}, {"fine", n(r.fine)}, {"tipo", n(r.tipo)}};
  if (!r.nota.empty()) e.valori.push_back({"note", r.nota});
  e.etichetta = "montagna " + n(e.variante);
  e.priorita = 30;
  return e;
}

}  // namespace

std::string didascalia_in_riga(const std::string& utf8) {
  std::string out;
  size_t pos = 0;
  for (;;) {
    const size_t a = utf8.find('(', pos);
    const size_t b = a == std::string::npos ? a : utf8.find(')', a);
    if (b == std::string::npos) break;
    std::string gruppo = utf8.substr(a + 1, b - a - 1);
    gruppo.erase(0, gruppo.find_first_not_of(' '));
    gruppo.erase(gruppo.find_last_not_of(' ') + 1);
    if (!gruppo.empty()) out += (out.empty() ? "" : " ") + gruppo;
    pos = b + 1;
  }
  if (!out.empty()) return out;
  std::string t = utf8;
  t.erase(0, t.find_first_not_of(' '));
  t.erase(t.find_last_not_of(' ') + 1);
  return t;
}

void elementi_celle(const celle_percorso& celle, const tabella_oggetti* tabella,
                    std::vector<elemento_scena>& out) {
  const std::map<size_t, voce_autore> voci = voci_celle(celle, tabella);
  for (const auto& [i, voce] : voci) {
    const cella& c = celle[i];
    switch (c.tipo) {
      case tipo_cella::segnale: {
        elemento_scena e = puntuale(genere_elemento::segnale, posizione_item(static_cast<int64_t>(i)), voce);
        e.priorita = 5;
        out.push_back(std::move(e));
        break;
      }
      case tipo_cella::indicatore_vmax: out.push_back(indicatore(c, i, voce)); break;
      case tipo_cella::cartello: out.push_back(cartello(i, voce)); break;
      case tipo_cella::abbattimento:
      case tipo_cella::abbattimento_senza_valore: out.push_back(abbattimento(c, i, voce)); break;
      default: break;
    }
  }
  for (const rallentamento_trovato& t : rallentamenti_dalle_celle(celle)) {
    auto voce = voci.find(static_cast<size_t>(t.inizio));
    out.push_back(rallentamento(t, voce != voci.end() ? voce->second : voce_autore{}));
  }
  for (const riga_montagna& r : montagne_dalle_celle(celle)) out.push_back(montagna(r));
}

}  // namespace sb
