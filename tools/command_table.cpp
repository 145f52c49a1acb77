#include "tools/command_table.h"

#include <algorithm>
#include <ostream>
#include <string_view>

#include "compile/exit_status.h"
#include "text_input/suggestions.h"
#include "tools/check_command.h"
#include "tools/compile_command.h"
#include "tools/decompile_command.h"
#include "tools/diff_command.h"
#include "tools/documents_command.h"
#include "tools/dump_command.h"
#include "tools/export_command.h"
#include "tools/format_command.h"
#include "tools/import_command.h"
#include "tools/new_command.h"
#include "tools/plan_command.h"
#include "tools/timing_command.h"
#include "tools/view_command.h"

namespace sb {
namespace {

// The general help: the command list, made from the table.
std::string aiuto_generale(const std::vector<comando_strumento>& comandi) {
  std::string s = "usage: scenario_tool COMMAND [OPTIONS]\n\nCommands:\n";
  for (const comando_strumento& c : comandi) {
    std::string nome(c.nome);
    nome.resize(std::max<size_t>(nome.size() + 1, 10), ' ');
    s += "  " + nome + std::string(c.sommario) + "\n";
  }
  return s +
         "\n"
         "scenario_tool COMMAND --help tells more; scenario_tool --version shows the version.\n"
         "Exit status: 0 clean, 1 a code was recorded, 2 usage error, 3 guard failure,\n"
         "4 a file could not be read or written.\n";
}

// Reports a command that is not one of the tool's, with the nearest one.
int comando_sconosciuto(std::ostream& err, const std::string& comando, const std::vector<comando_strumento>& comandi) {
  std::vector<std::string_view> noti;
  for (const comando_strumento& c : comandi) noti.push_back(c.nome);
  err << "scenario_tool: unknown command '" << comando << "'";
  if (std::string_view vicino = suggerisci(comando, noti); !vicino.empty()) err << "; did you mean '" << vicino << "'?";
  err << "\nTry 'scenario_tool --help'.\n";
  return kUscitaUso;
}

// Whether the arguments ask for the version (an option's value aside).
bool chiede_versione(const std::vector<std::string>& argomenti) {
  return std::find(argomenti.begin(), argomenti.end(), "--version") != argomenti.end();
}

// Parses the command's own arguments and runs it: its help, a usage error,
// or the command.
int esegui_comando(const comando_strumento& c, const std::vector<std::string>& argomenti, std::ostream& out,
                   std::ostream& err, bool colore) {
  if (chiede_versione(argomenti)) return out << kVersioneStrumento << "\n", kUscitaPulita;
  const riga_comando r = analizza(argomenti, c.opzioni, c.massimo_operandi);
  if (r.aiuto) return out << c.aiuto, kUscitaPulita;
  if (!r.errore.empty()) return uso(err, std::string(c.nome), r.errore);
  return c.esegui(r, out, err, colore);
}

}  // namespace

std::vector<comando_strumento> tabella_con(comando_strumento serve, comando_strumento lsp) {
  return {voce_check(),  voce_compile(), voce_documents(), voce_decompile(), voce_export(),
          voce_new(),    voce_format(), voce_dump(),    voce_plan(),      voce_view(),      std::move(serve), voce_timing(),
          voce_diff(),   voce_import(), std::move(lsp)};
}

int esegui_con_tabella(const std::vector<comando_strumento>& comandi, const std::vector<std::string>& argomenti,
                       std::ostream& out, std::ostream& err, bool colore) {
  if (argomenti.empty()) {
    err << aiuto_generale(comandi);
    return kUscitaUso;
  }
  const std::string& comando = argomenti[0];
  const std::vector<std::string> resto(argomenti.begin() + 1, argomenti.end());
  if (comando == "--help" || comando == "-h" || comando == "help") return out << aiuto_generale(comandi), kUscitaPulita;
  if (comando == "--version") return out << kVersioneStrumento << "\n", kUscitaPulita;
  for (const comando_strumento& c : comandi) {
    if (c.nome == comando) return esegui_comando(c, resto, out, err, colore);
  }
  return comando_sconosciuto(err, comando, comandi);
}

}  // namespace sb
