#include "decompile/round_trip.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include "scenario/format.h"

namespace sb {
namespace {

// "NAME X in the input, Y after the round trip".
std::string campo(const std::string& nome, const std::string& atteso, const std::string& ottenuto) {
  return nome + " " + atteso + " in the input, " + ottenuto + " after the round trip";
}

// Adds the field's difference to the list when the values differ.
template <typename T>
void confronta(std::vector<std::string>& c, const char* nome, const T& a, const T& b) {
  if (a == b) return;
  if constexpr (std::is_same_v<T, std::string>) {
    c.push_back(campo(nome, "\"" + a + "\"", "\"" + b + "\""));
  } else {
    c.push_back(campo(nome, std::to_string(a), std::to_string(b)));
  }
}

std::string unisci(const std::vector<std::string>& parti) {
  std::string out;
  for (const std::string& p : parti) out += (out.empty() ? "" : "; ") + p;
  return out;
}

// Appends one difference, or counts it past the list's end.
void aggiungi(std::vector<differenza>& out, size_t& oltre, const std::string& file, std::string testo) {
  if (out.size() < kMassimoDifferenze) {
    out.push_back({file, std::move(testo)});
  } else {
    ++oltre;
  }
}

void chiudi(std::vector<differenza>& out, size_t oltre, const std::string& file, const char* cosa) {
  if (oltre > 0) out.push_back({file, "and " + std::to_string(oltre) + " more " + cosa + " that differ"});
}

std::vector<std::string> campi_cella(const cella& a, const cella& b) {
  std::vector<std::string> c;
  confronta(c, "tipo", int{a.tipo}, int{b.tipo});
  confronta(c, "dato_1", int{a.dato_1}, int{b.dato_1});
  confronta(c, "dato_2", int{a.dato_2}, int{b.dato_2});
  confronta(c, "dato_3", int{a.dato_3}, int{b.dato_3});
  confronta(c, "dato_4", int{a.dato_4}, int{b.dato_4});
  confronta(c, "tempo_segnale", int{a.tempo_segnale}, int{b.tempo_segnale});
  confronta(c, "preavviso", int{a.preavviso}, int{b.preavviso});
  confronta(c, "montagna", int{a.montagna}, int{b.montagna});
  confronta(c, "velocita", int{a.velocita}, int{b.velocita});
  confronta(c, "pendenza", int{a.pendenza}, int{b.pendenza});
  confronta(c, "aderenza", int{a.aderenza}, int{b.aderenza});
  return c;
}

std::vector<std::string> campi_oggetto(const oggetto& a, const oggetto& b) {
  std::vector<std::string> c;
  confronta(c, "tipo", int{a.tipo}, int{b.tipo});
  confronta(c, "inizio", a.inizio, b.inizio);
  confronta(c, "fine", a.fine, b.fine);
  confronta(c, "posizione", a.posizione, b.posizione);
  confronta(c, "opzione_1", int{a.opzione_1}, int{b.opzione_1});
  confronta(c, "nome", a.nome, b.nome);
  confronta(c, "param_1", int{a.param_1}, int{b.param_1});
  confronta(c, "param_2", int{a.param_2}, int{b.param_2});
  confronta(c, "param_3", int{a.param_3}, int{b.param_3});
  confronta(c, "param_4", int{a.param_4}, int{b.param_4});
  confronta(c, "param_5", int{a.param_5}, int{b.param_5});
  confronta(c, "opzione_2", int{a.opzione_2}, int{b.opzione_2});
  confronta(c, "opzione_3", int{a.opzione_3}, int{b.opzione_3});
  confronta(c, "opzione_4", int{a.opzione_4}, int{b.opzione_4});
  confronta(c, "opzione_5", int{a.opzione_5}, int{b.opzione_5});
  confronta(c, "orario", a.orario, b.orario);
  return c;
}

// Whether two plan values are the same bytes in the file.
bool stesso_valore(const valore_variante& a, const valore_variante& b) {
  if (a.tipo != b.tipo) return false;
  if (a.tipo == tipo_variante::intero) return a.intero == b.intero;
  if (a.tipo == tipo_variante::reale) return std::memcmp(&a.reale, &b.reale, sizeof a.reale) == 0;
  return true;
}

std::string valore_testo(const valore_variante& v) {
  if (v.tipo == tipo_variante::vuoto) return "empty";
  if (v.tipo == tipo_variante::intero) return std::to_string(v.intero);
  char t[40];
  std::snprintf(t, sizeof t, "%.17g", v.reale);
  return t;
}

}  // namespace

std::vector<differenza> differenze_celle(const std::string& file, const celle_percorso& attese,
                                         const celle_percorso& ottenute) {
  std::vector<differenza> out;
  if (attese.size() != ottenute.size()) {
    out.push_back({file, campo("cell count", std::to_string(attese.size()), std::to_string(ottenute.size()))});
  }
  size_t oltre = 0;
  const size_t n = std::min(attese.size(), ottenute.size());
  for (size_t i = 0; i < n; ++i) {
    if (attese[i] == ottenute[i]) continue;
    const int64_t metri = (static_cast<int64_t>(i) - 1) * kMetriCella;
    aggiungi(out, oltre, file,
             "cell " + std::to_string(i) + " (at " + std::to_string(metri) + " m): " +
                 unisci(campi_cella(attese[i], ottenute[i])));
  }
  chiudi(out, oltre, file, "cells");
  return out;
}

std::vector<differenza> differenze_tabella(const std::string& file, const tabella_oggetti& attesa,
                                           const tabella_oggetti& ottenuta) {
  std::vector<differenza> out;
  size_t oltre = 0;
  for (size_t i = 0; i < attesa.size(); ++i) {
    if (attesa[i] == ottenuta[i]) continue;
    aggiungi(out, oltre, file, "entry " + std::to_string(i) + ": " + unisci(campi_oggetto(attesa[i], ottenuta[i])));
  }
  chiudi(out, oltre, file, "entries");
  return out;
}

std::vector<differenza> differenze_griglia(const std::string& file, const griglia_linea& attesa,
                                           const griglia_linea& ottenuta) {
  std::vector<differenza> out;
  if (attesa.x.size() != ottenuta.x.size()) {
    out.push_back({file, campo("point count", std::to_string(attesa.x.size()), std::to_string(ottenuta.x.size()))});
  }
  const size_t n = std::min(attesa.x.size(), ottenuta.x.size());
  auto diverso = [&](size_t k) {
    return !stesso_valore(attesa.x[k], ottenuta.x[k]) || !stesso_valore(attesa.y[k], ottenuta.y[k]);
  };
  size_t oltre = 0;
  for (size_t k = 0; k < n; ++k) {
    if (!diverso(k)) continue;
    size_t fine = k;
    while (fine + 1 < n && diverso(fine + 1)) ++fine;
    aggiungi(out, oltre, file,
             "points " + std::to_string(k) + " to " + std::to_string(fine) + " differ; at point " +
                 std::to_string(k) + ": " +
                 campo("x", valore_testo(attesa.x[k]), valore_testo(ottenuta.x[k])) + ", " +
                 campo("y", valore_testo(attesa.y[k]), valore_testo(ottenuta.y[k])));
    k = fine;
  }
  chiudi(out, oltre, file, "runs of points");
  return out;
}

}  // namespace sb
