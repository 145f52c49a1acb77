#include "tools/check_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "report/diagnostic.h"
#include "scenario/error_codes.h"
#include "scenario/error_text.h"
#include "tools/command_line.h"
#include "tools/train_profile_option.h"

namespace sb {
namespace {

// "1 slowdown", "2 slowdowns".
std::string quanti(int32_t n, const char* uno, const char* molti) {
  return std::to_string(n) + " " + (n == 1 ? uno : molti);
}

// "l.txt:20:12": where a code stood, in the author's file.
std::string luogo_autore(const luogo_testo& l, const opzioni_compile& o) {
  std::string file = l.origine == origine_errore::testo_linea      ? o.linea
                     : l.origine == origine_errore::testo_servizio ? o.servizio
                                                                   : "scenario_tool";
  if (l.riga > 0) file += ":" + std::to_string(l.riga);
  if (l.riga > 0 && l.colonna > 0) file += ":" + std::to_string(l.colonna);
  return file;
}

// What the rows read hold.
std::string riepilogo_di(const righe_lette& r, const scenario& s) {
  std::string testo = quanti(r.stazioni, "station", "stations") + ", " + quanti(r.segnali, "signal", "signals") + ", " +
                      quanti(r.rallentamenti, "slowdown", "slowdowns") + ", " + quanti(r.curve, "curve", "curves") +
                      ", " + quanti(r.pendenze, "gradient", "gradients") + ", ";
  if (s.celle.empty()) return testo + "no route";
  return testo + "route " + std::to_string(s.tabella[kOggettoGenerale].fine) + " m";
}

}  // namespace

std::string riga_riepilogo(const scenario& s) { return riepilogo_di(s.tracce.righe, s); }

std::string riga_riepilogo_check(const compile_mostrato& c, const opzioni_compile& o) {
  const scenario& s = c.r.s;
  if (!s.tracce.interrotta) return riga_riepilogo(s);
  return riepilogo_di(c.lette, s) + ", reading on past the errors; the compile stops at the first one, " +
         luogo_autore(s.tracce.interruzione, o);
}

int esegui_check(const opzioni_compile& o, const profilo_treno& p, std::ostream& out, std::ostream& err) {
  opzioni_compile con_profilo = o;
  con_profilo.profilo = p;
  const std::optional<compile_mostrato> c = compila_e_mostra(con_profilo, err);
  if (!c) return kUscitaFile;
  const risultato_compile& r = c->r;
  const conteggio_diagnostiche conti = c->conti;
  const bool guardia = r.fine == fine_compile::guardia;
  if (guardia) {
    err << riga_gnu(del_programma(gravita::errore, "the build would stop with \"" +
                                                       testo_errore(std::to_string(r.numero_guardia)) +
                                                       "\": " + std::string(significato(r.numero_guardia))))
        << "\n";
  }
  out << riga_riepilogo_check(*c, o) << "\n" << riga_esito(r.s) << "\n";
  const bool pulito = conti.errori == 0 && conti.avvisi == 0 && !guardia && r.s.codice_errore == kNessunErrore;
  return pulito ? kUscitaPulita : kUscitaCodice;
}

namespace {

constexpr const char* kAiutoCheck =
    "usage: scenario_tool check [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                           [--train NUMBER] [--no-plan] [--train-profile FILE]\n"
    "                           [--recovery-margin PCT]\n"
    "\n"
    "Compiles the two descriptions in memory exactly as compile does, writes no file, and\n"
    "tells every error, warning and note it finds on standard error, as\n"
    "FILE:LINE:COLUMN: error|warning|note: MESSAGE with the source line and the field\n"
    "underlined.\n"
    "Once the route is read the scenario is run with the train (see timing), over the\n"
    "rows that did not fail: a leg whose scheduled time is shorter than the fastest run\n"
    "is an error, one with less than the recovery margin a warning, told at the later\n"
    "station's row, up to the first error that stands on the route.\n"
    "  --train-profile FILE   the train's parameters (defaults: a four-car regional unit)\n"
    "  --recovery-margin PCT  the margin below which a leg is warned of (default 3)\n"
    "Standard output gets one line of what the scenario holds, then\n"
    "codice_errore=N posizione_errore=P.\n"
    "\n"
    "Exit status: 0 no error and no warning, 1 at least one of either, 2 usage error,\n"
    "4 a file that cannot be read.\n";

// Runs "check" with its parsed command line.
int comando_check(const riga_comando& r, std::ostream& out, std::ostream& err, bool colore) {
  opzioni_compile o;
  int stato = kUscitaPulita;
  if (!opzioni_comuni(r, "check", o, err, stato, false)) return stato;
  o.senza_griglia = r.ha("--no-plan");
  o.colore = colore;
  const std::optional<profilo_scelto> p = profilo_richiesto(r, "check", colore, err, stato);
  if (!p) return stato;
  return esegui_check(o, p->profilo, out, err);
}

}  // namespace

// The table's entry of "check".
comando_strumento voce_check() {
  std::vector<opzione_ammessa> opzioni = {
      {"--line", true}, {"--service", true}, {"--line-name", true}, {"--train", true}, {"--no-plan", false}};
  for (const opzione_ammessa& x : opzioni_profilo()) opzioni.push_back(x);
  return {"check", "tell every mistake in your line and service descriptions; write nothing", kAiutoCheck, opzioni, 0,
          comando_check};
}

}  // namespace sb
