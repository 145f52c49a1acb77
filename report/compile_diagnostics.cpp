#include "report/compile_diagnostics.h"

#include <algorithm>

#include "scenario/diagnostic_cap.h"
#include "scenario/error_codes.h"
#include "text_input/text_lines.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// The text an entry points into; null for none.
const testo_autore* testo_di(origine_errore origine, const testo_autore& linea, const testo_autore& servizio,
                            const testo_autore* profilo) {
  if (origine == origine_errore::testo_linea) return &linea;
  if (origine == origine_errore::testo_servizio) return &servizio;
  if (origine == origine_errore::profilo_treno) return profilo;
  return nullptr;
}

// " (no --line given)" or " (no --service given)" for an error about a text
// the author did not give; empty otherwise.
std::string testo_mancante(const diagnostica& d, const testo_autore& linea, const testo_autore& servizio) {
  if (d.livello != gravita::errore || d.riga != 0) return "";
  if (d.origine == origine_errore::testo_linea && linea.file.empty()) return " (no --line given)";
  if (d.origine == origine_errore::testo_servizio && servizio.file.empty()) return " (no --service given)";
  return "";
}

// What the entry says, as UTF-8: the compilers quote names and fields in
// code page 1252, as they read them.
std::string messaggio_di(const diagnostica& d, const testo_autore& linea, const testo_autore& servizio) {
  const std::string resto = testo_mancante(d, linea, servizio);
  const bool significato_proprio = d.messaggio.empty() && (!resto.empty() || (d.livello == gravita::errore && d.codice != 0));
  return (significato_proprio ? std::string(significato(d.codice)) : cp1252_in_utf8(d.messaggio)) + resto;
}

// Where along the route an error or a timetable finding points, or -1.
int64_t metro_di(const diagnostica& d) {
  // A timetable finding stands at the end of its leg.
  if (d.genere == genere_avviso::tempo_insufficiente || d.genere == genere_avviso::margine_ridotto ||
      d.genere == genere_avviso::corsa_interrotta) {
    return d.posizione;
  }
  if (d.livello != gravita::errore) return -1;
  if (d.origine == origine_errore::passaggio || ha_posizione(d.codice)) return d.posizione;
  return -1;
}

}  // namespace

int32_t larghezza_campo(std::string_view riga, size_t inizio) {
  size_t fine = std::min(riga.find(',', inizio), riga.size());
  if (fine <= inizio) return 1;
  while (fine > inizio + 1 && (riga[fine - 1] == ' ' || riga[fine - 1] == '\t')) --fine;
  return static_cast<int32_t>(fine - inizio);
}

namespace {

// The lines of the three texts, each found by walking its text once while
// the entries come in the order of their lines.
struct righe_dei_testi {
  righe_dei_testi(const testo_autore& linea, const testo_autore& servizio, const testo_autore* profilo)
      : linea_(&linea), servizio_(&servizio), profilo_(profilo), in_linea_(linea.byte), in_servizio_(servizio.byte),
        in_profilo_(profilo != nullptr ? std::string_view(profilo->byte) : std::string_view()) {}

  // Line n of the text t, which is one of the three.
  std::string_view riga(const testo_autore* t, int32_t n) {
    if (t == linea_) return in_linea_.riga(n);
    if (t == servizio_) return in_servizio_.riga(n);
    if (t == profilo_) return in_profilo_.riga(n);
    return {};
  }

 private:
  const testo_autore* linea_;
  const testo_autore* servizio_;
  const testo_autore* profilo_;
  cercatore_righe in_linea_;
  cercatore_righe in_servizio_;
  cercatore_righe in_profilo_;
};

luogo_sorgente luogo_con_righe(const diagnostica& d, const testo_autore& linea, const testo_autore& servizio,
                               const testo_autore* profilo, righe_dei_testi& righe) {
  const testo_autore* t = testo_di(d.origine, linea, servizio, profilo);
  luogo_sorgente l;
  if (t == nullptr) return l;
  l.file = t->file;
  l.riga = d.riga;
  l.colonna = d.colonna;
  if (d.colonna <= 0) return l;
  const int32_t larghezza =
      d.larghezza > 0 ? d.larghezza : larghezza_campo(righe.riga(t, d.riga), static_cast<size_t>(d.colonna - 1));
  l.colonna_ultima = d.colonna + larghezza - 1;
  return l;
}

}  // namespace

luogo_sorgente luogo_di(const diagnostica& d, const testo_autore& linea, const testo_autore& servizio,
                        const testo_autore* profilo) {
  righe_dei_testi righe(linea, servizio, profilo);
  return luogo_con_righe(d, linea, servizio, profilo, righe);
}

std::vector<segnalazione> segnalazioni_compile(const std::vector<diagnostica>& d, const testo_autore& linea,
                                               const testo_autore& servizio, const testo_autore* profilo) {
  std::vector<segnalazione> out;
  righe_dei_testi righe(linea, servizio, profilo);
  for (const diagnostica& x : d) {
    if (nota_su_precedente(x) && !out.empty()) {
      out.back().note.push_back({luogo_con_righe(x, linea, servizio, profilo, righe), cp1252_in_utf8(x.messaggio)});
      continue;
    }
    segnalazione s;
    s.dove = luogo_con_righe(x, linea, servizio, profilo, righe);
    s.livello = x.livello;
    s.codice = x.codice;
    s.genere = x.genere;
    s.messaggio = messaggio_di(x, linea, servizio);
    s.metro = metro_di(x);
    out.push_back(std::move(s));
  }
  return out;
}

}  // namespace sb
