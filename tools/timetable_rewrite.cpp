#include "tools/timetable_rewrite.h"

#include <algorithm>
#include <array>
#include <optional>

#include "grammar/row_kinds.h"
#include "text_input/field_reader.h"

namespace sb {
namespace {

// A station row's numbers after its keyword (its name follows them).
size_t numeri_stazione() { return valori_di(tipo_di(id_riga::stazione)) - 1; }

// The index among the station row's values of its time's hours (minutes
// and seconds follow it).
size_t primo_orario() {
  const auto campi = tipo_di(id_riga::stazione).campi;
  const auto ore = std::find_if(campi.begin(), campi.end(), [](const campo_riga& c) { return c.nome == "ore"; });
  return static_cast<size_t>(ore - campi.begin());
}

// Whether the field is a station row's keyword, as the service reader
// recognises it.
bool chiave_stazione(std::string_view campo) {
  const tipo_riga* k = riconosci_riga(genere_testo::servizio, campo, false);
  return k != nullptr && k->id == id_riga::stazione;
}

// One field's bytes in the text: where they begin and how many.
struct campo_byte {
  size_t inizio = 0;
  size_t lunghezza = 0;
};

// Where a piece read from the text (a view into it) begins in it.
size_t offset(std::string_view testo, std::string_view pezzo) { return static_cast<size_t>(pezzo.data() - testo.data()); }

// The offset at which each line begins (line 1 at index 0).
std::vector<size_t> inizi_righe(std::string_view testo) {
  std::vector<size_t> inizi{0};
  for (size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\n' || (testo[i] == '\r' && (i + 1 >= testo.size() || testo[i + 1] != '\n'))) {
      inizi.push_back(i + 1);
    }
  }
  return inizi;
}

// The time fields of a station row read from the offset `da` when a station
// keyword stands there, all its numbers read whole and its name begins
// at `nome` (or just past an opening quote there).
std::optional<std::array<campo_byte, 3>> campi_orario_da(std::string_view testo, size_t da, size_t nome) {
  lettore_campi l(testo.substr(da));
  std::string chiave;
  if (l.leggi_testo(chiave) != esito_lettura::letto || !chiave_stazione(chiave)) return std::nullopt;
  const size_t numeri = numeri_stazione();
  const size_t ore = primo_orario();
  std::array<campo_byte, 3> orario;
  for (size_t k = 0; k < numeri; ++k) {
    int32_t v = 0;
    if (l.leggi_numero(v) != esito_lettura::letto) return std::nullopt;
    const std::string_view g = l.ultimo().grezzo;
    if (k >= ore && k < ore + 3) orario[k - ore] = {offset(testo, g), g.size()};
  }
  std::string nome_letto;
  if (l.leggi_testo(nome_letto) != esito_lettura::letto) return std::nullopt;
  const campo_letto& c = l.ultimo();
  const size_t inizio = offset(testo, c.grezzo);
  if (inizio != nome && inizio + 1 != nome) return std::nullopt;
  return orario;
}

// The time fields of the station row whose name stands at the place given:
// the row's keyword is sought at every field start on that line and as
// many lines before it as it has numbers (a row may run over several
// lines), nearest first.
std::optional<std::array<campo_byte, 3>> campi_orario(std::string_view testo, const std::vector<size_t>& inizi,
                                                      const luogo_testo& nome) {
  if (nome.riga < 1 || static_cast<size_t>(nome.riga) > inizi.size() || nome.colonna < 1) return std::nullopt;
  const size_t riga = static_cast<size_t>(nome.riga) - 1;
  const size_t posizione_nome = inizi[riga] + static_cast<size_t>(nome.colonna) - 1;
  if (posizione_nome > testo.size()) return std::nullopt;
  const size_t prima = riga >= numeri_stazione() ? riga - numeri_stazione() : 0;
  std::vector<size_t> candidati;
  lettore_campi l(testo.substr(0, posizione_nome).substr(inizi[prima]));
  std::string campo;
  while (l.leggi_testo(campo) == esito_lettura::letto) {
    candidati.push_back(offset(testo, l.ultimo().grezzo));
  }
  for (auto c = candidati.rbegin(); c != candidati.rend(); ++c) {
    if (auto orario = campi_orario_da(testo, *c, posizione_nome)) return orario;
  }
  return std::nullopt;
}

// A value written over an old one: two digits where the old had two or
// more (minutes, seconds), blanks on the left up to the old width.
std::string valore_scritto(int32_t v, std::string_view vecchio, bool due_cifre) {
  std::string s = std::to_string(v);
  if (due_cifre && vecchio.size() >= 2 && s.size() < 2) s = "0" + s;
  if (s.size() < vecchio.size()) s = std::string(vecchio.size() - s.size(), ' ') + s;
  return s;
}

// A change of bytes at a place.
struct sostituzione {
  campo_byte dove;
  std::string byte;
};

}  // namespace

bool riscrivi_orari(std::string_view testo, const std::vector<orario_da_scrivere>& orari, std::string& nuovo,
                    std::string& errore) {
  const std::vector<size_t> inizi = inizi_righe(testo);
  std::vector<sostituzione> cambi;
  for (const orario_da_scrivere& o : orari) {
    const auto campi = campi_orario(testo, inizi, o.nome);
    if (!campi) {
      errore = "no station row ends at line " + std::to_string(o.nome.riga) + ", column " +
               std::to_string(o.nome.colonna);
      return false;
    }
    const int32_t valori[3] = {o.secondi / 3600, o.secondi / 60 % 60, o.secondi % 60};
    for (size_t k = 0; k < 3; ++k) {
      const std::string_view vecchio = testo.substr((*campi)[k].inizio, (*campi)[k].lunghezza);
      cambi.push_back({(*campi)[k], valore_scritto(valori[k], vecchio, k > 0)});
    }
  }
  std::sort(cambi.begin(), cambi.end(),
            [](const sostituzione& a, const sostituzione& b) { return a.dove.inizio < b.dove.inizio; });
  nuovo.clear();
  size_t da = 0;
  for (const sostituzione& c : cambi) {
    nuovo.append(testo.substr(da, c.dove.inizio - da));
    nuovo += c.byte;
    da = c.dove.inizio + c.dove.lunghezza;
  }
  nuovo.append(testo.substr(da));
  return true;
}

}  // namespace sb
