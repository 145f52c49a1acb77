#include "scene/chainage_ticks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "test_support/page_cases.h"

namespace sb {
namespace {

// "DA:SCARTO" or "METRE:CHAINAGE" words joined by commas, "-" for none.
std::vector<std::pair<double, double>> coppie(const std::vector<std::string>& parole) {
  std::vector<std::pair<double, double>> out;
  for (const std::string& p : parole) {
    if (p == "-") continue;
    const size_t due = p.find(':');
    out.push_back({std::stod(p.substr(0, due)), std::stod(p.substr(due + 1))});
  }
  return out;
}

// The ticks of the shared table, as the page's script stands them too.
TEST(TaccheProgressiva, StandAtTheRoundChainagesOfTheSharedTable) {
  for (const prova::riga_caso& c : prova::casi_pagina("chainage_ticks.txt")) {
    std::vector<std::string> tratti_testo;
    std::istringstream in(c.parole.at(0));
    for (std::string t; std::getline(in, t, ',');) tratti_testo.push_back(t);
    std::vector<tratto_progressiva> tratti;
    for (const auto& [da, scarto] : coppie(tratti_testo)) {
      tratti.push_back({static_cast<int64_t>(da), static_cast<int64_t>(scarto)});
    }
    std::vector<tacca_progressiva> attese;
    for (const auto& [metro, progressiva] : coppie({c.parole.begin() + 4, c.parole.end()})) {
      attese.push_back({metro, progressiva});
    }
    EXPECT_EQ(tacche_progressiva(tratti, c.numero(1), c.numero(2), c.numero(3)), attese) << c.dove("chainage_ticks.txt");
  }
}

}  // namespace
}  // namespace sb
