#include "tools/plan_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/binary_inputs.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "author/scenario_names.h"
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
  opzioni_plan o;
  o.griglia = r.valore("--plan", "");
  o.tabella = r.valore("--sim", "");
  o.celle = r.valore("--cells", "");
  o.svg = r.valore("--svg", "");
  o.attesa = attesa(r);
  o.linea = r.valore("--line", "");
  o.servizio = r.valore("--service", "");
  // The names as compile takes them: given, else from the file names.
  const nomi_scenario nomi = scegli_nomi(se_dato(r, "--line-name"), se_dato(r, "--train"), o.linea, o.servizio);
  o.nome_linea = nomi.linea;
  o.numero_treno = nomi.treno;
  const bool binari = !o.griglia.empty() || !o.tabella.empty() || !o.celle.empty();
  if (o.da_testi() && binari) return uso(err, "plan", "give either the descriptions or the binary files, not both");
  if (!o.da_testi() && !binari) {
    return uso(err, "plan", "give --line and --service, or any of --plan, --sim and --cells");
  }
  if (binari && (r.ha("--line-name") || r.ha("--train"))) {
    return uso(err, "plan", "--line-name and --train go with the descriptions");
  }
  if (!nome_valido(o.nome_linea)) return uso(err, "plan", "--line-name must be a plain name");
  if (!nome_valido(o.numero_treno)) return uso(err, "plan", "--train must be a plain name");
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
