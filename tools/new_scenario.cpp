#include "tools/new_scenario.h"

#include <vector>

#include "documents/line_list.h"

namespace sb {
namespace {

// The line: 6 km, two curves, four gradient rows, a tunnel, a kilometre post
// and a maximum-speed indicator. A line that holds "-" is a remark.
std::vector<std::string> righe_linea_nuova(const std::string& nome) {
  return {
      nome + ": a small line to start from, written by scenario_tool new.",
      "Everything up to the generale header is skipped. Below it every row has a remark above it:",
      "a line that holds a hyphen is skipped by the compile. Keep remarks free of commas.",
      "The rows are told in docs/line_description.md and the reading rules in docs/text_rules.md.",
      "[generale]",
      "- the route length in metres: the line is 6 km long (docs/line_description.md: lunghezza percorso)",
      "lunghezza percorso,  6000",
      "- the three chainage references: all 0 so that the kilometres are the route's metres",
      "- (docs/line_description.md: progressiva chilometrica; the three values are told there)",
      "progressiva chilometrica uno,  0,  0,  0",
      "- second chainage reference: unused",
      "progressiva chilometrica due,  0,  0,  0",
      "- third chainage reference: unused",
      "progressiva chilometrica tre,  0,  0,  0",
      "- the three background settings of the scenery (docs/line_description.md: sfondo)",
      "sfondo uno,  1",
      "- background two",
      "sfondo due,  2",
      "- background three",
      "sfondo tre,  3",
      "- cab signalling with 4 codes from 0 m to 6000 m (docs/line_description.md: ripetizione segnali)",
      "ripetizione segnali 4 codici,  0,  6000",
      "[curve]",
      "- a curve to the right from 1500 m for 600 m; digit 3 is a radius of about 2500 m",
      "- (docs/line_description.md: curvad / curvas)",
      "curvad3,  1500,  600",
      "- a curve to the left from 3800 m for 500 m; digit 2 is a radius of about 5000 m",
      "curvas2,  3800,  500",
      "[pendenze]",
      "- level from the start: 0 per mille (docs/line_description.md: pendenza)",
      "pendenza,  0,  0",
      "- rising 6 per mille from 1000 m",
      "pendenza,  1000,  6",
      "- falling 4 per mille from 2500 m",
      "pendenza,  2500,  -4",
      "- level again from 4500 m to the end",
      "pendenza,  4500,  0",
      "[montagne]",
      "- a tunnel from 2000 m to 2400 m of kind 1: the train sheet lists its two ends",
      "- (docs/line_description.md: montagna)",
      "montagna,  2000,  2400,  1",
      "[cartelli]",
      "- a kilometre post at 1000 m: its kilometre matches the chainage there",
      "- (docs/line_description.md: cartello_indicatore)",
      "cartello_indicatore,  1000,  (Cippo Km.)( 1+000 )",
      "[indicazioni]",
      "- a maximum-speed indicator at 500 m showing 60 70 75 km/h on both faces",
      "- (docs/line_description.md: indicatori_vmax)",
      "indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0",
      "[fine]",
  };
}

// The run: three stations, three speed limits, a slowdown and a signal of
// each kind.
std::vector<std::string> righe_servizio_nuovo(const std::string& nome, const std::string& treno) {
  return {
      "Train " + treno + " over " + nome + ": a small run to start from, written by scenario_tool new.",
      "Everything up to the generale header is skipped. Below it every row has a remark above it:",
      "a line that holds a hyphen is skipped by the compile. Keep remarks free of commas.",
      "The rows are told in docs/service_description.md and the reading rules in docs/text_rules.md.",
      "[generale]",
      "- vehicles in the train (docs/service_description.md: General values)",
      "numero vetture,  4",
      "- braked weight in per cent of the train's weight",
      "percentuale massa frenata,  90",
      "- sand for the driver",
      "sabbia,  200",
      "- the clock at the start of the run: hours minutes seconds",
      "orologio,  8  0  0",
      "[aderenze]",
      "- adhesion in per cent from 0 m to the end (docs/service_description.md: Profiles)",
      "aderenza,  0,  80",
      "[vel_limite]",
      "- speed limit 100 km/h from the start",
      "velocita,  0,  100",
      "- 80 km/h through the first curve from 1400 m",
      "velocita,  1400,  80",
      "- 100 km/h again from 2200 m to the end",
      "velocita,  2200,  100",
      "[stazioni]",
      "- the first station at 0 m: type 4 stops the train; 500 m long; leaves at 08 00 00",
      "- (docs/service_description.md: stazione tells the 17 values)",
      "stazione,  0,  4,  500,  1, 0, 0,  4,1,0,  2,1,1,  0,  8, 0, 0,  Prato Alto",
      "- a stop at 2800 m: 400 m long; due at 08 04 30",
      "stazione,  2800,  4,  400,  0, 0, 0,  4,1,0,  2,1,1,  0,  8, 4, 30,  Castagneto",
      "- the last stop at 5400 m: 600 m long; due at 08 09 30",
      "stazione,  5400,  4,  600,  0, 0, 0,  4,1,0,  2,1,1,  0,  8, 9, 30,  Valle Fonda",
      "[rallentamenti]",
      "- a slowdown to 60 km/h from 4500 m for 300 m; its warning board stands 1200 m before",
      "- (docs/service_description.md: rallentamento)",
      "rallentamento,  4500,  60,  300,  0,  1,  0",
      "[segnali]",
      "- a signal whose first side has code 2 (docs/service_description.md: segnale)",
      "segnale,  1300,  2,  0, 0, 0,  0,  0,  0, 0, 0,  0",
      "- a signal whose first side has code 1",
      "segnale,  2300,  1,  1, 1, 1,  1,  0,  0, 0, 0,  0",
      "- a signal whose first side has code 0",
      "segnale,  3500,  0,  0, 0, 0,  0,  0,  0, 0, 0,  0",
      "[codici]",
      "[fine]",
  };
}

}  // namespace

testi_nuovi scenario_nuovo(const std::string& nome, const std::string& treno) {
  return {componi_documento(lista_da(righe_linea_nuova(nome))),
          componi_documento(lista_da(righe_servizio_nuovo(nome, treno)))};
}

}  // namespace sb
