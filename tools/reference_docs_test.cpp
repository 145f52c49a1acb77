// The authors' reference in docs/ keeps in step with the code.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "scenario/error_codes.h"

namespace sb {
namespace {

std::string leggi_doc(const std::string& nome) {
  std::ifstream in(std::string(SB_SOURCE_DIR) + "/docs/" + nome, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The rows "| N | meaning | what to do |" of the codes table, by number.
std::map<int, std::string> righe_codici(const std::string& testo) {
  std::map<int, std::string> righe;
  std::istringstream in(testo);
  std::string riga;
  const std::regex forma(R"(^\| (\d+) \| ([^|]+) \| .+ \|$)");
  std::smatch m;
  while (std::getline(in, riga)) {
    if (std::regex_match(riga, m, forma)) righe[std::stoi(m[1])] = m[2];
  }
  return righe;
}

TEST(Riferimento, EveryCodeIsDocumentedWithItsMeaning) {
  const std::map<int, std::string> righe = righe_codici(leggi_doc("error_codes.md"));
  ASSERT_FALSE(righe.empty());
  for (int codice = 0; codice < 10000; ++codice) {
    const std::string_view s = significato(codice);
    auto it = righe.find(codice);
    if (s.empty()) {
      EXPECT_EQ(it, righe.end()) << "docs list code " << codice << ", which the build does not have";
      continue;
    }
    ASSERT_NE(it, righe.end()) << "code " << codice << " is missing from docs/error_codes.md";
    EXPECT_EQ(it->second, std::string(s)) << "code " << codice;
  }
}

TEST(Riferimento, PagesLinkedFromTheIndexExist) {
  const std::string indice = leggi_doc("README.md");
  const std::regex collegamento(R"(\]\(([a-z_]+\.md)\))");
  int trovati = 0;
  for (std::sregex_iterator it(indice.begin(), indice.end(), collegamento), fine; it != fine; ++it) {
    EXPECT_FALSE(leggi_doc((*it)[1]).empty()) << (*it)[1];
    ++trovati;
  }
  EXPECT_GE(trovati, 7);
}

TEST(Riferimento, EveryKeywordIsDocumented) {
  const std::string linea = leggi_doc("line_description.md");
  for (const char* k : {"lunghezza percorso", "progressiva chilometrica uno", "progressiva chilometrica due",
                        "progressiva chilometrica tre", "sfondo uno", "sfondo due", "sfondo tre",
                        "ripetizione segnali 4 codici", "pendenza", "curvad", "curvas", "montagna",
                        "indicatori_vmax", "cartello_indicatore"}) {
    EXPECT_NE(linea.find(std::string("`") + k), std::string::npos) << k;
  }
  const std::string servizio = leggi_doc("service_description.md");
  for (const char* k : {"percentuale massa frenata", "numero vetture", "velocita", "aderenza", "orologio", "sabbia",
                        "segnale", "rallentamento", "abbattimento", "stazione"}) {
    EXPECT_NE(servizio.find(std::string("`") + k + "`"), std::string::npos) << k;
  }
}

}  // namespace
}  // namespace sb
