#include "tools/view_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/binary_inputs.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "render/view_page.h"
#include "scene/text_compile.h"
#include "tools/command_line.h"
#include "tools/overwrite_check.h"
#include "tools/single_output.h"

namespace sb {
namespace {

// Writes the page: "-" to standard output, else under the lock of its folder.
int scrivi_pagina(const opzioni_view& o, const scena& s, std::ostream& out, std::ostream& err) {
  return scrivi_uscita(o.html, pagina_vista(s), o.attesa, out, err);
}

int vista_testi(const opzioni_view& o, std::ostream& out, std::ostream& err) {
  opzioni_compile c;
  c.linea = o.linea;
  c.servizio = o.servizio;
  c.nome_linea = o.nome_linea;
  c.numero_treno = o.numero_treno;
  testi_compilati t;
  if (!compila_per_vista(c, t, err)) return kUscitaFile;
  const int stato = scrivi_pagina(o, scena_compilata(t), out, err);
  return stato != kUscitaPulita ? stato : t.stato;
}

int vista_binari(const opzioni_view& o, std::ostream& out, std::ostream& err) {
  binari_scena b;
  if (!leggi_binari(o.griglia, o.tabella, o.celle, b, err)) return kUscitaFile;
  const scena s = costruisci_scena(fonti_binari(b));
  avvisa_esclusi(s.contorno, o.griglia, err);
  return scrivi_pagina(o, s, out, err);
}

}  // namespace

int esegui_view(const opzioni_view& o, std::ostream& out, std::ostream& err) {
  if (uscita_su_un_ingresso("view", {o.linea, o.servizio, o.griglia, o.tabella, o.celle}, {o.html}, err)) {
    return kUscitaUso;
  }
  return o.da_testi() ? vista_testi(o, out, err) : vista_binari(o, out, err);
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
  file_scena f;
  if (const std::optional<int> stato = leggi_file_scena(r, "view", f, err)) return *stato;
  opzioni_view o;
  o.linea = f.linea;
  o.servizio = f.servizio;
  o.nome_linea = f.nome_linea;
  o.numero_treno = f.numero_treno;
  o.griglia = f.griglia;
  o.tabella = f.tabella;
  o.celle = f.celle;
  o.html = r.valore("--html", "");
  o.attesa = attesa(r);
  if (o.html.empty()) return uso(err, "view", "--html OUT.html is required");
  return esegui_view(o, out, err);
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
