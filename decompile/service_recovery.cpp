#include "decompile/service_recovery.h"

#include <algorithm>
#include <cstdint>
#include <queue>

#include "decompile/cell_items.h"
#include "decompile/line_recovery.h"
#include "decompile/pass_points.h"
#include "scenario/format.h"

namespace sb {
namespace {

bool tipo_5_6(int32_t tipo) { return tipo == 5 || tipo == 6; }
bool tipo_7_8(int32_t tipo) { return tipo == 7 || tipo == 8; }

// A length worked out in 64 bits as a row value: it fits 32 bits whenever a
// compile gave the entry.
int32_t in_32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The length, and for the other types the end option, from the extent.
void estensione(const oggetto& o, riga_stazione& r) {
  const int64_t p = o.posizione;
  const int64_t dietro = p - o.inizio;  // how far the extent starts before the position
  const char* nota = "the station's end does not follow from its position and length";
  if (tipo_5_6(o.tipo)) {
    r.lunghezza = in_32(dietro);
    if (o.fine != p + kCodaFermataBreve) r.nota = nota;
    return;
  }
  if (tipo_7_8(o.tipo)) {
    r.lunghezza = in_32(dietro);
    if (o.fine != p + dietro) r.nota = nota;
    return;
  }
  r.lunghezza = in_32(2 * dietro);
  const int64_t oltre = o.fine - (p + dietro);
  if (oltre == 50 && r.opzione_4 == 0) r.opzione_4 = 1;  // set in the row, cleared at the first station
  if (oltre != 0 && oltre != 50) r.nota = nota;
}

// The profile rows from the cells' bytes, each value scaled back.
std::vector<riga_profilo> profilo(const celle_percorso& celle, uint8_t cella::*campo, int scala) {
  std::vector<riga_profilo> out;
  for (const cambio_profilo& c : cambi_profilo(celle, campo)) out.push_back({posizione_confine(c.cella), c.valore * scala});
  return out;
}

std::vector<riga_stazione> stazioni(const tabella_oggetti& tabella) {
  std::vector<riga_stazione> out;
  const int k = numero_stazioni(tabella);
  for (int j = 1; j <= k; ++j) out.push_back(stazione_da_oggetto(tabella[static_cast<size_t>(j)]));
  return out;
}

std::vector<riga_rallentamento> rallentamenti(const celle_percorso& celle) {
  std::vector<riga_rallentamento> out;
  for (const rallentamento_trovato& t : rallentamenti_dalle_celle(celle)) out.push_back(t.riga);
  return out;
}

// The cells a signal at cell i marks: 2, 4, 6 and 8 before it.
bool segna(int64_t segnale, int64_t cella_) {
  const int64_t d = segnale - cella_;
  return d >= 2 && d <= 8 && d % 2 == 0;
}

// The mark a signal leaves in a cell before it.
uint8_t segno(const riga_segnale& r, int64_t segnale, int64_t cella_) {
  return static_cast<uint8_t>((r.v.sx * 3 + r.v.dx) * 10 + (segnale - cella_) / 2);
}

}  // namespace

riga_stazione stazione_da_oggetto(const oggetto& o) {
  riga_stazione r;
  r.posizione = o.posizione;
  r.tipo = o.tipo;
  r.opzione_1 = o.opzione_1;
  r.opzione_5 = o.opzione_5;
  r.opzione_4 = o.opzione_4;
  r.param_1 = o.param_1;
  r.param_2 = o.param_2;
  r.opzione_2 = o.opzione_2;
  r.param_3 = o.param_3;
  r.param_4 = o.param_4;
  r.param_5 = o.param_5;
  r.opzione_3 = o.opzione_3;
  if (o.orario >= 0) {
    r.ore = o.orario / 3600;
    r.minuti = o.orario / 60 % 60;
    r.secondi = o.orario % 60;
  } else {
    r.secondi = o.orario;
  }
  r.nome = o.nome;
  estensione(o, r);
  return r;
}

std::vector<riga_segnale> segnali_dalle_celle(const celle_percorso& celle) {
  std::vector<int64_t> dove;
  std::vector<riga_segnale> righe;
  for (size_t i = 0; i < celle.size(); ++i) {
    if (celle[i].tipo != tipo_cella::segnale) continue;
    dove.push_back(static_cast<int64_t>(i));
    righe.push_back(segnale_da_cella(celle, static_cast<int64_t>(i)));
  }
  // b after a when a cell both mark shows b's mark and not a's. Signals four
  // cells apart or less share marked cells, so only neighbours are compared.
  const size_t n = righe.size();
  std::vector<std::vector<size_t>> dopo(n);
  std::vector<int> prima(n, 0);
  for (size_t a = 0; a < n; ++a) {
    for (size_t b = a + 1; b < n && dove[b] - dove[a] <= 6; ++b) {
      for (int64_t c = dove[b] - 8; c <= dove[a] - 2; ++c) {
        if (c < 0 || !segna(dove[a], c) || !segna(dove[b], c)) continue;
        const uint8_t visto = celle[static_cast<size_t>(c)].preavviso;
        const uint8_t da_a = segno(righe[a], dove[a], c);
        const uint8_t da_b = segno(righe[b], dove[b], c);
        if (da_a == da_b || (visto != da_a && visto != da_b)) continue;  // a third signal's mark
        const size_t primo = visto == da_b ? a : b;
        const size_t secondo = visto == da_b ? b : a;
        dopo[primo].push_back(secondo);
        ++prima[secondo];
        break;
      }
    }
  }
  std::priority_queue<size_t, std::vector<size_t>, std::greater<size_t>> pronti;
  for (size_t a = 0; a < n; ++a) {
    if (prima[a] == 0) pronti.push(a);
  }
  std::vector<riga_segnale> out;
  while (!pronti.empty()) {
    const size_t a = pronti.top();
    pronti.pop();
    out.push_back(righe[a]);
    for (size_t b : dopo[a]) {
      if (--prima[b] == 0) pronti.push(b);
    }
  }
  if (out.size() != n) return righe;  // the marks contradict each other: position order
  return out;
}

std::vector<riga_abbattimento> abbattimenti_dalle_celle(const celle_percorso& celle) {
  std::vector<riga_abbattimento> out;
  const std::vector<bool> del_passaggio = punti_del_passaggio(celle);
  for (size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    if (c.tipo == tipo_cella::abbattimento_senza_valore) out.push_back({posizione_confine(static_cast<int64_t>(i)), 0, ""});
    if (c.tipo == tipo_cella::abbattimento && !del_passaggio[i]) {
      out.push_back({posizione_confine(static_cast<int64_t>(i)), c.dato_1, ""});
    }
  }
  return out;
}

descrizione_servizio ricostruisci_servizio(const tabella_oggetti& tabella, const celle_percorso& celle) {
  descrizione_servizio d;
  const oggetto& generale = tabella[kOggettoGenerale];
  const oggetto& treno = tabella[kOggettoTreno];
  d.vetture = generale.posizione;
  d.massa_frenata = generale.inizio;
  d.sabbia = treno.param_1;
  d.ore = treno.param_3;
  d.minuti = treno.param_4;
  d.secondi = treno.param_5;
  d.aderenze = profilo(celle, &cella::aderenza, 1);
  d.velocita = profilo(celle, &cella::velocita, 5);
  d.stazioni = stazioni(tabella);
  d.rallentamenti = rallentamenti(celle);
  d.segnali = segnali_dalle_celle(celle);
  d.abbattimenti = abbattimenti_dalle_celle(celle);
  return d;
}

}  // namespace sb
