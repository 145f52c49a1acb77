#include "builtin/run_timetable.h"

#include <gtest/gtest.h>

#include "test_support/written_lines.h"

#include <set>
#include <string>
#include <vector>

#include "builtin/service_content.h"
#include "builtin/train_sheet.h"
#include "text_input/field_reader.h"

namespace sb {
namespace {

std::vector<std::string> righe(const lista_righe& lista) { return righe_scritte(lista); }

// A station as the service description gives it.
struct stazione_letta {
  std::string nome;
  int32_t tipo;
  int32_t secondi;
};

std::vector<stazione_letta> stazioni_del_servizio() {
  std::vector<stazione_letta> out;
  for (const std::string& riga : righe(righe_treno())) {
    if (riga.rfind("stazione,", 0) != 0) continue;
    lettore_campi lettore(riga);
    std::string campo;
    lettore.leggi_testo(campo);
    std::vector<int32_t> v(16);
    for (int32_t& x : v) EXPECT_EQ(lettore.leggi_numero(x), esito_lettura::letto);
    EXPECT_EQ(lettore.leggi_testo(campo), esito_lettura::letto);
    out.push_back({campo, v[1], (v[13] * 60 + v[14]) * 60 + v[15]});
  }
  return out;
}

// "HH.MM" and an optional "+" as seconds; -1 when the text is blank.
int32_t ora_scheda(const std::string& testo) {
  if (testo.find_first_not_of(' ') == std::string::npos) return -1;
  const int32_t ore = std::stoi(testo.substr(0, 2));
  const int32_t minuti = std::stoi(testo.substr(3, 2));
  return (ore * 60 + minuti) * 60 + (testo.size() > 5 && testo[5] == '+' ? 30 : 0);
}

// The sheet's route rows: 32 on page 1, 8 on page 2.
std::vector<std::string> righe_percorso() {
  const auto r = righe(righe_scheda());
  std::vector<std::string> out(r.begin() + 16, r.begin() + 48);
  out.insert(out.end(), r.begin() + 67, r.begin() + 75);
  return out;
}

TEST(RunTimetable, SheetAndServiceAgreeOnNamesOrderAndTimes) {
  const auto servizio = stazioni_del_servizio();
  ASSERT_EQ(servizio.size(), 30u);
  std::set<std::string> nomi;
  for (const auto& s : servizio) nomi.insert(s.nome);

  size_t k = 0;
  for (const std::string& riga : righe_percorso()) {
    std::string localita = riga.substr(31, 28);
    localita.erase(localita.find_last_not_of(' ') + 1);
    if (!nomi.count(localita)) continue;
    ASSERT_LT(k, servizio.size());
    const stazione_letta& s = servizio[k];
    EXPECT_EQ(localita, s.nome) << k;
    const std::string orario = riga.substr(60, 16);
    const int32_t atteso = s.secondi == 0 ? -1 : s.secondi;
    if (s.secondi == 0) {
      EXPECT_EQ(orario, std::string(16, ' ')) << s.nome;
    } else if (s.tipo >= kTipoTransito) {
      EXPECT_EQ(ora_scheda(orario.substr(5, 6)), atteso) << s.nome;
    } else if (k + 1 == servizio.size()) {
      EXPECT_EQ(ora_scheda(orario.substr(0, 6)), atteso) << s.nome;  // arrival at the destination
    } else {
      EXPECT_EQ(ora_scheda(orario.substr(10, 6)), atteso) << s.nome;  // departure
    }
    ++k;
  }
  EXPECT_EQ(k, servizio.size());
}

TEST(RunTimetable, SheetHeaderNamesOriginAndDestination) {
  const auto r = righe(righe_scheda());
  EXPECT_EQ(r[4].substr(45, 22), "Borvale Centrale      ");
  EXPECT_EQ(r[5].substr(45, 22), "Borgo Vallestre       ");
  EXPECT_EQ(kStazioniCorsa.front().nome, "Borvale Centrale");
  EXPECT_EQ(kStazioniCorsa.back().nome, "Borgo Vallestre");
}

TEST(RunTimetable, SpeedLimitsAndTimesHoldTogether) {
  EXPECT_EQ(velocita_in(0), 85);
  EXPECT_EQ(velocita_in(4499), 85);
  EXPECT_EQ(velocita_in(4500), 50);
  EXPECT_EQ(velocita_in(93000), 75);
  int32_t prima = 0;
  for (const stazione_corsa& s : kStazioniCorsa) {
    // Arrivals are whole minutes: the sheet has no place for their "+".
    EXPECT_EQ(s.arrivo % 60, 0) << s.nome;
    if (s.orario == 0) continue;
    EXPECT_GT(s.orario, prima) << s.nome;
    if (s.arrivo != 0) {
      EXPECT_GE(s.orario, s.arrivo) << s.nome;
    }
    prima = s.orario;
  }
  EXPECT_EQ(kStazioniCorsa.front().orario, ora(18, 40, 0));
  EXPECT_EQ(kStazioniCorsa.back().orario, ora(20, 25, 30));
}

TEST(RunTimetable, TheProtectionSignalOfTheSheetIsASignalOfTheRun) {
  bool trovato = false;
  for (const std::string& riga : righe(righe_treno())) {
    trovato = trovato || riga.rfind("segnale,   81500,", 0) == 0;
  }
  EXPECT_TRUE(trovato);
}

}  // namespace
}  // namespace sb
