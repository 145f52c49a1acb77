#include "tools/plan_svg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <sstream>

#include "app/startup.h"
#include "compile/exit_status.h"
#include "platform/user_interface.h"
#include "scenario/binary_decoders.h"
#include "tools/cell_meaning.h"
#include "tools/utf8_input.h"
#include "scenario/binary_files.h"
#include "tools/tool_test_support.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::scrivi;

// A small well-formedness check: one root element, tags balanced and named
// alike, attributes quoted, only the five named entities or character
// references, no stray "<" or "&". Collects the text between tags, unescaped.
class lettore_xml {
 public:
  explicit lettore_xml(const std::string& s) : s_(s) {}

  bool ben_formato() {
    salta_spazi();
    if (s_.compare(p_, 5, "<?xml") == 0) {
      size_t f = s_.find("?>", p_);
      if (f == std::string::npos) return false;
      p_ = f + 2;
    }
    salta_spazi();
    if (!elemento()) return false;
    salta_spazi();
    return p_ == s_.size();
  }

  const std::vector<std::string>& testi() const { return testi_; }

 private:
  void salta_spazi() {
    while (p_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[p_]))) ++p_;
  }
  std::string nome() {
    size_t a = p_;
    while (p_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[p_])) || s_[p_] == '-' || s_[p_] == ':' ||
                              s_[p_] == '_' || s_[p_] == '.'))
      ++p_;
    return s_.substr(a, p_ - a);
  }
  // Unescapes text up to the stop character; false on a bad entity or "<".
  bool testo(char fine, std::string& out) {
    while (p_ < s_.size() && s_[p_] != fine) {
      if (s_[p_] == '<' ) return false;
      if (s_[p_] != '&') {
        out += s_[p_++];
        continue;
      }
      size_t f = s_.find(';', p_);
      if (f == std::string::npos) return false;
      std::string e = s_.substr(p_ + 1, f - p_ - 1);
      static const std::pair<const char*, char> nomi[] = {
          {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
      bool ok = false;
      for (const auto& [n, c] : nomi) {
        if (e == n) {
          out += c;
          ok = true;
        }
      }
      if (!ok && !(e.size() > 1 && e[0] == '#')) return false;
      p_ = f + 1;
    }
    return p_ < s_.size() || fine == '<';
  }
  bool elemento() {
    if (p_ >= s_.size() || s_[p_] != '<') return false;
    ++p_;
    std::string tag = nome();
    if (tag.empty()) return false;
    for (;;) {
      salta_spazi();
      if (s_.compare(p_, 2, "/>") == 0) {
        p_ += 2;
        return true;
      }
      if (p_ < s_.size() && s_[p_] == '>') break;
      if (nome().empty() || p_ >= s_.size() || s_[p_] != '=') return false;
      ++p_;
      if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) return false;
      char q = s_[p_++];
      std::string valore;
      if (!testo(q, valore)) return false;
      ++p_;
    }
    ++p_;
    for (;;) {
      std::string t;
      if (!testo('<', t) || p_ >= s_.size()) return false;
      if (t.find_first_not_of(" \t\r\n") != std::string::npos) testi_.push_back(t);
      if (s_.compare(p_, 2, "</") == 0) {
        p_ += 2;
        if (nome() != tag) return false;
        salta_spazi();
        if (p_ >= s_.size() || s_[p_] != '>') return false;
        ++p_;
        return true;
      }
      if (!elemento()) return false;
    }
  }

  const std::string s_;
  size_t p_ = 0;
  std::vector<std::string> testi_;
};

// A plan of a gentle curve 3000 m long (and its 7000 m margin).
griglia_linea griglia_curva() {
  griglia_linea g;
  double x = 0, y = 1, dx = 0, dy = 1;
  g.x = {{tipo_variante::intero, 0, 0}, {tipo_variante::intero, 0, 0}};
  g.y = {{tipo_variante::intero, 0, 0}, {tipo_variante::intero, 1, 0}};
  for (int k = 2; k <= 10000; ++k) {
    double k_curva = k > 1000 && k < 2000 ? 0.0005 : 0;
    double nx = x + dx + k_curva * dy, ny = y + dy - k_curva * dx;
    dx = nx - x;
    dy = ny - y;
    x = nx;
    y = ny;
    bool vuoto = k >= 9999;
    g.x.push_back({vuoto ? tipo_variante::vuoto : tipo_variante::reale, 0, vuoto ? 0 : x});
    g.y.push_back({vuoto ? tipo_variante::vuoto : tipo_variante::reale, 0, vuoto ? 0 : y});
  }
  return g;
}

tabella_oggetti stazioni_strane() {
  tabella_oggetti t{};
  const char* nomi[] = {"Borgo & Figli", "Ponte <Alto>", "Citt\xE0 \"Vecchia\"", "Sant'Elmo"};
  for (int i = 0; i < 4; ++i) {
    t[i + 1].tipo = 4;
    t[i + 1].posizione = i * 900;
    t[i + 1].nome = nomi[i];
  }
  t[80].nome = "(Km)";  // a sign caption is not a station
  t[84].fine = 3000;
  t[85].nome = "VALMORA";
  t[86].nome = "2201";
  return t;
}

celle_percorso celle_curva() {
  celle_percorso c(201);
  for (cella& x : c) {
    x.velocita = 20;
    x.pendenza = 112;
  }
  c[27].tipo = 1;
  c[40].tipo = 14;
  c[11].tipo = 6;
  return c;
}

int conta(const std::vector<std::string>& testi, const std::string& t) {
  return static_cast<int>(std::count(testi.begin(), testi.end(), t));
}

TEST(Pianta, IsWellFormedAndNamesEveryStationOnMapAndProfile) {
  const tabella_oggetti t = stazioni_strane();
  const celle_percorso c = celle_curva();
  lettore_xml x(disegna_pianta(griglia_curva(), &t, &c));
  ASSERT_TRUE(x.ben_formato());
  for (const char* nome : {"Borgo & Figli", "Ponte <Alto>", "Citt\xC3\xA0 \"Vecchia\"", "Sant'Elmo"}) {
    EXPECT_EQ(conta(x.testi(), nome), 2) << nome;
  }
  EXPECT_EQ(conta(x.testi(), "(Km)"), 0);
  EXPECT_EQ(conta(x.testi(), "VALMORA \xE2\x80\x94 train 2201"), 1);
  EXPECT_EQ(conta(x.testi(), "gradient (per mille)"), 1);
}

TEST(Pianta, PlanAloneIsWellFormed) {
  lettore_xml x(disegna_pianta(griglia_curva(), nullptr, nullptr));
  EXPECT_TRUE(x.ben_formato());
  griglia_linea vuota;
  lettore_xml y(disegna_pianta(vuota, nullptr, nullptr));
  EXPECT_TRUE(y.ben_formato());
}

TEST(LettoreXml, RejectsWhatIsNotWellFormed) {
  for (const char* s : {"<a><b></a>", "<a>x & y</a>", "<a b=c/>", "<a>1 < 2</a>", "<a></a><b/>", "<a>&bogus;</a>"}) {
    lettore_xml x(s);
    EXPECT_FALSE(x.ben_formato()) << s;
  }
  lettore_xml ok("<?xml version=\"1.0\"?>\n<a k='v'><b/>t &amp; u</a>\n");
  EXPECT_TRUE(ok.ben_formato());
}

TEST(Plan, WritesTheSvgFromTheFiles) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  scrivi(dir / "V_linea.dat", codifica_griglia(griglia_curva()));
  scrivi(dir / "V_1.sim", codifica_tabella(stazioni_strane()));
  scrivi(dir / "V_1.dat", codifica_celle(celle_curva()).substr(0, 100));
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "V_linea.dat", "--sim", dir / "V_1.sim", "--svg", dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  lettore_xml x(prova::leggi(dir / "p.svg"));
  EXPECT_TRUE(x.ben_formato());
  e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "V_linea.dat", "--cells", dir / "V_1.dat", "--svg", dir / "q.svg"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "V_1.dat" + ": byte 90: cell 6 is cut short: 10 of its 15 bytes\n");
  EXPECT_FALSE(prova::esiste(dir / "q.svg"));
  EXPECT_EQ(prova::esegui_strumento_esterno(dir, {"plan", "--svg", dir / "r.svg"}).stato, kUscitaUso);
}

// The builder's own scenario drawn from its files: every station is named on
// the map and along the profiles.
TEST(Plan, NamesEveryStationOfTheBuildersScenario) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::ostringstream attesa, errori;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(attesa, errori);
  ASSERT_EQ(avvio(dir.percorso(), *ui, errori), kUscitaPulita) << errori.str();
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "BORVALE_linea.dat", "--sim", dir / "BORVALE_40617.sim", "--cells",
            dir / "BORVALE_40617.dat", "--svg", dir / "p.svg"});
  ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
  lettore_xml x(prova::leggi(dir / "p.svg"));
  ASSERT_TRUE(x.ben_formato());
  tabella_oggetti t{};
  ASSERT_TRUE(decodifica_tabella(prova::leggi(dir / "BORVALE_40617.sim"), t).ok);
  int stazioni = 0;
  for (int i = 1; i <= 80; ++i) {
    if (!e_stazione(i, t[i])) continue;
    ++stazioni;
    EXPECT_EQ(conta(x.testi(), cp1252_in_utf8(t[i].nome)), 2) << t[i].nome;
  }
  EXPECT_GT(stazioni, 0);
}

}  // namespace
}  // namespace sb
