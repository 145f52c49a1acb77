#include "text_input/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

// Reads a text with a script of reads: 't' a text field, 'n' a number,
// 'w' a 16-bit number, 'b' an 8-bit number. Each read gives "T:value",
// "N:value", "niente" or "non_valido", followed by "/end" when the end test
// holds after it.
std::vector<std::string> leggi(std::string_view testo, std::string_view copione) {
  lettore_campi r(testo);
  std::vector<std::string> out;
  for (char c : copione) {
    std::string voce;
    esito_lettura e;
    if (c == 't') {
      std::string campo;
      e = r.leggi_testo(campo);
      voce = "T:" + campo;
    } else if (c == 'w') {
      int16_t v = 0;
      e = r.leggi_i16(v);
      voce = "N:" + std::to_string(v);
    } else if (c == 'b') {
      uint8_t v = 0;
      e = r.leggi_u8(v);
      voce = "N:" + std::to_string(v);
    } else {
      int32_t v = 0;
      e = r.leggi_numero(v);
      voce = "N:" + std::to_string(v);
    }
    if (e == esito_lettura::niente) voce = "niente";
    if (e == esito_lettura::non_valido) voce = "non_valido";
    if (e == esito_lettura::letto && r.finito()) voce += "/end";
    out.push_back(voce);
    if (e != esito_lettura::letto) break;
  }
  return out;
}

struct caso {
  const char* nome;
  std::string testo;
  const char* copione;
  std::vector<std::string> atteso;
};

TEST(FieldReader, Table) {
  const caso casi[] = {
      {"keyword and values", "pendenza,  1500,   8\r\n[fine]\r\n", "tnnt",
       {"T:pendenza", "N:1500", "N:8", "T:[fine]/end"}},
      {"blank separated numbers", "orologio,    18              39            30 \r\nx\r\n", "tnnn",
       {"T:orologio", "N:18", "N:39", "N:30"}},
      {"blanks around a comma", "85 , 90\r\n", "nn", {"N:85", "N:90/end"}},
      {"empty numeric fields", "v,  0,  ,  ,  ,  0\r\n", "tnnnnn", {"T:v", "N:0", "N:0", "N:0", "N:0", "N:0/end"}},
      {"row split after a comma at a line end", "pendenza,\r\n  1500,   8\r\n", "tnn",
       {"T:pendenza", "N:1500", "N:8/end"}},
      {"LF-only lines", "a,1\nb,2\n", "tntn", {"T:a", "N:1", "T:b", "N:2/end"}},
      {"CR-only lines", "a,1\rb,2\r", "tntn", {"T:a", "N:1", "T:b", "N:2/end"}},
      {"empty lines give no field", "\r\n\r\n  a\r\n\r\n\r\nb\r\n", "tt", {"T:a", "T:b/end"}},
      {"trailing empty lines keep the end test", "a\r\n\r\n \t\r\n", "t", {"T:a/end"}},
      {"text keeps inner blanks, drops trailing ones", "  Nome Stazione  \t\r\n", "t", {"T:Nome Stazione/end"}},
      {"caption runs to the line end", "cartello,  19950,   (Cippo Km.)( 20+000  )\r\n", "tnt",
       {"T:cartello", "N:19950", "T:(Cippo Km.)( 20+000  )/end"}},
      {"quoted text keeps commas, drops the rest", "\"a, b\" tail, next\r\n", "tt", {"T:a, b", "T:next/end"}},
      {"quote without its closing quote runs to the end", "\"open text\r\nmore", "t",
       {"T:open text\r\nmore/end"}},
      {"signs", "-15,+7,-0\r\n", "nnn", {"N:-15", "N:7", "N:0/end"}},
      {"32-bit limits", "2147483647 -2147483648\r\n", "nn", {"N:2147483647", "N:-2147483648/end"}},
      {"beyond 32 bits", "2147483648\r\n", "n", {"non_valido"}},
      {"below 32 bits", "-2147483649\r\n", "n", {"non_valido"}},
      {"not a number", "12a,\r\n", "n", {"non_valido"}},
      {"a sign alone", "-,\r\n", "n", {"non_valido"}},
      {"decimal point", "1.5\r\n", "n", {"non_valido"}},
      {"16-bit width", "32767,-32768,32768\r\n", "www", {"N:32767", "N:-32768", "non_valido"}},
      {"8-bit width", "255,0,256\r\n", "bbb", {"N:255", "N:0", "non_valido"}},
      {"8-bit refuses negatives", "-1\r\n", "b", {"non_valido"}},
      {"nothing left for a text", "a\r\n  \r\n", "tt", {"T:a/end", "niente"}},
      {"nothing left for a number", "5,", "nn", {"N:5/end", "niente"}},
      {"empty text", "", "t", {"niente"}},
      {"empty text field between commas", "a,,b\r\n", "ttt", {"T:a", "T:", "T:b/end"}},
      {"tab is a blank", "\tx,\t3\t,4\r\n", "tnn", {"T:x", "N:3", "N:4/end"}},
  };
  for (const caso& c : casi) EXPECT_EQ(leggi(c.testo, c.copione), c.atteso) << c.nome;
}

TEST(FieldReader, LineOfEachField) {
  lettore_campi r("[generale]\r\n\r\nlunghezza,\n  93000\rx,\"a\r\nb\",y\r\n");
  std::string t;
  int32_t n;
  r.leggi_testo(t);
  EXPECT_EQ(r.riga(), 1);
  r.leggi_testo(t);
  EXPECT_EQ(r.riga(), 3);
  r.leggi_numero(n);
  EXPECT_EQ(r.riga(), 4);
  r.leggi_testo(t);
  EXPECT_EQ(r.riga(), 5);
  r.leggi_testo(t);
  EXPECT_EQ(t, "a\r\nb");
  EXPECT_EQ(r.riga(), 5);
  r.leggi_testo(t);
  EXPECT_EQ(t, "y");
  EXPECT_EQ(r.riga(), 6);
}

TEST(FieldReader, FailedReadPointsAtItsLine) {
  lettore_campi r("a,\r\n\r\n  zz\r\n");
  std::string t;
  int32_t n;
  r.leggi_testo(t);
  EXPECT_EQ(r.leggi_numero(n), esito_lettura::non_valido);
  EXPECT_EQ(r.riga(), 3);
}

// Where each field stood, whether it began its line, and what a read left
// on its line: what an author is shown.
TEST(FieldReader, PlaceOfEachField) {
  lettore_campi r("  pendenza,\t1500 8 , 9\r\n\"q\r\nx\", y\r\nz");
  std::string t;
  int32_t n = 0;
  struct atteso {
    int32_t riga, colonna, riga_fine, colonna_fine;
    bool primo, chiude;
    std::string grezzo, resto;
  };
  auto campo = [&]() {
    const campo_letto& c = r.ultimo();
    return atteso{c.riga, c.colonna, c.riga_fine, c.colonna_fine, c.primo_della_riga, c.chiude_riga,
                  std::string(c.grezzo), std::string(r.resto_della_riga())};
  };
  auto uguale = [](const atteso& a, const atteso& b) {
    EXPECT_EQ(a.riga, b.riga);
    EXPECT_EQ(a.colonna, b.colonna);
    EXPECT_EQ(a.riga_fine, b.riga_fine);
    EXPECT_EQ(a.colonna_fine, b.colonna_fine);
    EXPECT_EQ(a.primo, b.primo);
    EXPECT_EQ(a.chiude, b.chiude);
    EXPECT_EQ(a.grezzo, b.grezzo);
    EXPECT_EQ(a.resto, b.resto);
  };
  r.leggi_testo(t);
  uguale(campo(), {1, 3, 1, 11, true, false, "pendenza", "\t1500 8 , 9"});
  r.leggi_numero(n);
  uguale(campo(), {1, 13, 1, 17, false, false, "1500", "8 , 9"});
  r.leggi_numero(n);
  uguale(campo(), {1, 18, 1, 19, false, false, "8", " 9"});
  r.leggi_numero(n);
  uguale(campo(), {1, 22, 1, 23, false, true, "9", ""});
  r.leggi_testo(t);  // a quoted field over two lines
  uguale(campo(), {2, 1, 3, 2, true, false, "q\r\nx", " y"});
  r.leggi_testo(t);
  uguale(campo(), {3, 5, 3, 6, false, true, "y", ""});
  EXPECT_EQ(r.leggi_numero(n), esito_lettura::non_valido);
  uguale(campo(), {4, 1, 4, 2, true, false, "z", ""});
}

// A quoted field says when its closing quote is not on its line, or nowhere.
TEST(FieldReader, AQuoteNotClosedOnItsLineIsMarked) {
  struct virgolette {
    const char* testo;
    bool aperte, mai;
  } casi[] = {
      {"\"a, b\" c\r\n", false, false},
      {"\"a\r\nb\", c\r\n", true, false},
      {"\"a, b\r\n", true, true},
      {"\"a", true, true},
      {"a\"b\r\n", false, false},
  };
  for (const virgolette& c : casi) {
    lettore_campi r(c.testo);
    std::string t;
    ASSERT_EQ(r.leggi_testo(t), esito_lettura::letto) << c.testo;
    EXPECT_EQ(r.ultimo().virgolette_aperte, c.aperte) << c.testo;
    EXPECT_EQ(r.ultimo().mai_chiuse, c.mai) << c.testo;
  }
}

TEST(FormaNumero, TellsWhatATokenIs) {
  struct forma_attesa {
    const char* token;
    forma_numero forma;
  };
  const forma_attesa casi[] = {
      {"-15", forma_numero::intero},        {"+7", forma_numero::intero},
      {"2147483648", forma_numero::intero_largo}, {"-99999999999999999999", forma_numero::intero_largo},
      {"105.5", forma_numero::decimale},    {"-0.5", forma_numero::decimale},
      {"22O00", forma_numero::non_numero},  {"1.", forma_numero::non_numero},
      {".5", forma_numero::non_numero},     {"1.2.3", forma_numero::non_numero},
      {"-", forma_numero::non_numero},      {"", forma_numero::vuoto},
  };
  for (const forma_attesa& c : casi) EXPECT_EQ(forma_di(c.token), c.forma) << c.token;
}

}  // namespace
}  // namespace sb
