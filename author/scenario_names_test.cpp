#include "author/scenario_names.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(ScegliNomi, CommandLineThenFileNamesThenTheBuiltInScenario) {
  using o = std::optional<std::string>;
  struct caso {
    o linea, treno;
    const char* file_linea;
    const char* file_servizio;
    const char* attesa_linea;
    const char* attesa_treno;
  } casi[] = {
      {{}, {}, "d/VALTORTA_linea.txt", "d/VALTORTA_123-.txt", "VALTORTA", "123"},
      {{}, {}, "", "d/VALTORTA_123-.txt", "VALTORTA", "123"},
      {{}, {}, "VALTORTA_linea.txt", "", "VALTORTA", "40617"},
      {{}, {}, "a/PIANO_linea.txt", "b/COLLE_9-.txt", "PIANO", "9"},
      {{}, {}, "", "d/VAL_DI_SOTTO_7701-.txt", "VAL_DI_SOTTO", "7701"},
      {o("MIA"), o("1"), "d/VALTORTA_linea.txt", "d/VALTORTA_123-.txt", "MIA", "1"},
      {o("MIA"), {}, "", "d/VALTORTA_123-.txt", "MIA", "123"},
      // Nothing known: the built-in scenario's names.
      {{}, {}, "my line.txt", "my run.txt", "BORVALE", "40617"},
      {{}, {}, "_linea.txt", "_123-.txt", "BORVALE", "40617"},
      {{}, {}, "", "VALTORTA_-.txt", "BORVALE", "40617"},
      {{}, {}, "VALTORTA_linea.txt/", "", "BORVALE", "40617"},
      {{}, {}, "", "", "BORVALE", "40617"},
  };
  for (const caso& c : casi) {
    nomi_scenario n = scegli_nomi(c.linea, c.treno, c.file_linea, c.file_servizio);
    EXPECT_EQ(n.linea, c.attesa_linea) << c.file_linea << " " << c.file_servizio;
    EXPECT_EQ(n.treno, c.attesa_treno) << c.file_linea << " " << c.file_servizio;
  }
}

}  // namespace
}  // namespace sb
