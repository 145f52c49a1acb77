#include "report/diagnostic_printer.h"

#include <map>
#include <ostream>
#include <string_view>

#include "scenario/error_codes.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// Who speaks when a diagnostic names no file.
constexpr const char* kProgramma = "scenario_tool";

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

// The source line as the author sees it, as UTF-8, without a leading byte
// order mark; a control character (a NUL, an ESC) shows as its symbol.
std::string riga_mostrata(const testo_autore& t, int32_t riga) {
  std::string_view r = riga_di(t.originale, riga);
  if (riga == 1 && r.substr(0, 3) == "\xEF\xBB\xBF") r.remove_prefix(3);
  const bool utf8 = t.originale != t.byte;  // converted: the author's bytes are UTF-8
  return visibile(utf8 ? r : cp1252_in_utf8(r));
}

// The file a diagnostic points into; empty for none.
const testo_autore* testo_di(const diagnostica& d, const testo_autore& linea, const testo_autore& servizio) {
  if (d.origine == origine_errore::testo_linea) return &linea;
  if (d.origine == origine_errore::testo_servizio) return &servizio;
  return nullptr;
}

// Shows one diagnostic with its source line and caret.
void stampa_una(const diagnostica& d, const testo_autore* t, const opzioni_stampa& o, std::ostream& err) {
  const std::string file = t != nullptr && !t->percorso.empty() ? t->percorso : kProgramma;
  const bool con_riga = t != nullptr && !t->percorso.empty() && d.riga > 0;
  std::string luogo = file;
  if (con_riga) {
    luogo += ":" + std::to_string(d.riga);
    if (d.colonna > 0) luogo += ":" + std::to_string(d.colonna);
  }
  const std::string messaggio = visibile(messaggio_diagnostica(d));
  if (o.colore) {
    err << kGrassetto << luogo << ": " << colore_livello(d.livello) << parola_livello(d.livello) << ":" << kNormale
        << " " << messaggio << "\n";
  } else {
    err << luogo << ": " << parola_livello(d.livello) << ": " << messaggio << "\n";
  }
  if (!con_riga) return;
  err << riga_mostrata(*t, d.riga) << "\n";
  if (d.colonna <= 0) return;
  const std::string_view letta = riga_di(t->byte, d.riga);
  const size_t inizio = static_cast<size_t>(d.colonna - 1);
  const std::string segno =
      d.larghezza > 0 ? "^" + std::string(static_cast<size_t>(d.larghezza - 1), '~') : segno_campo(letta, inizio);
  err << rientro_sotto(letta.substr(0, inizio)) << (o.colore ? kVerde : "") << segno << (o.colore ? kNormale : "")
      << "\n";
}

}  // namespace

std::string messaggio_diagnostica(const diagnostica& d) {
  if (d.livello != gravita::errore || d.codice == 0) return d.messaggio;
  return "error " + std::to_string(d.codice) + ": " +
         (d.messaggio.empty() ? std::string(significato(d.codice)) : d.messaggio);
}

conteggio_diagnostiche stampa_diagnostiche(const std::vector<diagnostica>& d, const testo_autore& linea,
                                           const testo_autore& servizio, const opzioni_stampa& o,
                                           std::ostream& err, const diagnostiche_omesse& omesse) {
  conteggio_diagnostiche conti;
  std::map<genere_diagnostica, size_t> totali, mostrati;
  auto conta = [&](gravita livello, size_t n) {
    const int32_t m = static_cast<int32_t>(n);
    if (livello == gravita::errore) conti.errori += m;
    if (livello == gravita::avviso) conti.avvisi += m;
    if (livello == gravita::nota) conti.note += m;
  };
  for (const diagnostica& x : d) {
    if (!nota_su_precedente(x)) ++totali[genere_di(x)];
    conta(x.livello, 1);
  }
  for (const auto& [k, n] : omesse) {
    totali[k] += n;
    conta(k.livello, n);
  }
  bool mostra = true;  // whether the entry before was shown: its notes follow it
  for (size_t i = 0; i < d.size(); ++i) {
    const diagnostica& x = d[i];
    if (nota_su_precedente(x)) {
      if (mostra) stampa_una(x, testo_di(x, linea, servizio), o, err);
      continue;
    }
    const genere_diagnostica k = genere_di(x);
    mostra = mostrati[k] < o.massimo_per_genere;
    if (!mostra) continue;
    stampa_una(x, testo_di(x, linea, servizio), o, err);
    ++mostrati[k];
    if (mostrati[k] < o.massimo_per_genere || totali[k] == mostrati[k]) continue;
    // The last one shown of its kind: its notes first, then the count.
    while (i + 1 < d.size() && nota_su_precedente(d[i + 1])) {
      ++i;
      stampa_una(d[i], testo_di(d[i], linea, servizio), o, err);
    }
    const testo_autore* t = testo_di(x, linea, servizio);
    err << (t != nullptr && !t->percorso.empty() ? t->percorso : kProgramma) << ": note: " << totali[k] - mostrati[k]
        << " more like this\n";
  }
  return conti;
}

std::string_view parola_livello(gravita livello) {
  switch (livello) {
    case gravita::errore: return "error";
    case gravita::avviso: return "warning";
    case gravita::nota: return "note";
  }
  return "error";
}

bool usa_colore(bool terminale, const char* no_color) {
  return terminale && (no_color == nullptr || no_color[0] == '\0');
}

}  // namespace sb
