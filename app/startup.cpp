#include "app/startup.h"

#include <ostream>

#include "builtin/builtin_scenario.h"
#include "platform/writer.h"
#include "scenario/error_codes.h"

namespace sb {
namespace {

constexpr const char* kAiuto =
    "usage: scenario_builder\n"
    "\n"
    "Writes the scenario BORVALE 40617 into the directory that holds the program: the line\n"
    "plan, the object table and the route cells that the simulator loads, and the train\n"
    "sheet, the slowdown order and the notes for the driver. It takes no arguments.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "Exit status: 0 clean, 1 a code was recorded, 2 usage error, 3 guard failure,\n"
    "4 a file could not be read or written.\n";

}  // namespace

std::optional<int> riga_di_comando(const std::vector<std::string>& argomenti, std::ostream& out,
                                   std::ostream& err) {
  if (argomenti.empty()) return std::nullopt;
  if (argomenti.size() == 1 && argomenti[0] == "--help") return out << kAiuto, kUscitaPulita;
  if (argomenti.size() == 1 && argomenti[0] == "--version") return out << kVersioneBuilder << "\n", kUscitaPulita;
  err << "scenario_builder: takes no arguments, was given '" << argomenti[0] << "'\n"
      << "usage: scenario_builder [--help | --version]\n";
  return kUscitaUso;
}

int esito_uscita(const esito_build& esito, const scenario& s, std::ostream& err) {
  switch (esito.fine) {
    case esito_build::tipo::errore_file:
      return uscita_file(esito.file, err);
    case esito_build::tipo::guardia:
      return kUscitaGuardia;
    case esito_build::tipo::senza_celle:
      if (s.codice_errore != kNessunErrore) break;
      err << "no route length was read: no binary file written\n";
      return kUscitaCodice;
    case esito_build::tipo::completata:
      break;
  }
  if (s.codice_errore == kNessunErrore) return kUscitaPulita;
  err << "codice_errore " << s.codice_errore << " posizione_errore " << s.posizione_errore << ": "
      << significato(s.codice_errore) << "\n";
  return kUscitaCodice;
}

int avvio(const std::string& cartella, interfaccia_utente& ui, std::ostream& err) {
  richiesta_scrittura r;
  r.programma = "scenario_builder";
  r.cartella = cartella;
  r.crea_cartella = false;  // a folder that went away is told, not made again
  scrittura w(r, err);
  scenario s;
  s.nome_linea = kNomeLinea;
  s.numero_treno = kNumeroTreno;
  ui.mostra_attesa();
  // The folder is held from the first text to the last binary file: the
  // texts are written and read back under the lock.
  esito_file e = w.apri();
  if (e.ok) e = scrivi_testi_incorporati(w.cartella(), s.nome_linea, s.numero_treno);
  if (!e.ok) {
    ui.chiudi_attesa();
    return w.stato(e);
  }
  esito_build esito = memorizza_percorso(s, 1, w.cartella(), ui);
  ui.chiudi_attesa();
  const int stato = esito_uscita(esito, s, err);
  return esito.file.ok ? w.fine(stato) : stato;
}

}  // namespace sb
