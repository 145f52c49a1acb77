#include "tools/plan_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/binary_inputs.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "render/plan_svg.h"
#include "tools/command_line.h"
#include "tools/overwrite_check.h"
#include "tools/single_output.h"

namespace sb {

int esegui_plan(const opzioni_plan& o, std::ostream& out, std::ostream& err) {
  if (uscita_su_un_ingresso("plan", {o.griglia, o.tabella, o.celle}, {o.svg}, err)) return kUscitaUso;
  binari_scena b;
  if (!leggi_binari(o.griglia, o.tabella, o.celle, b, err)) return kUscitaFile;
  const scena s = costruisci_scena(fonti_binari(b));
  avvisa_esclusi(s.contorno, o.griglia, err);
  std::string svg = disegna_pianta(s);
  return scrivi_uscita(o.svg, svg, o.attesa, out, err);
}

namespace {

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

// Runs "plan" with its parsed command line.
int comando_plan(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  opzioni_plan o{r.valore("--plan", ""), r.valore("--sim", ""), r.valore("--cells", ""), r.valore("--svg", ""),
                 attesa(r)};
  if (o.griglia.empty() && o.tabella.empty() && o.celle.empty()) {
    return uso(err, "plan", "give at least one of --plan, --sim and --cells");
  }
  if (o.svg.empty()) return uso(err, "plan", "--svg OUT.svg is required");
  return esegui_plan(o, out, err);
}

}  // namespace

// The table's entry of "plan".
comando_strumento voce_plan() {
  return {"plan",     "draw the line and its profiles as an SVG picture",
          kAiutoPlan, {{"--plan", true}, {"--sim", true}, {"--cells", true}, {"--svg", true}, {"--no-wait", false}},
          0,          comando_plan};
}

}  // namespace sb
