#include "compile/read_on.h"

#include <algorithm>

#include "scenario/error_codes.h"

namespace sb {
namespace {

// Whether two diagnostics tell the same thing at the same place; the
// position a code leaves in posizione_errore does not count, since reading
// on clears it after each row.
bool stessa(const diagnostica& a, const diagnostica& b) {
  return a.livello == b.livello && a.codice == b.codice && a.genere == b.genere && a.origine == b.origine &&
         a.riga == b.riga && a.colonna == b.colonna && a.messaggio == b.messaggio;
}

// A code of a limit (80 stations and signs, 80 spans, 81 signs): every row
// after the first over it fails for the same cause.
bool codice_di_limite(int32_t codice) {
  return codice == kStazioniEsaurite || codice == kTroppeMontagne || codice == kTroppiCartelli;
}

// Whether an error only repeats a limit told before it.
bool ripete(const diagnostica& d, const std::vector<diagnostica>& prima) {
  if (d.livello != gravita::errore || !codice_di_limite(d.codice)) return false;
  return std::any_of(prima.begin(), prima.end(),
                     [&](const diagnostica& p) { return p.livello == gravita::errore && p.codice == d.codice; });
}

}  // namespace

std::vector<diagnostica> diagnostiche_ulteriori(const std::vector<diagnostica>& normali,
                                                const std::vector<diagnostica>& lette_oltre) {
  std::vector<diagnostica> tenute;
  std::vector<diagnostica> dette = normali;
  bool tieni = false;
  for (const diagnostica& d : lette_oltre) {
    if (nota_su_precedente(d)) {
      if (tieni) tenute.push_back(d);
      continue;
    }
    const bool gia_detta =
        std::any_of(dette.begin(), dette.end(), [&](const diagnostica& x) { return stessa(x, d); });
    tieni = !gia_detta && !ripete(d, dette);
    if (tieni) tenute.push_back(d);
    dette.push_back(d);
  }
  return tenute;
}

compile_letto_oltre compila_e_leggi_oltre(const richiesta_compile& richiesta) {
  compile_letto_oltre c{compila(richiesta), {}, {}, {}};
  c.lette = c.r.s.tracce.righe;
  c.omesse = c.r.s.limite.omesse;
  if (!c.r.s.tracce.interrotta) return c;
  richiesta_compile oltre = richiesta;
  oltre.errori = modo_errori::riprendi;
  const risultato_compile r = compila(oltre);
  c.ulteriori = diagnostiche_ulteriori(c.r.s.diagnostiche, r.s.diagnostiche);
  c.lette = r.s.tracce.righe;
  c.omesse = r.s.limite.omesse;
  return c;
}

}  // namespace sb
