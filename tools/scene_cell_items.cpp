#include "tools/scene_cell_items.h"

#include <string>

#include "scenario/cell_kinds.h"
#include "tools/utf8_input.h"

namespace sb {
namespace {

constexpr int64_t kMetriCella = 50;

// Cells before a slowdown's start where its warning point lies (1200 m).
constexpr size_t kCelleAvviso = 24;

// Where an item placed in cell i by nearest(p / 50 + 1) stands.
int64_t metro_elemento(size_t i) { return (static_cast<int64_t>(i) - 1) * kMetriCella; }

// Where a code-reduction point of cell c stands: its row takes nearest(p / 50).
int64_t metro_abbattimento(size_t c) { return static_cast<int64_t>(c) * kMetriCella; }

std::string n(int64_t v) { return std::to_string(v); }

elemento_scena puntuale(genere_elemento g, int64_t metro) {
  elemento_scena e;
  e.genere = g;
  e.da = e.a = e.punto = e.avviso = metro;
  e.parola = parola_genere(g);
  return e;
}

// A signal: the eleven values of its row from the cell's coding
// (dato_4 = rapp x 10 + sx x 3 + dx, dato_k = s_k x 10 + d_k).
elemento_scena segnale(const cella& c, size_t i) {
  elemento_scena e = puntuale(genere_elemento::segnale, metro_elemento(i));
  const int resto = c.dato_4 % 10;
  e.valori = {{"posizione", n(e.punto)},  {"sx", n(resto / 3)},         {"s1", n(c.dato_1 / 10)},
              {"s2", n(c.dato_2 / 10)},   {"s3", n(c.dato_3 / 10)},     {"rapp", n(c.dato_4 / 10)},
              {"dx", n(resto % 3)},       {"d1", n(c.dato_1 % 10)},     {"d2", n(c.dato_2 % 10)},
              {"d3", n(c.dato_3 % 10)},   {"tempo", n(c.tempo_segnale)}, {"cell", n(static_cast<int64_t>(i))}};
  e.priorita = 5;
  return e;
}

// A maximum-speed indicator: each coded pair nearest(d / 5 + 20 x s) read
// back as s and d, exact for d speeds below 100.
elemento_scena indicatore(const cella& c, size_t i) {
  elemento_scena e = puntuale(genere_elemento::indicatore, metro_elemento(i));
  auto s = [](int16_t v) { return n(v / 20); };
  auto d = [](int16_t v) { return n(v % 20 * 5); };
  e.valori = {{"posizione", n(e.punto)}, {"vas", s(c.dato_1)}, {"vbs", s(c.dato_2)},
              {"vcs", s(c.dato_3)},      {"strisces", n(c.dato_4 / 10)}, {"vad", d(c.dato_1)},
              {"vbd", d(c.dato_2)},      {"vcd", d(c.dato_3)},            {"strisced", n(c.dato_4 % 10)},
              {"cell", n(static_cast<int64_t>(i))}};
  e.etichetta = s(c.dato_1) + "/" + s(c.dato_2) + "/" + s(c.dato_3);
  e.priorita = 40;
  return e;
}

elemento_scena cartello(const cella& c, size_t i, const tabella_oggetti* tabella) {
  elemento_scena e = puntuale(genere_elemento::cartello, metro_elemento(i));
  std::string testo;
  if (tabella != nullptr && c.dato_1 >= 0 && c.dato_1 < kNumeroOggetti) {
    testo = cp1252_in_utf8((*tabella)[static_cast<size_t>(c.dato_1)].nome);
  }
  e.valori = {{"posizione", n(e.punto)}, {"caption", testo}, {"entry", n(c.dato_1)},
              {"cell", n(static_cast<int64_t>(i))}};
  e.etichetta = didascalia_in_riga(testo);
  e.priorita = 50;
  return e;
}

elemento_scena abbattimento(const cella& c, size_t i) {
  elemento_scena e = puntuale(genere_elemento::abbattimento, metro_abbattimento(i));
  const bool con_valore = c.tipo == tipo_cella::abbattimento;
  e.valori = {{"posizione", n(e.punto)}, {"value", con_valore ? n(c.dato_1) : "none"},
              {"cell", n(static_cast<int64_t>(i))}};
  e.etichetta = con_valore ? n(c.dato_1) : "";
  e.priorita = 10;
  return e;
}

// A slowdown from its start cell: the end is the next end cell; the warning
// point lies 24 cells before the start, the approach cells just before it.
elemento_scena rallentamento(const celle_percorso& celle, size_t i) {
  elemento_scena e = puntuale(genere_elemento::rallentamento, metro_elemento(i));
  size_t fine = i;
  for (size_t j = i + 1; j < celle.size(); ++j) {
    if (celle[j].tipo == tipo_cella::fine_rallentamento) {
      fine = j;
      break;
    }
  }
  e.a = metro_elemento(fine);
  bool avviso = i > kCelleAvviso && celle[i - kCelleAvviso].tipo == tipo_cella::avviso_rallentamento;
  bool approcci = avviso && i > kCelleAvviso + 4;
  for (size_t k = 1; approcci && k <= 4; ++k) {
    approcci = celle[i - kCelleAvviso - k].tipo == tipo_cella::approccio_rallentamento;
  }
  if (avviso) e.avviso = metro_elemento(i - kCelleAvviso - (approcci ? 4 : 0));
  const cella& c = celle[i];
  e.valori = {{"posizione", n(e.da)}, {"v", n(c.dato_1)},        {"l", n(e.a - e.da)},
              {"f_tt", n(c.dato_3)},  {"f_ta", approcci ? "1" : "0"}, {"d_v", n(c.dato_2)}};
  if (avviso) e.valori.push_back({"warning point", n(metro_elemento(i - kCelleAvviso)) + " m"});
  e.etichetta = n(c.dato_1) + " km/h";
  e.priorita = 70;
  return e;
}

// The montagna spans: runs of cells of one kind; a kind whose span holds
// marks (cell kind 11) was written as kind + 10.
void montagne(const celle_percorso& celle, std::vector<elemento_scena>& out) {
  size_t i = 0;
  while (i < celle.size()) {
    const uint8_t tipo = celle[i].montagna;
    size_t j = i;
    bool segni = false;
    while (j < celle.size() && celle[j].montagna == tipo) segni |= celle[j++].tipo == tipo_cella::segno_montagna;
    if (tipo != 0) {
      elemento_scena e = puntuale(genere_elemento::montagna, static_cast<int64_t>(i) * kMetriCella);
      e.a = static_cast<int64_t>(j) * kMetriCella;
      e.valori = {{"inizio", n(e.da)}, {"fine", n(e.a)}, {"tipo", n(tipo + (segni ? 10 : 0))},
                  {"cells", n(static_cast<int64_t>(i)) + "-" + n(static_cast<int64_t>(j) - 1)}};
      e.etichetta = "montagna " + n(tipo);
      e.variante = tipo;
      e.priorita = 30;
      out.push_back(std::move(e));
    }
    i = j;
  }
}

}  // namespace

std::string didascalia_in_riga(const std::string& utf8) {
  std::string out;
  size_t pos = 0;
  for (;;) {
    const size_t a = utf8.find('(', pos);
    const size_t b = a == std::string::npos ? a : utf8.find(')', a);
    if (b == std::string::npos) break;
    std::string gruppo = utf8.substr(a + 1, b - a - 1);
    gruppo.erase(0, gruppo.find_first_not_of(' '));
    gruppo.erase(gruppo.find_last_not_of(' ') + 1);
    if (!gruppo.empty()) out += (out.empty() ? "" : " ") + gruppo;
    pos = b + 1;
  }
  if (!out.empty()) return out;
  std::string t = utf8;
  t.erase(0, t.find_first_not_of(' '));
  t.erase(t.find_last_not_of(' ') + 1);
  return t;
}

void elementi_celle(const celle_percorso& celle, const tabella_oggetti* tabella,
                    std::vector<elemento_scena>& out) {
  for (size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    switch (c.tipo) {
      case tipo_cella::segnale: out.push_back(segnale(c, i)); break;
      case tipo_cella::indicatore_vmax: out.push_back(indicatore(c, i)); break;
      case tipo_cella::cartello: out.push_back(cartello(c, i, tabella)); break;
      case tipo_cella::abbattimento:
      case tipo_cella::abbattimento_senza_valore: out.push_back(abbattimento(c, i)); break;
      case tipo_cella::inizio_rallentamento: out.push_back(rallentamento(celle, i)); break;
      default: break;
    }
  }
  montagne(celle, out);
}

}  // namespace sb
