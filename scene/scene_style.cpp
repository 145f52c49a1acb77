#include "scene/scene_style.h"

#include <algorithm>

#include "documents/train_sheet_layout.h"

namespace sb {
namespace {

// An item track's height for its lanes.
constexpr int altezza(int corsie) { return kPrimaCorsia + corsie * kAltezzaCorsia + 3; }

traccia di_elementi(const char* id, const char* titolo, const char* colore, genere_elemento g, simbolo f,
                    int corsie) {
  return {id, titolo, colore, false, g, genere_profilo::pendenza, f, corsie, altezza(corsie)};
}

traccia di_profilo(const char* id, const char* titolo, const char* colore, genere_profilo g, int h) {
  return {id, titolo, colore, true, genere_elemento::stazione, g, simbolo::barra, 0, h};
}

}  // namespace

const std::vector<traccia>& tracce() {
  static const std::vector<traccia> t = {
      di_elementi("stazione", "stations", "#2a6f2a", genere_elemento::stazione, simbolo::cerchio, 4),
      di_elementi("segnale", "signals", "#d62728", genere_elemento::segnale, simbolo::punto, 0),
      di_elementi("abbattimento", "code-reduction points", "#9467bd", genere_elemento::abbattimento,
                  simbolo::triangolo, 1),
      di_elementi("cartello", "sign boards", "#1f77b4", genere_elemento::cartello, simbolo::quadrato, 2),
      di_elementi("indicatore", "speed indicators", "#e07b00", genere_elemento::indicatore, simbolo::rombo, 2),
      di_elementi("rallentamento", "slowdowns", "#c2185b", genere_elemento::rallentamento, simbolo::barra, 1),
      di_elementi("montagna", "montagna spans", "#8c6d31", genere_elemento::montagna, simbolo::barra, 1),
      di_elementi("curva", "curves", "#138d90", genere_elemento::curva, simbolo::barra, 1),
      di_profilo("pendenza", "gradient \xE2\x80\xB0", "#8c564b", genere_profilo::pendenza, 78),
      di_profilo("velocita", "speed limit km/h", "#1f5fb4", genere_profilo::velocita, 78),
      di_profilo("aderenza", "adhesion", "#2ca02c", genere_profilo::aderenza, 54),
  };
  return t;
}

bool traccia_usata(const scena& s, const traccia& t) {
  if (t.profilo) {
    return std::any_of(s.profili.begin(), s.profili.end(),
                       [&](const profilo_scena& p) { return p.genere == t.genere_p && !p.tratti.empty(); });
  }
  return std::any_of(s.elementi.begin(), s.elementi.end(),
                     [&](const elemento_scena& e) { return e.genere == t.genere; });
}

std::string titolo_elemento(const elemento_scena& e) {
  const std::string km = " km " + chilometri(e.progressiva) + ", route ";
  if (e.genere == genere_elemento::stazione) {
    return "stazione " + e.etichetta + " at" + km + metri_leggibili(e.punto) + " m";
  }
  const bool tratto = std::any_of(tracce().begin(), tracce().end(), [&](const traccia& t) {
    return !t.profilo && t.genere == e.genere && t.forma == simbolo::barra;
  });
  if (tratto) return e.parola + " from" + km + metri_leggibili(e.da) + " \xE2\x80\x93 " + metri_leggibili(e.a) + " m";
  return e.parola + " at" + km + metri_leggibili(e.punto) + " m";
}

std::string etichetta_fine(const scena& s) { return "fine percorso km " + chilometri(s.progressiva_fine); }

std::string titolo_fine(const scena& s) { return etichetta_fine(s) + ", route " + metri_leggibili(s.lunghezza) + " m"; }

}  // namespace sb
