#include "tools/plan_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/binary_inputs.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "render/plan_svg.h"
#include "scene/text_compile.h"
#include "tools/command_line.h"
#include "tools/overwrite_check.h"
#include "tools/single_output.h"

namespace sb {

namespace {

// Writes the picture: "-" to standard output, else under the lock of its
// folder.
int scrivi_pianta(const opzioni_plan& o, const scena& s, std::ostream& out, std::ostream& err) {
  return scrivi_uscita(o.svg, disegna_pianta(s), o.attesa, out, err);
}

int pianta_testi(const opzioni_plan& o, std::ostream& out, std::ostream& err) {
  opzioni_compile c;
  c.linea = o.linea;
  c.servizio = o.servizio;
  c.nome_linea = o.nome_linea;
  c.numero_treno = o.numero_treno;
  testi_compilati t;
  if (!compila_per_vista(c, t, err)) return kUscitaFile;
  const int stato = scrivi_pianta(o, scena_compilata(t), out, err);
  return stato != kUscitaPulita ? stato : t.stato;
}

}  // namespace

int esegui_plan(const opzioni_plan& o, std::ostream& out, std::ostream& err) {
  if (uscita_su_un_ingresso("plan", {o.linea, o.servizio, o.griglia, o.tabella, o.celle}, {o.svg}, err)) {
    return kUscitaUso;
  }
  if (o.da_testi()) return pianta_testi(o, out, err);
  binari_scena b;
  if (!leggi_binari(o.griglia, o.tabella, o.celle, b, err)) return kUscitaFile;
  const scena s = costruisci_scena(fonti_binari(b));
  avvisa_esclusi(s.contorno, o.griglia, err);
  return scrivi_pianta(o, s, out, err);
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
    "compiled in memory as compile does and marks each error where it points along\n"
    "the route; the exit status is the one compile gives. --no-wait fails at once\n"
    "(status 4) when another run is writing in the folder of OUT.svg. --svg - writes\n"
    "the picture to standard output.\n";

// Runs "plan" with its parsed command line.
int comando_plan(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  file_scena f;
  if (const std::optional<int> stato = leggi_file_scena(r, "plan", f, err)) return *stato;
  opzioni_plan o;
  o.linea = f.linea;
  o.servizio = f.servizio;
  o.nome_linea = f.nome_linea;
  o.numero_treno = f.numero_treno;
  o.griglia = f.griglia;
  o.tabella = f.tabella;
  o.celle = f.celle;
  o.svg = r.valore("--svg", "");
  o.attesa = attesa(r);
  if (o.svg.empty()) return uso(err, "plan", "--svg OUT.svg is required");
  return esegui_plan(o, out, err);
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
