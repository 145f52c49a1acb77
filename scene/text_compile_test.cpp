#include "scene/text_compile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "scene/scene_style.h"
#include "test_support/file_bytes.h"
#include "test_support/sample_scenario.h"
#include "test_support/scratch_folder.h"

namespace sb {
namespace {

// The sample scenario with its line's chainage from 12+000 at the start, and
// the service row at index `riga` replaced when given, compiled for a picture.
scena compilata(const std::string& riga_servizio = "", size_t riga = 0) {
  prova::cartella_prova dir;
  EXPECT_TRUE(dir.ok());
  std::vector<std::string> linea = prova::linea_esempio();
  linea[3] = "progressiva chilometrica uno,   0,  12000,  0";
  std::vector<std::string> servizio = prova::servizio_esempio();
  if (!riga_servizio.empty()) servizio[riga] = riga_servizio;
  prova::scrivi(dir / "l.txt", prova::righe_crlf(linea));
  prova::scrivi(dir / "s.txt", prova::righe_crlf(servizio));
  opzioni_compile o;
  o.linea = dir / "l.txt";
  o.servizio = dir / "s.txt";
  testi_compilati t;
  std::ostringstream err;
  EXPECT_TRUE(compila_per_vista(o, t, err)) << err.str();
  return scena_compilata(t);
}

// Every item titled with the kilometre the train sheet gives it: the line's
// chainage at a station or where an item begins, a kilometre post its own
// caption's; the route metres beside it.
TEST(ScenaCompilata, ItemsCarryTheSheetsKilometres) {
  const scena s = compilata();
  EXPECT_EQ(s.progressive, (std::vector<tratto_progressiva>{{0, 12000}}));
  EXPECT_EQ(titolo_fine(s), "fine percorso km 24.000, route 12 000 m");
  EXPECT_EQ(etichetta_fine(s), "fine percorso km 24.000");
  std::vector<std::string> titoli;
  for (const elemento_scena& e : s.elementi) {
    if (e.genere != genere_elemento::curva && e.genere != genere_elemento::abbattimento) {
      titoli.push_back(titolo_elemento(e));
    }
  }
  const std::vector<std::string> attesi = {
      "stazione Pratofondo at km 12.000, route 0 m",
      "stazione Lago Serino at km 17.000, route 5 000 m",
      "stazione Cortemara at km 23.000, route 11 000 m",
      "segnale at km 13.300, route 1 300 m",
      "segnale at km 16.600, route 4 600 m",
      "cartello_indicatore at km 3.000, route 2 950 m",
      "indicatori_vmax at km 12.500, route 500 m",
      "rallentamento from km 19.000, route 7 000 \xE2\x80\x93 7 300 m",
      "montagna from km 15.000, route 3 000 \xE2\x80\x93 3 800 m",
  };
  EXPECT_EQ(titoli, attesi);
}

// An error at a row with a position carries it and its mark's label; notes
// and errors without a position carry none.
TEST(ScenaCompilata, ErrorsAlongTheRouteAreMarkedWhereTheyPoint) {
  const scena s = compilata("segnale, 50000, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0", 20);
  ASSERT_FALSE(s.diagnostiche.empty());
  const diagnostica_scena& d = s.diagnostiche.front();
  EXPECT_EQ(d.metro, 50000);
  EXPECT_EQ(d.etichetta, "error 15");
  EXPECT_NE(d.testo.find("s.txt:21:"), std::string::npos) << d.testo;
  for (size_t k = 1; k < s.diagnostiche.size(); ++k) {
    EXPECT_EQ(s.diagnostiche[k].etichetta, s.diagnostiche[k].metro >= 0 ? "error 15" : "") << s.diagnostiche[k].testo;
  }
}

}  // namespace
}  // namespace sb
