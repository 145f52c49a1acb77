#include "tools/view_command.h"

#include <ostream>

#include "render/view_page.h"
#include "tools/command_line.h"
#include "tools/drawing_command.h"

namespace sb {
namespace {

// The page of a scene, with no event stream to follow.
std::string pagina_sola(const scena& s) { return pagina_vista(s); }

// The page's request of the options.
richiesta_disegno richiesta_view(const opzioni_view& o) {
  richiesta_disegno r;
  r.comando = "view";
  r.fonti = {o.linea, o.servizio, o.nome_linea, o.numero_treno, o.griglia, o.tabella, o.celle};
  r.uscita = o.html;
  r.disegna = pagina_sola;
  return r;
}

}  // namespace

int esegui_view(const opzioni_view& o, std::ostream& out, std::ostream& err) {
  return esegui_disegno(richiesta_view(o), out, err);
}

namespace {

constexpr const char* kAiutoView =
    "usage: scenario_tool view [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                          [--train NUMBER] [--no-wait] --html OUT.html\n"
    "       scenario_tool view [--plan NAME_linea.dat] [--sim NAME_TRAIN.sim]\n"
    "                          [--cells NAME_TRAIN.dat] [--no-wait] --html OUT.html\n"
    "\n"
    "Writes one self-contained HTML page that shows the whole scenario: the map of the\n"
    "line and, under it on one kilometre axis, every item and profile. Zoom and pan\n"
    "with the wheel, a drag or the keys; hover or click an item for its values; search\n"
    "a station by name; switch layers off in the legend.\n"
    "\n"
    "From the descriptions (--line, --service) the page is compiled in memory as\n"
    "compile does, names the file and line of every item and lists the compile's\n"
    "diagnostics; the exit status is the one compile gives. From the binary files\n"
    "any of them will do. --no-wait fails at once (status 4) when another run is\n"
    "writing in the folder of OUT.html. --html - writes the page to standard output.\n";

// Runs "view" with its parsed command line.
int comando_view(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  richiesta_disegno d;
  d.disegna = pagina_sola;
  const std::optional<int> stato = leggi_richiesta_disegno(r, "view", "--html", "--html OUT.html is required", d, err);
  if (stato) return *stato;
  return esegui_disegno(d, out, err);
}

}  // namespace

// The table's entry of "view".
comando_strumento voce_view() {
  return {"view",
          "write one HTML page to explore the whole scenario in a web browser",
          kAiutoView,
          {{"--line", true},
           {"--service", true},
           {"--line-name", true},
           {"--train", true},
           {"--plan", true},
           {"--sim", true},
           {"--cells", true},
           {"--html", true},
           {"--no-wait", false}},
          0,
          comando_view};
}

}  // namespace sb
