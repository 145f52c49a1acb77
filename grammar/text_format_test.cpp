// The formatter: a table of small texts before and after, the built-in texts
// as the layout itself, and the round trip on generated and mangled texts
// (format, then compile: the same three files).
#include "grammar/text_format.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/compile.h"
#include "decompile/scenario_generator.h"
#include "documents/line_list.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// One text before and after formatting.
struct caso_formato {
  const char* nome;
  genere_testo genere;
  std::string prima;
  std::string dopo;
};

const std::string G = "[generale]\r\n";
const std::string F = "[fine]\r\n";

// A text whose body is the given lines, each ended by CR LF.
std::string corpo(std::initializer_list<std::string> righe) {
  std::string t = G;
  for (const std::string& r : righe) t += r + "\r\n";
  return t + F;
}

const caso_formato kCasi[] = {
    // The service's columns, right-aligned in the builder's widths.
    {"blanks and tabs around the commas", genere_testo::servizio,
     corpo({"velocita,0,85", "  velocita ,\t4500 ,  50\t", "aderenza,0,100", "aderenza,64000,85"}),
     corpo({"velocita,       0,    85", "velocita,    4500,    50", "aderenza,   0,    100", "aderenza,   64000,    85"})},
    {"a column wider than the builder's widens its section only", genere_testo::servizio,
     corpo({"velocita, 0, 85", "velocita, 123456789, 90", "[altro]", "velocita, 0, 85"}),
     corpo({"velocita,        0,    85", "velocita,123456789,    90", "[altro]", "velocita,       0,    85"})},
    {"the general values, the clock with blanks or commas", genere_testo::servizio,
     corpo({"numero vetture,4", "sabbia,\t200", "orologio, 18 39 30", "orologio,18,39,30"}),
     corpo({"numero vetture,    4", "sabbia,    200", "orologio,    18              39            30 ",
            "orologio,    18,              39,            30 "})},
    {"a station with its name, a quoted name, a signal, a slowdown", genere_testo::servizio,
     corpo({"stazione,2800,12,300,0,0,0,1,1,0,4,1,1,30,18,43,30,  Borvale San Gaudo  ",
            "stazione,  4000,4,400,0,0,0,1,1,0,4,1,1,30,18,45,0,\"Borgo, Alto\"",
            "segnale,3900,2,1,2,1,0,2,2,1,1,0", "rallentamento,86400,50,300,0,1,0", "abbattimento,40000,180"}),
     corpo({"stazione,    2800, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,   30,  18,43,30, Borvale San Gaudo",
            "stazione,    4000,  4,  400,  0, 0, 0,  1,1,0,  4,1,1,   30,  18,45, 0, \"Borgo, Alto\"",
            "segnale,    3900,   2, 1, 2,  1, 0,    2,  2,1,1, 0", "rallentamento,   86400,    50,  300, 0,  1,  0",
            "abbattimento,   40000,   180"})},
    {"a negative value widens its column for the whole section", genere_testo::servizio,
     corpo({"stazione,2800,12,300,0,0,0,-3,1,0,4,1,1,30,18,43,30,A", "stazione,4000,4,400,0,0,0,1,1,0,4,1,1,30,18,45,0,B"}),
     corpo({"stazione,    2800, 12,  300,  0, 0, 0, -3,1,0,  4,1,1,   30,  18,43,30, A",
            "stazione,    4000,  4,  400,  0, 0, 0,  1,1,0,  4,1,1,   30,  18,45, 0, B"})},
    {"keywords in other letters line up by their characters (UTF-8)", genere_testo::servizio,
     corpo({"velocit\xC3\xA0,0,85", "VELOCITA,100,90"}),
     corpo({"velocit\xC3\xA0,       0,    85", "VELOCITA,     100,    90"})},
    // The line's rows, each value a number of blanks after its comma.
    {"the general rows of the line", genere_testo::linea,
     corpo({"lunghezza percorso,93000", "progressiva chilometrica uno,0,0, 0", "sfondo uno,1",
            "ripetizione segnali 4 codici, 0 ,27000"}),
     corpo({"lunghezza percorso,    93000", "progressiva chilometrica uno,    0,    0,    0", "sfondo uno,    1",
            "ripetizione segnali 4 codici,    0,    27000"})},
    {"the route rows of the line, the first gradient at 0", genere_testo::linea,
     corpo({"curvad6,1450,100", "pendenza,0,0", "pendenza ,\t1500,8", "montagna,1800,3800,11",
            "indicatori_vmax,35400,80,85,85,0,,,,0", "cartello_indicatore,19950,(Cippo Km.)( 20+000  )   "}),
     corpo({"curvad6,  1450,  100", "pendenza,   0,    0", "pendenza,  1500,   8", "montagna,   1800,  3800,  11",
            "indicatori_vmax,  35400,  80,  85,  85,  0,  ,  ,  ,  0",
            "cartello_indicatore,  19950,   (Cippo Km.)( 20+000  )"})},
    {"values parted by blanks keep a blank between them", genere_testo::linea, corpo({"curvas3,   5400   200"}),
     corpo({"curvas3,  5400  200"})},
    // Kept as written.
    {"the preamble, headings, remarks and empty lines", genere_testo::servizio,
     "velocita,0,85\r\n\r\n  [GENERALE] \r\n  - a remark,  with a comma\r\n\r\n   [vel_limite]  \r\nvelocita,0,85\r\n",
     "velocita,0,85\r\n\r\n  [GENERALE] \r\n  - a remark,  with a comma\r\n\r\n   [vel_limite]  \r\nvelocita,       0,    85\r\n"},
    {"rows that are not whole on their line", genere_testo::servizio,
     corpo({"velocita,", "   0,  85", "velocita, 0", "velocita, 0, 85, 7", "velocita, 0, 85,", "velocita, 12a, 5",
            "velocita, 1.5, 5", "sabbia , - 4", "stazione,2800,12,300,0,0,0,1,1,0,4,1,1,30,18,43,30"}),
     corpo({"velocita,", "   0,  85", "velocita, 0", "velocita, 0, 85, 7", "velocita, 0, 85,", "velocita, 12a, 5",
            "velocita, 1.5, 5", "sabbia , - 4", "stazione,2800,12,300,0,0,0,1,1,0,4,1,1,30,18,43,30"})},
    {"a field in keyword place holding a hyphen is a remark", genere_testo::servizio, corpo({"- velocita,0,85"}),
     corpo({"- velocita,0,85"})},
    {"a quote that may run past its line keeps the rest as written", genere_testo::servizio,
     corpo({"velocita,0,85", "stazione,2800,12,300,0,0,0,1,1,0,4,1,1,30,18,43,30,\"Borgo", "velocita,0,85\" x",
            "velocita,0,85"}),
     corpo({"velocita,       0,    85", "stazione,2800,12,300,0,0,0,1,1,0,4,1,1,30,18,43,30,\"Borgo",
            "velocita,0,85\" x", "velocita,0,85"})},
    {"a quote inside a remark opens nothing", genere_testo::servizio,
     corpo({"- the \"old bridge", "velocita,0,85"}), corpo({"- the \"old bridge", "velocita,       0,    85"})},
    {"a quote after [generale] on its line keeps the text as written", genere_testo::servizio,
     "[generale], \"x\r\nvelocita,0,85\r\n", "[generale], \"x\r\nvelocita,0,85\r\n"},
    {"line ends: LF, CR and none at the end stay", genere_testo::servizio, "[generale]\nsabbia,1\rsabbia,2",
     "[generale]\nsabbia,    1\rsabbia,    2"},
    {"without [generale] nothing is a row", genere_testo::servizio, "velocita,0,85\r\n", "velocita,0,85\r\n"},
    {"a line keyword in a service is not a row of it", genere_testo::servizio, corpo({"pendenza,0,0"}),
     corpo({"pendenza,0,0"})},
};

TEST(Formato, TableOfCases) {
  for (const caso_formato& c : kCasi) {
    SCOPED_TRACE(c.nome);
    const esito_formato e = formatta_testo(c.prima, c.genere);
    EXPECT_EQ(e.testo, c.dopo);
    EXPECT_EQ(e.cambiato, c.prima != c.dopo);
    EXPECT_EQ(formatta_testo(e.testo, c.genere).testo, e.testo) << "not idempotent";
  }
}

TEST(Formato, RefusesWhatIsNoText) {
  const std::string utf16("\xFF\xFE[\0g\0", 6);
  const esito_formato e = formatta_testo(utf16, genere_testo::servizio);
  ASSERT_TRUE(e.rifiutato.has_value());
  EXPECT_FALSE(e.cambiato);
  EXPECT_EQ(e.testo, utf16);
}

TEST(Formato, TellsTheTextByNameThenByContent) {
  EXPECT_EQ(genere_del_file("a/VALTORTA_linea.txt", "stazione, 1"), genere_testo::linea);
  EXPECT_EQ(genere_del_file("VALTORTA_123-.txt", "pendenza, 1, 2"), genere_testo::servizio);
  EXPECT_EQ(genere_del_file("mine.txt", "note\r\n[generale]\r\n- x\r\nlunghezza percorso, 9000\r\n"),
            genere_testo::linea);
  EXPECT_EQ(genere_del_file("mine.txt", "[generale]\r\nsabbia, 9\r\n"), genere_testo::servizio);
  EXPECT_EQ(genere_del_file("mine.txt", ""), genere_testo::servizio);
}

// The built-in texts are the layout: formatting leaves them as they are.
TEST(Formato, TheBuiltinTextsAreTheLayout) {
  for (const auto& [testo, g] : {std::pair{componi_documento(righe_linea()), genere_testo::linea},
                                 std::pair{componi_documento(righe_treno()), genere_testo::servizio}}) {
    const esito_formato e = formatta_testo(testo, g);
    EXPECT_FALSE(e.cambiato);
    EXPECT_EQ(e.testo, testo);
  }
}

// The three files of a compile and how it ended.
struct compilato {
  int fine = 0;
  int32_t codice = 0;
  std::string griglia, tabella, celle;
  bool operator==(const compilato&) const = default;
};

compilato compila_testi(const std::string& linea, const std::string& servizio) {
  const std::string l = prepara_testo(linea).byte, s = prepara_testo(servizio).byte;
  const risultato_compile r = compila({l, s, "VALMORA", "2201", 1});
  compilato c{static_cast<int>(r.fine), r.s.codice_errore, "", "", ""};
  if (r.fine != fine_compile::completata) return c;
  const file_binari f = codifica_binari(r.s);
  c.griglia = std::string(f.griglia);
  c.tabella = f.tabella;
  c.celle = f.celle;
  return c;
}

// A text with its blanks stirred: blanks and tabs around the commas, at the
// start and end of the lines after [generale], between blank-parted values;
// with `note`, remarks (with commas and quotes) between the lines and now
// and then a lone LF. What it means may change; formatting must not.
std::string rimescola(const std::string& testo, uint32_t seme, bool note) {
  std::mt19937 caso(seme);
  auto tra = [&](int a, int b) { return a + static_cast<int>(caso() % static_cast<uint32_t>(b - a + 1)); };
  auto blank = [&](int a, int b) {
    std::string s;
    for (int k = tra(a, b); k > 0; --k) s += tra(0, 3) == 0 ? '\t' : ' ';
    return s;
  };
  std::string out;
  bool corpo_iniziato = false;
  size_t inizio = 0;
  while (inizio < testo.size()) {
    size_t fine = testo.find("\r\n", inizio);
    if (fine == std::string::npos) fine = testo.size();
    const std::string riga = testo.substr(inizio, fine - inizio);
    inizio = fine + 2;
    if (!corpo_iniziato) {
      out += riga + "\r\n";
      corpo_iniziato = riga.find("[generale]") != std::string::npos;
      continue;
    }
    if (note && tra(0, 9) == 0) {
      static const char* kNote[] = {"- nota, con una virgola", "  - il \"ponte\" vecchio", "--", "- velocita 5"};
      out += std::string(kNote[tra(0, 3)]) + "\r\n";
    }
    std::string r;
    if (riga.find(',') == std::string::npos || riga.find('"') != std::string::npos) {
      r = riga;
    } else {
      // Blanks next to a comma or a line edge, or between two numbers, are
      // stirred; those inside a name or caption stay.
      r = blank(0, 2);
      std::string vuoti;
      auto cifra = [](char c) { return c >= '0' && c <= '9'; };
      for (char c : riga) {
        if (c == ' ' || c == '\t') {
          vuoti += c;
          continue;
        }
        const bool tra_numeri = !r.empty() && cifra(r.back()) && (cifra(c) || c == '-');
        if (c == ',') r += blank(0, 2) + "," + blank(0, 3);
        else if (r.empty() || r.back() == ',' || r.back() == ' ' || r.back() == '\t') r += c;
        else r += (vuoti.empty() ? "" : tra_numeri ? blank(1, 3) : vuoti) + c;
        vuoti.clear();
      }
      r += blank(0, 2);
    }
    out += r + (note && tra(0, 19) == 0 ? "\n" : "\r\n");
  }
  return out;
}

TEST(Formato, StirredBuiltinTextsComeBackToTheBuiltinTexts) {
  const std::string linea = componi_documento(righe_linea()), servizio = componi_documento(righe_treno());
  for (uint32_t seme = 1; seme <= 5; ++seme) {
    SCOPED_TRACE(seme);
    const std::string l = rimescola(linea, seme, false), s = rimescola(servizio, seme + 100, false);
    ASSERT_NE(l, linea);
    EXPECT_EQ(formatta_testo(l, genere_testo::linea).testo, linea);
    EXPECT_EQ(formatta_testo(s, genere_testo::servizio).testo, servizio);
  }
}

// Format, then compile: the same files, on the built-in texts and on
// generated ones, as written and stirred, in code page 1252 and in UTF-8.
TEST(Formato, FormattingNeverChangesTheCompiledFiles) {
  std::vector<prova::testi_generati> testi;
  testi.push_back({componi_documento(righe_linea()), componi_documento(righe_treno())});
  for (uint32_t seme = 1; seme <= 40; ++seme) testi.push_back(prova::generatore(seme).genera());
  int completati = 0, cambiati = 0;
  for (size_t k = 0; k < testi.size(); ++k) {
    for (int variante = 0; variante < 3; ++variante) {
      SCOPED_TRACE("text " + std::to_string(k) + " variant " + std::to_string(variante));
      std::string l = testi[k].linea, s = testi[k].servizio;
      if (variante >= 1) {
        l = rimescola(l, static_cast<uint32_t>(k * 7 + 1), true);
        s = rimescola(s, static_cast<uint32_t>(k * 7 + 2), true);
      }
      if (variante == 2) l = cp1252_in_utf8(l), s = cp1252_in_utf8(s);
      const esito_formato fl = formatta_testo(l, genere_testo::linea);
      const esito_formato fs = formatta_testo(s, genere_testo::servizio);
      cambiati += fl.cambiato + fs.cambiato;
      if (variante == 2) {
        EXPECT_TRUE(utf8_valido(fl.testo) && utf8_valido(fs.testo));
      }
      const compilato prima = compila_testi(l, s);
      EXPECT_TRUE(prima == compila_testi(fl.testo, fs.testo));
      completati += prima.fine == static_cast<int>(fine_compile::completata) && prima.codice == 0;
      EXPECT_EQ(formatta_testo(fl.testo, genere_testo::linea).testo, fl.testo) << "not idempotent";
      EXPECT_EQ(formatta_testo(fs.testo, genere_testo::servizio).testo, fs.testo) << "not idempotent";
    }
  }
  // Most compile cleanly, so the comparison covers every row kind; most change.
  EXPECT_GE(completati, 60);
  EXPECT_GE(cambiati, 150);
}

}  // namespace
}  // namespace sb
