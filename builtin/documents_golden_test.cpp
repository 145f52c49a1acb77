// The builder's three documents against checked-in copies, byte for byte:
// any change of a character, a space or a line end fails.
#include <gtest/gtest.h>

#include <string>

#include "builtin/notes.h"
#include "builtin/slowdown_order.h"
#include "builtin/train_sheet.h"
#include "documents/line_list.h"
#include "test_support/file_bytes.h"

namespace sb {
namespace {

// A checked-in document of the built-in scenario.
std::string atteso(const std::string& nome) {
  return prova::leggi(std::string(SB_SOURCE_DIR) + "/builtin/testdata/BORVALE_40617_" + nome);
}

TEST(BuiltInDocuments, EqualTheCheckedInCopies) {
  struct caso {
    const char* file;
    lista_righe righe;
  };
  const caso casi[] = {
      {"scheda_treno.txt", righe_scheda()},
      {"rallentamenti.txt", righe_rallentamenti()},
      {"note.txt", righe_note()},
  };
  for (const caso& c : casi) {
    const std::string a = atteso(c.file);
    ASSERT_FALSE(a.empty()) << c.file;
    EXPECT_TRUE(componi_documento(c.righe) == a) << c.file;
  }
}

}  // namespace
}  // namespace sb
