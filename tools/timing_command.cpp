#include "tools/timing_command.h"

#include <ostream>

#include "author/author_texts.h"
#include "compile/exit_status.h"
#include "report/diagnostic.h"
#include "running_time/running_time.h"
#include "tools/timing_output.h"
#include "tools/timing_propose.h"

namespace sb {

int esegui_timing(const opzioni_compile& o, const profilo_scelto& p, formato_timing f, std::ostream& out,
                  std::ostream& err) {
  opzioni_compile con_profilo = o;
  con_profilo.profilo = p.profilo;
  con_profilo.orario = false;  // the table below tells every leg
  const std::optional<compile_mostrato> c = compila_e_mostra(con_profilo, err);
  if (!c) return kUscitaFile;
  const scenario& s = c->r.s;
  if (c->r.fine != fine_compile::completata || s.codice_errore != 0 || s.celle.empty()) {
    err << riga_gnu(del_programma(gravita::errore, "no running times: the compile did not end clean")) << "\n";
    return kUscitaCodice;
  }
  const risultato_marcia r = tempi_di_marcia(s, p.profilo);
  if (f == formato_timing::json) out << timing_json(r, s);
  if (f == formato_timing::csv) out << timing_csv(r);
  if (f == formato_timing::tabella) out << timing_tabella(r, s);
  return kUscitaPulita;
}

namespace {

constexpr const char* kAiutoTiming =
    "usage: scenario_tool timing [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                            [--train NUMBER] [--train-profile FILE]\n"
    "                            [--recovery-margin PCT] [--json | --csv]\n"
    "       scenario_tool timing --propose [--margin PCT] [--round SECONDS]\n"
    "                            [--start HH:MM:SS] [--write [--no-wait]]\n"
    "                            [options above]\n"
    "\n"
    "Compiles the two descriptions in memory as check does, works out the fastest run\n"
    "the train can make under the line's limits, gradients and stops, and sets it\n"
    "against the timetable. Standard output gets, for each leg between two stations\n"
    "with a time, the distance, the scheduled and the fastest running time (m:ss) and\n"
    "the margin in seconds and in per cent of the fastest.\n"
    "  --train-profile FILE   the train's parameters (defaults: a four-car regional unit)\n"
    "  --recovery-margin PCT  the margin below which check warns (default 3)\n"
    "  --json                 the legs and the run's speed and time at every 50 m cell\n"
    "  --csv                  the run's speed and time at every 50 m cell\n"
    "\n"
    "With --propose it prints, for every station with a time, a time that keeps\n"
    "the margin over the fastest run on the leg that ends there: the departure from\n"
    "the origin at the service's clock, a stop's dwell its own or the train's\n"
    "minimum, each time rounded up.\n"
    "  --margin PCT           the margin each leg keeps (default: the recovery margin)\n"
    "  --round SECONDS        round the times up to a multiple of it (default 30)\n"
    "  --start HH:MM:SS       the departure from the origin instead of the clock\n"
    "  --write                write the times into the service text, in place: a\n"
    "                         station row whose time changes is written anew in\n"
    "                         the builder's layout, every other byte is kept\n"
    "  --no-wait              fail at once (status 4) when another run is writing in\n"
    "                         the service text's folder\n"
    "\n"
    "Exit status: 0 the times are printed, 1 the compile recorded a code, the\n"
    "profile has an error or no times can be proposed, 2 usage error, 4 a file\n"
    "that cannot be read or written.\n";

// Runs "timing" with its parsed command line.
int comando_timing(const riga_comando& r, std::ostream& out, std::ostream& err, bool colore) {
  opzioni_compile o;
  int stato = kUscitaPulita;
  if (!opzioni_comuni(r, "timing", o, err, stato, false)) return stato;
  if (r.ha("--json") && r.ha("--csv")) return uso(err, "timing", "--json and --csv go one at a time");
  o.colore = colore;
  opzioni_proposta q;
  if (!opzioni_proposta_lette(r, q, err, stato)) return stato;
  if (q.scrivi && o.servizio.empty()) return uso(err, "timing", "--write needs the --service text to write into");
  const std::optional<profilo_scelto> p = profilo_richiesto(r, "timing", colore, err, stato);
  if (!p) return stato;
  if (r.ha("--propose")) return esegui_proposta(o, *p, q, out, err);
  const formato_timing f = r.ha("--json") ? formato_timing::json : r.ha("--csv") ? formato_timing::csv
                                                                                  : formato_timing::tabella;
  return esegui_timing(o, *p, f, out, err);
}

}  // namespace

// The table's entry of "timing".
comando_strumento voce_timing() {
  std::vector<opzione_ammessa> opzioni = {{"--line", true}, {"--service", true}, {"--line-name", true},
                                          {"--train", true}, {"--json", false},  {"--csv", false},
                                          {"--propose", false}, {"--margin", true}, {"--round", true},
                                          {"--start", true},    {"--write", false},
                                          {"--no-wait", false}};
  for (const opzione_ammessa& x : opzioni_profilo()) opzioni.push_back(x);
  return {"timing", "set the fastest run of your train against its timetable, leg by leg", kAiutoTiming,
          opzioni, 0, comando_timing};
}

}  // namespace sb
