#include "tools/plan_command.h"

#include <ostream>

#include "render/plan_svg.h"
#include "tools/command_line.h"
#include "tools/drawing_command.h"

namespace sb {
namespace {

// The picture's request of the options.
richiesta_disegno richiesta_plan(const opzioni_plan& o) {
  richiesta_disegno r;
  r.comando = "plan";
  r.fonti = {o.linea, o.servizio, o.nome_linea, o.numero_treno, o.griglia, o.tabella, o.celle};
  r.uscita = o.svg;
  r.attesa = o.attesa;
  r.disegna = disegna_pianta;
  return r;
}

}  // namespace

int esegui_plan(const opzioni_plan& o, std::ostream& out, std::ostream& err) {
  return esegui_disegno(richiesta_plan(o), out, err);
}

namespace {

constexpr const char* kAiutoPlan =
    "usage: scenario_tool plan [--plan NAME_linea.dat] [--sim NAME_TRAIN.sim]\n"
    "                          [--cells NAME_TRAIN.dat] [--no-wait] --svg OUT.svg\n"
    "       scenario_tool plan [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                          [--train NUMBER] [--no-wait] --svg OUT.svg\n"
    "\n"
    "Draws a picture of the scenario from any of its binary files: with --plan the map\n"
    "of the line; with --sim the stations; with --cells the signals, sign boards,\n"
    "speed indicators, slowdowns, code-reduction points, montagna spans and the\n"
    "gradient, speed-limit and adhesion profiles, all against the line's kilometre.\n"
    "Curves need --plan. From the descriptions (--line, --service) the picture is\n"
    "compiled in memory as compile does and marks each error and timetable finding\n"
    "where it points along the route; the exit status is the one compile gives.\n"
    "--no-wait fails at once (status 4) when another run is writing in the folder of\n"
    "OUT.svg. --svg - writes the picture to standard output.\n";

// Runs "plan" with its parsed command line.
int comando_plan(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  richiesta_disegno d;
  d.disegna = disegna_pianta;
  const std::optional<int> stato = leggi_richiesta_disegno(r, "plan", "--svg", "--svg OUT.svg is required", d, err);
  if (stato) return *stato;
  return esegui_disegno(d, out, err);
}

}  // namespace

// The table's entry of "plan".
comando_strumento voce_plan() {
  return {"plan",     "draw the line and its profiles as an SVG picture",
          kAiutoPlan, {{"--plan", true}, {"--sim", true}, {"--cells", true}, {"--line", true}, {"--service", true},
                       {"--line-name", true}, {"--train", true}, {"--svg", true}, {"--no-wait", false}},
          0,          comando_plan};
}

}  // namespace sb
