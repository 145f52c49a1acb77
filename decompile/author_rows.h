// The rows of the two description texts as an author writes them, recovered
// from the compiled records. Each row may carry a note for the author, written
// as a comment line above it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "line/memo_indicatori_v_max.h"
#include "service/memo_rallentamento.h"
#include "service/memo_segnale.h"

namespace sb {

// "curvad" / "curvas" with its digit: the curve bends the plan points
// inizio + 1 to inizio + lunghezza.
struct riga_curva {
  int32_t inizio = 0;
  int32_t lunghezza = 0;
  int cifra = 0;         // 1 to 6
  bool verso_s = false;  // "curvas": turns the other way
  std::string nota;
};

// "pendenza": the gradient in per mille from the position on.
struct riga_pendenza {
  int32_t posizione = 0;
  int32_t pendenza = 0;
  std::string nota;
};

// "montagna": a span and its kind as written (above 10: marked).
struct riga_montagna {
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t tipo = 0;
  std::string nota;
};

// "indicatori_vmax": both faces; d_vuota writes the d speeds as empty fields.
struct riga_indicatore {
  indicatore_vmax v;
  bool d_vuota = false;
  std::string nota;
};

// "cartello_indicatore": a sign board and its caption.
struct riga_cartello {
  int32_t posizione = 0;
  std::string didascalia;
  std::string nota;
};

// One "progressiva chilometrica" reference: its three values as written.
struct riga_progressiva {
  int32_t primo = 0;
  int32_t secondo = 0;
  int32_t terzo = 0;
};

// Everything the line description says.
struct descrizione_linea {
  int32_t lunghezza = 0;
  std::array<riga_progressiva, 3> progressive{};  // "uno", "due", "tre"
  int32_t sfondo_uno = 0;
  int32_t sfondo_due = 0;
  int32_t sfondo_tre = 0;
  int32_t ripetizione_inizio = 0;
  int32_t ripetizione_fine = 0;
  int32_t ripetizione_codici = 4;  // 4 or 9: the digit of the keyword
  std::vector<riga_curva> curve;
  std::vector<riga_pendenza> pendenze;
  std::vector<riga_montagna> montagne;
  std::vector<riga_indicatore> indicatori;
  std::vector<riga_cartello> cartelli;  // in the order their captions were stored
  std::vector<std::string> note;        // about the general section
};

// A "velocita" or "aderenza" row: the value from the position on.
struct riga_profilo {
  int32_t posizione = 0;
  int32_t valore = 0;
};

// A "stazione" row: its seventeen values.
struct riga_stazione {
  int32_t posizione = 0;
  int32_t tipo = 0;
  int32_t lunghezza = 0;
  int32_t opzione_1 = 0;
  int32_t opzione_5 = 0;
  int32_t opzione_4 = 0;
  int32_t param_1 = 0;
  int32_t param_2 = 0;
  int32_t opzione_2 = 0;
  int32_t param_3 = 0;
  int32_t param_4 = 0;
  int32_t param_5 = 0;
  int32_t opzione_3 = 0;
  int32_t ore = 0;
  int32_t minuti = 0;
  int32_t secondi = 0;
  std::string nome;
  std::string nota;
};

// A "rallentamento" row.
struct riga_rallentamento {
  int32_t posizione = 0;
  valori_rallentamento v;
  std::string nota;
};

// A "segnale" row.
struct riga_segnale {
  int32_t posizione = 0;
  valori_segnale v;
  std::string nota;
};

// An "abbattimento" row: a code-reduction point and its value (0: none).
struct riga_abbattimento {
  int32_t posizione = 0;
  int32_t valore = 0;
  std::string nota;
};

// Everything the service description says.
struct descrizione_servizio {
  int32_t vetture = 0;
  int32_t massa_frenata = 0;
  int32_t sabbia = 0;
  int32_t ore = 0;
  int32_t minuti = 0;
  int32_t secondi = 0;
  std::vector<riga_profilo> aderenze;
  std::vector<riga_profilo> velocita;  // km/h
  std::vector<riga_stazione> stazioni;
  std::vector<riga_rallentamento> rallentamenti;
  std::vector<riga_segnale> segnali;  // in the order they are written
  std::vector<riga_abbattimento> abbattimenti;
  std::vector<std::string> note;  // about the run as a whole
};

}  // namespace sb
