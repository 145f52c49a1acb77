#include "builtin/train_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "builtin/run_timetable.h"
#include "documents/train_sheet_layout.h"

namespace sb {
namespace {

// Pages of the sheet: two of route, two blank.
constexpr size_t kPagine = 4;

// A route row and the position that orders it.
struct voce_ordinata {
  int32_t posizione;
  voce_scheda voce;
};

// The Orario cell's content for a station of the run.
void orario_stazione(const stazione_corsa& s, bool origine, bool destinazione, voce_scheda& v) {
  if (s.orario == 0) return;
  v.ora = s.orario;
  if (s.tipo >= kTipoTransito) {
    v.orario = tipo_orario::transito;
  } else if (origine) {
    v.orario = tipo_orario::partenza;
  } else if (destinazione) {
    v.orario = tipo_orario::arrivo;
  } else {
    v.orario = tipo_orario::fermata;
    v.arrivo = s.arrivo;
  }
}

// The page header of the route pages.
testata_scheda testata_corsa() {
  return {std::string(kLarghezzaRiquadro, ' '),
          "   TRENO n.40617   ",
          a_sinistra(kStazioniCorsa.front().nome, kLarghezzaStazioneTestata),
          a_sinistra(kStazioniCorsa.back().nome, kLarghezzaStazioneTestata),
          "    V140 B    ",
          "     130%     ",
          "  CLASSIFICAZIONE  ",
          "  MASSA BLOCCATA   ",
          "        Reg        ",
          "      330T         "};
}

}  // namespace

std::vector<voce_scheda> voci_scheda_corsa() {
  std::vector<voce_ordinata> voci;
  for (size_t i = 0; i < kStazioniCorsa.size(); ++i) {
    const stazione_corsa& s = kStazioniCorsa[i];
    voce_scheda v{velocita_in(s.posizione), s.posizione, std::string(s.nome)};
    orario_stazione(s, i == 0, i + 1 == kStazioniCorsa.size(), v);
    voci.push_back({s.posizione, v});
  }
  for (const riferimento_linea& r : kRiferimentiLinea) {
    voci.push_back({r.posizione, {velocita_in(r.posizione), r.progressiva, std::string(r.testo)}});
  }
  std::stable_sort(voci.begin(), voci.end(),
                   [](const voce_ordinata& a, const voce_ordinata& b) { return a.posizione < b.posizione; });
  std::vector<voce_scheda> out;
  for (const voce_ordinata& v : voci) out.push_back(v.voce);
  return out;
}

lista_righe righe_scheda() { return lista_da(pagine_scheda(testata_corsa(), voci_scheda_corsa(), kPagine)); }

}  // namespace sb
