#include "grammar/row_writer.h"

#include <algorithm>

namespace sb {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// The value right-aligned in a width (never cut).
std::string a_destra(std::string_view token, int larghezza) {
  const size_t w = static_cast<size_t>(larghezza);
  std::string s(w > token.size() ? w - token.size() : 0, ' ');
  return s.append(token);
}

// The columns value i takes: the first row at 0 of a kind that has columns
// of its own for it, else the kind's.
colonna_forma colonna_di(const riga_scritta& r, size_t i) {
  const tipo_riga& k = *r.tipo;
  const bool da_zero = !k.colonne_zero.empty() && !r.valori.empty() && r.valori[0] == "0";
  if (da_zero && i < k.colonne_zero.size()) return k.colonne_zero[i];
  if (i < k.colonne.size()) return k.colonne[i];
  return {1, 0, false};
}

}  // namespace

std::string campo_testo(std::string_view testo) {
  const bool tra_apici = testo.empty() || testo.find_first_of(",\r\n") != std::string_view::npos ||
                         blank(testo.front()) || blank(testo.back()) || testo.front() == '"';
  if (!tra_apici) return std::string(testo);
  return "\"" + std::string(testo) + "\"";
}

std::string scrivi_riga(const riga_scritta& r) {
  std::string out = r.chiave.empty() ? std::string(r.tipo->parola) : r.chiave;
  for (size_t i = 0; i < r.valori.size(); ++i) {
    const colonna_forma c = colonna_di(r, i);
    if (c.larghezza > 0) {
      std::string cella = a_destra(r.valori[i], c.larghezza);
      if (c.dopo_blank && (cella.empty() || !blank(cella.front()))) cella.insert(0, 1, ' ');
      out += c.dopo_blank ? cella : "," + cella;
      continue;
    }
    if (c.dopo_blank) {
      out.append(static_cast<size_t>(std::max(c.spazi, 1)), ' ').append(r.valori[i]);
      continue;
    }
    out.append(",").append(static_cast<size_t>(c.spazi), ' ').append(r.valori[i]);
  }
  if (con_testo(*r.tipo))
    out.append(",").append(static_cast<size_t>(r.tipo->spazi_testo), ' ').append(campo_testo(r.testo));
  return out.append(r.tipo->coda);
}

std::string scrivi_riga(const tipo_riga& k, std::initializer_list<int64_t> valori, std::string_view testo) {
  riga_scritta r{&k, {}, std::string(testo), {}};
  for (int64_t v : valori) r.valori.push_back(std::to_string(v));
  return scrivi_riga(r);
}

}  // namespace sb
