#include "compile/read_on.h"

#include <set>
#include <string>
#include <tuple>

#include "scenario/error_codes.h"

namespace sb {
namespace {

// What makes two diagnostics tell the same thing at the same place; the
// position a code leaves in posizione_errore does not count, since reading
// on clears it after each row.
using chiave_diagnostica = std::tuple<gravita, int32_t, genere_avviso, origine_errore, int32_t, int32_t, std::string>;

chiave_diagnostica chiave_di(const diagnostica& d) {
  return {d.livello, d.codice, d.genere, d.origine, d.riga, d.colonna, d.messaggio};
}

// A code of a limit (80 stations and signs, 80 spans, 81 signs): every row
// after the first over it fails for the same cause.
bool codice_di_limite(int32_t codice) {
  return codice == kStazioniEsaurite || codice == kTroppeMontagne || codice == kTroppiCartelli;
}

// What has been told so far, looked up in logarithmic time so that a text
// with an error on every row is read on in n log n.
struct gia_dette {
  std::set<chiave_diagnostica> diagnostiche;
  std::set<int32_t> limiti;  // limit codes told as errors

  void aggiungi(const diagnostica& d) {
    diagnostiche.insert(chiave_di(d));
    if (d.livello == gravita::errore && codice_di_limite(d.codice)) limiti.insert(d.codice);
  }
  bool detta(const diagnostica& d) const { return diagnostiche.count(chiave_di(d)) != 0; }
  // Whether an error only repeats a limit told before it.
  bool ripete(const diagnostica& d) const {
    return d.livello == gravita::errore && codice_di_limite(d.codice) && limiti.count(d.codice) != 0;
  }
};

}  // namespace

std::vector<diagnostica> diagnostiche_ulteriori(const std::vector<diagnostica>& normali,
                                                const std::vector<diagnostica>& lette_oltre) {
  std::vector<diagnostica> tenute;
  gia_dette dette;
  for (const diagnostica& d : normali) dette.aggiungi(d);
  bool tieni = false;
  for (const diagnostica& d : lette_oltre) {
    if (nota_su_precedente(d)) {
      if (tieni) tenute.push_back(d);
      continue;
    }
    tieni = !dette.detta(d) && !dette.ripete(d);
    if (tieni) tenute.push_back(d);
    dette.aggiungi(d);
  }
  return tenute;
}

compile_letto_oltre compila_e_leggi_oltre(const richiesta_compile& richiesta) {
  compile_letto_oltre c{compila(richiesta), {}, {}, {}, std::nullopt};
  c.lette = c.r.s.tracce.righe;
  c.omesse = c.r.s.limite.omesse;
  if (!c.r.s.tracce.interrotta) return c;
  richiesta_compile oltre = richiesta;
  oltre.errori = modo_errori::riprendi;
  risultato_compile r = compila(oltre);
  c.ulteriori = diagnostiche_ulteriori(c.r.s.diagnostiche, r.s.diagnostiche);
  c.lette = r.s.tracce.righe;
  c.omesse = r.s.limite.omesse;
  r.s.griglia = griglia_codificata{};
  r.s.diagnostiche = {};
  c.oltre = std::move(r);
  return c;
}

}  // namespace sb
