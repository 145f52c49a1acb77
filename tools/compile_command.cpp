#include "tools/compile_command.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "author/author_texts.h"
#include "compile/binary_set.h"
#include "compile/compile.h"
#include "compile/exit_status.h"
#include "platform/files.h"
#include "platform/writer.h"
#include "report/diagnostic_printer.h"
#include "report/diagnostic.h"
#include "scenario/error_codes.h"
#include "text_input/utf8_input.h"
#include "tools/command_line.h"
#include "tools/documents_command.h"
#include "tools/overwrite_check.h"

namespace sb {
namespace {

// A warning when a name has a character with no code page 1252 form.
void avvisa_nome(const std::string& nome, const char* quale, std::ostream& err) {
  testo_convertito t = prepara_testo(nome);
  if (t.sostituiti.empty()) return;
  err << riga_gnu(del_programma(gravita::avviso, "the " + std::string(quale) + " \"" + nome +
                                                  "\" has a character with no code page 1252 form; it is stored as \"" +
                                                  cp1252_in_utf8(t.byte) + "\""))
      << "\n";
}

}  // namespace

int esegui_compile(const opzioni_compile& o, std::ostream& out, std::ostream& err) {
  richiesta_scrittura rs;
  rs.comando = o.binari ? "compile" : "documents";
  rs.cartella = o.cartella_uscita;
  rs.nomi = nomi_compile(o.nome_linea, o.numero_treno, o.binari, o.documenti, !o.note.empty());
  rs.ingressi = {o.linea, o.servizio, o.note};
  rs.attesa = o.attesa;
  scrittura w(rs, err);
  if (const int s = w.controlla_ingressi()) return s;
  // A folder that cannot be made fails before the compile.
  if (esito_file e = w.prepara_cartella(); !e.ok) return w.stato(e);
  std::optional<testo_autore> note;
  if (esito_file e = leggi_testo_autore(o.note, note, err); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  avvisa_nome(o.nome_linea, "line name", err);
  avvisa_nome(o.numero_treno, "train number", err);
  const std::optional<compile_mostrato> c = compila_e_mostra(o, err);
  if (!c) return kUscitaFile;
  const risultato_compile& r = c->r;

  int stato = stato_compile(r, err);
  const bool fermato = o.werror && c->conti.avvisi > 0;
  if (fermato) {
    err << riga_gnu(del_programma(gravita::errore, "warnings are errors with --werror: no file written")) << "\n";
    if (stato == kUscitaPulita) stato = kUscitaCodice;
  }
  const bool binari = o.binari && r.fine == fine_compile::completata && !fermato;
  const bool documenti = o.documenti && !fermato;
  // The output directory is held from the first file written to the last.
  if (binari || documenti) {
    if (esito_file e = w.apri(); !e.ok) {
      out << riga_esito(r.s) << "\n";
      return w.stato(e);
    }
  }
  if (binari) {
    if (esito_file e = scrivi_binari(r.s, o.nome_linea, o.numero_treno, w.cartella()); !e.ok) stato = w.stato(e);
  }
  if (documenti && stato < kUscitaFile) {
    const testi_documenti t{c->linea, c->servizio, note};
    const int esito_documenti = scrivi_documenti_autore(r, t, w, {o.nome_linea, o.numero_treno}, err);
    if (stato == kUscitaPulita) stato = esito_documenti;
  }
  out << riga_esito(r.s) << "\n";
  return stato < kUscitaFile ? w.fine(stato) : stato;
}

namespace {

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

// Runs "compile" with its parsed command line.
int comando_compile(const riga_comando& r, std::ostream& out, std::ostream& err, bool colore) {
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

}  // namespace

// The table's entry of "compile".
comando_strumento voce_compile() {
  return {"compile",
          "compile your own line and service descriptions into the simulator's files",
          kAiutoCompile,
          {{"--line", true},
           {"--service", true},
           {"--line-name", true},
           {"--train", true},
           {"--no-plan", false},
           {"--werror", false},
           {"--documents", false},
           {"--notes", true},
           {"--no-wait", false},
           {"--out", true}},
          0,
          comando_compile};
}

}  // namespace sb
