#include "tools/decompile_command.h"

#include <ostream>
#include <string>
#include <vector>

#include "compile/exit_status.h"
#include "decompile/decompile.h"
#include "inspect/binary_inputs.h"
#include "platform/writer.h"
#include "report/diagnostic.h"
#include "scenario/binary_decoders.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "text_input/utf8_input.h"
#include "tools/command_line.h"
#include "tools/compile_command.h"

namespace sb {
namespace {

bool leggi_ingresso(const opzioni_decompile& o, ingresso_decompile& in, std::ostream& err) {
  if (!leggi_binario(o.tabella, in.tabella, in.byte.tabella, decodifica_tabella, err)) return false;
  if (!leggi_binario(o.celle, in.celle, in.byte.celle, decodifica_celle, err)) return false;
  in.con_griglia = !o.griglia.empty();
  return !in.con_griglia || leggi_binario(o.griglia, in.griglia, in.byte.griglia, decodifica_griglia, err);
}

void mostra_note(const esito_decompile& e, const std::string& linea, const std::string& servizio, std::ostream& err) {
  for (const nota_testo& n : e.note) {
    err << riga_gnu(nota_segnalazione{{n.servizio ? servizio : linea, n.riga, 0, 0}, cp1252_in_utf8(n.testo)}) << "\n";
  }
}

// Each difference as a warning on the file the author gave.
void mostra_differenze(const esito_decompile& e, const opzioni_decompile& o, const ingresso_decompile& in,
                       std::ostream& err) {
  for (const differenza& d : e.differenze) {
    std::string file = d.file;
    if (file == nome_file_griglia(in.nome_linea)) file = o.griglia;
    if (file == nome_file_tabella(in.nome_linea, in.numero_treno)) file = o.tabella;
    if (file == nome_file_celle(in.nome_linea, in.numero_treno)) file = o.celle;
    // A difference of a name quotes it as the files hold it.
    segnalazione w = del_programma(gravita::avviso, cp1252_in_utf8(d.testo));
    w.dove.file = file;
    err << riga_gnu(w) << "\n";
  }
  if (!e.differenze.empty()) {
    err << "the texts in " << o.cartella_uscita << " do not compile back to the same files\n";
  }
}

}  // namespace

int esegui_decompile(const opzioni_decompile& o, std::ostream& out, std::ostream& err) {
  ingresso_decompile in;
  if (!leggi_ingresso(o, in, err)) return kUscitaFile;
  nomi_dal_file(o.tabella, in.tabella, in.nome_linea, in.numero_treno);
  if (!o.nome_linea.empty()) in.nome_linea = o.nome_linea;
  if (!o.numero_treno.empty()) in.numero_treno = o.numero_treno;

  const std::vector<std::string> nomi = {nome_testo_linea(in.nome_linea),
                                         nome_testo_servizio(in.nome_linea, in.numero_treno)};
  richiesta_scrittura rs;
  rs.comando = "decompile";
  rs.cartella = o.cartella_uscita;
  rs.nomi = nomi;
  rs.ingressi = {o.tabella, o.celle, o.griglia};
  rs.attesa = o.attesa;
  rs.tieni_esistenti = !o.forza;
  scrittura w(rs, err);
  if (const int s = w.controlla_ingressi()) return s;
  const esito_decompile e = decompila(in);
  if (!e.guasto.empty()) {
    const std::string& file = e.file_guasto == file_decompile::tabella ? o.tabella
                              : e.file_guasto == file_decompile::griglia ? o.griglia
                                                                         : o.celle;
    err << file << ": " << e.guasto << "\n";
    return kUscitaFile;
  }
  const std::string linea = in_cartella(o.cartella_uscita, nomi[0]);
  const std::string servizio = in_cartella(o.cartella_uscita, nomi[1]);
  if (esito_file f = w.apri(); !f.ok) return w.stato(f);
  if (esito_file f = w.sostituisci({{nomi[0], e.testo_linea}, {nomi[1], e.testo_servizio}}); !f.ok) return w.stato(f);
  mostra_note(e, linea, servizio, err);
  if (e.codice_ricompilato != kNessunErrore) {
    err << riga_gnu(nota_segnalazione{{servizio, 0, 0, 0}, "the texts record code " +
                                                                 std::to_string(e.codice_ricompilato) +
                                                                 " when compiled: " +
                                                                 std::string(significato(e.codice_ricompilato))})
        << "\n";
  }
  mostra_differenze(e, o, in, err);
  out << linea << "\n" << servizio << "\n";
  if (!e.differenze.empty()) {
    out << "round trip: " << e.differenze.size() << " difference" << (e.differenze.size() == 1 ? "" : "s") << "\n";
    return w.fine(kUscitaCodice);
  }
  out << "round trip: exact\n";
  return w.fine(kUscitaPulita);
}

namespace {

constexpr const char* kAiutoDecompile =
    "usage: scenario_tool decompile --sim NAME_TRAIN.sim --cells NAME_TRAIN.dat\n"
    "                               [--plan NAME_linea.dat] [--line-name NAME]\n"
    "                               [--train NUMBER] [--force] [--no-wait] --out DIR\n"
    "\n"
    "Writes NAME_linea.txt and NAME_TRAIN-.txt into DIR (created when missing): the line and\n"
    "service descriptions that compile to the files given, in the layout of the builder's own\n"
    "texts. Then compiles them in memory, with the same names and --no-plan when no plan was\n"
    "given, and compares the result with the files, byte for byte.\n"
    "\n"
    "  --sim FILE         the object table NAME_TRAIN.sim\n"
    "  --cells FILE       the route cells NAME_TRAIN.dat\n"
    "  --plan FILE        the line plan NAME_linea.dat (omitted: no curve comes back)\n"
    "  --line-name NAME   the line's name (default: from the --sim file's name)\n"
    "  --train NUMBER     the train number (default: from the --sim file's name)\n"
    "  --out DIR          where the two texts go\n"
    "  --force            replace texts already in DIR (without it, a text there is\n"
    "                     never overwritten: status 4, nothing written)\n"
    "  --no-wait          fail at once (status 4) when another run is writing in DIR\n"
    "\n"
    "Comment lines in the texts say where a value was chosen among several that code the\n"
    "same; they are listed on standard error as notes. Exit status: 0 the round trip gives\n"
    "the same bytes, 1 it does not (each difference a warning), 2 usage error, 4 a file\n"
    "could not be read or written, or the files do not belong together.\n";

// Runs "decompile" with its parsed command line.
int comando_decompile(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  opzioni_decompile o;
  o.tabella = r.valore("--sim", "");
  o.celle = r.valore("--cells", "");
  o.griglia = r.valore("--plan", "");
  o.nome_linea = r.valore("--line-name", "");
  o.numero_treno = r.valore("--train", "");
  o.cartella_uscita = r.valore("--out", "");
  o.forza = r.ha("--force");
  o.attesa = attesa(r);
  if (o.tabella.empty()) return uso(err, "decompile", "--sim NAME_TRAIN.sim is required");
  if (o.celle.empty()) return uso(err, "decompile", "--cells NAME_TRAIN.dat is required");
  if (o.cartella_uscita.empty()) return uso(err, "decompile", "--out DIR is required");
  if (r.ha("--plan") && o.griglia.empty()) return uso(err, "decompile", "--plan needs a file name");
  if (r.ha("--line-name") && !nome_valido(o.nome_linea)) {
    return uso(err, "decompile", "--line-name must be a plain name");
  }
  if (r.ha("--train") && !nome_valido(o.numero_treno)) return uso(err, "decompile", "--train must be a plain name");
  return esegui_decompile(o, out, err);
}

}  // namespace

// The table's entry of "decompile".
comando_strumento voce_decompile() {
  return {"decompile",
          "take a compiled scenario's files back to its two descriptions",
          kAiutoDecompile,
          {{"--sim", true},
           {"--cells", true},
           {"--plan", true},
           {"--line-name", true},
           {"--train", true},
           {"--out", true},
           {"--force", false},
           {"--no-wait", false}},
          0,
          comando_decompile};
}

}  // namespace sb
