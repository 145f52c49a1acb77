// Decompile: the three binary files of a scenario taken back to the two
// description texts that compile to them, with the round trip checked.
#pragma once

#include <string>
#include <vector>

#include "compile/compile.h"
#include "decompile/author_rows.h"
#include "decompile/round_trip.h"
#include "scenario/scenario_records.h"

namespace sb {

// The three files' bytes as they were read.
struct byte_letti {
  std::string griglia;
  std::string tabella;
  std::string celle;
};

// The records read from the files and the names to compile them under.
struct ingresso_decompile {
  tabella_oggetti tabella{};
  celle_percorso celle;
  griglia_linea griglia;
  bool con_griglia = false;  // a line plan was given
  std::string nome_linea;
  std::string numero_treno;
  // The files' own bytes, when the records were read from them: the round
  // trip compares with these. Empty: the records are encoded for it.
  byte_letti byte;
};

// A comment written into a text, with its line there.
struct nota_testo {
  bool servizio = false;  // in the service description, else in the line's
  int32_t riga = 0;       // 1-based
  std::string testo;
};

// Which of the files given a fault is told against.
enum class file_decompile { tabella, celle, griglia };

// What decompile gives.
struct esito_decompile {
  std::string guasto;  // non-empty: the files do not belong together or are damaged
  file_decompile file_guasto = file_decompile::celle;  // the file the fault is about
  descrizione_linea linea;
  descrizione_servizio servizio;
  std::string testo_linea;      // NAME_linea.txt
  std::string testo_servizio;   // NAME_TRAIN-.txt
  std::vector<nota_testo> note;
  int32_t codice_ricompilato = 0;       // the code the compile of the texts records
  std::vector<differenza> differenze;   // empty: the round trip is exact
};

// Checks that the files belong together, recovers the rows, writes the texts
// and compiles them in memory; the encoded files are compared with those of
// the records given.
esito_decompile decompila(const ingresso_decompile& in);

// The names a file name NAME_TRAIN.sim gives, preferring the object table's
// own when the file name is made of them.
void nomi_dal_file(const std::string& file_tabella, const tabella_oggetti& tabella, std::string& nome_linea,
                   std::string& numero_treno);

}  // namespace sb
