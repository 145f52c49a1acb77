// A small seeded generator of valid description texts for the tests: every
// row kind, both curve directions, every curvature digit, signals of every
// coding, stations of every type, in the layout of the builder's own texts.
#pragma once

#include <cstdint>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb::prova {

// The two texts of one generated scenario.
struct testi_generati {
  std::string linea;
  std::string servizio;
};

// Draws the rows of one scenario, keeping every item on a cell of its own.
class generatore {
 public:
  explicit generatore(uint32_t seme) : caso_(seme), seme_(seme) {}

  testi_generati genera() {
    lunghezza_ = tra(2000, 20000);
    if (tra(0, 2) == 0) lunghezza_ -= lunghezza_ % 50;
    n_ = static_cast<int64_t>(nearest((lunghezza_ + 7000.0) / 50.0));
    testi_generati t;
    t.linea = linea();
    t.servizio = servizio();
    return t;
  }

 private:
  // A whole number from a to b, both included.
  int32_t tra(int32_t a, int32_t b) { return a + static_cast<int32_t>(caso_() % static_cast<uint32_t>(b - a + 1)); }
  bool moneta(int su) { return tra(1, su) == 1; }

  // The last position a route row may take: p + 100 within the cells.
  int32_t ultima_posizione() const { return static_cast<int32_t>(50 * n_ - 100); }

  bool libera(int64_t c) const {
    return c >= 2 && c <= n_ - 2 && prese_.count(c) == 0 && riservate_.count(c) == 0;
  }

  std::string riga(const std::string& chiave, std::initializer_list<int32_t> valori, int spazi) {
    std::string r = chiave;
    for (int32_t v : valori) r += "," + std::string(static_cast<size_t>(spazi), ' ') + std::to_string(v);
    return r + "\r\n";
  }

  std::string linea() {
    std::string t = "Generated line " + std::to_string(seme_) + "\r\n[generale]\r\n";
    t += riga("lunghezza percorso", {lunghezza_}, 4);
    t += progressive();
    t += riga("sfondo uno", {tra(0, 3)}, 4) + riga("sfondo due", {tra(0, 3)}, 4) + riga("sfondo tre", {tra(0, 3)}, 4);
    const int32_t inizio = 50 * tra(0, 100);
    const int32_t fine = moneta(4) ? 0 : inizio + 50 * tra(1, 400);
    t += riga(std::string("ripetizione segnali ") + (moneta(2) ? "4" : "9") + " codici", {inizio, fine}, 4);
    t += "[curve]\r\n" + curve() + "[pendenze]\r\n" + pendenze() + "[montagne]\r\n" + montagne();
    t += "[cartelli]\r\n" + indicatori() + "[indicazioni]\r\n" + cartelli() + "[fine]\r\n";
    return t;
  }

  // The three chainage references: all 0, a strict order by first value, or
  // ordered by second value.
  std::string progressive() {
    std::string t;
    const int caso = tra(0, 2);
    for (const char* nome : {"uno", "due", "tre"}) {
      int32_t primo = 0;
      int32_t secondo = 0;
      if (caso == 1) primo = 50 * tra(1, 2000) + (nome[0] == 'u' ? 0 : nome[0] == 'd' ? 200000 : 400000);
      if (caso >= 1) secondo = 50 * tra(0, 400);
      t += riga(std::string("progressiva chilometrica ") + nome, {primo, secondo, tra(0, 2)}, 4);
    }
    return t;
  }

  std::string curve() {
    std::string t;
    int32_t p = tra(0, 300);
    for (int k = 0; p < lunghezza_; ++k) {
      const int32_t l = tra(1, 6) * 50 + tra(0, 3);
      const int cifra = k % 6 + 1;
      const std::string verso = (k / 6) % 2 == 0 ? (moneta(2) ? "d" : "s") : (k % 2 == 0 ? "s" : "d");
      t += riga("curva" + verso + std::to_string(cifra), {p, l}, 2);
      p += l + (moneta(5) ? 0 : tra(1, 900));
    }
    return t;
  }

  std::string pendenze() {
    std::string t;
    int32_t p = moneta(8) ? tra(1, 400) : 0;
    while (p <= ultima_posizione()) {
      int32_t g = tra(-25, 25);
      if (moneta(30)) g += 256;  // wraps in the cell's byte
      t += riga("pendenza", {p, g}, 2);
      p += tra(50, 3000);
    }
    return t;
  }

  std::string montagne() {
    std::string t;
    int32_t p = tra(0, 2000);
    for (int k = 0; k < 80; ++k) {
      const int32_t fine = p + tra(2, 30) * 50 + (moneta(3) ? tra(1, 49) : 0);
      if (fine > 50 * n_ - 50 || p > ultima_posizione()) break;
      t += riga("montagna", {p, fine, tra(0, 20)}, 2);
      p = fine + (moneta(4) ? tra(0, 150) : tra(151, 5000));
    }
    return t;
  }

  // A position whose item cell is free, or -1.
  int32_t posizione_libera(int32_t da, int32_t a) {
    for (int prova = 0; prova < 20; ++prova) {
      const int32_t p = tra(da, a);
      if (libera(indice_cella(p))) return p;
    }
    return -1;
  }

  std::string indicatori() {
    std::string t;
    for (int k = tra(0, 8); k > 0; --k) {
      const int32_t p = posizione_libera(0, ultima_posizione());
      if (p < 0) continue;
      prese_.insert(indice_cella(p));
      auto v = [&] { return moneta(6) ? tra(20, 160) : 5 * tra(4, 32); };
      const int32_t a = v(), b = v(), c = v();
      const bool solo_s = moneta(2);
      const int32_t x = solo_s ? 0 : v(), y = solo_s ? 0 : v(), z = solo_s ? 0 : v();
      t += riga("indicatori_vmax", {p, a, b, c, tra(0, 9), x, y, z, tra(0, 9)}, 2);
    }
    return t;
  }

  std::string cartelli() {
    static const char* kDidascalie[] = {"(Cippo Km.)( 4+000 )", "(DEV. U.)", "\"(IMBOCCO, GALLERIA)\"",
                                        "\"  (spazi)  \"", "(Fermata Lago Ser\xEDno)", "\"\""};
    std::string t;
    for (int k = tra(0, 6); k > 0; --k) {
      const int32_t p = posizione_libera(0, ultima_posizione());
      if (p < 0) continue;
      prese_.insert(indice_cella(p));
      ++cartelli_;
      t += "cartello_indicatore,  " + std::to_string(p) + ",   " + kDidascalie[tra(0, 5)] + "\r\n";
    }
    return t;
  }

  std::string servizio() {
    std::string t = "Generated run " + std::to_string(seme_) + "\r\n\r\n[generale]\r\n";
    t += riga("numero vetture", {tra(1, 12)}, 4) + riga("percentuale massa frenata", {tra(50, 160)}, 4);
    t += riga("sabbia", {tra(0, 300)}, 4);
    t += "orologio,    " + std::to_string(tra(0, 23)) + "   " + std::to_string(tra(0, 59)) + "   " +
         std::to_string(tra(0, 59)) + " \r\n";
    t += "[aderenze]\r\n" + profilo("aderenza", 255) + "[vel_limite]\r\n" + profilo("velocita", 200);
    t += "[stazioni]\r\n" + stazioni() + "[rallentamenti]\r\n" + rallentamenti();
    t += "[segnali]\r\n" + segnali() + abbattimenti() + "[codici]\r\n[fine]\r\n";
    return t;
  }

  std::string profilo(const std::string& chiave, int32_t massimo) {
    std::string t;
    int32_t p = 0;
    while (p <= ultima_posizione()) {
      int32_t v = tra(0, massimo);
      if (chiave == "velocita" && !moneta(5)) v -= v % 5;
      if (chiave == "aderenza" && moneta(20)) v += 256;  // wraps in the cell's byte
      t += riga(chiave, {p, v}, 3);
      p += tra(50, 5000);
    }
    return t;
  }

  // Types 0 to 40 and a few above, in turn over the scenarios.
  int32_t tipo_stazione(int k) {
    static const int32_t kAltri[] = {4, 5, 6, 7, 8, 12, 22, 23, 26, 27, 28, 100, 255};
    if (moneta(2)) return kAltri[tra(0, 12)];
    return static_cast<int32_t>((seme_ * 7 + static_cast<uint32_t>(k)) % 41);
  }

  std::string stazioni() {
    static const char* kNomi[] = {"Pratofondo", "Lago Serino", "Nome Stazione", "\"Borgo, Alto\"", "Citt\xE0 Bassa",
                                  "\" Spazio\""};
    std::string t;
    int32_t fine_precedente = -1000000;
    int32_t p = 0;
    const int massimo = 78 - cartelli_;
    for (int k = 1; k <= massimo; ++k) {
      const int32_t tipo = tipo_stazione(k);
      const int32_t l = 100 * tra(1, 8);
      p = std::max(p, fine_precedente + 350 + l + 50);
      p += 50 * tra(0, 40);
      if (p + 800 > 50 * n_ || p + 150 > 50 * n_ - 100) break;
      int32_t inizio = p - l / 2, fine = p + l / 2;
      const int32_t o4 = tra(0, 1);
      if (tipo == 5 || tipo == 6) inizio = p - l, fine = p + 150;
      else if (tipo == 7 || tipo == 8) inizio = p - l, fine = p + l;
      else if (o4 != 0) fine += 50;
      if (inizio - 350 < fine_precedente) continue;
      if (tipo < 25 && fine <= 100) continue;
      fine_precedente = fine;
      if (tipo < 25) prese_.insert(static_cast<int64_t>(nearest(fine / 50.0 - 1.0)));
      t += "stazione," + std::to_string(p) + "," + std::to_string(tipo) + "," + std::to_string(l) + "," +
           std::to_string(tra(0, 2)) + "," + std::to_string(tra(0, 2)) + "," + std::to_string(o4) + ",  " +
           std::to_string(tra(-3, 9)) + "," + std::to_string(tra(0, 2)) + "," + std::to_string(tra(0, 2)) + ",  " +
           std::to_string(tra(0, 9)) + ",1,1, " + std::to_string(tra(0, 3) * 30) + ", " + std::to_string(tra(0, 23)) +
           "," + std::to_string(tra(0, 59)) + "," + std::to_string(tra(0, 59)) + ", " + kNomi[tra(0, 5)] + "\r\n";
    }
    return t;
  }

  std::string rallentamenti() {
    std::string t;
    for (int k = tra(0, 3); k > 0; --k) {
      const int32_t p = tra(1000, ultima_posizione() - 2000);
      const int32_t l = tra(0, 40) * 50 + (moneta(3) ? tra(1, 49) : 0);
      const bool approcci = moneta(2);
      std::vector<int64_t> celle = {indice_cella(p), indice_cella(p + l)};
      if (p > 1500) celle.push_back(indice_cella(p - 1200));
      if (p > 1500 && approcci) {
        for (int64_t j = 1; j <= 4; ++j) celle.push_back(indice_cella(p - 1200) - j);
      }
      bool tutte = true;
      for (int64_t c : celle) tutte = tutte && libera(c) && prese_.count(c - 1) == 0 && prese_.count(c + 1) == 0;
      if (!tutte || indice_cella(p) == indice_cella(p + l)) continue;
      // The pass places points up to 20 cells before the start and through
      // the slowdown: keep those cells clear of other items.
      for (int64_t c : celle) prese_.insert(c);
      for (int64_t c = indice_cella(p) - 21; c <= indice_cella(p + l) + 14; ++c) {
        if (prese_.count(c) == 0) riservate_.insert(c);
      }
      t += "rallentamento," + std::to_string(p) + "," + std::to_string(tra(30, 130)) + "," + std::to_string(l) +
           "," + std::to_string(tra(0, 1)) + "," + std::to_string(approcci ? tra(1, 3) : 0) + "," +
           std::to_string(moneta(2) ? 0 : tra(1, 9)) + "\r\n";
    }
    return t;
  }

  std::string segnali() {
    std::vector<std::string> righe;
    for (int k = tra(2, 14); k > 0; --k) {
      const int32_t p = posizione_libera(400, ultima_posizione());
      if (p < 0) continue;
      prese_.insert(indice_cella(p));
      const int32_t sx = tra(0, 2);
      int32_t tempo = 0;
      if (moneta(2)) tempo = moneta(3) ? tra(1, 100) : tra(101, 255);
      auto cifra = [&] { return moneta(25) ? tra(10, 30) : tra(0, 9); };
      righe.push_back("segnale," + std::to_string(p) + "," + std::to_string(sx) + "," + std::to_string(cifra()) + "," +
                      std::to_string(cifra()) + "," + std::to_string(cifra()) + "," + std::to_string(tra(0, 9)) + "," +
                      std::to_string(tra(0, 2)) + "," + std::to_string(cifra()) + "," + std::to_string(cifra()) + "," +
                      std::to_string(cifra()) + "," + std::to_string(tempo) + "\r\n");
    }
    if (righe.size() > 2 && moneta(3)) std::swap(righe[0], righe[1]);
    std::string t;
    for (const std::string& r : righe) t += r;
    return t;
  }

  std::string abbattimenti() {
    std::string t;
    for (int k = tra(0, 4); k > 0; --k) {
      int32_t c = tra(3, static_cast<int32_t>(n_) - 3);
      // Now and then a point in the way of the pass's own points.
      if (!riservate_.empty() && moneta(3)) c = static_cast<int32_t>(*std::next(riservate_.begin(), tra(0, static_cast<int32_t>(riservate_.size()) - 1)));
      if (prese_.count(c) != 0 || c < 2 || c > n_ - 2) continue;
      prese_.insert(c);
      riservate_.erase(c);
      int32_t v = tra(-5, 300);
      if (moneta(4)) v = 180;
      t += "abbattimento," + std::to_string(50 * c + tra(-20, 20)) + "," + std::to_string(v) + "\r\n";
    }
    return t;
  }

  std::mt19937 caso_;
  uint32_t seme_;
  int32_t lunghezza_ = 0;
  int64_t n_ = 0;
  int cartelli_ = 0;
  std::set<int64_t> prese_;      // cells that an item takes
  std::set<int64_t> riservate_;  // cells kept for the pass's points around the slowdowns
};

}  // namespace sb::prova
