#include "scenario/cell_occupant.h"

#include <algorithm>

#include "scenario/format.h"

namespace sb {
namespace {

// The station whose entry a stop point names, in words.
std::string stazione(const scenario& s, int16_t voce) {
  std::string testo = "station " + std::to_string(voce);
  if (voce < 1 || voce >= kNumeroOggetti) return testo;
  const std::string& nome = s.tabella[static_cast<size_t>(voce)].nome;
  if (!nome.empty()) testo += " '" + nome + "'";
  return testo;
}

// The sign board whose caption entry a cell names.
std::string cartello(const scenario& s, int16_t voce) {
  if (voce < 0 || voce >= kNumeroOggetti) return "a sign board";
  return "the sign board '" + s.tabella[static_cast<size_t>(voce)].nome + "'";
}

}  // namespace

std::string cella_e_metro(int64_t i) {
  return "cell " + std::to_string(i) + " (" + std::to_string((i - 1) * kMetriCella) + " m)";
}

std::string occupante_cella(const scenario& s, int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(s.celle.size())) return "nothing";
  const cella& c = s.celle[static_cast<size_t>(i)];
  switch (c.tipo) {
    case tipo_cella::segnale: return "a signal";
    case tipo_cella::fine_rallentamento: return "the end of a slowdown";
    case tipo_cella::inizio_rallentamento: return "the start of a slowdown";
    case tipo_cella::avviso_rallentamento: return "the warning point of a slowdown";
    case tipo_cella::approccio_rallentamento: return "an approach cell of a slowdown";
    case tipo_cella::indicatore_vmax: return "a maximum-speed indicator";
    case tipo_cella::fermata: return "the stop point of " + stazione(s, c.dato_1);
    case tipo_cella::abbattimento:
    case tipo_cella::abbattimento_senza_valore: return "a code-reduction point";
    case tipo_cella::cartello: return cartello(s, c.dato_1);
    case tipo_cella::libera:
    case tipo_cella::segno_montagna: return "nothing";
    default: return "an item of kind " + std::to_string(c.tipo);
  }
}

void nota_su_occupante(scenario& s, int64_t i) {
  const luogo_testo dove = origine_di(s, i).oggetto;
  if (dove.riga == 0) return;
  std::string cosa = occupante_cella(s, i);
  registra_nota(s, dove, cosa + " in " + cella_e_metro(i) + " comes from this row");
}

void nota_su_preavviso(scenario& s, int64_t i) {
  const luogo_testo dove = origine_di(s, i).preavviso;
  if (dove.riga == 0) return;
  registra_nota(s, dove, "the approach mark in " + cella_e_metro(i) + " comes from this row");
}

std::string oltre_le_celle(const scenario& s, int64_t p, int32_t margine) {
  const int64_t fine_celle = (static_cast<int64_t>(s.celle.size()) - 1) * kMetriCella;
  return "position " + std::to_string(p) + " m is beyond the route's cells: the route ends at " +
         std::to_string(s.tabella[kOggettoGenerale].fine) + " m, its cells run on to " + std::to_string(fine_celle) +
         " m, and a row needs " + std::to_string(margine) + " m of them past its position, so it may stand up to " +
         std::to_string(fine_celle - margine) + " m";
}

void avviso_oltre_fine(scenario& s, const luogo_testo& dove, int64_t p, const std::string& cosa) {
  const int32_t fine = s.tabella[kOggettoGenerale].fine;
  if (p <= fine) return;
  registra_avviso(s, genere_avviso::oltre_fine, dove,
                  cosa + " at " + std::to_string(p) + " m lies past the route's end at " + std::to_string(fine) +
                      " m ('lunghezza percorso'): the run ends before the train reaches it");
}

void avviso_prima_dell_inizio(scenario& s, const luogo_testo& dove, int64_t p, const std::string& cosa,
                              const std::string& effetto) {
  if (p >= 0) return;
  registra_avviso(s, genere_avviso::prima_dell_inizio, dove,
                  cosa + " at " + std::to_string(p) + " m lies before the route's start at 0 m: " + effetto);
}

std::string prima_delle_celle(int64_t p, int64_t cella, const std::string& cosa) {
  return cosa + " at " + std::to_string(p) + " m lies before the route's start at 0 m: its cell would be " +
         std::to_string(cella) + "; write a position of 0 or more";
}

std::string effetto_profilo_prima(bool prima_riga, int64_t posizione_precedente, const std::string& valore) {
  if (prima_riga) return "it writes no cell, and its " + valore + " holds from 0 m, as if the row stood there; write 0";
  return "it writes no cell, and its " + valore + " takes the place of the previous row's from " +
         std::to_string(std::max<int64_t>(posizione_precedente, 0)) +
         " m on; write the position where it begins";
}

}  // namespace sb
