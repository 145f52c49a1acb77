#include "lsp/text_positions.h"

#include <gtest/gtest.h>

#include "lsp/document_store.h"
#include "lsp/message_framing.h"

#include <sstream>

namespace sb {
namespace {

// "Città" has one two-byte character; "𝄞" is one character of two UTF-16
// units; the compile counts one column for each.
TEST(TextPositions, CharacterColumnsBecomeUtf16Units) {
  const righe_utf8 r("stazione, 0, Citt\xC3\xA0 \xF0\x9D\x84\x9E Alta\r\nsecond\rthird\n");
  EXPECT_EQ(r.quante(), 4);
  EXPECT_EQ(r.riga(1), "second");
  EXPECT_EQ(r.riga(2), "third");
  struct caso {
    int32_t colonna;  // 1-based character column of line 1
    int32_t utf16;
  };
  for (const caso& c : {caso{1, 0}, caso{14, 13}, caso{18, 17}, caso{19, 18}, caso{20, 19}, caso{21, 21},
                        caso{22, 22}, caso{99, 26}}) {
    EXPECT_EQ(r.da_colonna(1, c.colonna), (posizione_lsp{0, c.utf16})) << c.colonna;
    if (c.colonna < 99) {
      EXPECT_EQ(r.colonna_di({0, c.utf16}), c.colonna) << c.colonna;
    }
  }
  // The byte offset of a place; a place past the line stops at its end.
  EXPECT_EQ(r.offset({0, 18}), 19u);
  EXPECT_EQ(r.offset({0, 21}), 24u);
  EXPECT_EQ(r.offset({0, 500}), 29u);
  EXPECT_EQ(r.offset({9, 0}), std::string_view("stazione, 0, Citt\xC3\xA0 \xF0\x9D\x84\x9E Alta\r\nsecond\rthird\n").size());
}

TEST(TextPositions, ChangesReplaceUtf16Ranges) {
  struct caso {
    const char* nome;
    modifica_testo m;
    const char* dopo;
  };
  const std::string prima = "velocita, 0, 100\r\nstazione, 0, Citt\xC3\xA0\r\n";
  const caso casi[] = {
      {"whole text", {std::nullopt, {}, "x"}, "x"},
      {"typo in a keyword", {posizione_lsp{0, 5}, {0, 6}, ""}, "velocta, 0, 100\r\nstazione, 0, Citt\xC3\xA0\r\n"},
      {"after an accented letter",
       {posizione_lsp{1, 18}, {1, 18}, " Alta"},
       "velocita, 0, 100\r\nstazione, 0, Citt\xC3\xA0 Alta\r\n"},
      {"across the line end", {posizione_lsp{0, 16}, {1, 0}, " "}, "velocita, 0, 100 stazione, 0, Citt\xC3\xA0\r\n"},
      {"beyond the text, clamped", {posizione_lsp{7, 3}, {9, 0}, "[fine]"},
       "velocita, 0, 100\r\nstazione, 0, Citt\xC3\xA0\r\n[fine]"},
      {"end before start", {posizione_lsp{1, 4}, {0, 0}, "!"}, "velocita, 0, 100\r\nstaz!ione, 0, Citt\xC3\xA0\r\n"},
  };
  for (const caso& c : casi) {
    std::string t = prima;
    applica_modifica(t, c.m);
    EXPECT_EQ(t, c.dopo) << c.nome;
  }
}

TEST(TextPositions, FileUris) {
  EXPECT_EQ(file_di_uri("file:///tmp/a%20b/Citt%C3%A0_linea.txt"), "/tmp/a b/Citt\xC3\xA0_linea.txt");
  EXPECT_EQ(file_di_uri("file://localhost/x.txt"), "/x.txt");
  EXPECT_EQ(file_di_uri("file://other/x.txt"), "");
  EXPECT_EQ(file_di_uri("untitled:Untitled-1"), "");
  EXPECT_EQ(file_di_uri("file:///a%00b"), "");
  EXPECT_EQ(file_di_uri("file:///bad%zz%4"), "/bad%zz%4");
  EXPECT_EQ(uri_di_file("/tmp/a b/Citt\xC3\xA0_linea.txt"), "file:///tmp/a%20b/Citt%C3%A0_linea.txt");
}

TEST(MessageFraming, ReadsRefusesAndGoesOn) {
  std::istringstream in(
      "Content-Length: 2\r\n\r\n{}"
      "content-length:   12\r\nContent-Type: x\r\n\r\n0123456789ab"
      "X-Other: 1\r\n\r\n"
      "Content-Length: 3\r\n\r\n[1]"
      "Content-Length: 10\r\n\r\nshort");
  const messaggio_letto a = leggi_messaggio(in, 10);
  EXPECT_EQ(a.esito, esito_messaggio::messaggio);
  EXPECT_EQ(a.corpo, "{}");
  EXPECT_EQ(leggi_messaggio(in, 10).esito, esito_messaggio::troppo_grande);
  EXPECT_EQ(leggi_messaggio(in, 10).esito, esito_messaggio::senza_lunghezza);
  const messaggio_letto b = leggi_messaggio(in, 10);
  EXPECT_EQ(b.esito, esito_messaggio::messaggio);
  EXPECT_EQ(b.corpo, "[1]");
  EXPECT_EQ(leggi_messaggio(in, 10).esito, esito_messaggio::fine);  // the body is cut short
  EXPECT_EQ(leggi_messaggio(in, 10).esito, esito_messaggio::fine);

  std::ostringstream out;
  scrivi_messaggio(out, "{\"a\":1}");
  EXPECT_EQ(out.str(), "Content-Length: 7\r\n\r\n{\"a\":1}");
}

}  // namespace
}  // namespace sb
