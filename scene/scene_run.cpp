#include "scene/scene_run.h"

#include <cmath>

#include "inspect/cell_meaning.h"
#include "running_time/running_time.h"
#include "text_input/utf8_input.h"

namespace sb {

marcia_scena marcia_di(const tabella_oggetti& tabella, const celle_percorso& celle, const profilo_treno& p) {
  scenario s;
  s.tabella = tabella;
  s.celle = celle;
  // The stations are the first entries; the sign captions above them are not.
  s.limite_stazioni = 0;
  for (int i = 1; i < kOggettoProgressivaTre; ++i) {
    if (e_stazione(i, tabella[static_cast<size_t>(i)])) s.limite_stazioni = i;
  }
  const risultato_marcia r = tempi_di_marcia(s, p);
  marcia_scena m;
  if (r.esito == esito_corsa::senza_corsa || r.esito == esito_corsa::fuori_ordine) return m;
  m.punti.reserve(r.campioni.size());
  for (const campione_cella& c : r.campioni) m.punti.push_back({c.posizione, c.limite_kmh, c.velocita_kmh, c.tempo_s});
  // The timetable from the first timed station's departure, as the run's times.
  const stazione_marcia* primo = nullptr;
  for (size_t k = 0; k < r.stazioni.size(); ++k) {
    const stazione_marcia& st = r.stazioni[k];
    if (!st.con_orario) continue;
    if (primo == nullptr) primo = &st;
    const double zero = primo->partenza - r.partenza_s[static_cast<size_t>(primo - r.stazioni.data())];
    auto dal_via = [&](int32_t t) {
      double d = t - zero;
      while (d < -1) d += 24 * 3600;  // past midnight
      return d;
    };
    m.orari.push_back({st.posizione, cp1252_in_utf8(st.nome), dal_via(st.arrivo), dal_via(st.partenza),
                       r.arrivo_s[k], r.partenza_s[k]});
  }
  return m;
}

}  // namespace sb
