#include "inspect/author_terms.h"

#include "decompile/cell_items.h"
#include "decompile/pass_points.h"
#include "decompile/service_recovery.h"
#include "grammar/row_kinds.h"
#include "inspect/cell_meaning.h"
#include "inspect/json_text.h"
#include "passes/stamps.h"
#include "scenario/format.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

valore_autore numero(const std::string& nome, int64_t v) { return {nome, std::to_string(v), false}; }
valore_autore testo(const std::string& nome, const std::string& cp1252) { return {nome, cp1252_in_utf8(cp1252), true}; }

std::string metri(int64_t m) { return std::to_string(m) + " m"; }

// The keyword of a row kind, as the author writes it.
std::string parola(id_riga id) { return std::string(tipo_di(id).parola); }

// The name the grammar gives value k of a row kind.
std::string nome(id_riga id, size_t k) { return std::string(tipo_di(id).campi[k].nome); }

// A row's numbers from its value `da` on, each named as the grammar names it.
std::vector<valore_autore> numeri(id_riga id, size_t da, std::initializer_list<int64_t> valori) {
  std::vector<valore_autore> out;
  size_t k = da;
  for (int64_t v : valori) out.push_back(numero(nome(id, k++), v));
  return out;
}

voce_autore voce_segnale(const celle_percorso& celle, size_t i) {
  const riga_segnale r = segnale_da_cella(celle, static_cast<int64_t>(i));
  const valori_segnale& v = r.v;
  return {parola(id_riga::segnale) + " at " + metri(r.posizione),
          numeri(id_riga::segnale, 1, {v.sx, v.s1, v.s2, v.s3, v.rapp, v.dx, v.d1, v.d2, v.d3, v.tempo}), r.nota};
}

voce_autore voce_indicatore(const cella& c, size_t i) {
  const riga_indicatore r = indicatore_da_cella(c, static_cast<int64_t>(i));
  const indicatore_vmax& v = r.v;
  return {parola(id_riga::indicatori_vmax) + " at " + metri(v.posizione),
          numeri(id_riga::indicatori_vmax, 1, {v.vas, v.vbs, v.vcs, v.strisces, v.vad, v.vbd, v.vcd, v.strisced}), ""};
}

// The slowdowns' cells: the start with the row's values, the other points
// naming the slowdown they belong to.
void voci_rallentamenti(const celle_percorso& celle, std::map<size_t, voce_autore>& out) {
  for (const rallentamento_trovato& t : rallentamenti_dalle_celle(celle)) {
    const riga_rallentamento& r = t.riga;
    const std::string riga = parola(id_riga::rallentamento) + " at " + metri(r.posizione);
    const std::string di = " of the " + riga;
    out[static_cast<size_t>(t.inizio)] = {
        riga, numeri(id_riga::rallentamento, 1, {r.v.v, r.v.l, r.v.f_tt, r.v.f_ta, r.v.d_v}), r.nota};
    if (t.fine >= 0) out[static_cast<size_t>(t.fine)] = {"end" + di, {}, ""};
    if (t.avviso >= 0) out[static_cast<size_t>(t.avviso)] = {"warning point" + di, {}, ""};
    for (int64_t j = 0; t.approccio >= 0 && j < 4; ++j) {
      out[static_cast<size_t>(t.approccio - j)] = {"approach cell " + std::to_string(j + 1) + di, {}, ""};
    }
  }
}

voce_autore voce_fermata(const cella& c, const tabella_oggetti* tabella) {
  voce_autore v{"stop point of station " + std::to_string(c.dato_1), {}, ""};
  if (tabella == nullptr || c.dato_1 < 1 || c.dato_1 > kPrimoCartello) return v;
  const oggetto& o = (*tabella)[static_cast<size_t>(c.dato_1)];
  v.valori = {testo(nome(id_riga::stazione, 16), o.nome), numero(nome(id_riga::stazione, 0), o.posizione),
              numero(nome(id_riga::stazione, 1), o.tipo)};
  return v;
}

voce_autore voce_cartello(const cella& c, size_t i, const tabella_oggetti* tabella) {
  voce_autore v{parola(id_riga::cartello_indicatore) + " at " + metri(posizione_item(static_cast<int64_t>(i))),
                {numero("entry", c.dato_1)},
                ""};
  if (tabella != nullptr && c.dato_1 >= 0 && c.dato_1 < kNumeroOggetti) {
    v.valori.push_back(testo(nome(id_riga::cartello_indicatore, 1), (*tabella)[static_cast<size_t>(c.dato_1)].nome));
  }
  return v;
}

voce_autore voce_abbattimento(const cella& c, size_t i, bool del_passaggio) {
  const std::string valore_nome = nome(id_riga::abbattimento, 1);
  if (del_passaggio) return {"placed by the signal aspect pass", {numero(valore_nome, c.dato_1)}, ""};
  const int32_t valore = c.tipo == tipo_cella::abbattimento ? c.dato_1 : 0;
  return {parola(id_riga::abbattimento) + " at " + metri(posizione_confine(static_cast<int64_t>(i))),
          {numero(valore_nome, valore)},
          ""};
}

// Cell 1: the marker and the code of the train number and line name.
voce_autore voce_timbri(const cella& c, const tabella_oggetti* tabella) {
  voce_autore v{"stamps", {numero("marker", c.dato_1), numero("codice_gara_og", c.dato_2)}, ""};
  if (c.dato_1 != kMarcatoreCella) v.nota = "the marker is not 5121";
  if (tabella == nullptr) {
    v.valori.push_back({"made_of", "the sum of the character codes of the train number and line name", true});
    return v;
  }
  const std::string codice = testo_codice_gara(*tabella);
  v.valori.push_back(testo("code_text", codice));
  v.valori.push_back({"matches", codice_gara_og(*tabella) == c.dato_2 ? "true" : "false", false});
  return v;
}

// One item's voice, or an empty description for a cell that holds none.
voce_autore voce_cella(const celle_percorso& celle, size_t i, const tabella_oggetti* tabella,
                       const std::vector<bool>& del_passaggio) {
  const cella& c = celle[i];
  switch (c.tipo) {
    case tipo_cella::segnale: return voce_segnale(celle, i);
    case tipo_cella::indicatore_vmax: return voce_indicatore(c, i);
    case tipo_cella::fermata: return voce_fermata(c, tabella);
    case tipo_cella::abbattimento:
    case tipo_cella::abbattimento_senza_valore: return voce_abbattimento(c, i, del_passaggio[i]);
    case tipo_cella::cartello: return voce_cartello(c, i, tabella);
    default: return {};
  }
}

}  // namespace

std::map<size_t, voce_autore> voci_celle(const celle_percorso& celle, const tabella_oggetti* tabella) {
  std::map<size_t, voce_autore> out;
  const std::vector<bool> del_passaggio = punti_del_passaggio(celle);
  for (size_t i = 0; i < celle.size(); ++i) {
    voce_autore v = voce_cella(celle, i, tabella, del_passaggio);
    if (!v.descrizione.empty()) out[i] = std::move(v);
  }
  voci_rallentamenti(celle, out);
  if (celle.size() > 1 && (celle[1].dato_1 != 0 || celle[1].dato_2 != 0)) {
    voce_autore t = voce_timbri(celle[1], tabella);
    auto it = out.find(1);
    if (it != out.end()) t.descrizione = it->second.descrizione + "; " + t.descrizione;
    out[1] = std::move(t);
  }
  return out;
}

voce_autore voce_stazione(const oggetto& o) {
  const riga_stazione r = stazione_da_oggetto(o);
  voce_autore v{parola(id_riga::stazione) + " at " + metri(r.posizione),
                numeri(id_riga::stazione, 1,
                       {r.tipo, r.lunghezza, r.opzione_1, r.opzione_5, r.opzione_4, r.param_1, r.param_2, r.opzione_2,
                        r.param_3, r.param_4, r.param_5, r.opzione_3}),
                r.nota};
  // The stored time of day, which the row writes as its hours, minutes and seconds.
  v.valori.push_back({"orario", orario_hms(o.orario), true});
  v.valori.push_back(testo(nome(id_riga::stazione, 16), r.nome));
  return v;
}

voce_autore voce_codice_tabella(const tabella_oggetti& tabella) {
  const std::string codice = testo_codice_gara(tabella);
  return {"competition code",
          {numero("codice_gara_st", tabella[kOggettoLinea].orario), testo("code_text", codice),
           {"matches", codice_gara_st(tabella) == tabella[kOggettoLinea].orario ? "true" : "false", false}},
          "each character code weighted by its place, 1 to 25"};
}

std::string voce_testo(const voce_autore& v) {
  std::string out = "  " + v.descrizione + (v.valori.empty() ? "" : ":");
  for (const valore_autore& x : v.valori) {
    out += "  " + x.nome + "=" + (x.testo ? "\"" + visibile(x.valore) + "\"" : x.valore);
  }
  if (!v.nota.empty()) out += "  (" + v.nota + ")";
  return out;
}

std::string voce_json(const voce_autore& v) {
  std::string out = "{\"row\": " + json_stringa(v.descrizione);
  for (const valore_autore& x : v.valori) {
    out += ", " + json_stringa(x.nome) + ": " + (x.testo ? json_stringa(x.valore) : x.valore);
  }
  if (!v.nota.empty()) out += ", \"note\": " + json_stringa(v.nota);
  return out + "}";
}

}  // namespace sb
