// The grammar is written once: the authors' docs hold the keyword tables
// and the values' tables the grammar makes, and the editors' syntax
// grammars colour every keyword of the right text.
#include "grammar/grammar_docs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>

#include "grammar/row_kinds.h"

namespace sb {
namespace {

// A file of the source tree, by its path from the top.
std::string leggi_sorgente(const std::string& file) {
  std::ifstream in(std::string(SB_SOURCE_DIR) + "/" + file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(GrammaticaDocumenti, TheDocsHoldTheGrammarsTables) {
  const std::string linea = leggi_sorgente("docs/line_description.md");
  const std::string servizio = leggi_sorgente("docs/service_description.md");
  const std::pair<const std::string&, std::string> casi[] = {
      {linea, tabella_parole_md(genere_testo::linea, ambito_riga::generale)},
      {linea, tabella_parole_md(genere_testo::linea, ambito_riga::percorso)},
      {linea, valori_del_testo_md(genere_testo::linea)},
      {servizio, tabella_parole_md(genere_testo::servizio, ambito_riga::corpo)},
      {servizio, valori_del_testo_md(genere_testo::servizio)},
  };
  for (const auto& [doc, tabella] : casi) {
    EXPECT_NE(doc.find(tabella), std::string::npos) << "the doc lacks this table, as the grammar makes it:\n"
                                                    << tabella;
  }
}

// The train profile's page lists every keyword of the profile's grammar.
TEST(GrammaticaDocumenti, TheTrainProfilesTableHoldsEveryKeyword) {
  const std::string doc = leggi_sorgente("docs/running_time.md");
  for (const tipo_riga& k : tipi_riga(genere_testo::profilo)) {
    EXPECT_NE(doc.find("| `" + std::string(k.parola) + "` |"), std::string::npos) << k.parola;
  }
}

// The keyword patterns of a TextMate grammar: the "match" of every pattern
// whose name marks a keyword, without the leading case flag.
std::vector<std::string> forme_parole(const std::string& file) {
  const nlohmann::json g = nlohmann::json::parse(leggi_sorgente(file));
  std::vector<std::string> forme;
  const std::function<void(const nlohmann::json&)> cerca = [&](const nlohmann::json& j) {
    if (j.is_object()) {
      if (j.contains("match") && j.contains("name") && j["name"].get<std::string>().starts_with("keyword")) {
        std::string m = j["match"].get<std::string>();
        if (m.starts_with("(?i)")) m.erase(0, 4);
        forme.push_back(m);
      }
    }
    if (j.is_structured()) {
      for (const nlohmann::json& x : j) cerca(x);
    }
  };
  cerca(g);
  return forme;
}

// Whether a row that begins with the keyword is coloured as a keyword.
bool colorata(const std::vector<std::string>& forme, std::string_view parola) {
  const std::string riga = std::string(parola) + ", 100";
  for (const std::string& f : forme) {
    if (std::regex_search(riga, std::regex(f, std::regex::icase))) return true;
  }
  return false;
}

TEST(GrammaticaDocumenti, TheEditorsColourEveryKeywordOfItsTextOnly) {
  const std::pair<genere_testo, std::string> casi[] = {
      {genere_testo::linea, "editors/vscode/syntaxes/scenario-line.tmLanguage.json"},
      {genere_testo::servizio, "editors/vscode/syntaxes/scenario-service.tmLanguage.json"},
  };
  for (const auto& [testo, file] : casi) {
    const std::vector<std::string> forme = forme_parole(file);
    ASSERT_FALSE(forme.empty()) << file;
    const genere_testo altro = testo == genere_testo::linea ? genere_testo::servizio : genere_testo::linea;
    for (const tipo_riga& k : tipi_riga(testo)) EXPECT_TRUE(colorata(forme, k.parola)) << file << ": " << k.parola;
    for (const tipo_riga& k : tipi_riga(altro)) EXPECT_FALSE(colorata(forme, k.parola)) << file << ": " << k.parola;
  }
}

}  // namespace
}  // namespace sb
