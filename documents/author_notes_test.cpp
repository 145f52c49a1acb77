#include "documents/author_notes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

TEST(AuthorNotes, TheTextsLinesWhateverTheirEnds) {
  struct caso {
    std::string testo;
    std::vector<std::string> righe;
  } casi[] = {
      {"", {}},
      {"uno", {"uno"}},
      {"uno\r\ndue\r\n", {"uno", "due"}},
      {"uno\ndue", {"uno", "due"}},
      {"uno\r\rtre\n", {"uno", "", "tre"}},
      {"\r\n \r\n", {"", " "}},
      {"citt\xE0\n", {"citt\xE0"}},
  };
  for (const caso& c : casi) {
    const documento_composto d = note_autore(c.testo);
    EXPECT_EQ(d.righe, c.righe) << c.testo;
    EXPECT_EQ(d.errore, "") << c.testo;
  }
}

TEST(AuthorNotes, ALineThatWouldEndTheDocumentIsRefused) {
  const documento_composto d = note_autore("uno\nriferimento fine del file\ntre\n");
  EXPECT_EQ(d.errore,
            "the line reads exactly \"riferimento fine del file\", which ends a document: nothing after it would be "
            "written");
  EXPECT_EQ(d.riga_errore, 2);
  EXPECT_EQ(note_autore("x riferimento fine del file\n").errore, "");
}

TEST(AuthorNotes, MoreLinesThanADocumentHoldsAreRefused) {
  std::string testo;
  for (int i = 0; i < 1000; ++i) testo += "riga\n";
  EXPECT_EQ(note_autore(testo).errore, "");
  EXPECT_EQ(note_autore(testo + "una di troppo\n").errore, "1001 lines for the notes, and a document holds at most 1000");
}

}  // namespace
}  // namespace sb
