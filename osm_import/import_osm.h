// "import osm": a real line from an OpenStreetMap file made into a line
// description and a service description that compile clean.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sb {

// What an import is asked.
struct richiesta_import_osm {
  std::string file;                 // .osm, .osm.pbf, .osm.bz2, .osm.gz
  std::vector<std::string> luoghi;  // the first place, the places between, the last, as written
  std::string elevazione;           // a CSV or GPX file of heights; empty: a level line
  std::string nome_linea;
  std::string numero_treno;
};

// How an import ended.
enum class fine_import {
  fatto,          // the texts are made and compile clean
  file_fallito,   // a file could not be read
  dati_fallati,   // the data or the places make no route (errore says why)
};

// What an import gives back: the texts, and what it tells the person.
struct esito_import_osm {
  fine_import fine = fine_import::fatto;
  std::string errore;               // UTF-8, when not fatto
  std::string testo_linea;          // code page 1252
  std::string testo_servizio;
  std::vector<std::string> detto;   // UTF-8 lines: the route, the stations, every default, the departures
  int32_t lunghezza = 0;            // the route length in the texts' metres
  double scarto_massimo = 0.0;      // the compiled plan's largest departure from the track where it can follow
  size_t righe_curva = 0;
  std::vector<double> scarti_stazioni;  // per station row: its plan point's distance from the station on the track
};

// Imports the line. Nothing is written: the caller writes the texts.
esito_import_osm importa_osm(const richiesta_import_osm& r);

}  // namespace sb
