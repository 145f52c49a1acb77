// Test helpers: a scenario as the line phase leaves it, and service texts.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "scenario/format.h"
#include "scenario/scenario_records.h"
#include "service/service_compiler.h"

namespace sb::prova {

// A scenario with cells 0 to n, all zero, and no signs in the line.
inline scenario con_celle(int n) {
  scenario s;
  s.celle.resize(static_cast<size_t>(n) + 1);
  s.limite_stazioni = kPrimoCartello;
  return s;
}

// A service text: one note line, "[generale]" on line 2, the body from line
// 3, then "[fine]".
inline std::string testo(std::string_view corpo) {
  return "Note del macchinista\r\n[generale]\r\n" + std::string(corpo) + "[fine]\r\n";
}

// A cell by its fields, in record order.
inline cella c(uint8_t tipo, int16_t d1 = 0, int16_t d2 = 0, int16_t d3 = 0, int16_t d4 = 0, uint8_t tempo = 0,
               uint8_t preavviso = 0) {
  cella x;
  x.tipo = tipo;
  x.dato_1 = d1;
  x.dato_2 = d2;
  x.dato_3 = d3;
  x.dato_4 = d4;
  x.tempo_segnale = tempo;
  x.preavviso = preavviso;
  return x;
}

// A cell that carries only an approach mark.
inline cella segno(uint8_t preavviso) { return c(0, 0, 0, 0, 0, 0, preavviso); }

using celle_attese = std::vector<std::pair<int, cella>>;

// Checks that the listed cells hold what is listed and every other cell is
// as the scenario started (all zero).
inline void verifica_celle(const scenario& s, const celle_attese& attese) {
  std::vector<cella> previste(s.celle.size());
  for (const auto& [i, x] : attese) previste.at(static_cast<size_t>(i)) = x;
  for (size_t i = 0; i < s.celle.size(); ++i) {
    const cella& a = s.celle[i];
    const cella& b = previste[i];
    EXPECT_EQ(a, b) << "cell " << i << ": tipo " << int(a.tipo) << " dati " << a.dato_1 << " " << a.dato_2 << " "
                    << a.dato_3 << " " << a.dato_4 << " tempo " << int(a.tempo_segnale) << " preavviso "
                    << int(a.preavviso) << " velocita " << int(a.velocita) << " aderenza " << int(a.aderenza);
  }
}

// How a phase ended and what it recorded.
struct esito_atteso {
  esito_fase_servizio fine = esito_fase_servizio::completa;
  int32_t codice = 0;
  int32_t posizione = 0;
  int32_t riga = 0;
};

// Checks the phase's return and the recorded code, position and line.
inline void verifica_esito(const scenario& s, esito_fase_servizio fine, const esito_atteso& atteso) {
  EXPECT_EQ(fine, atteso.fine);
  EXPECT_EQ(s.codice_errore, atteso.codice);
  EXPECT_EQ(s.posizione_errore, atteso.posizione);
  EXPECT_EQ(ultimo_codice(s).riga, atteso.riga);
  // Code 2 points at the chainage values, which come from the line.
  if (atteso.codice != 0) {
    const origine_errore attesa = atteso.codice == 2 ? origine_errore::testo_linea : origine_errore::testo_servizio;
    EXPECT_EQ(ultimo_codice(s).origine, attesa);
  }
}

// One golden row over the cells: a body text, the cells set before the
// phase, the expected outcome and the expected cells.
struct caso_celle {
  const char* nome;
  const char* corpo;
  celle_attese prima;
  esito_atteso esito;
  celle_attese celle;
};

// Runs the service phase of the row on cells 0 to 340 and checks it.
inline void verifica_caso(const caso_celle& k) {
  SCOPED_TRACE(k.nome);
  scenario s = con_celle(340);
  for (const auto& [i, x] : k.prima) s.celle[static_cast<size_t>(i)] = x;
  esito_fase_servizio fine = fase_servizio(s, testo(k.corpo));
  verifica_esito(s, fine, k.esito);
  verifica_celle(s, k.celle);
}

}  // namespace sb::prova
