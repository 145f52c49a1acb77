#include "grammar/source_rows.h"

#include <algorithm>
#include <charconv>

#include "grammar/row_kinds.h"
#include "text_input/keywords.h"
#include "text_input/text_lines.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

std::string_view senza_blank(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The keyword of a row's first field, of a kind of either text that
// stands at a position (every curve is "curva"); empty when none.
std::string_view parola_di(std::string_view campo) {
  if (campo.find('-') != std::string_view::npos) return {};
  for (genere_testo t : {genere_testo::linea, genere_testo::servizio}) {
    const tipo_riga* k = riconosci_riga(t, campo, false);
    if (k == nullptr || !k->con_posizione) continue;
    return k->id == id_riga::curva ? k->parola_a : k->parola;
  }
  return {};
}

// The line's second field as a number; false when it is none.
bool posizione_di(std::string_view riga, int64_t& posizione) {
  const size_t virgola = riga.find(',');
  if (virgola == std::string_view::npos) return false;
  std::string_view resto = riga.substr(virgola + 1);
  resto = senza_blank(resto.substr(0, std::min(resto.find(','), resto.size())));
  const size_t blank = resto.find_first_of(" \t");
  resto = resto.substr(0, std::min(blank, resto.size()));
  const char* fine = resto.data() + resto.size();
  auto [p, e] = std::from_chars(resto.data(), fine, posizione);
  return e == std::errc() && p == fine;
}

}  // namespace

void indice_righe::aggiungi(int file, std::string_view byte) {
  bool corpo = false;
  righe_testo righe_del_testo(byte);
  std::string_view riga;
  while (righe_del_testo.prossima(riga)) {
    if (!corpo) {
      corpo = contiene_nc(riga, "[generale]");
    } else if (const std::string_view parola = parola_di(riga.substr(0, std::min(riga.find(','), riga.size())));
               !parola.empty()) {
      int64_t posizione = 0;
      if (posizione_di(riga, posizione)) {
        std::vector<riga_descrizione>& elenco = righe_[std::string(parola)];
        riga_descrizione r{posizione, file, righe_del_testo.numero(), cp1252_in_utf8(senza_blank(riga))};
        // Of a run of rows at one position only the first and the last can
        // be found: the middle one gives way, so that a text of one row
        // repeated costs two entries, not one a line.
        const size_t n = elenco.size();
        if (n >= 2 && elenco[n - 1].posizione == posizione && elenco[n - 2].posizione == posizione) {
          elenco.back() = std::move(r);
        } else {
          elenco.push_back(std::move(r));
        }
      }
    }
  }
  for (auto& [parola, righe] : righe_) {
    std::stable_sort(righe.begin(), righe.end(),
                     [](const riga_descrizione& a, const riga_descrizione& b) { return a.posizione < b.posizione; });
  }
}

const riga_descrizione* indice_righe::trova(std::string_view parola, int64_t metri, int64_t tolleranza) const {
  auto elenco = righe_.find(parola);
  if (elenco == righe_.end()) return nullptr;
  const std::vector<riga_descrizione>& r = elenco->second;
  auto dopo =
      std::lower_bound(r.begin(), r.end(), metri, [](const riga_descrizione& a, int64_t m) { return a.posizione < m; });
  const riga_descrizione* migliore = nullptr;
  int64_t distanza = tolleranza + 1;
  for (auto it : {dopo, dopo == r.begin() ? r.end() : dopo - 1}) {
    if (it == r.end()) continue;
    const int64_t d = it->posizione > metri ? it->posizione - metri : metri - it->posizione;
    if (d < distanza) {
      distanza = d;
      migliore = &*it;
    }
  }
  return migliore;
}

}  // namespace sb
