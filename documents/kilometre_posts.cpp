#include "documents/kilometre_posts.h"

#include <limits>
#include <string>

#include "documents/compiled_run.h"
#include "documents/line_landmarks.h"
#include "documents/train_sheet_layout.h"
#include "scenario/format.h"

namespace sb {
namespace {

// Where the kilometre lies and how to mend the post, in words: "km 9+000
// lies at 9000 m; move the post there or mend its caption".
std::string dove_sta(const scenario& s, int64_t chilometro) {
  const std::string km = "km " + chilometro_cippo(chilometro);
  const int64_t fine = s.tabella[kOggettoGenerale].fine;
  const std::optional<int64_t> p = posizione_del_chilometro(s.tabella, chilometro);
  if (!p) return "no position of the route has " + km + "; mend its caption or the chainage references";
  if (*p > fine) {
    return km + " would lie at " + std::to_string(*p) + " m, past the route's end at " + std::to_string(fine) +
           " m; mend its caption or the chainage references";
  }
  return km + " lies at " + std::to_string(*p) + " m; move the post there or mend its caption";
}

}  // namespace

std::optional<int64_t> posizione_del_chilometro(const tabella_oggetti& tabella, int64_t chilometro) {
  const std::vector<tratto_progressiva> tratti = tratti_progressiva(tabella);
  int64_t da = 0;
  int64_t scarto = 0;  // before the first stretch the chainage is the position
  for (size_t i = 0; i <= tratti.size(); ++i) {
    const int64_t fino = i < tratti.size() ? tratti[i].da : std::numeric_limits<int64_t>::max();
    const int64_t p = chilometro - scarto;
    if (p >= da && p < fino) return p;
    if (i < tratti.size()) {
      da = tratti[i].da;
      scarto = tratti[i].scarto;
    }
  }
  return std::nullopt;
}

std::vector<diagnostica> avvisi_cippi(const scenario& s) {
  std::vector<diagnostica> avvisi;
  for (const riferimento_linea_compilata& r : riferimenti_compilati(s)) {
    if (r.voce_didascalia <= 0) continue;
    int64_t chilometro = -1;
    const std::string& didascalia = s.tabella[static_cast<size_t>(r.voce_didascalia)].nome;
    testo_cartello(didascalia, chilometro);
    if (chilometro < 0) continue;
    const int64_t progressiva = progressiva_a(s.tabella, r.posizione);
    if (chilometro - progressiva <= kScartoCippo && progressiva - chilometro <= kScartoCippo) continue;
    const luogo_testo dove = s.luogo_voce[static_cast<size_t>(r.voce_didascalia)];
    diagnostica d;
    d.livello = gravita::avviso;
    d.genere = genere_avviso::cippo_discorde;
    d.origine = dove.origine;
    d.riga = dove.riga;
    d.colonna = dove.colonna;
    d.messaggio = "the kilometre post '" + didascalia + "' at " + std::to_string(r.posizione) + " m reads km " +
                  chilometro_cippo(chilometro) + ", but the chainage there is km " + chilometro_cippo(progressiva) +
                  ": " + dove_sta(s, chilometro);
    avvisi.push_back(d);
  }
  return avvisi;
}

}  // namespace sb
