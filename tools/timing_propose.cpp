#include "tools/timing_propose.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "author/author_texts.h"
#include "compile/exit_status.h"
#include "platform/writer.h"
#include "report/diagnostic.h"
#include "running_time/proposed_timetable.h"
#include "text_input/utf8_input.h"
#include "tools/timetable_rewrite.h"

namespace sb {
namespace {

// A number as the author wrote it, whole or with a decimal point; nothing
// when it is not one or lies outside the range.
std::optional<double> numero_tra(const std::string& testo, double minimo, double massimo) {
  double v = 0;
  const char* fine = testo.data() + testo.size();
  const auto [p, ec] = std::from_chars(testo.data(), fine, v, std::chars_format::fixed);
  if (ec != std::errc() || p != fine || !(v >= minimo && v <= massimo)) return std::nullopt;
  return v;
}

// "HH:MM:SS" as seconds since midnight; nothing when it is not a time of day.
std::optional<int32_t> ora_letta(const std::string& testo) {
  int h = 0, m = 0, s = 0;
  char resto = 0;
  if (testo.size() != 8 || std::sscanf(testo.c_str(), "%2d:%2d:%2d%c", &h, &m, &s, &resto) != 3) return std::nullopt;
  if (testo[2] != ':' || testo[5] != ':' || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return std::nullopt;
  return (h * 60 + m) * 60 + s;
}

// "07:22:30".
std::string ora(int32_t s) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", s / 3600 % 24, s / 60 % 60, s % 60);
  return testo;
}

// "2:34.1": a fastest time, minutes and seconds with a tenth.
std::string minuti_secondi(double s) {
  const int64_t d = static_cast<int64_t>(std::round(s * 10.0));
  char testo[48];
  std::snprintf(testo, sizeof testo, "%lld:%02lld.%lld", static_cast<long long>(d / 600),
                static_cast<long long>(d / 10 % 60), static_cast<long long>(d % 10));
  return testo;
}

// A code page 1252 text padded to a width in characters, shown as UTF-8.
std::string colonna(const std::string& testo, size_t larghezza) {
  std::string s = testo;
  if (s.size() < larghezza) s.resize(larghezza, ' ');
  return cp1252_in_utf8(s);
}

// A text right-aligned in a width.
std::string a_destra(const std::string& s, size_t larghezza) {
  return s.size() >= larghezza ? s : std::string(larghezza - s.size(), ' ') + s;
}

// The departure from the origin: --start, else the service's clock, else
// (a service without a clock) the origin's own time.
int32_t partenza_di(const opzioni_proposta& q, const scenario& s, const risultato_marcia& r) {
  if (q.partenza) return *q.partenza;
  const oggetto& treno = s.tabella[kOggettoTreno];
  const int32_t orologio = (treno.param_3 * 60 + treno.param_4) * 60 + treno.param_5;
  if (orologio != 0 || r.stazioni.empty()) return orologio;
  return r.stazioni.front().partenza;
}

// The heading and one line per timed station: its time now and proposed,
// and the leg that ends there with the proposed times.
std::string proposta_tabella(const risultato_marcia& r, const scenario& s, const proposta_orario& p,
                             const richiesta_proposta& q) {
  char testo[200];
  std::snprintf(testo, sizeof testo, ": %d vehicles, %g t, %g m; margin %g %%, times rounded up to %d s\n", r.vetture,
                r.modello.massa_kg / 1000.0, r.modello.lunghezza_m, q.margine_pct, q.arrotonda_s);
  std::string out = cp1252_in_utf8(s.nome_linea + " " + s.numero_treno) + testo;
  size_t larghezza = 7;
  for (const orario_proposto& o : p.orari) larghezza = std::max(larghezza, r.stazioni[o.stazione].nome.size());
  out += colonna("station", larghezza) + "  time now  proposed  fastest  scheduled  margin\n";
  for (const orario_proposto& o : p.orari) {
    std::string riga = colonna(r.stazioni[o.stazione].nome, larghezza) + "  " + ora(o.attuale) + "  " + ora(o.proposto);
    if (o.con_tratta) {
      std::snprintf(testo, sizeof testo, "%+.1f %%", o.margine_pct);
      riga += "  " + a_destra(minuti_secondi(o.minimo_s), 7) + "  " +
              a_destra(std::to_string(o.previsto_s / 60) + ":" + (o.previsto_s % 60 < 10 ? "0" : "") +
                           std::to_string(o.previsto_s % 60),
                       9) +
              "  " + a_destra(testo, 6);
    }
    out += riga + "\n";
  }
  return out;
}

// Writes the proposed times into the service text, where they differ from
// its own, through the one writer: the folder's lock, the signals held, the
// file's mode and owner kept, replaced whole or not at all.
int scrivi_proposta(const compile_mostrato& c, const risultato_marcia& r, const proposta_orario& p,
                    attesa_blocco attesa, std::ostream& out, std::ostream& err) {
  std::vector<orario_da_scrivere> orari;
  for (const orario_proposto& o : p.orari) {
    if (o.proposto == o.attuale) continue;
    const int voce = r.stazioni[o.stazione].voce;
    if (voce <= 0 || voce >= kNumeroOggetti) continue;
    orari.push_back({c.r.s.luogo_voce[static_cast<size_t>(voce)], o.proposto});
  }
  const std::string& file = c.servizio.file;
  if (orari.empty()) {
    out << file << ": the times are already these; nothing written\n";
    return kUscitaPulita;
  }
  std::string nuovo, errore;
  if (!riscrivi_orari(c.servizio.originale, orari, nuovo, errore)) {
    err << riga_gnu(del_programma(gravita::errore, file + ": " + errore + "; nothing written")) << "\n";
    return kUscitaCodice;
  }
  if (const int s = riscrivi_sul_posto("timing", file, nuovo, attesa, err); s != kUscitaPulita) return s;
  out << file << ": " << orari.size() << (orari.size() == 1 ? " station time" : " station times")
      << " written\n";
  return kUscitaPulita;
}

}  // namespace

bool opzioni_proposta_lette(const riga_comando& r, opzioni_proposta& q, std::ostream& err, int& stato) {
  auto sbaglio = [&](const std::string& motivo) {
    stato = uso(err, "timing", motivo);
    return false;
  };
  const bool proposta = r.ha("--propose");
  for (const char* o : {"--margin", "--round", "--start", "--write"}) {
    if (r.ha(o) && !proposta) return sbaglio(std::string(o) + " goes with --propose");
  }
  if (r.ha("--no-wait") && !r.ha("--write")) return sbaglio("--no-wait goes with --write");
  if (proposta && (r.ha("--json") || r.ha("--csv"))) return sbaglio("--propose prints a table: no --json or --csv");
  if (r.ha("--margin")) {
    q.margine_pct = numero_tra(r.valore("--margin", ""), 0.0, 100.0);
    if (!q.margine_pct) return sbaglio("--margin takes a per cent from 0 to 100, not '" + r.valore("--margin", "") + "'");
  }
  if (r.ha("--round")) {
    const std::optional<double> v = numero_tra(r.valore("--round", ""), 1.0, 3600.0);
    if (!v || *v != std::floor(*v)) {
      return sbaglio("--round takes whole seconds from 1 to 3600, not '" + r.valore("--round", "") + "'");
    }
    q.arrotonda_s = static_cast<int32_t>(*v);
  }
  if (r.ha("--start")) {
    q.partenza = ora_letta(r.valore("--start", ""));
    if (!q.partenza) return sbaglio("--start takes a time of day HH:MM:SS, not '" + r.valore("--start", "") + "'");
  }
  q.scrivi = r.ha("--write");
  q.attesa = attesa(r);
  return true;
}

int esegui_proposta(const opzioni_compile& o, const profilo_scelto& p, const opzioni_proposta& q, std::ostream& out,
                    std::ostream& err) {
  opzioni_compile senza_orario = o;
  senza_orario.orario = false;  // the times are proposed anew: the present ones are not told of
  const std::optional<compile_mostrato> c = compila_e_mostra(senza_orario, err);
  if (!c) return kUscitaFile;
  const scenario& s = c->r.s;
  if (c->r.fine != fine_compile::completata || s.codice_errore != 0 || s.celle.empty()) {
    err << riga_gnu(del_programma(gravita::errore, "no times proposed: the compile did not end clean")) << "\n";
    return kUscitaCodice;
  }
  const risultato_marcia r = tempi_di_marcia(s, p.profilo);
  richiesta_proposta richiesta;
  richiesta.margine_pct = q.margine_pct.value_or(r.modello.margine_recupero);
  richiesta.arrotonda_s = q.arrotonda_s;
  richiesta.partenza = partenza_di(q, s, r);
  const proposta_orario proposta = proponi_orario(r, richiesta);
  if (!proposta.errore.empty()) {
    err << riga_gnu(del_programma(gravita::errore, "no times proposed: " + proposta.errore)) << "\n";
    return kUscitaCodice;
  }
  out << proposta_tabella(r, s, proposta, richiesta);
  if (!q.scrivi) return kUscitaPulita;
  return scrivi_proposta(*c, r, proposta, q.attesa, out, err);
}

}  // namespace sb
