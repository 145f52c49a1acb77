#include "documents/line_list.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(Document, SlotsUpToTheMarkerEachWithCrLf) {
  lista_righe l;
  l.slot[0] = "uno";
  l.slot[2] = "tre";
  l.slot[3] = kMarcatoreFine;
  l.slot[4] = "never";
  EXPECT_EQ(componi_documento(l), "uno\r\n\r\ntre\r\n");
}

TEST(Document, MarkerInSlotZeroIsAnEmptyFile) {
  EXPECT_EQ(componi_documento(lista_da({})), "");
}

TEST(Document, OnlyAnExactMarkerEndsTheFile) {
  lista_righe l = lista_da({"x riferimento fine del file", "Riferimento fine del file", "riferimento fine del file "});
  EXPECT_EQ(componi_documento(l),
            "x riferimento fine del file\r\nRiferimento fine del file\r\nriferimento fine del file \r\n");
}

TEST(Document, BytesAreWrittenUnchanged) {
  EXPECT_EQ(componi_documento(lista_da({"citt\xE0 20\xB0"})), "citt\xE0 20\xB0\r\n");
}

TEST(Document, ListWithoutMarkerStopsAtTheLastSlot) {
  lista_righe l;
  for (auto& s : l.slot) s = "x";
  EXPECT_EQ(componi_documento(l).size(), 1001u * 3u);
}

}  // namespace
}  // namespace sb
