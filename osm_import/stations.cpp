#include "osm_import/stations.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "osm_import/names.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// The extent of a station row (types other than 5 to 8, option 6 off).
int32_t inizio_estensione(const riga_stazione& s) { return static_cast<int32_t>(std::nearbyint(s.posizione - s.lunghezza / 2.0)); }
int32_t fine_estensione(const riga_stazione& s) { return static_cast<int32_t>(std::nearbyint(s.posizione + s.lunghezza / 2.0)); }

// The room the format wants between two stations' extents.
constexpr int32_t kTraEstensioni = 350;

// Whether a node is a stop position on the track.
bool posizione_di_fermata(const punto_osm& p) {
  return valore_tag(p.tag, "public_transport") == "stop_position" || valore_tag(p.tag, "railway") == "stop";
}

// The origin's row, as the built-in run's first station.
riga_stazione origine(int32_t posizione) {
  riga_stazione s;
  s.posizione = posizione;
  s.tipo = 4;
  s.lunghezza = 400;
  s.opzione_1 = 1;
  s.param_1 = 4, s.param_2 = 1, s.opzione_2 = 0;
  s.param_3 = 2, s.param_4 = 1, s.param_5 = 1;
  s.opzione_3 = 1;
  return s;
}

// A stop's row, as the built-in run's stops.
riga_stazione fermata(int32_t posizione) {
  riga_stazione s;
  s.posizione = posizione;
  s.tipo = 12;
  s.lunghezza = 300;
  s.param_1 = 1, s.param_2 = 1, s.opzione_2 = 0;
  s.param_3 = 4, s.param_4 = 1, s.param_5 = 1;
  s.opzione_3 = 30;
  return s;
}

// The destination's row, as the built-in run's last station.
riga_stazione destinazione(int32_t posizione) {
  riga_stazione s = fermata(posizione);
  s.tipo = 4;
  s.lunghezza = 400;
  s.param_3 = 2;
  s.opzione_3 = 60;
  return s;
}

// Seconds a train takes over the cells between two positions, at six tenths
// of the limits, with a minute to start and stop.
double tempo_facile(const std::vector<int32_t>& velocita_celle, int32_t da, int32_t a) {
  double secondi = 60.0;
  for (int32_t c = da / 50; c < a / 50; ++c) {
    const size_t i = std::min(static_cast<size_t>(std::max(c, 0)), velocita_celle.size() - 1);
    secondi += 50.0 / (0.6 * velocita_celle[i] / 3.6);
  }
  return secondi;
}

// Sets a row's time from seconds since midnight.
void metti_ora(riga_stazione& s, int32_t secondi) {
  s.ore = secondi / 3600 % 24;
  s.minuti = secondi / 60 % 60;
  s.secondi = secondi % 60;
}

}  // namespace

std::vector<stazione_vista> stazioni_vicine(const dati_osm& dati, const percorso_misurato& m,
                                            const std::vector<luogo>& luoghi) {
  struct migliore {
    sul_percorso dove;
    bool fermata = false;
  };
  std::map<std::string, migliore> per_nome;
  for (const punto_osm& p : dati.punti) {
    if (!stazione_con_nome(p)) continue;
    const sul_percorso q = proietta_su_percorso(m, p.dove);
    if (q.distanza > kDistanzaStazione) continue;
    const bool sul_binario = posizione_di_fermata(p) && q.distanza <= 20.0;
    auto [it, nuovo] = per_nome.emplace(std::string(valore_tag(p.tag, "name")), migliore{q, sul_binario});
    migliore& b = it->second;
    if (nuovo) continue;
    if ((sul_binario && !b.fermata) || (sul_binario == b.fermata && q.distanza < b.dove.distanza)) b = {q, sul_binario};
  }
  const double fine = m.t.lunghezza();
  std::vector<stazione_vista> viste;
  for (const auto& [nome, b] : per_nome) {
    double metro = b.dove.metro;
    if (luoghi.front().stazione && nome == luoghi.front().nome) metro = 0.0;
    else if (luoghi.back().stazione && nome == luoghi.back().nome) metro = fine;
    else if ((metro <= 0.0 || metro >= fine) && b.dove.distanza > 50.0) continue;  // behind an end of the route
    viste.push_back({nome, metro});
  }
  std::stable_sort(viste.begin(), viste.end(),
                   [](const stazione_vista& a, const stazione_vista& b) { return a.metro < b.metro; });
  return viste;
}

stazioni_percorso righe_stazioni(const std::vector<stazione_vista>& viste, const percorso_misurato& m,
                                 const std::vector<int32_t>& velocita_celle) {
  stazioni_percorso r;
  if (viste.size() < 2) {
    r.errore = viste.empty() ? "no station, halt or stop within 200 m of the route"
                             : "only one station within 200 m of the route ('" + viste.front().nome +
                                   "'): a run needs an origin and a destination";
    return r;
  }
  std::vector<riga_stazione> righe;
  std::vector<std::string> nomi;
  righe.push_back(origine(a_cella(punto_piano(m, viste.front().metro))));
  nomi.push_back(viste.front().nome);
  r.metri.push_back(viste.front().metro);
  riga_stazione ultima = destinazione(a_cella(punto_piano(m, viste.back().metro)));
  for (size_t i = 1; i + 1 < viste.size(); ++i) {
    riga_stazione s = fermata(a_cella(punto_piano(m, viste[i].metro)));
    if (inizio_estensione(s) < fine_estensione(righe.back()) + kTraEstensioni ||
        inizio_estensione(ultima) < fine_estensione(s) + kTraEstensioni) {
      r.detto.push_back("'" + viste[i].nome + "' at " + metri_detti(s.posizione) + " is left out: a station's extent must begin " +
                        std::to_string(kTraEstensioni) + " m after the one before ends");
      continue;
    }
    righe.push_back(s);
    nomi.push_back(viste[i].nome);
    r.metri.push_back(viste[i].metro);
  }
  if (inizio_estensione(ultima) < fine_estensione(righe.back()) + kTraEstensioni) {
    r.errore = "'" + viste.front().nome + "' and '" + viste.back().nome + "' are " + metri_detti(ultima.posizione) +
               " apart: the route is too short for an origin and a destination (750 m at least)";
    return r;
  }
  righe.push_back(ultima);
  nomi.push_back(viste.back().nome);
  r.metri.push_back(viste.back().metro);
  int32_t ora = kPartenza;
  for (size_t i = 0; i < righe.size(); ++i) {
    const nome_cp1252 n = in_cp1252(nomi[i]);
    righe[i].nome = n.byte;
    if (n.traslitterato) {
      r.detto.push_back("the name '" + nomi[i] + "' has characters the texts' code page cannot hold: written '" +
                        cp1252_in_utf8(n.byte) + "'");
    }
    if (i > 0) {
      const double corsa = tempo_facile(velocita_celle, righe[i - 1].posizione, righe[i].posizione);
      const double sosta = i + 1 < righe.size() ? 30.0 : 0.0;
      ora += static_cast<int32_t>(std::ceil((corsa + sosta) / 30.0)) * 30;
    }
    metti_ora(righe[i], ora);
  }
  r.righe = std::move(righe);
  return r;
}

}  // namespace sb
