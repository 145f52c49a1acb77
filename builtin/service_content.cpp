#include "builtin/service_content.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "builtin/run_timetable.h"
#include "grammar/row_kinds.h"
#include "grammar/row_writer.h"
#include "scenario/file_names.h"

namespace sb {
namespace {

// An adhesion value in force from its position on.
struct aderenza_corsa {
  int32_t posizione;
  int32_t valore;
};

// Adhesion along the run: lower over a damp stretch in the last third.
constexpr std::array<aderenza_corsa, 4> kAderenze = {{
    {0, 100}, {64000, 85}, {66500, 73}, {70000, 100},
}};

// The values of one "segnale" row.
struct segnale_corsa {
  int32_t posizione;
  int32_t sx, s1, s2, s3;
  int32_t rapp;
  int32_t dx, d1, d2, d3;
  int32_t tempo;
};

// The run's signals in ascending position.
constexpr std::array<segnale_corsa, 47> kSegnali = {{
    {1300, 2, 2, 4, 1, 0, 0, 0, 0, 0, 255},
    {3900, 2, 1, 2, 1, 0, 2, 2, 1, 1, 0},
    {5000, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {6200, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {8000, 2, 1, 2, 1, 0, 2, 2, 1, 1, 0},
    {9600, 2, 1, 2, 1, 0, 2, 2, 1, 1, 0},
    {10200, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {11300, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {12700, 2, 1, 2, 1, 0, 2, 2, 1, 1, 0},
    {14300, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {15400, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {17000, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {18200, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {19700, 2, 1, 2, 1, 0, 2, 2, 1, 1, 0},
    {22400, 2, 1, 2, 1, 0, 2, 2, 1, 1, 0},
    {24100, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {25100, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {26100, 2, 2, 3, 1, 1, 2, 2, 1, 1, 0},
    {28900, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {30000, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {32400, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {33500, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {35800, 2, 2, 3, 1, 0, 2, 2, 1, 1, 230},
    {37300, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {39900, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0},
    {41000, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {45200, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
    {46400, 2, 2, 3, 1, 0, 2, 1, 1, 0, 0},
    {47500, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {49900, 2, 2, 3, 1, 0, 2, 1, 1, 0, 0},
    {51000, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {54900, 2, 2, 3, 1, 0, 2, 1, 1, 0, 0},
    {56000, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {58200, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
    {59400, 2, 2, 3, 1, 0, 2, 1, 1, 0, 0},
    {60500, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {64900, 2, 2, 3, 1, 0, 2, 1, 1, 0, 0},
    {66000, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {68000, 2, 1, 2, 1, 0, 0, 0, 0, 0, 0},
    {70300, 2, 2, 3, 1, 0, 2, 1, 1, 0, 0},
    {71500, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {74700, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
    {75900, 2, 2, 3, 1, 0, 0, 0, 0, 0, 0},
    {77000, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {81500, 2, 2, 3, 1, 0, 2, 1, 1, 0, 230},
    {82800, 2, 2, 4, 1, 0, 0, 0, 0, 0, 0},
    {86900, 2, 2, 3, 1, 0, 0, 0, 0, 0, 142},
}};

// The notes at the head of the file, in code page 1252; the reader skips them.
constexpr std::array<std::string_view, 10> kPreambolo = {
    "Note sulla corsa: il tracciato e la planimetria della linea simulata sono semplificati rispetto a quelli reali.",
    "",
    "A Mulinara e a Pieve Crovara i segnali di avviso e di protezione sono a via libera anche se il treno vi ferma;",
    "nelle altre stazioni con segnali il treno attende invece la via libera del segnale di partenza, come nella realt\xE0.",
    "",
    "Il servizio \xE8 svolto dalle automotrici della serie RM 740, le stesse che circolano ogni giorno sulla linea.",
    "Da Borvale Centrale a Ronco Scuro le fermate sono molto ravvicinate e tre di esse si trovano in galleria:",
    "Borvale San Gaudo sotto il Monte Gaudo, Colle Ardito e Vigna Sorba nella galleria del Colle Ardito.",
    "",
    "Il treno 40617 ha 4 veicoli e il 135% di massa frenata; l'aderenza \xE8 buona anche sulle pendenze del 20 per mille.",
};

std::string riga_aderenza(const aderenza_corsa& a) {
  return scrivi_riga(tipo_di(id_riga::aderenza), {a.posizione, a.valore});
}

std::string riga_velocita(const limite_velocita& v) {
  return scrivi_riga(tipo_di(id_riga::velocita), {v.posizione, v.velocita});
}

std::string riga_stazione(const stazione_corsa& s) {
  const int32_t ore = s.orario / 3600;
  const int32_t minuti = s.orario / 60 % 60;
  const int32_t secondi = s.orario % 60;
  return scrivi_riga(tipo_di(id_riga::stazione),
                     {s.posizione, s.tipo, s.lunghezza, s.opzione_1, s.opzione_5, s.opzione_4, s.param_1, s.param_2,
                      s.opzione_2, s.param_3, s.param_4, s.param_5, s.opzione_3, ore, minuti, secondi},
                     s.nome);
}

std::string riga_segnale(const segnale_corsa& s) {
  return scrivi_riga(tipo_di(id_riga::segnale),
                     {s.posizione, s.sx, s.s1, s.s2, s.s3, s.rapp, s.dx, s.d1, s.d2, s.d3, s.tempo});
}

}  // namespace

lista_righe righe_treno() {
  std::vector<std::string> righe(kPreambolo.begin(), kPreambolo.end());
  righe.push_back("[generale]");
  righe.push_back(scrivi_riga(tipo_di(id_riga::vetture), {4}));
  righe.push_back(scrivi_riga(tipo_di(id_riga::massa_frenata), {135}));
  righe.push_back(scrivi_riga(tipo_di(id_riga::sabbia), {200}));
  righe.push_back(scrivi_riga(tipo_di(id_riga::orologio), {18, 39, 30}));
  righe.push_back("[aderenze]");
  for (const aderenza_corsa& a : kAderenze) righe.push_back(riga_aderenza(a));
  righe.push_back("[vel_limite]");
  for (const limite_velocita& v : kLimitiVelocita) righe.push_back(riga_velocita(v));
  righe.push_back("[stazioni]");
  for (const stazione_corsa& s : kStazioniCorsa) righe.push_back(riga_stazione(s));
  righe.push_back("[rallentamenti]");
  righe.push_back(scrivi_riga(tipo_di(id_riga::rallentamento), {86400, 50, 300, 0, 1, 0}));
  righe.push_back("[segnali]");
  for (const segnale_corsa& s : kSegnali) righe.push_back(riga_segnale(s));
  righe.push_back("[codici]");
  righe.push_back("[fine]");
  return lista_da(righe);
}

}  // namespace sb
