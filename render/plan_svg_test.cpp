#include "render/plan_svg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <sstream>

#include "app/startup.h"
#include "compile/exit_status.h"
#include "inspect/cell_meaning.h"
#include "line/line_plan.h"
#include "platform/user_interface.h"
#include "render/plan_svg_parts.h"
#include "scenario/binary_decoders.h"
#include "scenario/binary_files.h"
#include "scenario/plan_encoding.h"
#include "scene/label_layout.h"
#include "scene/plan_geometry.h"
#include "scene/scene_json.h"
#include "test_support/page_cases.h"
#include "test_support/sample_scenario.h"
#include "test_support/tool_runs.h"
#include "text_input/utf8_input.h"

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

// The plan of a route 3000 m long (and its 7000 m margin), bent by a
// "curvad4" row from 1000 m for 1000 m, as the line compiler bends it.
griglia_linea griglia_curva() {
  griglia_codificata g;
  crea_griglia(g, 3000);
  semina_griglia(g);
  estendi_dritto(g, 1000);
  estendi_curva(g, 2000, curvatura("curvad4"));
  estendi_dritto(g, ultimo_punto(g) - 2);
  chiudi_griglia(g);
  return punti_griglia(g);
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

std::string pianta(const griglia_linea* g, const tabella_oggetti* t, const celle_percorso* c) {
  return disegna_pianta(costruisci_scena(fonti_scena{g, t, c, {}}));
}

// A text element of the picture: where it stands, its size and its words.
struct testo_svg {
  double x, y, corpo;
  std::string testo;
};

std::vector<testo_svg> testi_svg(const std::string& svg) {
  std::vector<testo_svg> out;
  for (size_t a = svg.find("<text "); a != std::string::npos; a = svg.find("<text ", a + 1)) {
    auto attributo = [&](const char* nome) {
      size_t k = svg.find(std::string(" ") + nome + "=\"", a);
      return std::stod(svg.substr(k + std::string(nome).size() + 3));
    };
    const size_t inizio = svg.find('>', a) + 1;
    std::string t = svg.substr(inizio, svg.find("</text>", inizio) - inizio);
    for (auto [entita, c] : {std::pair{"&apos;", "'"}, {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
      for (size_t k = t.find(entita); k != std::string::npos; k = t.find(entita, k + 1)) {
        t.replace(k, std::string(entita).size(), c);
      }
    }
    out.push_back({attributo("x"), attributo("y"), attributo("font-size"), t});
  }
  return out;
}

// No two texts of the picture overlap, by the widths the layout assumes.
void nessuna_sovrapposizione(const std::string& svg) {
  std::vector<testo_svg> t = testi_svg(svg);
  for (size_t i = 0; i < t.size(); ++i) {
    riquadro a = svg::riquadro_testo(t[i].x - 1, t[i].y, t[i].corpo, t[i].testo);
    for (size_t j = i + 1; j < t.size(); ++j) {
      riquadro b = svg::riquadro_testo(t[j].x - 1, t[j].y, t[j].corpo, t[j].testo);
      EXPECT_FALSE(a.sovrappone(b)) << t[i].testo << " / " << t[j].testo;
    }
  }
}

TEST(Pianta, IsWellFormedAndNamesEveryStationOnMapAndTrack) {
  const tabella_oggetti t = stazioni_strane();
  const celle_percorso c = celle_curva();
  const griglia_linea g = griglia_curva();
  const std::string svg = pianta(&g, &t, &c);
  lettore_xml x(svg);
  ASSERT_TRUE(x.ben_formato());
  for (const char* nome : {"Borgo & Figli", "Ponte <Alto>", "Citt\xC3\xA0 \"Vecchia\"", "Sant'Elmo"}) {
    EXPECT_EQ(conta(x.testi(), nome), 2) << nome;
  }
  EXPECT_EQ(conta(x.testi(), "(Km)"), 0);
  EXPECT_EQ(conta(x.testi(), "VALMORA \xE2\x80\x94 train 2201"), 1);
  EXPECT_EQ(conta(x.testi(), "route 3.0 km"), 1);
  nessuna_sovrapposizione(svg);
}

// On the map as in the legend, a station where the train stops is a filled
// circle (radius 5), one it passes an open one.
TEST(Pianta, StoppingStationsAreFilledOnTheMap) {
  const tabella_oggetti t = stazioni_strane();
  const celle_percorso c = celle_curva();
  const griglia_linea g = griglia_curva();
  const std::string svg = pianta(&g, &t, &c);
  EXPECT_NE(svg.find("r=\"5.0\" fill=\"#"), std::string::npos);
  EXPECT_EQ(svg.find("r=\"5.0\" fill=\"#ffffff\""), std::string::npos);
}

// The legend names what is drawn and nothing else; each drawn kind also has
// its track, titled alike.
TEST(Pianta, LegendListsOnlyWhatIsDrawn) {
  const tabella_oggetti t = stazioni_strane();
  const celle_percorso c = celle_curva();
  const griglia_linea g = griglia_curva();
  lettore_xml x(pianta(&g, &t, &c));
  ASSERT_TRUE(x.ben_formato());
  for (const char* disegnato : {"signals", "sign boards", "speed indicators", "curves", "gradient \xE2\x80\xB0",
                                "speed limit km/h", "adhesion"}) {
    EXPECT_EQ(conta(x.testi(), disegnato), 2) << disegnato;
  }
  for (const char* assente : {"slowdowns", "montagna spans", "code-reduction points", "station passed"}) {
    EXPECT_EQ(conta(x.testi(), assente), 0) << assente;
  }
  EXPECT_EQ(conta(x.testi(), "station where the train stops"), 1);
}

// Any one file draws: the plan alone gives the map and its length (not the
// plan's last point), the cells alone the tracks without a map.
TEST(Pianta, AnyFileAloneDraws) {
  const griglia_linea g = griglia_curva();
  const std::string solo_pianta = pianta(&g, nullptr, nullptr);
  lettore_xml x(solo_pianta);
  ASSERT_TRUE(x.ben_formato());
  EXPECT_EQ(conta(x.testi(), "route 3.0 km"), 1);
  EXPECT_EQ(conta(x.testi(), "km 1+500"), 1);
  EXPECT_NE(solo_pianta.find("<polyline"), std::string::npos);
  const celle_percorso c = celle_curva();
  const std::string solo_celle = pianta(nullptr, nullptr, &c);
  lettore_xml y(solo_celle);
  ASSERT_TRUE(y.ben_formato());
  EXPECT_EQ(conta(y.testi(), "route 3.0 km"), 1);
  EXPECT_EQ(conta(y.testi(), "signals"), 2);
  EXPECT_EQ(solo_celle.find("<polyline"), std::string::npos);
  EXPECT_EQ(solo_celle.find("run-speed"), std::string::npos);  // no stations, no run
  lettore_xml z(disegna_pianta(costruisci_scena(fonti_scena{})));
  EXPECT_TRUE(z.ben_formato());
}

// From the descriptions of a line whose chainage starts at 12+000, with a
// signal at 50 000 m on a 12 000 m route: the picture is written, the status
// is compile's, the axis and the map read the line's kilometres, every item
// and the route's end are titled with the sheet's kilometre, and the error
// is marked at the route's end of the drawing, where it points beyond.
TEST(Plan, FromTheDescriptionsMarksTheLinesKilometresAndTheError) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::vector<std::string> linea = prova::linea_esempio();
  linea[3] = "progressiva chilometrica uno,   0,  12000,  0";
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[20] = "segnale, 50000, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";
  scrivi(dir / "l.txt", prova::righe_crlf(linea));
  scrivi(dir / "s.txt", prova::righe_crlf(servizio));
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--line", dir / "l.txt", "--service", dir / "s.txt", "--svg", dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_NE(e.err.find(dir / "s.txt" + ":21:"), std::string::npos) << e.err;
  const std::string svg = prova::leggi(dir / "p.svg");
  lettore_xml x(svg);
  ASSERT_TRUE(x.ben_formato());
  nessuna_sovrapposizione(svg);
  // Over the tracks the posts' kilometres, under them the route's.
  for (const char* km : {"12+000", "14+000", "22+000", "km 20+000", "km of the line"}) {
    EXPECT_EQ(conta(x.testi(), km), 1) << km;
  }
  EXPECT_EQ(conta(x.testi(), "km from the start of the route"), 1);
  for (const char* titolo : {"<title>km 14+000, route 2 000 m</title>",
                             "<title>stazione Lago Serino at km 17.000, route 5 000 m</title>",
                             "<title>cartello_indicatore at km 3.000, route 2 950 m</title>",
                             "<title>rallentamento from km 19.000, route 7 000 \xE2\x80\x93 7 300 m</title>",
                             "<title>fine percorso km 24.000, route 12 000 m</title>"}) {
    EXPECT_NE(svg.find(titolo), std::string::npos) << titolo;
  }
  // The error's mark as drawn: the diagnostic's first line as its title, a
  // red triangle at the right edge of the axis, its label left of it.
  const std::string diagnostica = prova::leggi(dir / "p.svg").substr(svg.find("<g class=\"fault\">"));
  EXPECT_EQ(diagnostica.substr(0, diagnostica.find("</g>") + 4),
            "<g class=\"fault\"><title>" + dir / "s.txt" +
                ":21:10: error: error 15: position 50000 m is beyond the route&apos;s cells: the route ends at "
                "12000 m, its cells run on to 19000 m, and a row needs 100 m of them past its position, so it may "
                "stand up to 18900 m</title>"
                "<path d=\"M1176.0 210.6L1181.5 199.6L1170.5 199.6Z\" fill=\"#d50000\"/>\n"
                "<text x=\"1129.5\" y=\"198.1\" font-size=\"10.0\" fill=\"#d50000\" font-weight=\"bold\">error 15</text>\n"
                "</g>");
}

// Descriptions and binary files do not go together.
TEST(Plan, EitherTheDescriptionsOrTheBinaryFiles) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  struct caso {
    std::vector<std::string> argomenti;
    const char* motivo;
  };
  const caso casi[] = {
      {{"plan", "--line", "l.txt", "--sim", "x.sim", "--svg", "p.svg"},
       "give either the descriptions or the binary files, not both"},
      {{"plan", "--cells", "x.dat", "--train", "1", "--svg", "p.svg"}, "--line-name and --train go with the descriptions"},
      {{"plan", "--line", "l.txt", "--train", "a/b", "--svg", "p.svg"}, "--train must be a plain name"},
      {{"plan", "--line", "l.txt", "--service", "s.txt"}, "--svg OUT.svg is required"},
  };
  for (const caso& c : casi) {
    prova::esecuzione e = prova::esegui_strumento_esterno(dir, c.argomenti);
    EXPECT_EQ(e.stato, kUscitaUso) << c.motivo;
    EXPECT_EQ(e.err, std::string("scenario_tool plan: ") + c.motivo + "\nTry 'scenario_tool plan --help'.\n");
  }
}

// The page takes its round steps with its own function; both follow one table.
TEST(Pianta, RoundStepsAsThePageTakesThem) {
  for (const prova::riga_caso& c : prova::casi_pagina("nice_steps.txt")) {
    const double passo = svg::passo_tondo(c.numero(0), 1);
    EXPECT_TRUE(prova::vicini(passo, c.numero(1))) << c.dove("nice_steps.txt") << ": " << passo;
  }
  // The span is cut into about `parti` parts.
  EXPECT_EQ(svg::passo_tondo(12000, 12), 1000);
  EXPECT_EQ(svg::passo_tondo(12001, 12), 2000);
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
  e = prova::esegui_strumento_esterno(dir, {"plan", "--sim", dir / "V_1.sim", "--svg", dir / "s.svg"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_TRUE(lettore_xml(prova::leggi(dir / "s.svg")).ben_formato());
  e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "V_linea.dat", "--cells", dir / "V_1.dat", "--svg", dir / "q.svg"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "V_1.dat" + ": byte 90: cell 6 is cut short: 10 of its 15 bytes\n");
  EXPECT_FALSE(prova::esiste(dir / "q.svg"));
  // "-" is standard output, not a file named "-".
  e = prova::esegui_strumento_esterno(dir, {"plan", "--sim", dir / "V_1.sim", "--svg", "-"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_EQ(e.out, prova::leggi(dir / "s.svg"));
  EXPECT_FALSE(prova::esiste(dir / "-"));
  e = prova::esegui_strumento_esterno(dir, {"plan", "--svg", dir / "r.svg"});
  EXPECT_EQ(e.stato, kUscitaUso);
  EXPECT_EQ(e.err,
            "scenario_tool plan: give --line and --service, or any of --plan, --sim and --cells\n"
            "Try 'scenario_tool plan --help'.\n");
}

// A plan left from another build beside the object table (a compile with
// --no-plan after the route changed) is damaged, and so said.
TEST(Plan, APlanThatDisagreesWithTheRouteLengthIsDamaged) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  tabella_oggetti t = stazioni_strane();
  t[84].fine = 2000;
  scrivi(dir / "V_linea.dat", codifica_griglia(griglia_curva()));
  scrivi(dir / "V_1.sim", codifica_tabella(t));
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "V_linea.dat", "--sim", dir / "V_1.sim", "--svg", dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaFile);
  // Points 0 and 1 take 4 bytes, 2 to 9000 take 10.
  EXPECT_EQ(e.err, dir / "V_linea.dat" + ": byte 89998: the plan holds 10001 points but the route length 2000 m of " +
                       dir / "V_1.sim" + " calls for 9001\n");
  EXPECT_FALSE(prova::esiste(dir / "p.svg"));
  // Cells of another route, against the table or, without it, the plan.
  scrivi(dir / "V_1.dat", codifica_celle(celle_curva()));
  e = prova::esegui_strumento_esterno(dir, {"plan", "--sim", dir / "V_1.sim", "--cells", dir / "V_1.dat", "--svg",
                                            dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "V_1.dat" + ": the route cells hold 201 cells but the route length 2000 m of " +
                       dir / "V_1.sim" + " calls for 181\n");
  scrivi(dir / "W_1.dat", codifica_celle(celle_percorso(181)));
  e = prova::esegui_strumento_esterno(dir, {"view", "--plan", dir / "V_linea.dat", "--cells", dir / "W_1.dat",
                                            "--html", dir / "p.html"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "W_1.dat" + ": the route cells hold 181 cells but the route length 3000 m of " +
                       dir / "V_linea.dat" + " calls for 201\n");
  EXPECT_FALSE(prova::esiste(dir / "p.svg"));
  EXPECT_FALSE(prova::esiste(dir / "p.html"));
}

// A point that is not finite or absurdly far is left out of the picture,
// which stays valid, and of the page's outline, whose numbers stay exact.
TEST(Plan, PointsThatAreNotFiniteOrTooFarAreNotDrawn) {
  const double estremi[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), 1e300, -1e300,
                            std::numeric_limits<double>::max(), 1e14};
  griglia_linea g = griglia_curva();
  for (size_t k = 0; k < std::size(estremi); ++k) (k % 2 == 0 ? g.x : g.y)[500 + 100 * k].reale = estremi[k];
  const std::string svg = pianta(&g, nullptr, nullptr);
  EXPECT_TRUE(lettore_xml(svg).ben_formato());
  for (const char* t : {"nan", "NaN", "inf", "Inf", "e+"}) EXPECT_EQ(svg.find(t), std::string::npos) << t;
  fonti_scena f;
  f.griglia = &g;
  const scena s = costruisci_scena(f);
  EXPECT_EQ(s.contorno.esclusi, std::size(estremi));
  std::ostringstream err;
  avvisa_esclusi(s.contorno, "V_linea.dat", err);
  EXPECT_EQ(err.str(),
            "V_linea.dat: warning: 7 points of the line plan are not finite or beyond 10000000000000 m: left out of "
            "the map\n");
  const std::string json = scena_in_json(s);
  EXPECT_EQ(json.find("-9223372036854775808"), std::string::npos);
  EXPECT_EQ(json.find("9223372036854775807"), std::string::npos);
}

// The builder's own scenario drawn from its files: every station is named,
// the kilometre marks of the map are all there, no two texts overlap.
TEST(Plan, DrawsEverythingOfTheBuildersScenario) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::ostringstream attesa, errori;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(attesa, errori);
  ASSERT_EQ(avvio(dir.cartella(), *ui, errori), kUscitaPulita) << errori.str();
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "BORVALE_linea.dat", "--sim", dir / "BORVALE_40617.sim", "--cells",
            dir / "BORVALE_40617.dat", "--svg", dir / "p.svg"});
  ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
  const std::string svg = prova::leggi(dir / "p.svg");
  lettore_xml x(svg);
  ASSERT_TRUE(x.ben_formato());
  tabella_oggetti t{};
  ASSERT_TRUE(decodifica_tabella(prova::leggi(dir / "BORVALE_40617.sim"), t).ok);
  int stazioni = 0;
  for (int i = 1; i <= 80; ++i) {
    if (!e_stazione(i, t[i])) continue;
    ++stazioni;
    EXPECT_GE(conta(x.testi(), cp1252_in_utf8(t[i].nome)), 1) << t[i].nome;
  }
  EXPECT_EQ(stazioni, 30);
  // The map marks the line's kilometres where a label fits.
  for (const char* km : {"km 20+000", "km 40+000", "km 80+000"}) {
    EXPECT_EQ(conta(x.testi(), km), 1) << km;
  }
  for (const char* t_ : {"Cippo Km. 20+000", "IMBOCCO GALLERIA TRASMONTE", "50 km/h", "route 93.0 km"}) {
    EXPECT_EQ(conta(x.testi(), t_), 1) << t_;
  }
  // The default train's run: its speed under the limit, its time beside the
  // timetable's, a point a cell from the origin's stop to the destination's.
  for (const char* t_ : {"speed, km/h", "time, min", "speed limit", "timetable"}) EXPECT_EQ(conta(x.testi(), t_), 1) << t_;
  EXPECT_EQ(conta(x.testi(), "fastest run"), 2);
  for (const char* classe : {"run-limit", "run-speed", "run-time", "run-timetable"}) {
    const size_t a = svg.find(std::string("<path class=\"") + classe + "\"");
    ASSERT_NE(a, std::string::npos) << classe;
    const std::string d = svg.substr(svg.find(" d=\"", a) + 4, svg.find("\"/>", a) - svg.find(" d=\"", a) - 4);
    if (std::string(classe) == "run-speed" || std::string(classe) == "run-time") {
      EXPECT_EQ(std::count(d.begin(), d.end(), 'L') + 1, (88000 - 150) / 50 + 1) << classe;
    }
  }
  nessuna_sovrapposizione(svg);
}

}  // namespace
}  // namespace sb
