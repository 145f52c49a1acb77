#include "passes/stamps.h"

#include <string>

#include "scenario/error_codes.h"
#include "scenario/format.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

// Fills the code text up to its 25 characters, whatever the names.
constexpr const char* kRiempitivo = "aabbccddeeffgghhiillmmnnoo";
// Characters of the code text that count.
constexpr size_t kCaratteriCodice = 25;

// The character code 0..255 of one byte of the text.
int32_t codice_carattere(char c) { return static_cast<unsigned char>(c); }

}  // namespace

std::string testo_codice_gara(const tabella_oggetti& tabella) {
  std::string testo = minuscolo_cp1252(tabella[kOggettoTreno].nome + tabella[kOggettoLinea].nome);
  testo += kRiempitivo;
  return testo.substr(0, kCaratteriCodice);
}

int16_t codice_gara_og(const tabella_oggetti& tabella) {
  int32_t somma = 0;
  for (char c : testo_codice_gara(tabella)) somma += codice_carattere(c);
  return static_cast<int16_t>(somma);  // at most 25 x 255
}

int32_t codice_gara_st(const tabella_oggetti& tabella) {
  const std::string testo = testo_codice_gara(tabella);
  int32_t somma = 0;
  for (size_t i = 0; i < testo.size(); ++i) somma += static_cast<int32_t>(i + 1) * codice_carattere(testo[i]);
  return somma;
}

int32_t timbra(scenario& s) {
  oggetto& linea = s.tabella[kOggettoLinea];
  cella& prima = s.celle[1];
  if (linea.param_1 != 0 || prima.dato_1 != 0) return kGuardiaMarcatori;
  linea.param_1 = kMarcatoreOggetto;
  prima.dato_1 = kMarcatoreCella;
  if (linea.orario != 0 || prima.dato_2 != 0) return kGuardiaCodici;
  linea.orario = codice_gara_st(s.tabella);
  prima.dato_2 = codice_gara_og(s.tabella);
  return 0;
}

}  // namespace sb
