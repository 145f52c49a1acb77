// The grammar of the author's texts: for each text (the line description,
// the service description, the train profile) one table of its row kinds.
// Each kind holds its keyword as the builder writes it, the words that
// recognise it, the heading it goes under, its values in order (name, unit,
// what each means to the author and to the simulator, the range the
// compiler accepts, where it is stored) and the builder's columns. Every
// reader and writer of the texts takes its rows from here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sb {

// Which text a row belongs to.
enum class genere_testo : uint8_t { linea, servizio, profilo };

// Where in its text a kind is recognised: the line reads its general rows
// only in [generale] and its route rows only after it; the service and the
// train profile read every row anywhere in their body.
enum class ambito_riga : uint8_t { generale, percorso, corpo };

// What a row is, whatever keyword spells it: the compilers pick a row's
// handler by it. The curve's twelve spellings share one.
enum class id_riga : uint8_t {
  // line, [generale]
  lunghezza_percorso,
  progressiva_uno,
  progressiva_due,
  progressiva_tre,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione_segnali,
  // line, route
  pendenza,
  curva,
  montagna,
  indicatori_vmax,
  cartello_indicatore,
  // service
  massa_frenata,
  vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
  // train profile
  massa_per_veicolo,
  lunghezza_per_veicolo,
  massa,
  lunghezza,
  masse_rotanti,
  accelerazione_di_spunto,
  potenza_per_tonnellata,
  potenza,
  davis,
  resistenza,
  vento,
  sforzo,
  frenatura_di_servizio,
  velocita_massima,
  sosta_minima,
  margine_di_recupero,
};

// How a value is kept in the compiled files (or, for the train profile,
// read).
enum class conservazione : uint8_t {
  intero,         // as written (32 bits)
  campo_u8,       // 0..255, else the compile stops (code 25)
  campo_i16,      // -32768..32767, else the compile stops (code 25)
  byte_basso,     // its low 8 bits: 300 is stored as 44
  pendenza,       // + 100 in one byte: -100..155
  multiplo_5,     // in steps of 5, rounded to the nearest
  tempo_segnale,  // 0, or 101..255: 1..100 are raised to 101
  testo,          // a name or caption
  decimale,       // a train profile's number, decimals allowed
};

// How one value stands in the builder's layout: a number of blanks after its
// comma (the line description's style) or right-aligned in a width (the
// service description's columns); `dopo_blank` when blanks, not a comma,
// part it from the value before (the clock's minutes and seconds).
struct colonna_forma {
  int spazi = 0;
  int larghezza = 0;
  bool dopo_blank = false;
};

// One value of a row.
struct campo_riga {
  std::string_view nome;        // "tipo", "lunghezza": as the author's docs name it
  std::string_view unita;       // "m", "km/h", "" for none
  std::string_view senso;       // what it means to the author, one line
  std::string_view simulatore;  // what the simulator does with it
  int64_t minimo = 0;           // the range the compiler accepts
  int64_t massimo = 0;
  conservazione modo = conservazione::intero;
  std::string_view dove;        // where the compile stores it
  bool minimo_escluso = false;  // the value must be above the minimum (train profile)
  double minimo_reale = 0;      // a train profile's least value when it is no whole number (0.01 m/s2)
};

// One kind of row.
struct tipo_riga {
  id_riga id;
  std::string_view parola;  // the keyword as the builder writes it: "stazione"
  genere_testo testo;
  ambito_riga ambito;
  std::string_view sezione;                     // the heading it goes under: "[stazioni]"
  std::string_view parola_a, parola_b;          // recognised when the field holds both (b may be empty)
  bool maiuscole = false;                       // the words must be in lower case, letter for letter
  bool variante = false;                        // another spelling of the kind before it: recognised through that one
  std::span<const campo_riga> campi;            // every value, the name or caption last
  bool lunga = false;                           // its values are named in the editor as it is typed
  bool con_posizione = true;                    // the first value is a route position
  std::span<const colonna_forma> colonne;       // one per value but the name or caption
  std::span<const colonna_forma> colonne_zero;  // a first row at 0: its first two values' columns
  int spazi_testo = 0;                          // blanks after the comma before the name or caption
  std::string_view coda;                        // what follows the last value ("orologio": a blank)
};

// Every kind of row of a text, in the order its compiler tests them.
std::span<const tipo_riga> tipi_riga(genere_testo t);

// The section headings of a text, in the builder's order.
std::span<const std::string_view> intestazioni_testo(genere_testo t);

// The keywords as the builder writes them of a text's kinds of one scope,
// every spelling of the curve included: the words an author is offered.
std::span<const std::string_view> parole_chiave(genere_testo t, ambito_riga a);

// The kind with this id (for the curve, its first spelling, "curvad1").
const tipo_riga& tipo_di(id_riga id);

// Whether the field holds the kind's words, as its compiler tests them.
bool riconosce(const tipo_riga& k, std::string_view campo);

// Whether the field holds the words of any kind of that text and scope.
bool e_chiave(genere_testo t, ambito_riga a, std::string_view campo);
bool e_chiave_generale_linea(std::string_view campo);
bool e_chiave_percorso_linea(std::string_view campo);
bool e_chiave_servizio(std::string_view campo);

// The kind of row a keyword field is, as the reader of that text recognises
// it (in the general section of the line only its general keywords count,
// in its route section only the route keywords; a curve by its side and
// first digit); none when it is none. The train profile's keyword is
// compared whole (see forma_chiave_profilo).
const tipo_riga* riconosci_riga(genere_testo t, std::string_view campo, bool sezione_generale);

// The kind of a text, of any scope, whose words the field holds; none when
// none. For a heading advice or an editor that does not know the section.
const tipo_riga* riconosci_ovunque(genere_testo t, std::string_view campo);

// The heading a row of that keyword belongs under; empty when the field is
// no keyword of the text.
std::string_view intestazione_di(genere_testo t, std::string_view campo);

// How many values the kind takes, the name or caption included.
inline size_t valori_di(const tipo_riga& k) { return k.campi.size(); }

// Whether the kind ends with a name or caption.
bool con_testo(const tipo_riga& k);

// A train profile's field as its keywords are compared with it: lower case,
// no blanks around it, an accented a as a plain one ("velocità").
std::string forma_chiave_profilo(std::string_view campo);

// The value as the compiled files keep it; none when the compile refuses it
// (a value too wide for its field).
std::optional<int64_t> valore_memorizzato(const campo_riga& c, int64_t v);

// "0..1275", "-32768..32767": the range a value is accepted in.
std::string intervallo_di(const campo_riga& c);

}  // namespace sb
