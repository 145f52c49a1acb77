// The whole compile of one scenario in memory: the two description texts in,
// the records, the recorded codes and the guard outcome out. No file, no
// window: the builder, the tool, the fuzz targets and the benchmarks all
// call it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "line/line_compiler.h"
#include "scenario/scenario_records.h"

namespace sb {

// What one compile takes.
struct richiesta_compile {
  std::optional<std::string_view> testo_linea;     // code page 1252; absent: code 101
  std::optional<std::string_view> testo_servizio;  // absent: the service read fails (code 25)
  std::string nome_linea;
  std::string numero_treno;
  int32_t flag_griglia = 1;  // the build flag: non-zero builds the line plan
  // ferma for every build; riprendi only for diagnostics, whose records
  // and codes are then no build's.
  modo_errori errori = modo_errori::ferma;
};

// How a compile ended.
enum class fine_compile {
  completata,   // ran to its end; codice_errore tells whether a code was recorded
  senza_celle,  // the line compile stopped before the route length: nothing to write
  guardia,      // a guard failed (numero_guardia): nothing may be written
};

// What one compile gives back.
struct risultato_compile {
  scenario s;  // the records, codice_errore, posizione_errore and every diagnostic
  fine_compile fine = fine_compile::completata;
  int32_t numero_guardia = 0;  // 1250 or 1251 when fine is guardia
};

// The three binary files' bytes of a compiled scenario. The line plan is
// already its file's bytes inside the scenario (the line compile writes each
// point in its final encoding): it is a view of them, valid while the
// scenario lives and is not changed.
struct file_binari {
  std::string_view griglia;  // the line plan; empty when the build flag was 0
  std::string tabella;       // the object table
  std::string celle;         // the route cells
};

// Starts a build from empty records with the build flag: no code, no
// diagnostic, a clear object table, no cells and no plan.
void inizia_build(scenario& s, int32_t flag_griglia);

// The two compile phases over the texts: the line phase, then, when it lets
// the read go on, the service phase. Returns how the line phase ended, which
// tells the builder whether the service text was taken.
[[nodiscard]] esito_fase_linea compila_testi(scenario& s, std::optional<std::string_view> testo_linea,
                                             std::optional<std::string_view> testo_servizio,
                                             modo_errori modo = modo_errori::ferma);

// After the phases: the signal aspect pass, the guards and the stamps.
[[nodiscard]] fine_compile completa_build(scenario& s, int32_t& numero_guardia);

// The whole compile: start, phases, pass, guards and stamps.
[[nodiscard]] risultato_compile compila(const richiesta_compile& richiesta);

// The bytes of the three files of a build that ran to its end; the plan's
// are a view into s.
[[nodiscard]] file_binari codifica_binari(const scenario& s);

}  // namespace sb
