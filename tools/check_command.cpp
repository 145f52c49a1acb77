#include "tools/check_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "scenario/error_codes.h"
#include "scenario/error_text.h"

namespace sb {
namespace {

// "1 slowdown", "2 slowdowns".
std::string quanti(int32_t n, const char* uno, const char* molti) {
  return std::to_string(n) + " " + (n == 1 ? uno : molti);
}

}  // namespace

std::string riga_riepilogo(const scenario& s) {
  const righe_lette& r = s.tracce.righe;
  std::string testo = quanti(r.stazioni, "station", "stations") + ", " + quanti(r.segnali, "signal", "signals") +
                      ", " + quanti(r.rallentamenti, "slowdown", "slowdowns") + ", " +
                      quanti(r.curve, "curve", "curves") + ", " + quanti(r.pendenze, "gradient", "gradients") + ", ";
  if (s.celle.empty()) return testo + "no route";
  return testo + "route " + std::to_string(s.tabella[kOggettoGenerale].fine) + " m";
}

int esegui_check(const opzioni_compile& o, std::ostream& out, std::ostream& err) {
  const std::optional<compile_mostrato> c = compila_e_mostra(o, err);
  if (!c) return kUscitaFile;
  const risultato_compile& r = c->r;
  const conteggio_diagnostiche& conti = c->conti;
  const bool guardia = r.fine == fine_compile::guardia;
  if (guardia) {
    err << "scenario_tool: error: the build would stop with \"" << testo_errore(std::to_string(r.numero_guardia))
        << "\": " << significato(r.numero_guardia) << "\n";
  }
  out << riga_riepilogo(r.s) << "\n" << riga_esito(r.s) << "\n";
  const bool pulito = conti.errori == 0 && conti.avvisi == 0 && !guardia && r.s.codice_errore == kNessunErrore;
  return pulito ? kUscitaPulita : kUscitaCodice;
}

}  // namespace sb
