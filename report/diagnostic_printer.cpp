#include "report/diagnostic_printer.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string_view>

#include "text_input/text_lines.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

constexpr const char* kGrassetto = "\x1b[1m";
constexpr const char* kRosso = "\x1b[1;31m";
constexpr const char* kMagenta = "\x1b[1;35m";
constexpr const char* kCiano = "\x1b[1;36m";
constexpr const char* kVerde = "\x1b[1;32m";
constexpr const char* kNormale = "\x1b[0m";

const char* colore_livello(gravita g) {
  switch (g) {
    case gravita::errore: return kRosso;
    case gravita::avviso: return kMagenta;
    case gravita::nota: return kCiano;
  }
  return kRosso;
}

// The text a place points into; null when it is not among the texts.
const testo_autore* testo_di(const luogo_sorgente& l, const std::vector<const testo_autore*>& testi) {
  if (l.file.empty()) return nullptr;
  for (const testo_autore* t : testi) {
    if (t != nullptr && t->file == l.file) return t;
  }
  return nullptr;
}

// The source line as the author sees it, as UTF-8, without a leading byte
// order mark; a control character (a NUL, an ESC) shows as its symbol.
std::string riga_mostrata(const testo_autore& t, int32_t riga) {
  std::string_view r = riga_di(t.originale, riga);
  if (riga == 1 && r.substr(0, 3) == "\xEF\xBB\xBF") r.remove_prefix(3);
  const bool utf8 = t.originale != t.byte;  // converted: the author's bytes are UTF-8
  return visibile(utf8 ? r : cp1252_in_utf8(r));
}

// Blanks as wide as the text before a column, the line's tabs kept: what
// stands before the underline.
std::string rientro_sotto(std::string_view prima) {
  std::string out;
  for (char c : prima) out += c == '\t' ? '\t' : ' ';
  return out;
}

// The first line of one diagnostic or note, then its source line and
// underline when its text is known.
void stampa_luogo(const luogo_sorgente& l, gravita livello, const std::string& testo,
                  const std::vector<const testo_autore*>& testi, const opzioni_stampa& o, std::ostream& err) {
  const std::string luogo = luogo_mostrato(l);
  const std::string messaggio = visibile(testo);
  if (o.colore) {
    err << kGrassetto << luogo << ": " << colore_livello(livello) << parola_livello(livello) << ":" << kNormale
        << " " << messaggio << "\n";
  } else {
    err << luogo << ": " << parola_livello(livello) << ": " << messaggio << "\n";
  }
  const testo_autore* t = testo_di(l, testi);
  if (!o.sorgente || t == nullptr || l.riga <= 0) return;
  err << riga_mostrata(*t, l.riga) << "\n";
  if (l.colonna <= 0) return;
  const std::string_view letta = riga_di(t->byte, l.riga);
  const size_t inizio = std::min(static_cast<size_t>(l.colonna - 1), letta.size());
  const size_t tilde = l.colonna_ultima > l.colonna ? static_cast<size_t>(l.colonna_ultima - l.colonna) : 0;
  err << rientro_sotto(letta.substr(0, inizio)) << (o.colore ? kVerde : "") << "^" << std::string(tilde, '~')
      << (o.colore ? kNormale : "") << "\n";
}

// One diagnostic and its notes.
void stampa_una(const segnalazione& s, const std::vector<const testo_autore*>& testi, const opzioni_stampa& o,
                std::ostream& err) {
  stampa_luogo(s.dove, s.livello, testo_segnalazione(s), testi, o, err);
  for (const nota_segnalazione& n : s.note) stampa_luogo(n.dove, gravita::nota, n.messaggio, testi, o, err);
}

// The kind that caps a run: an error's code, a warning's or note's kind.
genere_diagnostica chiave_di(const segnalazione& s) { return {s.livello, s.codice, s.genere}; }

}  // namespace

conteggio_diagnostiche stampa_segnalazioni(const std::vector<segnalazione>& d,
                                           const std::vector<const testo_autore*>& testi, const opzioni_stampa& o,
                                           std::ostream& err, const diagnostiche_omesse& omesse) {
  conteggio_diagnostiche conti;
  auto conta = [&](gravita livello, size_t n) {
    const int32_t m = static_cast<int32_t>(n);
    if (livello == gravita::errore) conti.errori += m;
    if (livello == gravita::avviso) conti.avvisi += m;
    if (livello == gravita::nota) conti.note += m;
  };
  std::map<genere_diagnostica, size_t> totali, tenuti, mostrati;
  for (const segnalazione& s : d) {
    ++tenuti[chiave_di(s)];
    conta(s.livello, 1);
    conti.note += static_cast<int32_t>(s.note.size());
  }
  totali = tenuti;
  for (const auto& [k, n] : omesse) {
    totali[k] += n;
    conta(k.livello, n);
  }
  for (const segnalazione& s : d) {
    const genere_diagnostica k = chiave_di(s);
    if (mostrati[k] >= o.massimo_per_genere) continue;
    stampa_una(s, testi, o, err);
    ++mostrati[k];
    // After the last one shown of its kind, with its notes: the count of
    // those not shown, and of those counted but not kept.
    const bool ultimo = mostrati[k] == o.massimo_per_genere || mostrati[k] == tenuti[k];
    if (!ultimo || totali[k] == mostrati[k]) continue;
    err << luogo_mostrato({s.dove.file, 0, 0, 0}) << ": note: " << totali[k] - mostrati[k] << " more like this\n";
  }
  return conti;
}

bool usa_colore(bool terminale, const char* no_color) {
  return terminale && (no_color == nullptr || no_color[0] == '\0');
}

}  // namespace sb
