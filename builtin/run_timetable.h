// The run of train 40617 over the line, held once for every text that tells
// of it: the stations with their timetable, the speed limits, and the line's
// landmarks that the driver's sheet lists between the stations.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "scenario/format.h"

namespace sb {

// A time of day as seconds since midnight; 0 stands for "no time".
constexpr int32_t ora(int32_t ore, int32_t minuti, int32_t secondi) {
  return (ore * 60 + minuti) * 60 + secondi;
}

// One station of the run, with the values of its "stazione" row.
struct stazione_corsa {
  std::string_view nome;  // plain ASCII: the sheet is ASCII too
  int32_t posizione;      // metres from the start of the line
  int32_t tipo;
  int32_t lunghezza;  // metres
  int32_t opzione_1;
  int32_t opzione_5;
  int32_t opzione_4;
  int32_t param_1;
  int32_t param_2;
  int32_t opzione_2;
  int32_t param_3;
  int32_t param_4;
  int32_t param_5;
  int32_t opzione_3;
  int32_t arrivo;  // arrival at an intermediate stop; 0 elsewhere
  int32_t orario;  // departure, passing time, or arrival at the destination; 0 none
};

// The thirty stations in route order: origin first, destination last.
inline constexpr std::array<stazione_corsa, 30> kStazioniCorsa = {{
    {"Borvale Centrale", 0, 4, 500, 1, 0, 0, 4, 1, 0, 2, 1, 1, 1, 0, ora(18, 40, 0)},
    {"Borvale San Gaudo", 2800, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(18, 43, 0), ora(18, 43, 30)},
    {"Borvale Porta Ferrea", 4300, 12, 400, 0, 0, 1, 1, 1, 0, 4, 1, 1, 30, ora(18, 46, 0), ora(18, 46, 30)},
    {"Ponte Lavisa", 5600, 23, 400, 0, 0, 0, 0, 0, 0, 4, 1, 1, 30, ora(18, 49, 0), ora(18, 49, 30)},
    {"Colle Ardito", 7000, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(18, 52, 0), ora(18, 52, 30)},
    {"Vigna Sorba", 8600, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(18, 55, 0), ora(18, 55, 30)},
    {"Bivio Malcanto", 10800, 26, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Rivasecca", 12000, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(18, 59, 0), ora(18, 59, 30)},
    {"Casal Fiorito", 13400, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(19, 2, 0), ora(19, 2, 30)},
    {"Torre Arsiccia", 14900, 27, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 0, ora(19, 4, 30)},
    {"Prato Giuncale", 16200, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(19, 6, 0), ora(19, 6, 30)},
    {"Castel Brusato", 17600, 22, 400, 0, 0, 0, 0, 0, 0, 4, 1, 1, 60, ora(19, 9, 0), ora(19, 10, 0)},
    {"San Viteno", 19000, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(19, 12, 0), ora(19, 12, 30)},
    {"Ca' Morsella", 21000, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(19, 15, 0), ora(19, 15, 30)},
    {"Villa Travaglio", 23300, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(19, 18, 0), ora(19, 18, 30)},
    {"Quercedo", 24700, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, ora(19, 20, 0)},
    {"Ronco Scuro", 26700, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, ora(19, 22, 0), ora(19, 22, 30)},
    {"Fontanigra", 29500, 27, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 0, ora(19, 25, 30)},
    {"Bivio Sasselli", 33000, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Mulinara", 36700, 4, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 60, ora(19, 33, 0), ora(19, 34, 0)},
    {"Sorgiano", 40500, 27, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 0, ora(19, 38, 0)},
    {"Passo Ciglione", 47000, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Val Morena", 50500, 27, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 0, ora(19, 48, 0)},
    {"Trasmonte Scalo", 55500, 27, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, ora(19, 53, 0)},
    {"Nome Stazione", 60000, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Lagoscuro", 65500, 27, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 0, ora(20, 2, 0)},
    {"Campo Rasente", 71000, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Altavilla Fosca", 76500, 27, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ora(20, 11, 0)},
    {"Pieve Crovara", 82200, 4, 400, 0, 0, 0, 1, 1, 0, 3, 1, 1, 60, ora(20, 17, 0), ora(20, 18, 0)},
    {"Borgo Vallestre", 87900, 4, 400, 0, 0, 0, 1, 1, 0, 2, 1, 1, 60, 0, ora(20, 25, 30)},
}};

// A line speed limit in force from its position up to the next one's.
struct limite_velocita {
  int32_t posizione;  // metres
  int32_t velocita;   // km/h
};

// The run's speed limits, in ascending position.
inline constexpr std::array<limite_velocita, 16> kLimitiVelocita = {{
    {0, 85},      {4500, 50},   {6250, 85},   {11000, 95},  {14500, 90},  {16800, 95},
    {22000, 105}, {27500, 95},  {35500, 85},  {36100, 50},  {37100, 75},  {41000, 90},
    {52500, 75},  {56000, 90},  {70500, 85},  {81200, 75},
}};

// The speed limit in force at a position of the line.
constexpr int32_t velocita_in(int32_t posizione) {
  int32_t velocita = kLimitiVelocita[0].velocita;
  for (const limite_velocita& limite : kLimitiVelocita) {
    if (limite.posizione > posizione) break;
    velocita = limite.velocita;
  }
  return velocita;
}

// A point of the line that the train sheet lists among the stations: a
// kilometre post, the end of the double track, a tunnel mouth, a signal.
struct riferimento_linea {
  std::string_view testo;
  int32_t posizione;    // metres, where it stands on the line
  int32_t progressiva;  // metres, the chainage printed beside it
};

// The landmarks in ascending position. Kilometre posts stand at their sign's
// position and print the kilometre of their caption; tunnel mouths are the
// ends of the line's tunnel spans; the protection signal is a signal of the run.
inline constexpr std::array<riferimento_linea, 10> kRiferimentiLinea = {{
    {"imbocco gall. Monte Gaudo", 1800, 1800},
    {"sbocco gall. Monte Gaudo", 3800, 3800},
    {"km 20+000", 19950, 20000},
    {"km 22+000", 22050, 22000},
    {"km 25+000", 25000, 25000},
    {"dev. u.", 36200, 36200},
    {"km 43+000", 43000, 43000},
    {"imbocco gall. Trasmonte", 52800, 52800},
    {"sbocco gall. Trasmonte", 53200, 53200},
    {"Segn. Prot", 81500, 81500},
}};

}  // namespace sb
