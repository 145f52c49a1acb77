#include "text_input/keywords.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(Keywords, CaseInsensitiveContains) {
  EXPECT_TRUE(contiene_nc("LUNGHEZZA PERCORSO", "lunghezza"));
  EXPECT_TRUE(contiene_nc("Velocit\xE0", "velocit"));
  EXPECT_TRUE(contiene_nc("VELOCITA", "velocit"));
  EXPECT_FALSE(contiene_nc("[segnali]", "segnale"));
  EXPECT_FALSE(contiene_nc("abc", "abcd"));
  EXPECT_TRUE(contiene_nc("x", ""));
}

TEST(Keywords, ExactContainsKeepsCase) {
  EXPECT_TRUE(contiene("progressiva chilometrica uno", "progressiva"));
  EXPECT_FALSE(contiene("Progressiva chilometrica uno", "progressiva"));
}

TEST(Keywords, CodePageLowerCase) {
  EXPECT_EQ(minuscolo_cp1252("AZaz09 .-"), "azaz09 .-");
  EXPECT_EQ(minuscolo_cp1252("\xC0\xD6\xD7\xD8\xDE\xDF"), "\xE0\xF6\xD7\xF8\xFE\xDF");
  EXPECT_EQ(minuscolo_cp1252("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
}

}  // namespace
}  // namespace sb
