// For tests: a small route to draw. Its plan bent by curve rows as the line
// compiler bends it, an object table whose station names need escaping, and
// its cells.
#pragma once

#include <cstdint>
#include <vector>

#include "line/line_plan.h"
#include "scenario/plan_encoding.h"
#include "scenario/scenario_records.h"

namespace sb::prova {

// A curve row as the line compiler takes it: straight up to inizio, then
// bent up to inizio + lunghezza.
struct curva_di_prova {
  int64_t inizio, lunghezza;
  double kappa;
};

// The plan of a route of the given length, bent by the rows as the line
// compiler bends it.
inline griglia_linea pianta_di_prova(int32_t lunghezza, const std::vector<curva_di_prova>& curve) {
  griglia_codificata g;
  crea_griglia(g, lunghezza);
  semina_griglia(g);
  for (const curva_di_prova& c : curve) {
    estendi_dritto(g, c.inizio);
    estendi_curva(g, c.inizio + c.lunghezza, c.kappa);
  }
  estendi_dritto(g, ultimo_punto(g) - 2);
  chiudi_griglia(g);
  return punti_griglia(g);
}

// The plan of a route 3000 m long (and its 7000 m margin), bent by a
// "curvad4" row from 1000 m for 1000 m.
inline griglia_linea griglia_curva() { return pianta_di_prova(3000, {{1000, 1000, curvatura("curvad4")}}); }

// The route's object table: four stations whose names need escaping in XML,
// a sign caption, the route length, the line's name and the train's number.
inline tabella_oggetti stazioni_strane() {
  tabella_oggetti t{};
  const char* nomi[] = {"Borgo & Figli", "Ponte <Alto>", "Citt\xE0 \"Vecchia\"", "Sant'Elmo"};
  for (int i = 0; i < 4; ++i) {
    t[i + 1].tipo = 4;
    t[i + 1].posizione = i * 900;
    t[i + 1].nome = nomi[i];
  }
  t[80].nome = "(Km)";  // a sign caption is not a station
  t[84].fine = 3000;
  t[85].nome = "VALMORA";
  t[86].nome = "2201";
  return t;
}

// The route's 201 cells: speed and gradient throughout, a signal, a sign
// and a speed indicator.
inline celle_percorso celle_curva() {
  celle_percorso c(201);
  for (cella& x : c) {
    x.velocita = 20;
    x.pendenza = 112;
  }
  c[27].tipo = 1;
  c[40].tipo = 14;
  c[11].tipo = 6;
  return c;
}

}  // namespace sb::prova
