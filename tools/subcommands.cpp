#include "tools/subcommands.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string_view>

#include "author/scenario_names.h"
#include "compile/exit_status.h"
#include "text_input/suggestions.h"
#include "tools/check_command.h"
#include "tools/command_line.h"
#include "tools/compile_command.h"
#include "tools/decompile_command.h"
#include "tools/dump_command.h"
#include "tools/export_command.h"
#include "tools/plan_command.h"
#include "tools/view_command.h"

namespace sb {
namespace {

constexpr const char* kAiutoGenerale =
    "usage: scenario_tool COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  check     tell every mistake in your line and service descriptions; write nothing\n"
    "  compile   compile your own line and service descriptions into the simulator's files\n"
    "  documents write the driver's train sheet and slowdown order for your scenario\n"
    "  decompile take a compiled scenario's files back to its two descriptions\n"
    "  export    write the built-in scenario's two descriptions, to start from\n"
    "  dump      show a binary scenario file (_linea.dat, .sim, .dat) in words\n"
    "  plan      draw the line and its profiles as an SVG picture\n"
    "  view      write one HTML page to explore the whole scenario in a web browser\n"
    "\n"
    "scenario_tool COMMAND --help tells more; scenario_tool --version shows the version.\n"
    "Exit status: 0 clean, 1 a code was recorded, 2 usage error, 3 guard failure,\n"
    "4 a file could not be read or written.\n";

constexpr const char* kAiutoCompile =
    "usage: scenario_tool compile [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                             [--train NUMBER] [--no-plan] [--werror]\n"
    "                             [--documents [--notes FILE]] [--no-wait] --out DIR\n"
    "\n"
    "Compiles the line description FILE and the service description FILE exactly as the\n"
    "builder does and writes NAME_linea.dat, NAME_TRAIN.sim and NAME_TRAIN.dat into DIR\n"
    "(created when missing). Your files are only read. A file that is UTF-8 with\n"
    "non-ASCII characters is converted to code page 1252 first.\n"
    "\n"
    "  --line FILE        the line description (omitted: there is none, code 101)\n"
    "  --service FILE     the service description (omitted: its read fails, code 25)\n"
    "  --line-name NAME   the line's name (default: NAME of FILE named NAME_linea.txt or\n"
    "                     NAME_TRAIN-.txt, else BORVALE)\n"
    "  --train NUMBER     the train number (default: TRAIN of a service FILE named\n"
    "                     NAME_TRAIN-.txt, else 40617)\n"
    "  --no-plan          do not build or write the line plan NAME_linea.dat\n"
    "  --werror           a warning fails the compile (status 1) and no file is written\n"
    "  --documents        write the driver's documents too (see scenario_tool documents)\n"
    "  --notes FILE       with --documents: your notes, written as NAME_TRAIN_note.txt\n"
    "  --no-wait          fail at once (status 4) when another run is writing in DIR\n"
    "  --out DIR          where the binary files go\n"
    "\n"
    "Diagnostics go to standard error as FILE:LINE:COLUMN: error|warning|note: MESSAGE,\n"
    "with the source line and the field underlined, as check shows them.\n"
    "The last line on standard output is codice_errore=N posizione_errore=P.\n";

constexpr const char* kAiutoCheck =
    "usage: scenario_tool check [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                           [--train NUMBER] [--no-plan]\n"
    "\n"
    "Compiles the two descriptions in memory exactly as compile does, writes no file, and\n"
    "tells every error, warning and note it finds on standard error, as\n"
    "FILE:LINE:COLUMN: error|warning|note: MESSAGE with the source line and the field\n"
    "underlined.\n"
    "Standard output gets one line of what the scenario holds, then\n"
    "codice_errore=N posizione_errore=P.\n"
    "\n"
    "Exit status: 0 no error and no warning, 1 at least one of either, 2 usage error,\n"
    "4 a file that cannot be read.\n";

constexpr const char* kAiutoDocuments =
    "usage: scenario_tool documents [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                               [--train NUMBER] [--notes FILE] [--no-wait] --out DIR\n"
    "\n"
    "Compiles the two descriptions in memory as compile does, writes no binary file,\n"
    "and writes the driver's documents into DIR (created when missing), in code page\n"
    "1252 with CR LF:\n"
    "  NAME_TRAIN_scheda_treno.txt    the train sheet: timetable, speed limits, landmarks\n"
    "  NAME_TRAIN_rallentamenti.txt   the slowdown order with the service's slowdowns\n"
    "  NAME_TRAIN_note.txt            with --notes: your notes (UTF-8 is converted)\n"
    "A compile that records a code writes no document. A name longer than its column\n"
    "is cut, with a warning at its row: FILE:LINE:COLUMN: warning: ...\n"
    "The last line on standard output is codice_errore=N posizione_errore=P.\n";
constexpr const char* kAiutoDecompile =
    "usage: scenario_tool decompile --sim NAME_TRAIN.sim --cells NAME_TRAIN.dat\n"
    "                               [--plan NAME_linea.dat] [--line-name NAME]\n"
    "                               [--train NUMBER] [--force] --out DIR\n"
    "\n"
    "Writes NAME_linea.txt and NAME_TRAIN-.txt into DIR (created when missing): the line and\n"
    "service descriptions that compile to the files given, in the layout of the builder's own\n"
    "texts. Then compiles them in memory, with the same names and --no-plan when no plan was\n"
    "given, and compares the result with the files, byte for byte.\n"
    "\n"
    "  --sim FILE         the object table NAME_TRAIN.sim\n"
    "  --cells FILE       the route cells NAME_TRAIN.dat\n"
    "  --plan FILE        the line plan NAME_linea.dat (omitted: no curve comes back)\n"
    "  --line-name NAME   the line's name (default: from the --sim file's name)\n"
    "  --train NUMBER     the train number (default: from the --sim file's name)\n"
    "  --out DIR          where the two texts go\n"
    "  --force            replace texts already in DIR (without it, a text there is\n"
    "                     never overwritten: status 4, nothing written)\n"
    "\n"
    "Comment lines in the texts say where a value was chosen among several that code the\n"
    "same; they are listed on standard error as notes. Exit status: 0 the round trip gives\n"
    "the same bytes, 1 it does not (each difference a warning), 2 usage error, 4 a file\n"
    "could not be read or written, or the files do not belong together.\n";

constexpr const char* kAiutoExport =
    "usage: scenario_tool export [--out DIR] [--force] [--no-wait]\n"
    "\n"
    "Writes BORVALE_linea.txt and BORVALE_40617-.txt, the built-in scenario's line and\n"
    "service descriptions, byte for byte as the builder writes them, into DIR (default:\n"
    "the current directory).\n"
    "\n"
    "  --force     replace texts already in DIR (without it they are kept, status 4)\n"
    "  --no-wait   fail at once (status 4) when another run is writing in DIR\n";

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

constexpr const char* kAiutoPlan =
    "usage: scenario_tool plan [--plan NAME_linea.dat] [--sim NAME_TRAIN.sim]\n"
    "                          [--cells NAME_TRAIN.dat] [--no-wait] --svg OUT.svg\n"
    "\n"
    "Draws a picture of the scenario from any of its binary files: with --plan the map\n"
    "of the line; with --sim the stations; with --cells the signals, sign boards,\n"
    "speed indicators, slowdowns, code-reduction points, montagna spans and the\n"
    "gradient, speed-limit and adhesion profiles, all against the kilometre. Curves\n"
    "need --plan. --no-wait fails at once (status 4) when another run is writing in the\n"
    "folder of OUT.svg.\n";

constexpr const char* kAiutoView =
    "usage: scenario_tool view [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                          [--train NUMBER] --html OUT.html\n"
    "       scenario_tool view [--plan NAME_linea.dat] [--sim NAME_TRAIN.sim]\n"
    "                          [--cells NAME_TRAIN.dat] --html OUT.html\n"
    "\n"
    "Writes one self-contained HTML page that shows the whole scenario: the map of the\n"
    "line and, under it on one kilometre axis, every item and profile. Zoom and pan\n"
    "with the wheel, a drag or the keys; hover or click an item for its values; search\n"
    "a station by name; switch layers off in the legend.\n"
    "\n"
    "From the descriptions (--line, --service) the page is compiled in memory as\n"
    "compile does, names the file and line of every item and lists the compile's\n"
    "diagnostics; the exit status is the one compile gives. From the binary files\n"
    "any of them will do.\n";

// Reports a usage error.
int uso(std::ostream& err, const std::string& comando, const std::string& motivo) {
  err << "scenario_tool " << comando << ": " << motivo << "\n"
      << "Try 'scenario_tool " << comando << " --help'.\n";
  return kUscitaUso;
}

// Reports a command that is not one of the tool's, with the nearest one.
int comando_sconosciuto(std::ostream& err, const std::string& comando, const std::vector<std::string_view>& noti) {
  err << "scenario_tool: unknown command '" << comando << "'";
  if (std::string_view vicino = suggerisci(comando, noti); !vicino.empty()) err << "; did you mean '" << vicino << "'?";
  err << "\nTry 'scenario_tool --help'.\n";
  return kUscitaUso;
}

// Whether a name can stand in a file name.
bool nome_valido(const std::string& nome) {
  return !nome.empty() && nome.find('/') == std::string::npos && nome.find('\0') == std::string::npos;
}

// An option's value, when it was given.
std::optional<std::string> se_dato(const riga_comando& r, const std::string& nome) {
  if (!r.ha(nome)) return std::nullopt;
  return r.valore(nome, "");
}

attesa_blocco attesa(const riga_comando& r) {
  return r.ha("--no-wait") ? attesa_blocco::non_attendere : attesa_blocco::attendi;
}

// The options compile, documents and check share; false with a usage error
// on err. Only the commands that write need --out.
bool opzioni_comuni(const riga_comando& r, const std::string& comando, opzioni_compile& o, std::ostream& err,
                    int& stato, bool con_uscita = true) {
  o.linea = r.valore("--line", "");
  o.servizio = r.valore("--service", "");
  const nomi_scenario nomi = scegli_nomi(se_dato(r, "--line-name"), se_dato(r, "--train"), o.linea, o.servizio);
  o.nome_linea = nomi.linea;
  o.numero_treno = nomi.treno;
  o.note = r.valore("--notes", "");
  o.attesa = attesa(r);
  o.cartella_uscita = r.valore("--out", "");
  std::string errore;
  if (con_uscita && o.cartella_uscita.empty()) errore = "--out DIR is required";
  else if (r.ha("--line") && o.linea.empty()) errore = "--line needs a file name";
  else if (r.ha("--service") && o.servizio.empty()) errore = "--service needs a file name";
  else if (r.ha("--notes") && o.note.empty()) errore = "--notes needs a file name";
  else if (!nome_valido(o.nome_linea)) errore = "--line-name must be a plain name";
  else if (!nome_valido(o.numero_treno)) errore = "--train must be a plain name";
  if (errore.empty()) return true;
  stato = uso(err, comando, errore);
  return false;
}

int comando_compile(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool colore) {
  riga_comando r = analizza(a,
                            {{"--line", true}, {"--service", true}, {"--line-name", true}, {"--train", true},
                             {"--no-plan", false}, {"--werror", false}, {"--documents", false}, {"--notes", true},
                             {"--no-wait", false}, {"--out", true}},
                            0);
  if (r.aiuto) return out << kAiutoCompile, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "compile", r.errore);
  opzioni_compile o;
  int stato = kUscitaPulita;
  if (!opzioni_comuni(r, "compile", o, err, stato)) return stato;
  o.senza_griglia = r.ha("--no-plan");
  o.werror = r.ha("--werror");
  o.colore = colore;
  o.documenti = r.ha("--documents");
  if (r.ha("--notes") && !o.documenti) return uso(err, "compile", "--notes needs --documents");
  return esegui_compile(o, out, err);
}

int comando_documents(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool colore) {
  riga_comando r = analizza(a,
                            {{"--line", true}, {"--service", true}, {"--line-name", true}, {"--train", true},
                             {"--notes", true}, {"--no-wait", false}, {"--out", true}},
                            0);
  if (r.aiuto) return out << kAiutoDocuments, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "documents", r.errore);
  opzioni_compile o;
  int stato = kUscitaPulita;
  if (!opzioni_comuni(r, "documents", o, err, stato)) return stato;
  o.colore = colore;
  o.binari = false;
  o.documenti = true;
  return esegui_compile(o, out, err);
}

int comando_check(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool colore) {
  riga_comando r = analizza(
      a, {{"--line", true}, {"--service", true}, {"--line-name", true}, {"--train", true}, {"--no-plan", false}}, 0);
  if (r.aiuto) return out << kAiutoCheck, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "check", r.errore);
  opzioni_compile o;
  int stato = kUscitaPulita;
  if (!opzioni_comuni(r, "check", o, err, stato, false)) return stato;
  o.senza_griglia = r.ha("--no-plan");
  o.colore = colore;
  return esegui_check(o, out, err);
}

int comando_decompile(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool) {
  riga_comando r = analizza(a,
                            {{"--sim", true}, {"--cells", true}, {"--plan", true}, {"--line-name", true},
                             {"--train", true}, {"--out", true}, {"--force", false}},
                            0);
  if (r.aiuto) return out << kAiutoDecompile, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "decompile", r.errore);
  opzioni_decompile o;
  o.tabella = r.valore("--sim", "");
  o.celle = r.valore("--cells", "");
  o.griglia = r.valore("--plan", "");
  o.nome_linea = r.valore("--line-name", "");
  o.numero_treno = r.valore("--train", "");
  o.cartella_uscita = r.valore("--out", "");
  o.forza = r.ha("--force");
  if (o.tabella.empty()) return uso(err, "decompile", "--sim NAME_TRAIN.sim is required");
  if (o.celle.empty()) return uso(err, "decompile", "--cells NAME_TRAIN.dat is required");
  if (o.cartella_uscita.empty()) return uso(err, "decompile", "--out DIR is required");
  if (r.ha("--plan") && o.griglia.empty()) return uso(err, "decompile", "--plan needs a file name");
  if (r.ha("--line-name") && !nome_valido(o.nome_linea)) {
    return uso(err, "decompile", "--line-name must be a plain name");
  }
  if (r.ha("--train") && !nome_valido(o.numero_treno)) return uso(err, "decompile", "--train must be a plain name");
  return esegui_decompile(o, out, err);
}

int comando_export(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool) {
  riga_comando r = analizza(a, {{"--out", true}, {"--force", false}, {"--no-wait", false}}, 0);
  if (r.aiuto) return out << kAiutoExport, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "export", r.errore);
  opzioni_export o{r.valore("--out", "."), r.ha("--force"), attesa(r)};
  if (o.cartella.empty()) return uso(err, "export", "--out needs a directory");
  return esegui_export(o, out, err);
}

int comando_dump(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool) {
  riga_comando r = analizza(a, {{"--json", false}, {"--sim", true}}, 1);
  if (r.aiuto) return out << kAiutoDump, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "dump", r.errore);
  if (r.operandi.empty()) return uso(err, "dump", "FILE is required");
  if (r.ha("--sim") && r.valore("--sim", "").empty()) return uso(err, "dump", "--sim needs a file name");
  return esegui_dump(r.operandi[0], r.ha("--json"), out, err, r.valore("--sim", ""));
}

int comando_plan(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool) {
  riga_comando r = analizza(
      a, {{"--plan", true}, {"--sim", true}, {"--cells", true}, {"--svg", true}, {"--no-wait", false}}, 0);
  if (r.aiuto) return out << kAiutoPlan, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "plan", r.errore);
  opzioni_plan o{r.valore("--plan", ""), r.valore("--sim", ""), r.valore("--cells", ""), r.valore("--svg", ""),
                 attesa(r)};
  if (o.griglia.empty() && o.tabella.empty() && o.celle.empty()) {
    return uso(err, "plan", "give at least one of --plan, --sim and --cells");
  }
  if (o.svg.empty()) return uso(err, "plan", "--svg OUT.svg is required");
  return esegui_plan(o, err);
}

int comando_view(const std::vector<std::string>& a, std::ostream& out, std::ostream& err, bool) {
  riga_comando r = analizza(a,
                            {{"--line", true}, {"--service", true}, {"--line-name", true}, {"--train", true},
                             {"--plan", true}, {"--sim", true}, {"--cells", true}, {"--html", true}},
                            0);
  if (r.aiuto) return out << kAiutoView, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, "view", r.errore);
  opzioni_view o;
  o.linea = r.valore("--line", "");
  o.servizio = r.valore("--service", "");
  o.nome_linea = r.valore("--line-name", o.nome_linea);
  o.numero_treno = r.valore("--train", o.numero_treno);
  o.griglia = r.valore("--plan", "");
  o.tabella = r.valore("--sim", "");
  o.celle = r.valore("--cells", "");
  o.html = r.valore("--html", "");
  const bool binari = !o.griglia.empty() || !o.tabella.empty() || !o.celle.empty();
  if (o.da_testi() && binari) return uso(err, "view", "give either the descriptions or the binary files, not both");
  if (!o.da_testi() && !binari) {
    return uso(err, "view", "give --line and --service, or any of --plan, --sim and --cells");
  }
  if (binari && (r.ha("--line-name") || r.ha("--train"))) {
    return uso(err, "view", "--line-name and --train go with the descriptions");
  }
  if (!nome_valido(o.nome_linea)) return uso(err, "view", "--line-name must be a plain name");
  if (!nome_valido(o.numero_treno)) return uso(err, "view", "--train must be a plain name");
  if (o.html.empty()) return uso(err, "view", "--html OUT.html is required");
  return esegui_view(o, err);
}

// One subcommand: its name and what runs it.
struct comando_strumento {
  std::string_view nome;
  int (*esegui)(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err, bool colore);
};

// The tool's subcommands.
constexpr comando_strumento kComandi[] = {
    {"check", comando_check},         {"compile", comando_compile}, {"documents", comando_documents},
    {"decompile", comando_decompile}, {"export", comando_export},   {"dump", comando_dump},
    {"plan", comando_plan},           {"view", comando_view},
};

// Whether the arguments ask for the version (an option's value aside).
bool chiede_versione(const std::vector<std::string>& argomenti) {
  return std::find(argomenti.begin(), argomenti.end(), "--version") != argomenti.end();
}

}  // namespace

int esegui_strumento(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err, bool colore) {
  if (argomenti.empty()) {
    err << kAiutoGenerale;
    return kUscitaUso;
  }
  const std::string& comando = argomenti[0];
  std::vector<std::string> resto(argomenti.begin() + 1, argomenti.end());
  if (comando == "--help" || comando == "-h" || comando == "help") return out << kAiutoGenerale, kUscitaPulita;
  if (comando == "--version") return out << kVersioneStrumento << "\n", kUscitaPulita;
  std::vector<std::string_view> noti;
  for (const comando_strumento& c : kComandi) {
    noti.push_back(c.nome);
    if (c.nome != comando) continue;
    if (chiede_versione(resto)) return out << kVersioneStrumento << "\n", kUscitaPulita;
    return c.esegui(resto, out, err, colore);
  }
  return comando_sconosciuto(err, comando, noti);
}

}  // namespace sb
