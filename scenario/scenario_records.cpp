#include "scenario/scenario_records.h"

#include <cmath>

#include "scenario/format.h"

namespace sb {

void pulisci_tabella(tabella_oggetti& tabella) {
  for (oggetto& o : tabella) o = oggetto{};
}

void registra_codice(scenario& s, int32_t codice, origine_errore origine, int32_t riga) {
  s.codice_errore = codice;
  diagnostica d;
  d.codice = codice;
  d.origine = origine;
  d.riga = riga;
  d.posizione = s.posizione_errore;
  if (s.limite.conserva(d)) s.diagnostiche.push_back(d);
}

void registra_codice(scenario& s, int32_t codice, origine_errore origine, int32_t riga, int32_t posizione) {
  s.posizione_errore = posizione;
  registra_codice(s, codice, origine, riga);
}

void registra_codice(scenario& s, int32_t codice, const luogo_testo& dove, std::string messaggio) {
  registra_codice(s, codice, dove.origine, dove.riga);
  if (s.limite.ultimo_errore_omesso) return;
  s.diagnostiche.back().colonna = dove.colonna;
  s.diagnostiche.back().messaggio = std::move(messaggio);
}

void registra_codice(scenario& s, int32_t codice, const luogo_testo& dove, int32_t posizione, std::string messaggio) {
  s.posizione_errore = posizione;
  registra_codice(s, codice, dove, std::move(messaggio));
}

void attribuisci_ultimo_codice(scenario& s, origine_errore origine, int32_t riga) {
  attribuisci_ultimo_codice(s, luogo_testo{origine, riga, 0});
}

void attribuisci_ultimo_codice(scenario& s, const luogo_testo& dove) {
  if (s.limite.ultimo_errore_omesso) return;
  for (auto d = s.diagnostiche.rbegin(); d != s.diagnostiche.rend(); ++d) {
    if (d->livello != gravita::errore) continue;
    d->origine = dove.origine;
    d->riga = dove.riga;
    d->colonna = dove.colonna;
    d->posizione = s.posizione_errore;
    return;
  }
}

bool codice_registrato_da(const scenario& s, size_t prima) { return s.limite.errori > prima; }

namespace {

void registra(scenario& s, gravita livello, genere_avviso genere, const luogo_testo& dove, std::string messaggio) {
  diagnostica d;
  d.livello = livello;
  d.genere = genere;
  d.origine = dove.origine;
  d.riga = dove.riga;
  d.colonna = dove.colonna;
  if (!s.limite.conserva(d)) return;
  d.messaggio = std::move(messaggio);
  s.diagnostiche.push_back(std::move(d));
}

origine_cella* origine_scrivibile(scenario& s, int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(s.celle.size())) return nullptr;
  if (static_cast<size_t>(i) >= s.tracce.celle.size()) s.tracce.celle.resize(s.celle.size());
  return &s.tracce.celle[static_cast<size_t>(i)];
}

}  // namespace

void registra_avviso(scenario& s, genere_avviso genere, const luogo_testo& dove, std::string messaggio) {
  registra(s, gravita::avviso, genere, dove, std::move(messaggio));
}

bool avviso_conservato(const scenario& s, genere_avviso genere) {
  const auto n = s.limite.conservate.find({gravita::avviso, 0, genere});
  return n == s.limite.conservate.end() || n->second < kDiagnosticheConservate;
}

bool codice_conservato(const scenario& s, int32_t codice) {
  const auto n = s.limite.conservate.find({gravita::errore, codice, genere_avviso::nessuno});
  return n == s.limite.conservate.end() || n->second < kDiagnosticheConservate;
}

void registra_nota(scenario& s, const luogo_testo& dove, std::string messaggio, genere_avviso genere) {
  registra(s, gravita::nota, genere, dove, std::move(messaggio));
}

void segna_origine_oggetto(scenario& s, int64_t i, const luogo_testo& dove) {
  if (origine_cella* o = origine_scrivibile(s, i)) o->oggetto = dove;
}

void segna_origine_preavviso(scenario& s, int64_t i, const luogo_testo& dove) {
  if (origine_cella* o = origine_scrivibile(s, i)) o->preavviso = dove;
}

origine_cella origine_di(const scenario& s, int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(s.tracce.celle.size())) return {};
  return s.tracce.celle[static_cast<size_t>(i)];
}

diagnostica ultimo_codice(const scenario& s) {
  for (auto d = s.diagnostiche.rbegin(); d != s.diagnostiche.rend(); ++d) {
    if (d->livello == gravita::errore) return *d;
  }
  return {};
}

void segna_interruzione(scenario& s) {
  if (s.tracce.interrotta) return;
  s.tracce.interrotta = true;
  s.tracce.interruzione = ultimo_codice(s).luogo();
}

double nearest(double x) { return std::nearbyint(x); }

int64_t indice_cella(int64_t p) {
  return static_cast<int64_t>(nearest(static_cast<double>(p) / static_cast<double>(kMetriCella) + 1.0));
}

int64_t indice_confine(int64_t p) {
  return static_cast<int64_t>(nearest(static_cast<double>(p) / static_cast<double>(kMetriCella)));
}

}  // namespace sb
