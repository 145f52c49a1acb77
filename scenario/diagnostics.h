// What a build tells the author: every code recorded on the way, in order,
// with the text and line it came from. Warnings and notes share the list.
#pragma once

#include <cstdint>
#include <string>

namespace sb {

// Which text a diagnostic points into.
enum class origine_errore : uint8_t {
  nessuna,
  testo_linea,     // the line description
  testo_servizio,  // the service description
  passaggio,       // the signal aspect pass (a cell, no text row)
  profilo_treno,   // the train profile (--train-profile)
};

// How serious a diagnostic is.
enum class gravita : uint8_t {
  errore,  // a recorded code: codice_errore was set
  avviso,  // the format takes it, but an author almost never means it
  nota,    // more about the diagnostic before it, or about the whole text
};

// The kind of a warning or note: what the author is told about, one kind per
// entry of the authors' page on diagnostics. A long run of one kind is cut
// short when shown.
enum class genere_avviso : uint8_t {
  nessuno,               // an error (its kind is its code), or a note on the entry before it
  chiave_sconosciuta,    // a field where a keyword goes matches none and is skipped
  intestazione_sconosciuta,  // a section header that is not one of the format's
  maiuscole,             // a keyword that would match but for its letter case
  generale_assente,      // no "[generale]": nothing of the text is read
  valori_in_piu,         // more values on the line than the row takes
  valori_mancanti,       // the row ends before its values do; the next row's keyword is taken as a value
  virgola_decimale,      // "12,5": a decimal comma splits a value in two
  nome_tagliato,         // a comma cut a name or caption short
  virgolette_aperte,     // a double quote not closed on its line takes the lines after it into a name
  valore_troncato,       // a value stored in fewer bits than it needs
  fuori_intervallo,      // a value outside the range its field means
  velocita_arrotondata,  // a speed that is not a multiple of 5
  ora_non_valida,        // hours above 23, minutes or seconds above 59
  sovrascrittura,        // an item that overwrites or hides another in its cell
  fuori_ordine,          // profile rows or curves out of route order
  orari_indietro,        // a station time earlier than the one before
  orologio_in_ritardo,   // the clock starts after the first station's time
  carattere_sostituito,  // a character with no code page 1252 form became "?"
  testo_senza,           // a note: the text has no row of an important kind
  testo_tagliato,        // a name or caption cut to the width of its column in a driver's document
  oltre_fine,            // an item past the route's end, inside the cells
  fuori_sezione,         // rows of a section's keywords where that section is not read
  tempo_insufficiente,   // a leg's scheduled time is shorter than the train's fastest run (an error)
  margine_ridotto,       // a leg's margin over the fastest run is below the recovery margin
  corsa_interrotta,      // the train comes to a stand it cannot go on from (an error)
  segnale_in_stazione,   // a signal inside a station's extent
  indicatore_oltre_limite,  // a maximum-speed indicator that shows more than the run's limit there
  avviso_troppo_vicino,  // a slowdown's warning point nearer than the braking distance
  prima_dell_inizio,     // a row at a negative position, before the route's start
  cippo_discorde,        // a kilometre post whose kilometre the chainage puts elsewhere
};

// Where in a text a diagnostic points.
struct luogo_testo {
  origine_errore origine = origine_errore::nessuna;
  int32_t riga = 0;     // 1-based line; 0 when none
  int32_t colonna = 0;  // 1-based byte column; 0 when unknown

  bool operator==(const luogo_testo&) const = default;
};

// The rows that put each cell's item and approach mark there; not part of
// the simulator's files.
struct origine_cella {
  luogo_testo oggetto;    // the row whose item holds the cell's tipo
  luogo_testo preavviso;  // the row whose approach mark the cell holds

  bool operator==(const origine_cella&) const = default;
};

// One entry of the build's diagnostics.
struct diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;  // the recorded code; 0 for a warning or note without one
  genere_avviso genere = genere_avviso::nessuno;
  origine_errore origine = origine_errore::nessuna;
  int32_t riga = 0;       // 1-based line in the text; 0 when none
  int32_t colonna = 0;    // 1-based byte column in the line; 0 when unknown
  int32_t larghezza = 0;  // characters underlined from the column; 0: the field that starts there
  int32_t posizione = 0;  // posizione_errore once the code was recorded (metres)
  std::string messaggio;  // empty: the code's own meaning

  luogo_testo luogo() const { return {origine, riga, colonna}; }
  bool operator==(const diagnostica&) const = default;
};

}  // namespace sb
