// The scenario files' items in the author's own terms: for a cell, the row
// that recorded it with that row's values; for a station entry, its
// "stazione" row; for the stamps, what the competition codes are made of.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// One value of a row, named as the description format names it.
struct valore_autore {
  std::string nome;
  std::string valore;   // as printed; quoted in both outputs when testo
  bool testo = false;
};

// What an item was in its row: "segnale at 1300 m" and the row's values.
struct voce_autore {
  std::string descrizione;
  std::vector<valore_autore> valori;
  std::string nota;  // what the values cannot tell apart, or ""
};

// The author's view of every cell that holds an item or a stamp, by cell.
// With the object table, stops and signs are named and the stamps checked.
std::map<size_t, voce_autore> voci_celle(const celle_percorso& celle, const tabella_oggetti* tabella);

// The "stazione" row of a station entry.
voce_autore voce_stazione(const oggetto& o);

// What entry 85's competition code is made of, and whether it matches.
voce_autore voce_codice_tabella(const tabella_oggetti& tabella);

// "  DESCRIZIONE: name=value  name=value (note)" for the text output.
std::string voce_testo(const voce_autore& v);

// {"row": "DESCRIZIONE", "name": value, ..., "note": "..."} for JSON.
std::string voce_json(const voce_autore& v);

}  // namespace sb
