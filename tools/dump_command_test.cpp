#include "tools/dump_command.h"


#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <cstring>
#include <limits>
#include <sstream>

#include "app/startup.h"
#include "compile/exit_status.h"
#include "inspect/dump_text.h"
#include "platform/user_interface.h"
#include "scenario/binary_decoders.h"
#include "scenario/binary_files.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::esecuzione;
using prova::scrivi;

// A small table: a station, a sign caption and the settings entries.
tabella_oggetti tabella_piccola() {
  tabella_oggetti t{};
  t[1].tipo = 22;
  t[1].posizione = 5000;
  t[1].inizio = 4800;
  t[1].fine = 5200;
  t[1].nome = "Citt\xE0 Alta";
  t[1].param_1 = -1;
  t[1].orario = (7 * 60 + 22) * 60 + 30;
  t[80].nome = "(Cippo Km.)( 3+000 )";
  t[84].inizio = 90;
  t[84].fine = 12000;
  t[85].nome = "VALMORA";
  t[85].param_1 = 610;
  t[86].nome = "2201";
  t[86].param_3 = 7;
  t[86].param_4 = 15;
  return t;
}

// Cells 0 to 9: a signal in cell 3, approach marks, two speed and gradient runs.
celle_percorso celle_piccole() {
  celle_percorso c(10);
  for (size_t i = 0; i < c.size(); ++i) {
    c[i].velocita = i < 4 ? 20 : 16;
    c[i].pendenza = i < 6 ? 108 : 95;
    c[i].aderenza = 80;
  }
  c[3].tipo = 1;
  c[3].dato_4 = 6;
  c[1].preavviso = 62;
  return c;
}

griglia_linea griglia_piccola() {
  griglia_linea g;
  g.x = {{tipo_variante::intero, 0, 0}, {tipo_variante::intero, 0, 0}, {tipo_variante::reale, 0, 0.0},
         {tipo_variante::reale, 0, 3.0}, {tipo_variante::vuoto, 0, 0}};
  g.y = {{tipo_variante::intero, 0, 0}, {tipo_variante::intero, 1, 0}, {tipo_variante::reale, 0, 2.0},
         {tipo_variante::reale, 0, 6.0}, {tipo_variante::vuoto, 0, 0}};
  return g;
}

TEST(Decodifica, ReadsBackWhatTheBuildWrites) {
  tabella_oggetti t{};
  ASSERT_TRUE(decodifica_tabella(codifica_tabella(tabella_piccola()), t).ok);
  EXPECT_EQ(t, tabella_piccola());
  celle_percorso c;
  ASSERT_TRUE(decodifica_celle(codifica_celle(celle_piccole()), c).ok);
  EXPECT_EQ(c, celle_piccole());
  griglia_linea g;
  ASSERT_TRUE(decodifica_griglia(codifica_griglia(griglia_piccola()), g).ok);
  EXPECT_EQ(g.x, griglia_piccola().x);
  EXPECT_EQ(g.y, griglia_piccola().y);
}

TEST(Decodifica, NamesTheByteWhereAFileGoesWrong) {
  const std::string tabella = codifica_tabella(tabella_piccola());
  const std::string celle = codifica_celle(celle_piccole());
  const std::string griglia = codifica_griglia(griglia_piccola());
  tabella_oggetti t{};
  celle_percorso c;
  griglia_linea g;
  // Record 1 starts at byte 34 and is 34 + 10 bytes long.
  EXPECT_EQ(decodifica_tabella(tabella.substr(0, 60), t).messaggio(),
            "byte 60: object record 1 is cut short: it needs 44 bytes from byte 34, 26 are left");
  EXPECT_EQ(decodifica_tabella(tabella.substr(0, 40), t).messaggio(),
            "byte 40: object record 1 is cut short before its name (it starts at byte 34)");
  EXPECT_EQ(decodifica_tabella(tabella + "xy", t).messaggio(),
            "byte " + std::to_string(tabella.size()) + ": 2 bytes follow the 87th object record");
  EXPECT_EQ(decodifica_celle(celle.substr(0, 142), c).messaggio(), "byte 135: cell 9 is cut short: 7 of its 15 bytes");
  // Values: 4 bytes each for the integers, 10 for the reals, 2 for empty.
  EXPECT_EQ(decodifica_griglia(griglia.substr(0, 15), g).messaggio(), "byte 8: a plan value is cut short");
  EXPECT_EQ(decodifica_griglia(griglia.substr(0, 29), g).messaggio(), "byte 28: a plan value's kind code is cut short");
  EXPECT_EQ(decodifica_griglia(griglia.substr(0, 30), g).messaggio(),
            "byte 30: odd count of plan values (5): the y block is cut short");
  std::string strana = griglia;
  strana[8] = 7;
  EXPECT_EQ(decodifica_griglia(strana, g).messaggio(), "byte 8: unknown plan value kind 7");
  // Beyond the longest route's files: refused at their size, nothing decoded.
  EXPECT_EQ(decodifica_celle(std::string(20142 * 15, '\0'), c).messaggio(),
            "byte 302115: 302130 bytes are more than the 20141 cells of the longest route (1000000 m) take");
  EXPECT_EQ(decodifica_griglia(std::string(20140021, '\0'), g).messaggio(),
            "byte 20140020: 20140021 bytes: the plan holds more than the 1007001 points of the longest route "
            "(1000000 m)");
  EXPECT_EQ(decodifica_griglia(std::string(2 * 2014003, '\0'), g).messaggio(),
            "byte 4028004: the plan holds more than the 1007001 points of the longest route (1000000 m)");
  EXPECT_TRUE(decodifica_celle(std::string(20141 * 15, '\0'), c).ok);
}

// A plan whose blocks hold the kinds given as letters: I an integer, R a
// real, E empty.
griglia_linea griglia_di(const std::string& x, const std::string& y) {
  auto blocco = [](const std::string& tipi) {
    std::vector<valore_variante> b;
    for (char t : tipi) {
      if (t == 'I') b.push_back({tipo_variante::intero, 0, 0});
      if (t == 'R') b.push_back({tipo_variante::reale, 0, 1.5});
      if (t == 'E') b.push_back({tipo_variante::vuoto, 0, 0});
    }
    return b;
  };
  return {blocco(x), blocco(y)};
}

// Values: 4 bytes each for the integers, 10 for the reals, 2 for empty.
TEST(Decodifica, APlanNotLaidOutAsTheCompilerWritesItIsDamaged) {
  const char* const schema = ": the compiler writes two integers, then reals, then empty values";
  struct caso {
    const char* x;
    const char* y;
    std::string messaggio;  // empty: read as it stands
  } casi[] = {
      {"IIRRE", "IIRRE", ""},
      {"IIRRR", "IIRRR", ""},
      {"IIEE", "IIEE", ""},
      {"EEEE", "EEEE", ""},
      {"", "", "byte 0: the plan holds no value"},
      {"IIRREE", "IIRR", "byte 32: the two halves disagree in point count: the x block holds 6 points and the y block 4"},
      {"IIRR", "IIRREE", "byte 28: the two halves disagree in point count: the x block holds 4 points and the y block 6"},
      {"IIRER", "IIRER", std::string("byte 20: point 4 of the x block is a real after empty") + schema},
      {"IERRE", "IERRE", std::string("byte 4: point 1 of the x block is empty after an integer") + schema},
      {"IIRRE", "IIRIE", std::string("byte 48: point 3 of the y block is an integer after a real") + schema},
      {"RIRRE", "RIRRE", "byte 0: point 0 of the x block is a real: the compiler starts with two integers"},
      {"IIRRE", "IIREE", "byte 48: point 3 is empty in the y block but a real in the x block"},
      {"EEEE", "IIRR", "byte 8: point 0 is an integer in the y block but empty in the x block"},
  };
  for (const caso& c : casi) {
    griglia_linea g;
    esito_decodifica e = decodifica_griglia(codifica_griglia(griglia_di(c.x, c.y)), g);
    EXPECT_EQ(e.ok ? "" : e.messaggio(), c.messaggio) << c.x << " " << c.y;
  }
}

TEST(Descrivi, PlanFiguresAreWholeAndJsonStaysValid) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  griglia_linea g;
  g.x = {{tipo_variante::intero, 0, 0}, {tipo_variante::intero, 0, 0}, {tipo_variante::reale, 0, nan},
         {tipo_variante::reale, 0, 1e300}, {tipo_variante::reale, 0, 1e300}, {tipo_variante::vuoto, 0, 0}};
  g.y = {{tipo_variante::intero, 0, 0}, {tipo_variante::intero, 1, 0}, {tipo_variante::reale, 0, 5},
         {tipo_variante::reale, 0, -1e308}, {tipo_variante::reale, 0, 1e308}, {tipo_variante::vuoto, 0, 0}};
  const std::string e300 =
      "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375080447864043704"
      "4438328838781769425232353604305756447921847867069828483872009265758037378302337947880900593689532349707999"
      "45081119038967640880074652742780142494579258788820056842838115669472196386865459400540160.000";
  const std::string e308 =
      "1000000000000000010979063629440455417404923096773118463368106829031575854049114915371633289784946888990612"
      "4966972117251561159028374314008832830700919814604603127166450293302718569748969958855904333838446616500117"
      "8426897626212945177628091195786707458122783970171784415105291802893207873272974885715430223118336.000";
  EXPECT_EQ(descrivi_griglia(g, false),
            "line plan: 6 points (metres 0 to 5)\n"
            "values: 4 integer, 6 real, 2 empty\n"
            "not finite (NaN or infinite): 1 values\n"
            "extent: x 0.000 to " + e300 + ", y -" + e308 + " to " + e308 + "\n"
            "length along the points: Infinity m\n"
            "stretches (straights, and curves as the line description writes them):\n"
            "  straight 0-1 m (1 m)\n"
            "  then no more: point 2 follows from no straight or curve\n");
  EXPECT_EQ(descrivi_griglia(g, true),
            "{\"file\": \"line plan\", \"points\": 6, \"kinds\": {\"empty\": 2, \"integer\": 4, \"real\": 6}, "
            "\"non_finite\": 1, \"extent\": {\"x_min\": 0.000, \"x_max\": " + e300 + ", \"y_min\": -" + e308 +
            ", \"y_max\": " + e308 + "}, \"length_m\": \"Infinity\", \"stretches\": [{\"from_m\": 0, \"to_m\": 1, "
            "\"kind\": \"straight\"}], \"stretches_stop\": \"point 2 follows from no straight or curve\"}\n");
}

TEST(Descrivi, ObjectTableShowsEntriesWithNamesAndTimes) {
  EXPECT_EQ(descrivi_tabella(tabella_piccola(), false),
            "object table: 87 entries, 5 not empty\n"
            "entry 1 (station):  nome=\"Citt\xC3\xA0 Alta\"  tipo=22  posizione=5000 (m)  inizio=4800 (extent start, m)"
            "  fine=5200 (extent end, m)  param_1=-1  orario=\"07:22:30\"\n"
            "  stazione at 5000 m:  tipo=22  lunghezza=400  opzione_1=0  opzione_5=0  opzione_4=0  param_1=-1  "
            "param_2=0  opzione_2=0  param_3=0  param_4=0  param_5=0  opzione_3=0  orario=\"07:22:30\"  "
            "nome=\"Citt\xC3\xA0 Alta\"\n"
            "entry 80 (sign caption):  nome=\"(Cippo Km.)( 3+000 )\"\n"
            "entry 84 (general):  inizio=90 (braked mass, %)  fine=12000 (route length, m)\n"
            "entry 85 (line):  nome=\"VALMORA\"  param_1=610 (marker)\n"
            "entry 86 (train):  nome=\"2201\"  param_3=7 (clock hours)  param_4=15 (clock minutes)"
            "  orologio=\"07:15:00\" (clock at the start)\n");
}

TEST(Descrivi, CellsShowItemsMarksAndRuns) {
  EXPECT_EQ(descrivi_celle(celle_piccole(), false),
            "route cells: 10 (cells 0 to 9, 50 m each; an item in cell i stands at (i - 1) x 50 m)\n"
            "cell 1 at 0 m:  preavviso=62 (approach mark)\n"
            "cell 3 at 100 m:  tipo=1 (signal)  dato_4=6\n"
            "  segnale at 100 m:  sx=2  s1=0  s2=0  s3=0  rapp=0  dx=0  d1=0  d2=0  d3=0  tempo=0\n"
            "profiles (runs of equal values; cell c runs from c x 50 m):\n"
            "velocita (km/h):\n  cells 0-3 (0-200 m): 100\n  cells 4-9 (200-500 m): 80\n"
            "pendenza (per mille):\n  cells 0-5 (0-300 m): 8\n  cells 6-9 (300-500 m): -5\n"
            "aderenza:\n  cells 0-9 (0-500 m): 80\n"
            "montagna (span kind):\n  cells 0-9 (0-500 m): 0\n");
}

TEST(Descrivi, PlanShowsCountKindsExtentAndLength) {
  EXPECT_EQ(descrivi_griglia(griglia_piccola(), false),
            "line plan: 5 points (metres 0 to 4)\n"
            "values: 4 integer, 4 real, 2 empty\n"
            "extent: x 0.000 to 3.000, y 0.000 to 6.000\n"
            "length along the points: 7.000 m\n"
            "stretches (straights, and curves as the line description writes them):\n"
            "  straight 0-2 m (2 m)\n"
            "  then no more: point 3 follows from no straight or curve\n");
  EXPECT_EQ(descrivi_griglia(griglia_piccola(), true),
            "{\"file\": \"line plan\", \"points\": 5, \"kinds\": {\"empty\": 2, \"integer\": 4, \"real\": 4}, "
            "\"extent\": {\"x_min\": 0.000, \"x_max\": 3.000, \"y_min\": 0.000, \"y_max\": 6.000}, "
            "\"length_m\": 7.000, \"stretches\": [{\"from_m\": 0, \"to_m\": 2, \"kind\": \"straight\"}], "
            "\"stretches_stop\": \"point 3 follows from no straight or curve\"}\n");
}

TEST(Descrivi, JsonCarriesTheSameEntries) {
  std::string j = descrivi_tabella(tabella_piccola(), true);
  EXPECT_NE(j.find("{\"entry\": 1, \"role\": \"station\", \"fields\": {\"nome\": \"Citt\xC3\xA0 Alta\", \"tipo\": 22, "
                   "\"posizione\": 5000, \"inizio\": 4800, \"fine\": 5200, \"param_1\": -1, \"orario\": \"07:22:30\"}, "
                   "\"author\": {\"row\": \"stazione at 5000 m\", \"tipo\": 22, \"lunghezza\": 400,"),
            std::string::npos)
      << j;
  std::string c = descrivi_celle(celle_piccole(), true);
  EXPECT_NE(c.find("{\"cell\": 3, \"at_m\": 100, \"item\": \"signal\", \"fields\": {\"tipo\": 1, \"dato_4\": 6}, "
                   "\"author\": {\"row\": \"segnale at 100 m\", \"sx\": 2, \"s1\": 0, \"s2\": 0, \"s3\": 0, "
                   "\"rapp\": 0, \"dx\": 0, \"d1\": 0, \"d2\": 0, \"d3\": 0, \"tempo\": 0}}"),
            std::string::npos)
      << c;
  EXPECT_NE(c.find("\"velocita\": [{\"from_cell\": 0, \"to_cell\": 3, \"value\": 100}, "
                   "{\"from_cell\": 4, \"to_cell\": 9, \"value\": 80}]"),
            std::string::npos)
      << c;
}

TEST(Dump, TruncatedOrUnknownFilesFailClearly) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  scrivi(dir / "X_1.sim", codifica_tabella(tabella_piccola()).substr(0, 60));
  scrivi(dir / "X_1.dat", codifica_celle(celle_piccole()));
  scrivi(dir / "X_linea.dat", codifica_griglia(griglia_piccola()).substr(0, 15));
  scrivi(dir / "notes.txt", "x");

  esecuzione sim = prova::esegui_strumento_esterno(dir, {"dump", dir / "X_1.sim"});
  EXPECT_EQ(sim.stato, kUscitaFile);
  EXPECT_EQ(sim.out, "");
  EXPECT_EQ(sim.err, dir / "X_1.sim" + ": byte 60: object record 1 is cut short: it needs 44 bytes from byte 34, 26 are left\n");

  esecuzione griglia = prova::esegui_strumento_esterno(dir, {"dump", dir / "X_linea.dat", "--json"});
  EXPECT_EQ(griglia.stato, kUscitaFile);
  EXPECT_EQ(griglia.err, dir / "X_linea.dat" + ": byte 8: a plan value is cut short\n");

  esecuzione celle = prova::esegui_strumento_esterno(dir, {"dump", dir / "X_1.dat"});
  EXPECT_EQ(celle.stato, kUscitaPulita);
  EXPECT_EQ(celle.out, descrivi_celle(celle_piccole(), false));

  EXPECT_EQ(prova::esegui_strumento_esterno(dir, {"dump", dir / "absent.sim"}).stato, kUscitaFile);
  EXPECT_EQ(prova::esegui_strumento_esterno(dir, {"dump", dir / "notes.txt"}).stato, kUscitaUso);
  EXPECT_EQ(prova::esegui_strumento_esterno(dir, {"dump"}).stato, kUscitaUso);
}

// A small JSON well-formedness check: objects, arrays, strings, numbers,
// true, false and null, nothing after the value.
class lettore_json {
 public:
  explicit lettore_json(std::string s) : s_(std::move(s)) {}
  bool valido() {
    if (!valore()) return false;
    spazi();
    return p_ == s_.size();
  }

 private:
  void spazi() {
    while (p_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[p_]))) ++p_;
  }
  bool prendi(char c) {
    spazi();
    if (p_ < s_.size() && s_[p_] == c) return ++p_, true;
    return false;
  }
  bool stringa() {
    if (!prendi('"')) return false;
    while (p_ < s_.size() && s_[p_] != '"') {
      if (static_cast<unsigned char>(s_[p_]) < 0x20) return false;
      p_ += s_[p_] == '\\' ? 2 : 1;
    }
    return p_++ < s_.size();
  }
  bool numero() {
    size_t a = p_;
    if (p_ < s_.size() && s_[p_] == '-') ++p_;
    while (p_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[p_])) || s_[p_] == '.')) ++p_;
    return p_ > a && std::isdigit(static_cast<unsigned char>(s_[p_ - 1]));
  }
  bool valore() {
    spazi();
    if (p_ >= s_.size()) return false;
    char c = s_[p_];
    if (c == '"') return stringa();
    if (c == '{') return composto('}', true);
    if (c == '[') return composto(']', false);
    for (const char* parola : {"true", "false", "null"}) {
      if (s_.compare(p_, std::strlen(parola), parola) == 0) return p_ += std::strlen(parola), true;
    }
    return numero();
  }
  bool composto(char fine, bool oggetto) {
    ++p_;
    if (prendi(fine)) return true;
    do {
      if (oggetto && (!stringa() || !prendi(':'))) return false;
      if (!valore()) return false;
    } while (prendi(','));
    return prendi(fine);
  }

  std::string s_;
  size_t p_ = 0;
};

TEST(LettoreJson, TellsWellFormedFromBroken) {
  EXPECT_TRUE(lettore_json("{\"a\": [1, -2.5, \"x\\\"y\"], \"b\": {}}").valido());
  for (const char* s : {"{\"a\": 1,}", "[1 2]", "{\"a\" 1}", "\"open", "{} {}"}) {
    EXPECT_FALSE(lettore_json(s).valido()) << s;
  }
}

// The builder's own files, written by its start-up into a scratch directory.
TEST(Dump, ShowsTheBuildersFiles) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::ostringstream attesa, errori;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(attesa, errori);
  ASSERT_EQ(avvio(dir.cartella(), *ui, errori), kUscitaPulita) << errori.str();

  struct caso {
    std::string file;
    std::string atteso;
  };
  const caso casi[] = {
      {"BORVALE_40617.sim", "entry 86 (train):  nome=\"40617\""},
      {"BORVALE_40617.sim", "entry 85 (line):  nome=\"BORVALE\""},
      {"BORVALE_40617.sim", "(station):  nome="},
      {"BORVALE_40617.sim", "(sign caption):  nome=\"(Cippo Km.)"},
      {"BORVALE_40617.dat", "route cells: 2001 (cells 0 to 2000"},
      {"BORVALE_40617.dat", "cell 1 at 0 m:  dato_1=5121"},
      {"BORVALE_40617.dat", "(signal)"},
      {"BORVALE_40617.dat", "velocita (km/h):\n  cells 0-"},
      {"BORVALE_linea.dat", "line plan: 100001 points (metres 0 to 100000)\nvalues: 4 integer, 199994 real, 4 empty\n"},
      // In the author's terms: the rows' own values, the stations named from
      // the table beside the cells, the codes explained, the curves.
      {"BORVALE_40617.dat",
       "cell 1 at 0 m:  dato_1=5121  dato_2=2302\n"
       "  stamps:  marker=5121  codice_gara_og=2302  code_text=\"40617borvaleaabbccddeeffg\"  matches=true\n"},
      {"BORVALE_40617.dat",
       "cell 4 at 150 m:  tipo=10 (station stop)  dato_1=1\n"
       "  stop point of station 1:  nome=\"Borvale Centrale\"  posizione=0  tipo=4\n"},
      {"BORVALE_40617.dat",
       "cell 11 at 500 m:  tipo=6 (maximum-speed indicator)  dato_1=1212  dato_2=1414  dato_3=1515\n"
       "  indicatori_vmax at 500 m:  vas=60  vbs=70  vcs=75  strisces=0  vad=60  vbd=70  vcd=75  strisced=0\n"},
      {"BORVALE_40617.dat",
       "  segnale at 1300 m:  sx=2  s1=2  s2=4  s3=1  rapp=0  dx=0  d1=0  d2=0  d3=0  tempo=255\n"},
      {"BORVALE_40617.dat", "  rallentamento at 86400 m:  v=50  l=300  f_tt=0  f_ta=1  d_v=0\n"},
      {"BORVALE_40617.dat", "  placed by the signal aspect pass:  valore=180\n"},
      {"BORVALE_40617.dat", "  cartello_indicatore at 19950 m:  entry=80  didascalia=\"(Cippo Km.)( 20+000  )\"\n"},
      {"BORVALE_40617.sim",
       "  stazione at 0 m:  tipo=4  lunghezza=500  opzione_1=1  opzione_5=0  opzione_4=0  param_1=4  param_2=1  "
       "opzione_2=0  param_3=2  param_4=1  param_5=1  opzione_3=1  orario=\"18:40:00\"  nome=\"Borvale Centrale\"\n"},
      {"BORVALE_40617.sim",
       "  competition code:  codice_gara_st=32224  code_text=\"40617borvaleaabbccddeeffg\"  matches=true  (each "
       "character code weighted by its place, 1 to 25)\n"},
      {"BORVALE_linea.dat",
       "  straight 0-1450 m (1450 m)\n"
       "  curvad6,  1450,  100   1450-1550 m (100 m, radius 333 m, turning the d way)\n"
       "  curvas6,  1550,  100   1550-1650 m (100 m, radius 333 m, turning the s way)\n"},
      {"BORVALE_linea.dat", "  straight 87650-99998 m (12348 m)\n"},
  };
  for (const caso& c : casi) {
    esecuzione e = prova::esegui_strumento_esterno(dir, {"dump", dir / c.file});
    EXPECT_EQ(e.stato, kUscitaPulita) << c.file << e.err;
    EXPECT_NE(e.out.find(c.atteso), std::string::npos) << c.file << ": " << c.atteso;
    esecuzione j = prova::esegui_strumento_esterno(dir, {"dump", dir / c.file, "--json"});
    EXPECT_EQ(j.stato, kUscitaPulita) << c.file << j.err;
    EXPECT_TRUE(lettore_json(j.out).valido()) << c.file;
  }

  // Without the table beside them, the cells still show their rows.
  std::filesystem::rename(dir / "BORVALE_40617.sim", dir / "other.sim");
  esecuzione senza = prova::esegui_strumento_esterno(dir, {"dump", dir / "BORVALE_40617.dat"});
  EXPECT_EQ(senza.stato, kUscitaPulita) << senza.err;
  EXPECT_NE(senza.out.find("  stop point of station 1\n"), std::string::npos);
  esecuzione data = prova::esegui_strumento_esterno(dir, {"dump", dir / "BORVALE_40617.dat", "--sim", dir / "other.sim"});
  EXPECT_NE(data.out.find("nome=\"Borvale Centrale\""), std::string::npos);
  esecuzione assente = prova::esegui_strumento_esterno(dir, {"dump", dir / "BORVALE_40617.dat", "--sim", dir / "none.sim"});
  EXPECT_EQ(assente.stato, kUscitaFile);
  EXPECT_EQ(assente.err, dir / "none.sim: No such file or directory\n");

  std::string celle = prova::leggi(dir / "BORVALE_40617.dat");
  scrivi(dir / "BORVALE_40617.dat", celle.substr(0, 15 * 1000 + 4));
  esecuzione corta = prova::esegui_strumento_esterno(dir, {"dump", dir / "BORVALE_40617.dat"});
  EXPECT_EQ(corta.stato, kUscitaFile);
  EXPECT_EQ(corta.err, dir / "BORVALE_40617.dat" + ": byte 15000: cell 1000 is cut short: 4 of its 15 bytes\n");
}

}  // namespace
}  // namespace sb
