#include "service/memo_rallentamento.h"

#include <string>

#include "scenario/cell_occupant.h"
#include "scenario/error_codes.h"
#include "scenario/format.h"
#include "service/service_read.h"

namespace sb {
namespace {

cella& at(scenario& s, int64_t i) { return s.celle[static_cast<size_t>(i)]; }

int16_t basso_16(int32_t v) { return static_cast<int16_t>(v); }

// The first of the four approach cells a, a - 1, a - 2, a - 3 that is
// taken; -1 when all are free.
int64_t approccio_occupato(scenario& s, int64_t a) {
  for (int64_t j = 0; j < 4; ++j) {
    if (!cella_libera(at(s, a - j))) return a - j;
  }
  return -1;
}

// Records a code for a taken cell of the slowdown, what holds it and where
// that came from.
void occupata(scenario& s, int32_t codice, const celle_rallentamento& c, const char* quale, int64_t i) {
  registra_codice(s, codice, luogo_testo{},
                  "slowdown at " + std::to_string(c.posizione) + " m: " + quale + ", " + cella_e_metro(i) +
                      ", already holds " + occupante_cella(s, i));
  nota_su_occupante(s, i);
}

}  // namespace

bool celle_di_rallentamento(int32_t posizione, const valori_rallentamento& v, celle_rallentamento& c) {
  int32_t fine = 0;
  if (__builtin_add_overflow(posizione, v.l, &fine)) return false;
  c.posizione = posizione;
  c.inizio = indice_cella(posizione);
  c.fine = indice_cella(fine);
  c.con_avviso = posizione > kRallentamentoSenzaAvviso;
  if (!c.con_avviso) return true;
  c.avviso = indice_cella(posizione - kDistanzaAvvisoRallentamento);
  c.con_approcci = v.f_ta != 0;
  // The four cells right before the warning cell. nearest(W / 50) would land
  // on the warning cell itself, or leave a gap, whenever W / 50 ends in .5.
  c.approccio = c.avviso - 1;
  return true;
}

bool rallentamento_nel_percorso(const scenario& s, const celle_rallentamento& c) {
  if (!cella_esiste(s, c.inizio) || !cella_esiste(s, c.fine)) return false;
  if (c.con_avviso && !cella_esiste(s, c.avviso)) return false;
  if (c.con_approcci && !(cella_esiste(s, c.approccio - 3) && cella_esiste(s, c.approccio))) return false;
  return true;
}

void memo_rallentamento(scenario& s, const celle_rallentamento& c, const valori_rallentamento& v) {
  if (c.con_avviso && !cella_libera(at(s, c.avviso))) {
    occupata(s, kAvvisoOccupato, c, "its warning point 1200 m before", c.avviso);
    return;
  }
  if (!cella_libera(at(s, c.inizio))) {
    occupata(s, kInizioRallentamento, c, "its start", c.inizio);
    return;
  }
  if (!cella_libera(at(s, c.fine))) {
    occupata(s, kFineRallentamento, c, "its end", c.fine);
    return;
  }
  at(s, c.fine).tipo = tipo_cella::fine_rallentamento;
  if (v.d_v != 0) at(s, c.fine).dato_2 = basso_16(v.d_v);
  at(s, c.inizio).tipo = tipo_cella::inizio_rallentamento;
  if (v.d_v != 0) at(s, c.inizio).dato_2 = basso_16(v.d_v);
  if (c.con_avviso) {
    cella& avviso = at(s, c.avviso);
    avviso.tipo = tipo_cella::avviso_rallentamento;
    if (v.d_v != 0) avviso.dato_2 = basso_16(v.d_v);
    avviso.dato_1 = basso_16(v.v);
  }
  for (int64_t i : {c.inizio, c.fine}) {
    at(s, i).dato_1 = basso_16(v.v);
    at(s, i).dato_3 = basso_16(v.f_tt);
  }
  if (!c.con_approcci) return;
  if (int64_t i = approccio_occupato(s, c.approccio); i >= 0) {
    occupata(s, kApprocciOccupati, c, "an approach cell before its warning point", i);
    return;
  }
  for (int16_t j = 0; j < 4; ++j) {
    cella& a = at(s, c.approccio - j);
    a.tipo = tipo_cella::approccio_rallentamento;
    a.dato_1 = static_cast<int16_t>(j + 1);
    if (v.d_v != 0) a.dato_2 = static_cast<int16_t>(j + 1);
  }
}

}  // namespace sb
