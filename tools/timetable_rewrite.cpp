#include "tools/timetable_rewrite.h"

#include <algorithm>
#include <optional>

#include "grammar/row_kinds.h"
#include "grammar/row_writer.h"
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

// Where a piece read from the text (a view into it) begins in it.
size_t offset(std::string_view testo, std::string_view pezzo) { return static_cast<size_t>(pezzo.data() - testo.data()); }

// Where a text field's bytes begin in the text: at its opening quote when it
// has one (the reader's view starts past it).
size_t inizio_campo(std::string_view testo, std::string_view grezzo) {
  const size_t da = offset(testo, grezzo);
  return da > 0 && testo[da - 1] == '"' ? da - 1 : da;
}

// Where a text field's bytes end in the text: past its closing quote when it
// has one.
size_t fine_campo(std::string_view testo, std::string_view grezzo) {
  const size_t a = offset(testo, grezzo) + grezzo.size();
  const bool tra_apici = inizio_campo(testo, grezzo) < offset(testo, grezzo);
  return tra_apici && a < testo.size() && testo[a] == '"' ? a + 1 : a;
}

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

// A station row as it stands in the text: its bytes, from its keyword to the
// end of its name, and its values as the compile reads them.
struct riga_stazione_letta {
  size_t inizio = 0;
  size_t fine = 0;
  std::vector<int32_t> numeri;
  std::string nome;
};

// The station row read from the offset `da` when a station keyword stands
// there, all its numbers read whole and its name begins at `nome` (or just
// past an opening quote there).
std::optional<riga_stazione_letta> stazione_da(std::string_view testo, size_t da, size_t nome) {
  lettore_campi l(testo.substr(da));
  std::string chiave;
  if (l.leggi_testo(chiave) != esito_lettura::letto || !chiave_stazione(chiave)) return std::nullopt;
  riga_stazione_letta r;
  r.inizio = inizio_campo(testo, l.ultimo().grezzo);
  r.numeri.resize(numeri_stazione());
  for (int32_t& v : r.numeri) {
    if (l.leggi_numero(v) != esito_lettura::letto) return std::nullopt;
  }
  if (l.leggi_testo(r.nome) != esito_lettura::letto) return std::nullopt;
  const std::string_view g = l.ultimo().grezzo;
  if (offset(testo, g) != nome && inizio_campo(testo, g) != nome) return std::nullopt;
  r.fine = fine_campo(testo, g);
  return r;
}

// The station row whose name stands at the place given: the row's keyword
// is sought at every field start on that line and as many lines before it
// as it has numbers (a row may run over several lines), nearest first.
std::optional<riga_stazione_letta> stazione_di(std::string_view testo, const std::vector<size_t>& inizi,
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
    candidati.push_back(inizio_campo(testo, l.ultimo().grezzo));
  }
  for (auto c = candidati.rbegin(); c != candidati.rend(); ++c) {
    if (auto r = stazione_da(testo, *c, posizione_nome)) return r;
  }
  return std::nullopt;
}

// The row with its new time, as the builder writes a station row.
std::string riga_con_orario(const riga_stazione_letta& r, int32_t secondi) {
  riga_scritta s{&tipo_di(id_riga::stazione), {}, r.nome, {}};
  for (int32_t v : r.numeri) s.valori.push_back(std::to_string(v));
  const size_t ore = primo_orario();
  const int32_t orario[3] = {secondi / 3600, secondi / 60 % 60, secondi % 60};
  for (size_t k = 0; k < 3; ++k) s.valori[ore + k] = std::to_string(orario[k]);
  return scrivi_riga(s);
}

// A change of bytes: those from `inizio` to `fine` replaced.
struct sostituzione {
  size_t inizio = 0;
  size_t fine = 0;
  std::string byte;
};

}  // namespace

bool riscrivi_orari(std::string_view testo, const std::vector<orario_da_scrivere>& orari, std::string& nuovo,
                    std::string& errore) {
  const std::vector<size_t> inizi = inizi_righe(testo);
  std::vector<sostituzione> cambi;
  for (const orario_da_scrivere& o : orari) {
    const auto r = stazione_di(testo, inizi, o.nome);
    if (!r) {
      errore = "no station row ends at line " + std::to_string(o.nome.riga) + ", column " +
               std::to_string(o.nome.colonna);
      return false;
    }
    cambi.push_back({r->inizio, r->fine, riga_con_orario(*r, o.secondi)});
  }
  std::sort(cambi.begin(), cambi.end(), [](const sostituzione& a, const sostituzione& b) { return a.inizio < b.inizio; });
  nuovo.clear();
  size_t da = 0;
  for (const sostituzione& c : cambi) {
    nuovo.append(testo.substr(da, c.inizio - da));
    nuovo += c.byte;
    da = c.fine;
  }
  nuovo.append(testo.substr(da));
  return true;
}

}  // namespace sb
