#include "inspect/author_terms.h"

#include "decompile/cell_items.h"
#include "decompile/pass_points.h"
#include "decompile/service_recovery.h"
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

voce_autore voce_segnale(const celle_percorso& celle, size_t i) {
  const riga_segnale r = segnale_da_cella(celle, static_cast<int64_t>(i));
  const valori_segnale& v = r.v;
  return {"segnale at " + metri(r.posizione),
          {numero("sx", v.sx), numero("s1", v.s1), numero("s2", v.s2), numero("s3", v.s3), numero("rapp", v.rapp),
           numero("dx", v.dx), numero("d1", v.d1), numero("d2", v.d2), numero("d3", v.d3), numero("tempo", v.tempo)},
          r.nota};
}

voce_autore voce_indicatore(const cella& c, size_t i) {
  const riga_indicatore r = indicatore_da_cella(c, static_cast<int64_t>(i));
  const indicatore_vmax& v = r.v;
  return {"indicatori_vmax at " + metri(v.posizione),
          {numero("vas", v.vas), numero("vbs", v.vbs), numero("vcs", v.vcs), numero("strisces", v.strisces),
           numero("vad", v.vad), numero("vbd", v.vbd), numero("vcd", v.vcd), numero("strisced", v.strisced)},
          ""};
}

// The slowdowns' cells: the start with the row's values, the other points
// naming the slowdown they belong to.
void voci_rallentamenti(const celle_percorso& celle, std::map<size_t, voce_autore>& out) {
  for (const rallentamento_trovato& t : rallentamenti_dalle_celle(celle)) {
    const riga_rallentamento& r = t.riga;
    const std::string di = " of the rallentamento at " + metri(r.posizione);
    out[static_cast<size_t>(t.inizio)] = {"rallentamento at " + metri(r.posizione),
                                          {numero("v", r.v.v), numero("l", r.v.l), numero("f_tt", r.v.f_tt),
                                           numero("f_ta", r.v.f_ta), numero("d_v", r.v.d_v)},
                                          r.nota};
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
  v.valori = {testo("nome", o.nome), numero("posizione", o.posizione), numero("tipo", o.tipo)};
  return v;
}

voce_autore voce_cartello(const cella& c, size_t i, const tabella_oggetti* tabella) {
  voce_autore v{"cartello_indicatore at " + metri(posizione_item(static_cast<int64_t>(i))),
                {numero("entry", c.dato_1)}, ""};
  if (tabella != nullptr && c.dato_1 >= 0 && c.dato_1 < kNumeroOggetti) {
    v.valori.push_back(testo("didascalia", (*tabella)[static_cast<size_t>(c.dato_1)].nome));
  }
  return v;
}

voce_autore voce_abbattimento(const cella& c, size_t i, bool del_passaggio) {
  if (del_passaggio) return {"placed by the signal aspect pass", {numero("value", c.dato_1)}, ""};
  const int32_t valore = c.tipo == tipo_cella::abbattimento ? c.dato_1 : 0;
  return {"abbattimento at " + metri(posizione_confine(static_cast<int64_t>(i))), {numero("value", valore)}, ""};
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
  return {"stazione at " + metri(r.posizione),
          {numero("tipo", r.tipo), numero("lunghezza", r.lunghezza), numero("opzione_1", r.opzione_1),
           numero("opzione_5", r.opzione_5), numero("opzione_4", r.opzione_4), numero("param_1", r.param_1),
           numero("param_2", r.param_2), numero("opzione_2", r.opzione_2), numero("param_3", r.param_3),
           numero("param_4", r.param_4), numero("param_5", r.param_5), numero("opzione_3", r.opzione_3),
           {"orario", orario_hms(o.orario), true}, testo("nome", r.nome)},
          r.nota};
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
