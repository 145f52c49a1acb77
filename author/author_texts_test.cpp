#include "author/author_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "scenario/diagnostic_cap.h"
#include "scenario/error_codes.h"
#include "test_support/sample_scenario.h"

namespace sb {
namespace {

// The sample texts with `n` copies of a row inserted after the given line
// (1-based) of the line or the service.
std::string con_righe(std::vector<std::string> righe, size_t dopo, const std::string& riga, size_t n) {
  righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(dopo), n, riga);
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

// A text with an error or warning on each of 100 000 rows of three kinds
// (curve keywords without a digit, gradients that do not fit, speeds that
// are no number): of each kind the first hundred are kept whole and the rest
// counted, so what the analysis holds does not grow with the rows.
TEST(AnalizzaTesti, FindingsOfAKindAreCappedWhereTheyAreRecorded) {
  constexpr size_t kRighe = 100000;
  std::vector<std::string> linea = prova::linea_esempio();
  linea.insert(linea.begin() + 16, kRighe, "pendenza,  0,  200");
  opzioni_compile o;
  o.linea = "l.txt";
  o.servizio = "s.txt";
  const analisi_testi a = analizza_testi(
      o, testo_autore{"l.txt", con_righe(linea, 12, "curvas,  5000,  900", kRighe), ""},
      testo_autore{"s.txt", con_righe(prova::servizio_esempio(), 9, "velocita,  10,  85x", kRighe), ""});
  ASSERT_TRUE(a.r);
  std::map<genere_diagnostica, size_t> tenute, tutte;
  for (const diagnostica& d : a.diagnostiche) {
    if (nota_su_precedente(d)) continue;
    ++tenute[genere_di(d)];
    ++tutte[genere_di(d)];
  }
  for (const auto& [k, n] : a.omesse) tutte[k] += n;
  std::vector<genere_diagnostica> a_ogni_riga;
  for (const auto& [k, n] : tutte) {
    EXPECT_LE(tenute[k], kDiagnosticheConservate);
    if (n == kRighe) a_ogni_riga.push_back(k);
  }
  const std::vector<genere_diagnostica> attese = {
      {gravita::errore, kLetturaFallita, genere_avviso::nessuno},  // the speed that is no number
      {gravita::errore, kCurvaNonValida, genere_avviso::nessuno},  // the curve keyword without a digit
      {gravita::avviso, 0, genere_avviso::valore_troncato},  // the gradient that does not fit 8 bits
  };
  EXPECT_GE(a_ogni_riga.size(), 3u);  // the gradients are out of order too
  for (const genere_diagnostica& k : attese) {
    EXPECT_EQ(tutte[k], kRighe) << static_cast<int>(k.livello) << " " << k.codice;
    EXPECT_EQ(tenute[k], kDiagnosticheConservate) << static_cast<int>(k.livello) << " " << k.codice;
  }
  EXPECT_LT(a.diagnostiche.size(), 8 * kDiagnosticheConservate);
}

}  // namespace
}  // namespace sb
