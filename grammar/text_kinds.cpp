#include "grammar/text_kinds.h"

#include <array>
#include <span>
#include <string>

#include "grammar/row_kinds.h"
#include "text_input/keywords.h"
#include "text_input/text_lines.h"

namespace sb {
namespace {

// A field lower-cased, without the blanks around it.
std::string forma(std::string_view campo) {
  const size_t inizio = campo.find_first_not_of(" \t");
  if (inizio == std::string_view::npos) return {};
  const size_t fine = campo.find_last_not_of(" \t");
  return minuscolo_cp1252(campo.substr(inizio, fine - inizio + 1));
}

bool tra(std::string_view f, std::span<const std::string_view> parole) {
  for (std::string_view p : parole) {
    if (f == p) return true;
  }
  return false;
}

}  // namespace

specie_testo testo_della_parola(std::string_view campo) {
  const std::string f = forma(campo);
  if (tra(f, parole_chiave(genere_testo::linea, ambito_riga::generale)) ||
      tra(f, parole_chiave(genere_testo::linea, ambito_riga::percorso))) {
    return specie_testo::linea;
  }
  if (tra(f, parole_chiave(genere_testo::servizio, ambito_riga::corpo))) return specie_testo::servizio;
  if (tra(f, parole_chiave(genere_testo::profilo, ambito_riga::corpo))) return specie_testo::profilo;
  return specie_testo::nessuno;
}

specie_testo genere_del_testo(std::string_view testo) {
  std::array<int64_t, 4> conti{};
  righe_testo righe(testo);
  std::string_view riga;
  // Rows of one keyword come in runs: a word like the row's before is not
  // looked up again.
  std::string_view ultima;
  specie_testo ultima_specie = specie_testo::nessuno;
  bool prima = true;
  while (righe.prossima(riga)) {
    const std::string_view parola = riga.substr(0, riga.find(','));
    if (prima || parola != ultima) ultima_specie = testo_della_parola(parola);
    prima = false;
    ultima = parola;
    ++conti[static_cast<size_t>(ultima_specie)];
  }
  size_t meglio = 0;
  for (size_t g = 1; g < conti.size(); ++g) {
    if (conti[g] > conti[meglio] || (meglio == 0 && conti[g] > 0)) meglio = g;
  }
  for (size_t g = 1; g < conti.size(); ++g) {
    if (meglio != 0 && g != meglio && conti[g] == conti[meglio]) return specie_testo::nessuno;
  }
  return static_cast<specie_testo>(meglio);
}

std::string_view nome_testo(specie_testo g) {
  switch (g) {
    case specie_testo::linea: return "the line description";
    case specie_testo::servizio: return "the service description";
    case specie_testo::profilo: return "a train profile";
    case specie_testo::nessuno: break;
  }
  return "no text";
}

std::string_view opzione_testo(specie_testo g) {
  switch (g) {
    case specie_testo::linea: return "--line";
    case specie_testo::servizio: return "--service";
    case specie_testo::profilo: return "--train-profile";
    case specie_testo::nessuno: break;
  }
  return "";
}

}  // namespace sb
