#include "text_input/source_rows.h"

#include <algorithm>
#include <charconv>

#include "text_input/keywords.h"
#include "text_input/text_lines.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// A row keyword and the words that make a first field that keyword, as the
// compilers recognise them.
struct parola_riga {
  const char* parola;
  const char* prima;
  const char* seconda;  // empty: one word
};

constexpr parola_riga kParole[] = {
    {"pendenza", "pendenza", ""},
    {"curva", "curva", ""},
    {"montagna", "montagna", ""},
    {"indicatori_vmax", "indicatori_v", ""},
    {"cartello_indicatore", "indicat", "cartello"},
    {"velocita", "velocit", ""},
    {"aderenza", "aderenza", ""},
    {"segnale", "segnale", ""},
    {"rallentamento", "rallentamento", ""},
    {"abbattimento", "abbattimento", ""},
    {"stazione", "stazione", ""},
};

std::string_view senza_blank(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The keyword of a row's first field, or null.
const char* parola_di(std::string_view campo) {
  if (campo.find('-') != std::string_view::npos) return nullptr;
  for (const parola_riga& p : kParole) {
    if (!contiene_nc(campo, p.prima)) continue;
    if (p.seconda[0] != '\0' && !contiene_nc(campo, p.seconda)) continue;
    // "indicatori_v" also holds "indicat": a row is one keyword's.
    if (std::string_view(p.parola) == "cartello_indicatore" && contiene_nc(campo, "indicatori_v")) continue;
    return p.parola;
  }
  return nullptr;
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
    } else if (const char* parola = parola_di(riga.substr(0, std::min(riga.find(','), riga.size())))) {
      int64_t posizione = 0;
      if (posizione_di(riga, posizione)) {
        std::vector<riga_descrizione>& elenco = righe_[parola];
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
  auto dopo = std::lower_bound(r.begin(), r.end(), metri,
                               [](const riga_descrizione& a, int64_t m) { return a.posizione < m; });
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
