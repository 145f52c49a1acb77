#include "tools/format_command.h"

#include <limits>
#include <ostream>

#include "compile/exit_status.h"
#include "grammar/text_format.h"
#include "platform/files.h"
#include "platform/signals.h"
#include "platform/writer.h"

namespace sb {
namespace {

// Formats one file; returns its exit status.
int formatta_file(const std::string& file, bool verifica, attesa_blocco attesa, std::ostream& out,
                  std::ostream& err) {
  std::string byte;
  if (esito_file e = leggi_file(file, byte); !e.ok) return uscita_file(e, err);
  const esito_formato f = formatta_testo(byte, genere_del_file(file, byte));
  if (f.rifiutato) {
    err << file << ":";
    if (f.rifiutato->dove.riga > 0) err << f.rifiutato->dove.riga << ":" << f.rifiutato->dove.colonna << ":";
    err << " error: " << f.rifiutato->motivo << "\n";
    return kUscitaFile;
  }
  if (!f.cambiato) return kUscitaPulita;
  if (!verifica) {
    if (const int s = riscrivi_sul_posto("format", file, f.testo, attesa, err); s != kUscitaPulita) return s;
  }
  out << file << "\n";
  return verifica ? kUscitaCodice : kUscitaPulita;
}

constexpr const char* kAiutoFormat =
    "usage: scenario_tool format [--check] [--no-wait] FILE...\n"
    "\n"
    "Lines up each line or service description FILE in the builder's layout, in place:\n"
    "every row's values in the columns of the builder's own texts, a section's columns\n"
    "widened to its widest value. Only blanks move: the preamble, the headings, the\n"
    "remarks, the order of the rows, the encoding and the line ends stay as they are,\n"
    "and the files compiled from the text do not change. A FILE named NAME_linea.txt\n"
    "is a line description, NAME_TRAIN-.txt a service description; any other is told\n"
    "by its rows. A file that needs no change is not rewritten. The name of each file\n"
    "that changes is printed. A file keeps its mode, owner and group; a link stays a\n"
    "link and the file it points at is formatted; a file with other hard links is\n"
    "refused (status 4), since a new file would part it from them.\n"
    "\n"
    "  --check     write nothing: print the names of the files that would change and\n"
    "              exit 1 when there is any\n"
    "  --no-wait   fail at once (status 4) when another run is writing in a FILE's folder\n";

// Runs "format" with its parsed command line.
int comando_format(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  if (r.operandi.empty()) return uso(err, "format", "no FILE given");
  return esegui_format(r.operandi, r.ha("--check"), attesa(r), out, err);
}

}  // namespace

int esegui_format(const std::vector<std::string>& file, bool verifica, attesa_blocco attesa, std::ostream& out,
                  std::ostream& err) {
  // Held over the whole run: a signal between two files is taken before the
  // next one, never in the middle of a write.
  segnali_di_build segnali;
  int stato = kUscitaPulita;
  for (const std::string& nome_file : file) {
    if (const int s = segnale_arrivato()) {
      err << nome_file << ": interrupted by " << nome_segnale(s) << "; it and the files after it are left as they were\n";
      return stato_per_segnale(s);
    }
    const int uno = formatta_file(nome_file, verifica, attesa, out, err);
    if (uno > stato) stato = uno;
    if (uno > kUscitaFile) return uno;  // a signal stopped the write
  }
  return stato;
}

// The table's entry of "format".
comando_strumento voce_format() {
  return {"format",
          "line your description texts up in the builder's layout (--check: only tell)",
          kAiutoFormat,
          {{"--check", false}, {"--no-wait", false}},
          std::numeric_limits<size_t>::max(),
          comando_format};
}

}  // namespace sb
