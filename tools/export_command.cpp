#include "tools/export_command.h"

#include <ostream>

#include "builtin/builtin_scenario.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/exit_status.h"
#include "documents/line_list.h"
#include "platform/writer.h"
#include "scenario/file_names.h"
#include "tools/command_line.h"

namespace sb {

int esegui_export(const opzioni_export& o, std::ostream& out, std::ostream& err) {
  richiesta_scrittura rs;
  rs.comando = "export";
  rs.cartella = o.cartella;
  rs.attesa = o.attesa;
  rs.tieni_esistenti = !o.forza;
  const std::string testo_linea = componi_documento(righe_linea());
  const std::string testo_servizio = componi_documento(righe_treno());
  return scrivi_testi_nuovi(rs,
                            {{nome_testo_linea(kNomeLinea), testo_linea},
                             {nome_testo_servizio(kNomeLinea, kNumeroTreno), testo_servizio}},
                            {}, out, err);
}

namespace {

constexpr const char* kAiutoExport =
    "usage: scenario_tool export [--out DIR] [--force] [--no-wait]\n"
    "\n"
    "Writes BORVALE_linea.txt and BORVALE_40617-.txt, the built-in scenario's line and\n"
    "service descriptions, byte for byte as the builder writes them, into DIR (default:\n"
    "the current directory).\n"
    "\n"
    "  --force     replace texts already in DIR (without it they are kept, status 4)\n"
    "  --no-wait   fail at once (status 4) when another run is writing in DIR\n";

// Runs "export" with its parsed command line.
int comando_export(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  opzioni_export o{r.valore("--out", "."), r.ha("--force"), attesa(r)};
  if (o.cartella.empty()) return uso(err, "export", "--out needs a directory");
  return esegui_export(o, out, err);
}

}  // namespace

// The table's entry of "export".
comando_strumento voce_export() {
  return {"export",
          "write the built-in scenario's two descriptions, to start from",
          kAiutoExport,
          {{"--out", true}, {"--force", false}, {"--no-wait", false}},
          0,
          comando_export};
}

}  // namespace sb
