// docs/internals.md's table of libraries says what the sb_module calls
// declare: the same folders, bottom first, each using (followed through)
// the libraries its call declares.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace sb {
namespace {

std::string leggi_sorgente(const std::string& file) {
  std::ifstream in(std::string(SB_SOURCE_DIR) + "/" + file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

using dipendenze = std::map<std::string, std::set<std::string>>;

// The layers as CMakeLists.txt lists them, bottom first.
std::vector<std::string> strati() {
  std::smatch m;
  const std::string testo = leggi_sorgente("CMakeLists.txt");
  EXPECT_TRUE(std::regex_search(testo, m, std::regex(R"(set\(SB_LAYERS([^)]*)\))")));
  std::vector<std::string> out;
  std::istringstream in(m[1].str());
  for (std::string s; in >> s;) out.push_back(s);
  return out;
}

// Each layer's sb_module call: the folders of the libraries it declares.
dipendenze dichiarate(const std::vector<std::string>& cartelle) {
  dipendenze d;
  for (const std::string& c : cartelle) {
    std::smatch m;
    const std::string testo = leggi_sorgente(c + "/CMakeLists.txt");
    EXPECT_TRUE(std::regex_search(testo, m, std::regex(R"(sb_module\(sb_\w+([^)]*)\))"))) << c;
    std::istringstream in(m[1].str());
    for (std::string s; in >> s;) d[c].insert(s.substr(3));
    d[c];
  }
  return d;
}

// The table's rows: each folder (two share a row) and the folders it uses.
std::vector<std::pair<std::string, std::set<std::string>>> tabella(const std::vector<std::string>& cartelle) {
  std::vector<std::pair<std::string, std::set<std::string>>> righe;
  std::istringstream in(leggi_sorgente("docs/internals.md"));
  const std::regex riga(R"(^\| (`\w+/`(?:, `\w+/`)*) \| .* \| ([^|]+) \|$)");
  std::string s;
  std::smatch m;
  while (std::getline(in, s)) {
    if (!std::regex_match(s, m, riga)) continue;
    const std::string colonna = m[2].str();
    const std::string nomi = m[1].str();
    const std::regex nome(R"(`(\w+)/`)");
    for (std::sregex_iterator it(nomi.begin(), nomi.end(), nome), fine; it != fine; ++it) {
      const std::string cartella = (*it)[1].str();
      std::set<std::string> usa;
      // "everything": every library below it.
      for (size_t i = 0; i < cartelle.size() && cartelle[i] != cartella; ++i) {
        const std::regex parola("(^|[ ,])" + cartelle[i] + "($|,)");
        if (colonna == "everything" || std::regex_search(colonna, parola)) usa.insert(cartelle[i]);
      }
      righe.push_back({cartella, usa});
    }
  }
  return righe;
}

// What a folder uses, followed through.
std::set<std::string> chiusura(const dipendenze& d, const std::string& c) {
  std::set<std::string> out;
  std::vector<std::string> da_fare(d.at(c).begin(), d.at(c).end());
  while (!da_fare.empty()) {
    const std::string x = da_fare.back();
    da_fare.pop_back();
    if (!out.insert(x).second || !d.contains(x)) continue;
    da_fare.insert(da_fare.end(), d.at(x).begin(), d.at(x).end());
  }
  return out;
}

TEST(TabellaLibrerie, InternalsTellsTheSbModuleCalls) {
  const std::vector<std::string> cartelle = strati();
  const dipendenze cmake = dichiarate(cartelle);
  const auto righe = tabella(cartelle);
  std::vector<std::string> ordine;
  dipendenze doc;
  for (const auto& [c, usa] : righe) {
    ordine.push_back(c);
    doc[c] = usa;
  }
  EXPECT_EQ(ordine, cartelle);
  for (const std::string& c : cartelle) {
    if (!doc.contains(c)) continue;
    EXPECT_EQ(chiusura(doc, c), chiusura(cmake, c)) << c;
  }
}

}  // namespace
}  // namespace sb
