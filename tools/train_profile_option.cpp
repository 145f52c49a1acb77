#include "tools/train_profile_option.h"

#include <charconv>
#include <ostream>

#include "compile/exit_status.h"
#include "report/compile_diagnostics.h"
#include "report/diagnostic.h"
#include "report/diagnostic_printer.h"
#include "running_time/train_profile_reader.h"

namespace sb {
namespace {

// A recovery margin in per cent as the author wrote it; nothing when it is
// not a number from 0 to 100.
std::optional<double> margine_letto(const std::string& testo) {
  double v = 0;
  const char* fine = testo.data() + testo.size();
  const auto [p, ec] = std::from_chars(testo.data(), fine, v, std::chars_format::fixed);
  if (ec != std::errc() || p != fine || !(v >= 0.0 && v <= 100.0)) return std::nullopt;
  return v;
}

}  // namespace

std::vector<opzione_ammessa> opzioni_profilo() { return {{"--train-profile", true}, {"--recovery-margin", true}}; }

std::optional<profilo_scelto> profilo_richiesto(const riga_comando& r, const std::string& comando, bool colore,
                                                std::ostream& err, int& stato) {
  profilo_scelto p;
  const std::string file = r.valore("--train-profile", "");
  if (r.ha("--train-profile") && file.empty()) {
    stato = uso(err, comando, "--train-profile needs a file name");
    return std::nullopt;
  }
  std::optional<double> margine;
  if (r.ha("--recovery-margin")) {
    margine = margine_letto(r.valore("--recovery-margin", ""));
    if (!margine) {
      stato = uso(err, comando, "--recovery-margin takes a per cent from 0 to 100, not '" +
                                    r.valore("--recovery-margin", "") + "'");
      return std::nullopt;
    }
  }
  if (esito_file e = leggi_testo_autore(file, p.testo, err); !e.ok) {
    err << e.messaggio() << "\n";
    stato = kUscitaFile;
    return std::nullopt;
  }
  if (p.testo) {
    const lettura_profilo letto = leggi_profilo_treno(p.testo->byte);
    opzioni_stampa o;
    o.colore = colore;
    const testo_autore nessuno;
    stampa_segnalazioni(segnalazioni_compile(letto.diagnostiche, nessuno, nessuno, &*p.testo), {&*p.testo}, o, err);
    if (letto.con_errori()) {
      err << riga_gnu(del_programma(gravita::errore, "the train profile " + file + " has errors and is not used"))
          << "\n";
      stato = kUscitaCodice;
      return std::nullopt;
    }
    p.profilo = letto.profilo;
  }
  if (margine) p.profilo.margine_recupero = *margine;
  return p;
}

}  // namespace sb
