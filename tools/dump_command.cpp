#include "tools/dump_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/dump_text.h"
#include "platform/files.h"
#include "scenario/binary_decoders.h"
#include "tools/command_line.h"

namespace sb {

int esegui_dump(const std::string& file, bool json, std::ostream& out, std::ostream& err,
                const std::string& tabella) {
  tipo_binario tipo = riconosci(file);
  if (tipo == tipo_binario::sconosciuto) {
    err << file << ": not a scenario file (expected a name ending in _linea.dat, .sim or .dat)\n";
    return kUscitaUso;
  }
  std::string byte;
  if (esito_file e = leggi_file(file, byte); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  esito_decodifica e;
  std::string testo;
  if (tipo == tipo_binario::tabella) {
    tabella_oggetti t{};
    e = decodifica_tabella(byte, t);
    if (e.ok) testo = descrivi_tabella(t, json);
  } else if (tipo == tipo_binario::celle) {
    celle_percorso c;
    e = decodifica_celle(byte, c);
    tabella_oggetti t{};
    const bool con_tabella = leggi_tabella_accanto(file, tabella, t, err);
    if (!tabella.empty() && !con_tabella) return kUscitaFile;
    if (e.ok) testo = descrivi_celle(c, json, con_tabella ? &t : nullptr);
  } else {
    griglia_linea g;
    e = decodifica_griglia(byte, g);
    if (e.ok) testo = descrivi_griglia(g, json);
  }
  if (!e.ok) {
    err << file << ": " << e.messaggio() << "\n";
    return kUscitaFile;
  }
  out << testo;
  return kUscitaPulita;
}

namespace {

constexpr const char* kAiutoDump =
    "usage: scenario_tool dump FILE [--sim NAME_TRAIN.sim] [--json]\n"
    "\n"
    "Shows a scenario file, told by its name's ending: NAME_linea.dat (line plan),\n"
    "NAME_TRAIN.sim (object table) or NAME_TRAIN.dat (route cells). Every item is also\n"
    "shown as the row that wrote it, with that row's values; the plan as its straights\n"
    "and curves; the competition codes with what they are made of.\n"
    "\n"
    "  --sim FILE   for the route cells: the object table that names their stations and\n"
    "               signs (default: NAME_TRAIN.sim beside them, when it is there)\n"
    "  --json       print JSON instead of text\n";

// Runs "dump" with its parsed command line.
int comando_dump(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  if (r.operandi.empty()) return uso(err, "dump", "FILE is required");
  if (r.ha("--sim") && r.valore("--sim", "").empty()) return uso(err, "dump", "--sim needs a file name");
  return esegui_dump(r.operandi[0], r.ha("--json"), out, err, r.valore("--sim", ""));
}

}  // namespace

// The table's entry of "dump".
comando_strumento voce_dump() {
  return {"dump",     "show a binary scenario file (_linea.dat, .sim, .dat) in words",
          kAiutoDump, {{"--json", false}, {"--sim", true}},
          1,          comando_dump};
}

}  // namespace sb
