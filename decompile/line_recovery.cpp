#include "decompile/line_recovery.h"

#include <algorithm>
#include <map>
#include <set>

#include "decompile/cell_items.h"
#include "decompile/plan_stretches.h"
#include "line/progressive_ordina.h"
#include "scenario/format.h"

namespace sb {
namespace {

// The kind of a span that starts close after the previous one's end.
constexpr int32_t kTipoVicino = 3;

// The item kind of cell i.
uint8_t tipo_di(const celle_percorso& celle, int64_t i) { return celle[static_cast<size_t>(i)].tipo; }

// A span over cells a to b, its kind byte and whether it marks.
struct campata {
  int64_t a = 0;
  int64_t b = 0;
  int valore = 0;
  bool segnata = false;
};

// Whether the filler marks of a span starting at cell s fit the cells: every
// fourth cell from s + 3 up to b holds a mark or an item, and one is a mark.
bool segnata(const celle_percorso& celle, int64_t s, int64_t b) {
  bool vista = false;
  for (int64_t c = s + 3; c <= b; c += 4) {
    if (tipo_di(celle, c) == tipo_cella::libera) return false;
    vista = vista || tipo_di(celle, c) == tipo_cella::segno_montagna;
  }
  return vista;
}

// The first mark in cells s to b that a span starting at s would not place.
int64_t segno_fuori_passo(const celle_percorso& celle, int64_t s, int64_t b) {
  for (int64_t c = s; c <= b; ++c) {
    if (tipo_di(celle, c) == tipo_cella::segno_montagna && (c - s) % 4 != 3) return c;
  }
  return -1;
}

// The first mark in cells s to b, or -1.
int64_t primo_segno(const celle_percorso& celle, int64_t s, int64_t b) {
  for (int64_t c = s; c <= b; ++c) {
    if (tipo_di(celle, c) == tipo_cella::segno_montagna) return c;
  }
  return -1;
}

// The last cell of a marking span from s: before the first fourth cell that
// holds nothing (no mark was placed there) and before a span whose marks
// take another step; at least its first mark.
int64_t fine_segnata(const celle_percorso& celle, int64_t s, int64_t b) {
  const int64_t fuori = segno_fuori_passo(celle, s, b);
  int64_t e = fuori >= 0 ? fuori - 4 : b;
  for (int64_t c = s + 3; c <= e; c += 4) {
    if (tipo_di(celle, c) == tipo_cella::libera) {
      e = c - 1;
      break;
    }
  }
  return std::max(e, s + 3);
}

// One run of equal kind as spans. Spans that meet end to end take kind 3, so
// a run of kind 3 may hold several: one ends where its marks stop or change
// step. A run of another kind is one span.
void campate_del_tratto(const celle_percorso& celle, int64_t a, int64_t b, int valore, std::vector<campata>& out) {
  if (valore != kTipoVicino) {
    out.push_back({a, b, valore, segnata(celle, a, b)});
    return;
  }
  for (int64_t s = a; s <= b;) {
    const int64_t m = primo_segno(celle, s, b);
    if (m < 0) {
      out.push_back({s, b, valore, false});
      return;
    }
    if (m - 3 > s) {
      out.push_back({s, m - 4, valore, false});
      s = m - 3;
    }
    const int64_t e = std::min(fine_segnata(celle, s, b), b);
    out.push_back({s, e, valore, true});
    s = e + 1;
  }
}

// Marks outside every span of a kind: spans of kind 0 that mark, from three
// cells before their first mark to their last.
void campate_di_soli_segni(const celle_percorso& celle, std::vector<campata>& out) {
  const int64_t n = static_cast<int64_t>(celle.size());
  for (int64_t c = 3; c < n; ++c) {
    if (tipo_di(celle, c) != tipo_cella::segno_montagna || celle[static_cast<size_t>(c)].montagna != 0) continue;
    if (celle[static_cast<size_t>(c - 3)].montagna != 0) continue;
    int64_t ultima = c;
    while (ultima + 4 < n && tipo_di(celle, ultima + 4) == tipo_cella::segno_montagna &&
           celle[static_cast<size_t>(ultima + 4)].montagna == 0) {
      ultima += 4;
    }
    out.push_back({c - 3, ultima, 0, true});
    c = ultima;
  }
}

// The row of a span: kinds above 10 mark, so a marking span is written as
// its kind + 10 (266 for kind 0, whose low 8 bits give 0 after the 10 comes
// off) and a plain one above 10 as its kind - 256.
riga_montagna riga_di(const campata& k) {
  riga_montagna r;
  r.inizio = posizione_confine(k.a);
  r.fine = posizione_confine(k.b + 1);
  if (k.segnata) {
    r.tipo = k.valore == 0 ? 266 : k.valore + 10;
    if (k.valore == 0) r.nota = "a span of kind 0 with marks: 266 stands for it";
  } else {
    r.tipo = k.valore;
    if (k.valore > 10) {
      r.tipo = k.valore - 256;
      r.nota = "kind " + std::to_string(k.valore) + " without marks: its low 8 bits give the kind";
    }
  }
  return r;
}

// The latest start whose first cell nearest(p / 50) is a.
int32_t inizio_massimo(int64_t a) {
  const int32_t p = posizione_confine(a) + 25;
  return indice_confine(p) == a ? p : p - 1;
}

// The earliest end whose last cell nearest(p / 50 - 1) is b.
int32_t fine_minima(int64_t b) {
  const int32_t p = posizione_confine(b + 1) - 25;
  return static_cast<int64_t>(nearest(p / static_cast<double>(kMetriCella) - 1.0)) == b ? p : p + 1;
}

// The three references as rows: a second value raised by 100 comes back.
riga_progressiva come_riga(const oggetto& o) {
  const bool alzato = o.posizione == 1 && o.fine >= INT32_MIN + 100;
  return {o.inizio, alzato ? o.fine - 100 : o.fine, o.posizione};
}

bool stesse_progressive(const tabella_oggetti& a, const tabella_oggetti& b) {
  for (int i = kOggettoProgressivaTre; i < kOggettoProgressivaTre + 3; ++i) {
    const oggetto& x = a[static_cast<size_t>(i)];
    const oggetto& y = b[static_cast<size_t>(i)];
    if (x.inizio != y.inizio || x.fine != y.fine || x.posizione != y.posizione) return false;
  }
  return true;
}

// Curves from the plan's stretches.
std::vector<riga_curva> curve_dal_piano(const griglia_linea& griglia, std::vector<std::string>& note) {
  std::vector<riga_curva> out;
  const piano_letto l = leggi_piano(griglia);
  if (!l.seme_valido) note.push_back("the line plan does not start as the compiler starts it: no curve comes back");
  if (l.punto_estraneo >= 0) {
    note.push_back("the line plan's point " + std::to_string(l.punto_estraneo) +
                   " follows from no straight or curve: the curves stop there");
  }
  for (const tratto_piano& t : l.tratti) {
    if (t.cifra == 0) continue;
    out.push_back({static_cast<int32_t>(t.inizio), static_cast<int32_t>(t.fine - t.inizio), t.cifra, t.verso_s, ""});
  }
  return out;
}

std::vector<riga_pendenza> pendenze_dalle_celle(const celle_percorso& celle) {
  std::vector<riga_pendenza> out;
  for (const cambio_profilo& c : cambi_profilo(celle, &cella::pendenza)) {
    out.push_back({posizione_confine(c.cella), c.valore - 100, ""});
  }
  return out;
}

// A station's stop point over an indicator: the stop takes tipo and dato_1,
// the indicator's other values stay.
bool indicatore_coperto(const cella& c) {
  return c.tipo == tipo_cella::fermata && (c.dato_2 != 0 || c.dato_3 != 0 || c.dato_4 != 0);
}

std::vector<riga_indicatore> indicatori_dalle_celle(const celle_percorso& celle) {
  std::vector<riga_indicatore> out;
  for (size_t i = 0; i < celle.size(); ++i) {
    if (celle[i].tipo == tipo_cella::indicatore_vmax) out.push_back(indicatore_da_cella(celle[i], static_cast<int64_t>(i)));
    if (!indicatore_coperto(celle[i])) continue;
    cella senza_fermata = celle[i];
    senza_fermata.dato_1 = 0;
    riga_indicatore r = indicatore_da_cella(senza_fermata, static_cast<int64_t>(i));
    r.nota = "a station's stop point covers this indicator: its a speeds are lost";
    out.push_back(r);
  }
  return out;
}

}  // namespace

bool stazione_presente(const oggetto& o) {
  oggetto senza_nome = o;
  senza_nome.nome.clear();
  return !(senza_nome == oggetto{});
}

int numero_stazioni(const tabella_oggetti& tabella) {
  int k = 0;
  while (k + 1 <= kPrimoCartello && stazione_presente(tabella[static_cast<size_t>(k + 1)])) ++k;
  return k;
}

bool progressive_dalla_tabella(const tabella_oggetti& tabella, std::array<riga_progressiva, 3>& righe) {
  // Which entry each of "uno", "due", "tre" is written from, most likely first.
  static constexpr int kOrdini[6][3] = {{83, 82, 81}, {82, 83, 81}, {83, 81, 82},
                                        {81, 83, 82}, {82, 81, 83}, {81, 82, 83}};
  for (const auto& ordine : kOrdini) {
    tabella_oggetti prova = tabella;
    for (int r = 0; r < 3; ++r) {
      const riga_progressiva v = come_riga(tabella[static_cast<size_t>(ordine[r])]);
      oggetto& o = prova[static_cast<size_t>(83 - r)];  // "uno" is read into 83, "tre" into 81
      o.inizio = v.primo;
      o.fine = v.secondo;
      o.posizione = v.terzo;
    }
    if (!progressive_ordina(prova) || !stesse_progressive(prova, tabella)) continue;
    for (int r = 0; r < 3; ++r) righe[static_cast<size_t>(r)] = come_riga(tabella[static_cast<size_t>(ordine[r])]);
    return true;
  }
  for (int r = 0; r < 3; ++r) righe[static_cast<size_t>(r)] = come_riga(tabella[static_cast<size_t>(83 - r)]);
  return false;
}

std::vector<riga_montagna> montagne_dalle_celle(const celle_percorso& celle) {
  std::vector<campata> campate;
  const int64_t n = static_cast<int64_t>(celle.size());
  for (int64_t a = 0; a < n;) {
    const int v = celle[static_cast<size_t>(a)].montagna;
    int64_t b = a;
    while (b + 1 < n && celle[static_cast<size_t>(b + 1)].montagna == v) ++b;
    if (v != 0) campate_del_tratto(celle, a, b, v, campate);
    a = b + 1;
  }
  campate_di_soli_segni(celle, campate);
  std::sort(campate.begin(), campate.end(), [](const campata& x, const campata& y) { return x.a < y.a; });
  std::vector<riga_montagna> out;
  for (size_t i = 0; i < campate.size(); ++i) {
    riga_montagna r = riga_di(campate[i]);
    if (i > 0 && r.inizio - out.back().fine <= kDistanzaVicina && campate[i].valore != kTipoVicino) {
      // Keep the span off kind 3: the latest start of its first cell, the
      // earliest end of the last cell before.
      out.back().fine = fine_minima(campate[i - 1].b);
      r.inizio = inizio_massimo(campate[i].a);
      if (r.inizio - out.back().fine <= kDistanzaVicina) {
        r.nota = "this span starts within 150 m of the one before, which makes it kind 3";
      }
    }
    out.push_back(r);
  }
  return out;
}

std::vector<riga_cartello> cartelli_dalle_celle(const tabella_oggetti& tabella, const celle_percorso& celle) {
  std::map<int, int64_t> cella_di;  // caption entry -> the sign's cell
  std::vector<int64_t> fermate;
  std::set<int64_t> occupate;       // cells of the line's own rows
  for (size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    if (c.tipo == tipo_cella::cartello && c.dato_1 >= 0 && c.dato_1 <= kPrimoCartello) {
      cella_di.emplace(c.dato_1, static_cast<int64_t>(i));
    }
    if (c.tipo == tipo_cella::fermata) fermate.push_back(static_cast<int64_t>(i));
    if (c.tipo == tipo_cella::cartello || c.tipo == tipo_cella::indicatore_vmax || indicatore_coperto(c)) {
      occupate.insert(static_cast<int64_t>(i));
    }
  }
  int piu_bassa = kPrimoCartello + 1;
  if (!cella_di.empty()) piu_bassa = cella_di.begin()->first;
  for (int j = numero_stazioni(tabella) + 1; j <= kPrimoCartello; ++j) {
    if (!tabella[static_cast<size_t>(j)].nome.empty()) {
      piu_bassa = std::min(piu_bassa, j);
      break;
    }
  }
  std::vector<riga_cartello> out;
  size_t prossima_fermata = 0;
  for (int j = kPrimoCartello; j >= piu_bassa; --j) {
    riga_cartello r;
    r.didascalia = tabella[static_cast<size_t>(j)].nome;
    auto it = cella_di.find(j);
    if (it != cella_di.end()) {
      r.posizione = posizione_item(it->second);
      out.push_back(r);
      continue;
    }
    while (prossima_fermata < fermate.size() && occupate.count(fermate[prossima_fermata]) != 0) ++prossima_fermata;
    if (prossima_fermata == fermate.size()) continue;
    r.posizione = posizione_item(fermate[prossima_fermata]);
    occupate.insert(fermate[prossima_fermata]);
    r.nota = "a station's stop point took this sign's cell: its position is lost and this stop point covers it again";
    out.push_back(r);
  }
  return out;
}

descrizione_linea ricostruisci_linea(const tabella_oggetti& tabella, const celle_percorso& celle,
                                     const griglia_linea* griglia) {
  descrizione_linea d;
  const oggetto& linea = tabella[kOggettoLinea];
  const oggetto& treno = tabella[kOggettoTreno];
  d.lunghezza = tabella[kOggettoGenerale].fine;
  if (!progressive_dalla_tabella(tabella, d.progressive)) {
    d.note.push_back("no way of writing the chainage rows gives entries 81 to 83 as they stand");
  }
  d.sfondo_uno = linea.inizio;
  d.sfondo_due = linea.posizione;
  d.sfondo_tre = linea.fine;
  d.ripetizione_inizio = treno.inizio;
  d.ripetizione_fine = treno.fine;
  d.ripetizione_codici = treno.posizione == 9 ? 9 : 4;
  if (treno.posizione != 9 && treno.posizione != (treno.fine == 0 ? 0 : 4)) {
    d.note.push_back("the cab-signalling code count " + std::to_string(treno.posizione) + " is neither 4 nor 9");
  }
  if (griglia != nullptr) d.curve = curve_dal_piano(*griglia, d.note);
  d.pendenze = pendenze_dalle_celle(celle);
  d.montagne = montagne_dalle_celle(celle);
  d.indicatori = indicatori_dalle_celle(celle);
  d.cartelli = cartelli_dalle_celle(tabella, celle);
  return d;
}

}  // namespace sb
