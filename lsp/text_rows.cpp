#include "lsp/text_rows.h"

#include "scenario/unknown_field.h"
#include "text_input/field_reader.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

posto_campo posto_di(const campo_letto& c) {
  const int32_t fine = c.riga_fine == c.riga ? c.colonna_fine : c.colonna + static_cast<int32_t>(c.grezzo.size());
  return {c.riga, c.colonna, fine};
}

// Reads the values of a row after its keyword.
void leggi_valori(lettore_campi& l, riga_testo& r) {
  for (const campo_riga& c : r.tipo->campi) {
    if (c.modo == conservazione::testo) {
      std::string t;
      if (l.leggi_testo(t) != esito_lettura::letto) return;
      r.posti.push_back(posto_di(l.ultimo()));
      r.numeri.push_back(0);
      r.nome = t;
      continue;
    }
    int32_t v = 0;
    const esito_lettura e = l.leggi_numero(v);
    if (e == esito_lettura::niente) return;
    r.posti.push_back(posto_di(l.ultimo()));
    r.numeri.push_back(v);
    if (e != esito_lettura::letto) return;
  }
}

bool dentro(const posto_campo& p, int32_t riga, int32_t colonna) {
  return p.riga == riga && colonna >= p.colonna && colonna <= p.colonna_fine;
}

}  // namespace

righe_documento leggi_righe(genere_testo t, std::string_view byte) {
  righe_documento out;
  lettore_campi l(byte);
  std::string campo;
  bool preambolo = true;
  bool generale = true;  // the line's general section
  while (!l.finito()) {
    if (l.leggi_testo(campo) != esito_lettura::letto) break;
    const posto_campo posto = posto_di(l.ultimo());
    if (preambolo) {
      if (!contiene_nc(campo, "[generale]")) continue;
      preambolo = false;
      out.intestazioni.push_back({campo, posto});
      continue;
    }
    if (intestazione(campo) && !contiene(campo, "-")) {
      out.intestazioni.push_back({campo, posto});
      generale = false;
      continue;
    }
    if (contiene(campo, "-")) continue;
    const tipo_riga* tipo = riconosci_riga(t, campo, generale);
    if (tipo == nullptr) continue;
    riga_testo r;
    r.tipo = tipo;
    r.chiave = posto;
    leggi_valori(l, r);
    out.righe.push_back(std::move(r));
  }
  return out;
}

const riga_testo* riga_a(const righe_documento& r, int32_t riga, int32_t colonna, int& valore) {
  for (const riga_testo& x : r.righe) {
    if (dentro(x.chiave, riga, colonna)) {
      valore = -1;
      return &x;
    }
    for (size_t k = 0; k < x.posti.size(); ++k) {
      if (dentro(x.posti[k], riga, colonna)) {
        valore = static_cast<int>(k);
        return &x;
      }
    }
  }
  return nullptr;
}

}  // namespace sb
