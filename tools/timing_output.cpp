#include "tools/timing_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "inspect/json_text.h"
#include "scenario/checked_conversion.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// "2:40.3": minutes and seconds with a tenth; "-" for a time the train
// never makes (the run keeps no time past a day, and the conversion is
// checked all the same).
std::string minuti_secondi(double s) {
  if (!std::isfinite(s)) return "-";
  const int64_t d = intero_limitato(s * 10.0, -kMassimoInteroEsatto, kMassimoInteroEsatto);
  char testo[48];
  std::snprintf(testo, sizeof testo, "%lld:%02lld.%lld", static_cast<long long>(d / 600),
                static_cast<long long>(d / 10 % 60), static_cast<long long>(d % 10));
  return testo;
}

// "3:00": a scheduled time, whole seconds.
std::string minuti_interi(int32_t s) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%d:%02d", s / 60, s % 60);
  return testo;
}

// A value with a sign and one decimal, "+19.7"; "-" when infinite.
std::string con_segno(double v) {
  if (!std::isfinite(v)) return "-";
  char testo[48];
  std::snprintf(testo, sizeof testo, "%+.1f", v);
  return testo;
}

// A code page 1252 name padded to a width in characters (one byte each),
// then shown as UTF-8.
std::string colonna_nome(const std::string& nome, size_t larghezza) {
  std::string s = nome;
  if (s.size() < larghezza) s.resize(larghezza, ' ');
  return cp1252_in_utf8(s);
}

// A text right-aligned in a width.
std::string a_destra(const std::string& s, size_t larghezza) {
  return s.size() >= larghezza ? s : std::string(larghezza - s.size(), ' ') + s;
}

// "BORVALE 40617: 4 vehicles, 180 t, 100 m; recovery margin 3 %".
std::string intestazione(const risultato_marcia& r, const scenario& s) {
  char testo[160];
  std::snprintf(testo, sizeof testo, ": %d vehicles, %g t, %g m; recovery margin %g %%", r.vetture,
                r.modello.massa_kg / 1000.0, r.modello.lunghezza_m, r.modello.margine_recupero);
  return cp1252_in_utf8(s.nome_linea + " " + s.numero_treno) + testo;
}

// Why there is no run at all, for an author; empty when there is one.
std::string senza_corsa(const risultato_marcia& r) {
  if (r.esito == esito_corsa::senza_corsa) return "no run: the service has fewer than two stations";
  if (r.esito == esito_corsa::fuori_ordine) return "no run: the stations do not follow each other along the route";
  return "";
}

// "complete", "none", "out of order", "stopped": how the run ended, for JSON.
const char* esito_json(esito_corsa e) {
  switch (e) {
    case esito_corsa::completa: return "complete";
    case esito_corsa::senza_corsa: return "none";
    case esito_corsa::fuori_ordine: return "out of order";
    case esito_corsa::ferma: return "stopped";
  }
  return "none";
}

// "07:22:30".
std::string ora(int32_t s) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", s / 3600 % 24, s / 60 % 60, s % 60);
  return testo;
}

}  // namespace

std::string timing_tabella(const risultato_marcia& r, const scenario& s) {
  std::string out = intestazione(r, s) + "\n";
  if (const std::string no = senza_corsa(r); !no.empty()) return out + no + "\n";
  size_t larghezza = 4;
  for (const stazione_marcia& st : r.stazioni) larghezza = std::max(larghezza, st.nome.size());
  // The figures of each leg, then each column as wide as its widest figure.
  std::vector<std::array<std::string, 5>> cifre;
  std::array<size_t, 5> colonne = {8, 9, 7, 8, 7};
  for (const tratta_orario& t : r.tratte) {
    const std::string pct = std::isfinite(t.margine_pct) ? con_segno(t.margine_pct) + " %" : "-";
    cifre.push_back({std::to_string(t.distanza_m) + " m", minuti_interi(t.tempo_previsto_s),
                     minuti_secondi(t.tempo_minimo_s), con_segno(t.margine_s) + " s", pct});
    for (size_t k = 0; k < colonne.size(); ++k) colonne[k] = std::max(colonne[k], cifre.back()[k].size());
  }
  out += colonna_nome("from", larghezza) + "  " + colonna_nome("to", larghezza) + "  " +
         a_destra("distance", colonne[0]) + "  " + a_destra("scheduled", colonne[1]) + "  " +
         a_destra("fastest", colonne[2]) + "  " + a_destra("margin", colonne[3]) + "\n";
  for (size_t i = 0; i < r.tratte.size(); ++i) {
    const tratta_orario& t = r.tratte[i];
    out += colonna_nome(r.stazioni[t.da].nome, larghezza) + "  " + colonna_nome(r.stazioni[t.a].nome, larghezza);
    for (size_t k = 0; k < colonne.size(); ++k) out += "  " + a_destra(cifre[i][k], colonne[k]);
    out += "\n";
  }
  for (const rilievo_orario& x : rilievi_orario(r)) {
    if (x.tratta >= r.tratte.size() || !std::isfinite(r.tratte[x.tratta].tempo_minimo_s)) {
      out += cp1252_in_utf8(x.messaggio) + "\n";
    }
  }
  return out;
}

std::string timing_json(const risultato_marcia& r, const scenario& s) {
  std::string j = "{\"line\": " + json_stringa(cp1252_in_utf8(s.nome_linea)) +
                  ", \"train\": " + json_stringa(cp1252_in_utf8(s.numero_treno)) +
                  ", \"vehicles\": " + std::to_string(r.vetture) +
                  ", \"mass_t\": " + json_decimale(r.modello.massa_kg / 1000.0, 3) +
                  ", \"length_m\": " + json_decimale(r.modello.lunghezza_m, 3) +
                  ", \"recovery_margin_pct\": " + json_decimale(r.modello.margine_recupero, 3) +
                  ", \"run\": " + json_stringa(esito_json(r.esito)) + ",\n \"legs\": [";
  for (size_t k = 0; k < r.tratte.size(); ++k) {
    const tratta_orario& t = r.tratte[k];
    j += std::string(k == 0 ? "\n" : ",\n") + "  {\"from\": " + json_stringa(cp1252_in_utf8(r.stazioni[t.da].nome)) +
         ", \"to\": " + json_stringa(cp1252_in_utf8(r.stazioni[t.a].nome)) +
         ", \"distance_m\": " + std::to_string(t.distanza_m) + ", \"departure\": " + json_stringa(ora(t.partenza)) +
         ", \"arrival\": " + json_stringa(ora(t.arrivo)) + ", \"scheduled_s\": " + std::to_string(t.tempo_previsto_s) +
         ", \"fastest_s\": " + json_decimale(t.tempo_minimo_s, 2) + ", \"margin_s\": " + json_decimale(t.margine_s, 2) +
         ", \"margin_pct\": " + json_decimale(t.margine_pct, 2) + "}";
  }
  j += "\n ],\n \"cells\": [";
  for (size_t k = 0; k < r.campioni.size(); ++k) {
    const campione_cella& c = r.campioni[k];
    j += std::string(k == 0 ? "\n" : ",\n") + "  {\"cell\": " + std::to_string(c.cella) +
         ", \"position_m\": " + std::to_string(c.posizione) + ", \"chainage_m\": " + std::to_string(c.progressiva) +
         ", \"limit_kmh\": " + json_decimale(c.limite_kmh, 1) + ", \"speed_kmh\": " + json_decimale(c.velocita_kmh, 2) +
         ", \"time_s\": " + json_decimale(c.tempo_s, 2) + "}";
  }
  return j + "\n ]\n}\n";
}

std::string timing_csv(const risultato_marcia& r) {
  std::string c = "cell,position_m,chainage_m,limit_kmh,speed_kmh,time_s\n";
  for (const campione_cella& x : r.campioni) {
    c += std::to_string(x.cella) + "," + std::to_string(x.posizione) + "," + std::to_string(x.progressiva) + "," +
         testo_decimale(x.limite_kmh, 1) + "," + testo_decimale(x.velocita_kmh, 2) + "," + testo_decimale(x.tempo_s, 2) +
         "\n";
  }
  return c;
}

}  // namespace sb
