#include "documents/line_landmarks.h"

#include <algorithm>

#include "documents/compiled_run.h"
#include "scenario/format.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

bool cifra(char c) { return c >= '0' && c <= '9'; }

// The caption's words: brackets become blanks, runs of blanks one blank,
// none at either end.
std::string parole(std::string_view didascalia) {
  std::string out;
  bool blank = false;
  for (char c : didascalia) {
    const bool separa = c == '(' || c == ')' || c == ' ' || c == '\t';
    if (separa) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// Finds a kilometre "K+MMM" in the text: its start and length, or false.
bool trova_chilometro(std::string_view testo, size_t& inizio, size_t& lunghezza) {
  for (size_t piu = testo.find('+'); piu != std::string_view::npos; piu = testo.find('+', piu + 1)) {
    size_t a = piu;
    while (a > 0 && cifra(testo[a - 1])) --a;
    const bool tre = piu + 3 < testo.size() && cifra(testo[piu + 1]) && cifra(testo[piu + 2]) &&
                     cifra(testo[piu + 3]) && (piu + 4 == testo.size() || !cifra(testo[piu + 4]));
    if (a < piu && piu - a <= 4 && tre) {
      inizio = a;
      lunghezza = piu + 4 - a;
      return true;
    }
  }
  return false;
}

// Span ends: each run of cells with the same non-zero montagna kind.
void estremi_montagne(const scenario& s, std::vector<riferimento_linea_compilata>& out) {
  uint8_t corrente = 0;
  for (size_t i = 0; i <= s.celle.size(); ++i) {
    const uint8_t tipo = i < s.celle.size() ? s.celle[i].montagna : 0;
    if (tipo == corrente) continue;
    const int64_t confine = static_cast<int64_t>(i) * kMetriCella;
    if (corrente != 0) out.push_back({confine, 0, "sbocco gall.", 0});
    if (tipo != 0) out.push_back({confine, 0, "imbocco gall.", 0});
    corrente = tipo;
  }
}

}  // namespace

std::string testo_cartello(std::string_view didascalia, int64_t& progressiva) {
  const std::string testo = parole(didascalia);
  size_t inizio = 0, lunghezza = 0;
  if (!contiene(minuscolo_cp1252(testo), "km") || !trova_chilometro(testo, inizio, lunghezza)) return testo;
  const std::string km = testo.substr(inizio, lunghezza);
  const size_t piu = km.find('+');
  progressiva = std::stoll(km.substr(0, piu)) * 1000 + std::stoll(km.substr(piu + 1));
  return "km " + km;
}

std::vector<riferimento_linea_compilata> riferimenti_compilati(const scenario& s) {
  std::vector<riferimento_linea_compilata> out;
  for (size_t i = 0; i < s.celle.size(); ++i) {
    const cella& c = s.celle[i];
    if (c.tipo != tipo_cella::cartello || c.dato_1 < 0 || c.dato_1 >= kOggettoProgressivaTre) continue;
    riferimento_linea_compilata r;
    r.posizione = (static_cast<int64_t>(i) - 1) * kMetriCella;
    r.progressiva = progressiva_a(s.tabella, r.posizione);
    r.voce_didascalia = c.dato_1;
    r.testo = testo_cartello(s.tabella[static_cast<size_t>(c.dato_1)].nome, r.progressiva);
    out.push_back(r);
  }
  std::vector<riferimento_linea_compilata> estremi;
  estremi_montagne(s, estremi);
  for (riferimento_linea_compilata& e : estremi) e.progressiva = progressiva_a(s.tabella, e.posizione);
  out.insert(out.end(), estremi.begin(), estremi.end());
  std::stable_sort(out.begin(), out.end(), [](const riferimento_linea_compilata& a,
                                              const riferimento_linea_compilata& b) {
    return a.posizione < b.posizione;
  });
  return out;
}

}  // namespace sb
