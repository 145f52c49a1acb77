#include "service/memo_rallentamento.h"

#include "scenario/error_codes.h"
#include "service/service_read.h"

namespace sb {
namespace {

cella& at(scenario& s, int64_t i) { return s.celle[static_cast<size_t>(i)]; }

int16_t basso_16(int32_t v) { return static_cast<int16_t>(v); }

// Whether the four approach cells a, a - 1, a - 2, a - 3 are free.
bool approcci_liberi(scenario& s, int64_t a) {
  for (int64_t j = 0; j < 4; ++j) {
    if (!cella_libera(at(s, a - j))) return false;
  }
  return true;
}

}  // namespace

bool celle_di_rallentamento(int32_t posizione, const valori_rallentamento& v, celle_rallentamento& c) {
  int32_t fine = 0;
  if (__builtin_add_overflow(posizione, v.l, &fine)) return false;
  c.posizione = posizione;
  c.inizio = indice_cella(posizione);
  c.fine = indice_cella(fine);
  c.con_avviso = posizione > 1500;
  if (!c.con_avviso) return true;
  c.avviso = indice_cella(posizione - 1200);
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
    registra_codice(s, kAvvisoOccupato, origine_errore::nessuna, 0);
    return;
  }
  if (!cella_libera(at(s, c.inizio))) {
    registra_codice(s, kInizioRallentamento, origine_errore::nessuna, 0);
    return;
  }
  if (!cella_libera(at(s, c.fine))) {
    registra_codice(s, kFineRallentamento, origine_errore::nessuna, 0);
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
  if (!approcci_liberi(s, c.approccio)) {
    registra_codice(s, kApprocciOccupati, origine_errore::nessuna, 0);
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
