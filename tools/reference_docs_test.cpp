// The authors' reference in docs/ keeps in step with the code.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "grammar/row_kinds.h"
#include "scenario/error_codes.h"
#include "tools/command_table.h"

namespace sb {
namespace {

// A file of the source tree, by its path from the top.
std::string leggi_sorgente(const std::string& file) {
  std::ifstream in(std::string(SB_SOURCE_DIR) + "/" + file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string leggi_doc(const std::string& nome) { return leggi_sorgente("docs/" + nome); }

// What scenario_tool prints for the arguments.
std::string aiuto(const std::vector<std::string>& argomenti) {
  std::ostringstream out;
  std::ostringstream err;
  esegui_strumento(argomenti, out, err);
  return out.str();
}

// The words of the text that match the pattern's first group, in order.
std::vector<std::string> trova_tutti(const std::string& testo, const std::string& forma) {
  std::vector<std::string> trovati;
  const std::regex r(forma);
  for (std::sregex_iterator it(testo.begin(), testo.end(), r), fine; it != fine; ++it) {
    trovati.push_back((*it)[1]);
  }
  return trovati;
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
  const std::pair<genere_testo, std::string> casi[] = {{genere_testo::linea, leggi_doc("line_description.md")},
                                                       {genere_testo::servizio, leggi_doc("service_description.md")}};
  for (const auto& [testo, doc] : casi) {
    for (const tipo_riga& k : tipi_riga(testo)) {
      EXPECT_NE(doc.find("`" + std::string(k.parola) + "`"), std::string::npos) << k.parola;
    }
  }
}

// The man page (roff escapes a minus as \-) and the bash completion offer
// every command and every option of the usage lines of the tool's own help.
TEST(Riferimento, ManPageAndCompletionKnowEveryCommandAndOption) {
  std::string pagina = leggi_sorgente("man/scenario_tool.1");
  for (size_t i = pagina.find("\\-"); i != std::string::npos; i = pagina.find("\\-", i)) pagina.erase(i, 1);
  const std::string completamento = leggi_sorgente("completion/scenario_tool");
  const std::vector<std::string> comandi = trova_tutti(aiuto({"--help"}), R"(\n  ([a-z]+) +[a-z])");
  ASSERT_GE(comandi.size(), 4u);
  const std::vector<std::string> prime = trova_tutti(completamento, R"re(compgen -W "([^"]*)")re");
  ASSERT_FALSE(prime.empty());
  for (const std::string& comando : comandi) {
    SCOPED_TRACE(comando);
    EXPECT_NE(pagina.find(".B " + comando + "\n"), std::string::npos);
    EXPECT_NE((" " + prime[0] + " ").find(" " + comando + " "), std::string::npos) << "not completed first";
    const std::regex riga_opzioni("\n    " + comando + "\\) options=\"([^\"]*)\"");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(completamento, m, riga_opzioni));
    const std::string offerte = " " + m[1].str() + " ";
    const std::string testo = aiuto({comando, "--help"});
    const std::string uso = testo.substr(0, testo.find("\n\n"));  // the usage lines
    for (const std::string& opzione : trova_tutti(uso, R"((--[a-z-]+))")) {
      EXPECT_NE(offerte.find(" " + opzione + " "), std::string::npos) << opzione << " not completed";
      EXPECT_NE(pagina.find(opzione), std::string::npos) << opzione << " not in the man page";
    }
  }
}

}  // namespace
}  // namespace sb
