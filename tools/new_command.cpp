#include "tools/new_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "platform/writer.h"
#include "scenario/file_names.h"
#include "tools/new_scenario.h"

namespace sb {

int esegui_new(const opzioni_new& o, std::ostream& out, std::ostream& err) {
  richiesta_scrittura rs;
  rs.comando = "new";
  rs.cartella = o.cartella;
  rs.attesa = o.attesa;
  rs.tieni_esistenti = !o.forza;
  const testi_nuovi t = scenario_nuovo(o.nome, o.treno);
  return scrivi_testi_nuovi(
      rs, {{nome_testo_linea(o.nome), t.linea}, {nome_testo_servizio(o.nome, o.treno), t.servizio}}, {}, out, err);
}

namespace {

constexpr const char* kAiutoNew =
    "usage: scenario_tool new NAME [--train NUMBER] [--force] [--no-wait] --out DIR\n"
    "\n"
    "Writes NAME_linea.txt and NAME_NUMBER-.txt into DIR (created when missing): a small\n"
    "scenario to start from, a 6 km line with three stations, a signal of each kind, gradients,\n"
    "curves, a tunnel, a slowdown, a speed indicator and a kilometre post, every row with a\n"
    "remark saying what it is and where the docs tell more. It checks clean as written.\n"
    "Texts already in DIR are kept and nothing is written (status 4) unless --force is given.\n"
    "\n"
    "  --train NUMBER   the train's number (default: 1)\n"
    "  --out DIR        the directory to write into\n"
    "  --force          replace texts already in DIR\n"
    "  --no-wait        fail at once (status 4) when another run is writing in DIR\n";

// Whether a train number can stand after the last "_" of a service file's
// name and be read back from it.
bool treno_valido(const std::string& treno) { return nome_valido(treno) && treno.find('_') == std::string::npos; }

// Runs "new" with its parsed command line.
int comando_new(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  if (r.operandi.empty()) return uso(err, "new", "give the line's NAME");
  opzioni_new o{r.operandi[0], r.valore("--train", "1"), r.valore("--out", ""), r.ha("--force"), attesa(r)};
  if (!r.ha("--out") || o.cartella.empty()) return uso(err, "new", "--out DIR is required");
  if (!nome_valido(o.nome)) return uso(err, "new", "NAME must be a plain name");
  if (!treno_valido(o.treno)) return uso(err, "new", "--train must be a plain name without '_'");
  return esegui_new(o, out, err);
}

}  // namespace

// The table's entry of "new".
comando_strumento voce_new() {
  return {"new",
          "write a small commented scenario of your own to start from",
          kAiutoNew,
          {{"--train", true}, {"--out", true}, {"--force", false}, {"--no-wait", false}},
          1,
          comando_new};
}

}  // namespace sb
