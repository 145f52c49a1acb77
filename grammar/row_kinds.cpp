#include "grammar/row_kinds.h"

#include <array>

#include "text_input/keywords.h"

namespace sb {
namespace {

constexpr int64_t kMin32 = -2147483648LL;
constexpr int64_t kMax32 = 2147483647LL;

using c = campo_riga;
using m = conservazione;

// What the simulator does with a value the compile keeps and never reads.
constexpr std::string_view kComeScritto = "kept as written, no meaning to the simulator";

constexpr colonna_forma sp(int n) { return {n, 0, false}; }
constexpr colonna_forma w(int n) { return {0, n, false}; }
constexpr colonna_forma wb(int n) { return {0, n, true}; }

// ---- The line description ------------------------------------------------

constexpr c kLunghezzaPercorso[] = {{"lunghezza", "m", "the route's length; the plan and the cells run 7000 m past it",
                                     "sizes the route's 50 m cells: (lunghezza + 7000) / 50 of them", 0, 1000000,
                                     m::intero, "entry 84, fine"}};
constexpr c kProgressiva[] = {
    {"primo", "m",
     "where on the route the chainage reference starts (the documents' kilometres count from it); a multiple of 50",
     std::string_view(kComeScritto), kMin32, kMax32, m::intero, "entries 81..83, inizio"},
    {"secondo", "m", "the chainage there, as the documents print it; a multiple of 50", std::string_view(kComeScritto),
     kMin32, kMax32, m::intero, "entries 81..83, fine"},
    {"terzo", "", "1 adds 100 m to the chainage; anything else adds nothing", std::string_view(kComeScritto), kMin32,
     kMax32, m::intero, "entries 81..83, posizione"}};
constexpr c kSfondo[] = {{"valore", "", "a background setting of the scenery", std::string_view(kComeScritto), kMin32,
                          kMax32, m::intero, "entry 85, inizio / posizione / fine"}};
constexpr c kRipetizione[] = {{"inizio", "m", "where the cab-signalling stretch starts; a multiple of 50",
                               "the line has cab signalling from here", kMin32, kMax32, m::intero, "entry 86, inizio"},
                              {"fine", "m", "where it ends; a multiple of 50; 0: no cab signalling",
                               "the line has cab signalling up to here", kMin32, kMax32, m::intero, "entry 86, fine"}};
constexpr c kPendenza[] = {
    {"posizione", "m", "where the gradient starts", "the cells from here on take the gradient", 0, kMax32, m::intero,
     "the cells' gradient"},
    {"pendenza", "per mille", "the gradient from here on; negative downhill",
     "the train climbs or descends at this gradient", -100, 155, m::pendenza, "each cell's gradient byte"}};
constexpr c kCurva[] = {
    {"inizio", "m", "where the curve starts", "the line plan bends from here", 0, kMax32, m::intero, "the line plan"},
    {"lunghezza", "m", "its length: it ends at inizio + lunghezza",
     "the plan bends at the keyword's curvature (digit 1: 10000 m radius to 6: 333 m) for this length", 0, kMax32,
     m::intero, "the line plan"}};
constexpr c kMontagna[] = {{"inizio", "m", "where the span starts", "the cells from here take the span's kind", 0,
                            kMax32, m::intero, "the cells' montagna"},
                           {"fine", "m", "where it ends", "the cells up to here take the span's kind", 0, kMax32,
                            m::intero, "the cells' montagna"},
                           {"tipo", "", "the span's kind; above 10: kind tipo - 10 with a mark every fourth cell",
                            std::string_view(kComeScritto), 0, kMax32, m::intero, "the cells' montagna"}};
constexpr c kIndicatore[] = {
    {"posizione", "m", "where the indicator stands", "the indicator is drawn in the 50 m cell around it", 0, kMax32,
     m::intero, "its cell"},
    {"vas", "km/h", "speed a of the s face", "shown on the s face, in steps of 5", 0, 1275, m::multiplo_5, "its cell"},
    {"vbs", "km/h", "speed b of the s face", "shown on the s face, in steps of 5", 0, 1275, m::multiplo_5, "its cell"},
    {"vcs", "km/h", "speed c of the s face", "shown on the s face, in steps of 5", 0, 1275, m::multiplo_5, "its cell"},
    {"strisces", "", "stripes under the s face's speeds", "the stripes drawn on the s face", 0, 9, m::intero,
     "its cell"},
    {"vad", "km/h", "speed a of the d face; empty for an indicator with one face", "shown on the d face", 0, 1275,
     m::multiplo_5, "its cell"},
    {"vbd", "km/h", "speed b of the d face", "shown on the d face", 0, 1275, m::multiplo_5, "its cell"},
    {"vcd", "km/h", "speed c of the d face", "shown on the d face", 0, 1275, m::multiplo_5, "its cell"},
    {"strisced", "", "stripes under the d face's speeds", "the stripes drawn on the d face", 0, 9, m::intero,
     "its cell"}};
constexpr c kCartello[] = {
    {"posizione", "m", "where the sign board stands", "the board is drawn in the 50 m cell around it", 0, kMax32,
     m::intero, "its cell"},
    {"didascalia", "", "the board's caption, to the line's end; one bracketed group a line of the board, no comma",
     "printed on the board", 0, 0, m::testo, "an entry from 80 downward, nome"}};

constexpr colonna_forma kColonne1[] = {sp(4)};
constexpr colonna_forma kColonne2[] = {sp(4), sp(4)};
constexpr colonna_forma kColonne3[] = {sp(4), sp(4), sp(4)};
constexpr colonna_forma kColonnePendenza[] = {sp(2), sp(3)};
constexpr colonna_forma kColonnePendenzaZero[] = {sp(3), sp(4)};
constexpr colonna_forma kColonneCurva[] = {sp(2), sp(2)};
constexpr colonna_forma kColonneMontagna[] = {sp(3), sp(2), sp(2)};
constexpr colonna_forma kColonneIndicatore[] = {sp(2), sp(2), sp(2), sp(2), sp(2), sp(2), sp(2), sp(2), sp(2)};
constexpr colonna_forma kColonneCartello[] = {sp(2)};

// A general row of the line: its words are matched in lower case only, but
// for the route length's.
constexpr tipo_riga generale(id_riga id, std::string_view parola, std::string_view pa, std::string_view pb,
                             std::span<const campo_riga> campi, std::span<const colonna_forma> colonne, bool maiuscole,
                             bool con_posizione) {
  tipo_riga t{};
  t.id = id;
  t.parola = parola;
  t.testo = genere_testo::linea;
  t.ambito = ambito_riga::generale;
  t.sezione = "[generale]";
  t.parola_a = pa;
  t.parola_b = pb;
  t.maiuscole = maiuscole;
  t.campi = campi;
  t.con_posizione = con_posizione;
  t.colonne = colonne;
  return t;
}

// A row of the line's route section or of the service.
constexpr tipo_riga riga(id_riga id, genere_testo testo, std::string_view parola, std::string_view sezione,
                         std::string_view pa, std::string_view pb, std::span<const campo_riga> campi,
                         std::span<const colonna_forma> colonne) {
  tipo_riga t{};
  t.id = id;
  t.parola = parola;
  t.testo = testo;
  t.ambito = testo == genere_testo::linea ? ambito_riga::percorso : ambito_riga::corpo;
  t.sezione = sezione;
  t.parola_a = pa;
  t.parola_b = pb;
  t.campi = campi;
  t.colonne = colonne;
  return t;
}

// The kind whose values are named in the editor as they are typed.
constexpr tipo_riga lunga(tipo_riga t) {
  t.lunga = true;
  return t;
}

// The kind whose first row at 0 stands in other columns.
constexpr tipo_riga da_zero(tipo_riga t, std::span<const colonna_forma> colonne) {
  t.colonne_zero = colonne;
  return t;
}

// The kind with a name or caption after so many blanks.
constexpr tipo_riga con_testo_dopo(tipo_riga t, int spazi) {
  t.spazi_testo = spazi;
  return t;
}

// A spelling of the curve: recognised through "curvad1", the kind that
// tests the field for "curva".
constexpr tipo_riga curva(std::string_view parola, bool prima) {
  tipo_riga t = riga(id_riga::curva, genere_testo::linea, parola, "[curve]", "curva", "", kCurva, kColonneCurva);
  t.variante = !prima;
  return t;
}

constexpr tipo_riga kRigheLinea[] = {
    generale(id_riga::lunghezza_percorso, "lunghezza percorso", "lunghezza", "percorso", kLunghezzaPercorso, kColonne1,
             false, false),
    generale(id_riga::progressiva_uno, "progressiva chilometrica uno", "progressiva", "uno", kProgressiva, kColonne3,
             true, false),
    generale(id_riga::progressiva_due, "progressiva chilometrica due", "progressiva", "due", kProgressiva, kColonne3,
             true, false),
    generale(id_riga::progressiva_tre, "progressiva chilometrica tre", "progressiva", "tre", kProgressiva, kColonne3,
             true, false),
    generale(id_riga::sfondo_uno, "sfondo uno", "sfondo", "uno", kSfondo, kColonne1, true, false),
    generale(id_riga::sfondo_due, "sfondo due", "sfondo", "due", kSfondo, kColonne1, true, false),
    generale(id_riga::sfondo_tre, "sfondo tre", "sfondo", "tre", kSfondo, kColonne1, true, false),
    generale(id_riga::ripetizione_segnali, "ripetizione segnali 4 codici", "ripetizione", "segnali", kRipetizione,
             kColonne2, true, true),
    da_zero(riga(id_riga::pendenza, genere_testo::linea, "pendenza", "[pendenze]", "pendenza", "", kPendenza,
                 kColonnePendenza),
            kColonnePendenzaZero),
    curva("curvad1", true),
    curva("curvad2", false),
    curva("curvad3", false),
    curva("curvad4", false),
    curva("curvad5", false),
    curva("curvad6", false),
    curva("curvas1", false),
    curva("curvas2", false),
    curva("curvas3", false),
    curva("curvas4", false),
    curva("curvas5", false),
    curva("curvas6", false),
    riga(id_riga::montagna, genere_testo::linea, "montagna", "[montagne]", "montagna", "", kMontagna, kColonneMontagna),
    lunga(riga(id_riga::indicatori_vmax, genere_testo::linea, "indicatori_vmax", "[cartelli]", "indicatori_v", "",
               kIndicatore, kColonneIndicatore)),
    con_testo_dopo(riga(id_riga::cartello_indicatore, genere_testo::linea, "cartello_indicatore", "[indicazioni]",
                        "indicat", "cartello", kCartello, kColonneCartello),
                   3),
};
constexpr size_t kPrimaCurva = 9;  // kRigheLinea[kPrimaCurva] is "curvad1"

// ---- The service description ---------------------------------------------

constexpr c kMassaFrenata[] = {{"percentuale", "%", "braked weight as a percentage of the train's weight",
                                "the train's braked weight", kMin32, kMax32, m::intero, "entry 84, inizio"}};
constexpr c kVetture[] = {{"vetture", "", "vehicles in the train", "the number of the train's vehicles", kMin32, kMax32,
                           m::intero, "entry 84, posizione"}};
constexpr c kSabbia[] = {{"sabbia", "", "sand available to the driver", "the sand supply the driver has", -32768, 32767,
                          m::campo_i16, "entry 86, param_1"}};
constexpr c kOrologio[] = {
    {"ore", "h", "the clock at the start of the run", "the cab clock starts at this hour", -32768, 32767, m::campo_i16,
     "entry 86, param_3"},
    {"minuti", "min", "its minutes", "the cab clock's minutes", -32768, 32767, m::campo_i16, "entry 86, param_4"},
    {"secondi", "s", "its seconds", "the cab clock's seconds", -32768, 32767, m::campo_i16, "entry 86, param_5"}};
constexpr c kVelocita[] = {
    {"posizione", "m", "where the speed limit starts; the first row at 0", "the cells from here on take the limit", 0,
     kMax32, m::intero, "the cells' speed"},
    {"velocita", "km/h", "the line speed limit from here on; a multiple of 5", "the fastest the train may run here", 0,
     1275, m::multiplo_5, "each cell's speed byte, in fifths"}};
constexpr c kAderenza[] = {
    {"posizione", "m", "where the adhesion starts; the first row at 0", "the cells from here on take it", 0, kMax32,
     m::intero, "the cells' adhesion"},
    {"aderenza", "%", "the rails' adhesion from here on", "the adhesion of the rails from here on", 0, 255,
     m::byte_basso, "each cell's adhesion byte"}};
constexpr c kAbbattimento[] = {{"posizione", "m", "where the code-reduction point stands",
                                "the point lies in the cell at posizione / 50", 0, kMax32, m::intero, "its cell"},
                               {"valore", "", "carried with the point when above 0; 0 or less: a point without a value",
                                std::string_view(kComeScritto), kMin32, kMax32, m::intero, "its cell, dato_1"}};
constexpr c kSegnale[] = {
    {"posizione", "m", "where the signal stands; at 325 m or more", "the signal and its four approach cells", 0, kMax32,
     m::intero, "its cell"},
    {"sx", "", "code of the signal's first side", "with dx, coded into the four approach cells' marks", 0, 2, m::intero,
     "its cell, dato_4"},
    {"s1", "", "first digit of the first side", std::string_view(kComeScritto), 0, 9, m::intero, "its cell, dato_1"},
    {"s2", "", "second digit of the first side", std::string_view(kComeScritto), 0, 9, m::intero, "its cell, dato_2"},
    {"s3", "", "third digit of the first side", std::string_view(kComeScritto), 0, 9, m::intero, "its cell, dato_3"},
    {"rapp", "", "tens digit of the signal's combined code", std::string_view(kComeScritto), 0, 9, m::intero,
     "its cell, dato_4"},
    {"dx", "", "code of the signal's second side", "with sx, coded into the four approach cells' marks", 0, 2,
     m::intero, "its cell, dato_4"},
    {"d1", "", "first digit of the second side", std::string_view(kComeScritto), 0, 9, m::intero, "its cell, dato_1"},
    {"d2", "", "second digit of the second side", std::string_view(kComeScritto), 0, 9, m::intero, "its cell, dato_2"},
    {"d3", "", "third digit of the second side", std::string_view(kComeScritto), 0, 9, m::intero, "its cell, dato_3"},
    {"tempo", "", "the signal's time value; kept only when sx is 2", "0, or 101..255; 1..100 are raised to 101", 0, 255,
     m::tempo_segnale, "its cell, tempo_segnale"}};
constexpr c kRallentamento[] = {
    {"posizione", "m", "where the slowdown starts; its warning point is 1200 m before, when above 1500",
     "the start, end and warning points", 0, kMax32, m::intero, "its cells"},
    {"v", "km/h", "the slowdown's speed", "the speed the driver must keep to through the slowdown", 0, 65535, m::intero,
     "its cells, dato_1"},
    {"l", "m", "its length: it ends at posizione + l", "where the end point lies", 0, kMax32, m::intero,
     "its end cell"},
    {"f_tt", "", "a value carried at the start and end points", std::string_view(kComeScritto), 0, 65535, m::intero,
     "its start and end cells, dato_3"},
    {"f_ta", "", "non-zero: four approach cells before the warning point", "the approach cells are marked", 0, 65535,
     m::intero, "its approach cells"},
    {"d_v", "", "a second value carried at the warning, start and end points when non-zero",
     std::string_view(kComeScritto), 0, 65535, m::intero, "its cells, dato_2"}};
constexpr c kStazione[] = {
    {"posizione", "m", "the station's reference point; a multiple of 50 (code 8)", "the station's place on the route",
     0, kMax32, m::intero, "the station's entry, posizione"},
    {"tipo", "", "below 25 a stop, from 25 a transit; 5 to 8 have extents of their own",
     "below 25 the train must stop at the stop point", 0, 255, m::campo_u8, "the station's entry, tipo"},
    {"lunghezza", "m", "the station's extent, a multiple of 100 (code 9)", "the stretch the station occupies", 0,
     kMax32, m::intero, "the station's entry, inizio and fine"},
    {"opzione_1", "", "1 at the first station, 0 elsewhere", std::string_view(kComeScritto), 0, 255, m::campo_u8,
     "the station's entry, opzione_1"},
    {"opzione_5", "", "set to 0 below 600 m of length and at the first station", std::string_view(kComeScritto), 0, 255,
     m::campo_u8, "the station's entry, opzione_5"},
    {"opzione_4", "", "non-zero moves the extent's end 50 m further (not for types 5 to 8)",
     "the station ends 50 m later", 0, 255, m::campo_u8, "the station's entry, opzione_4"},
    {"param_1", "", "a value carried with the station", std::string_view(kComeScritto), -32768, 32767, m::campo_i16,
     "the station's entry, param_1"},
    {"param_2", "", "a value carried with the station", std::string_view(kComeScritto), -32768, 32767, m::campo_i16,
     "the station's entry, param_2"},
    {"opzione_2", "", "a value carried with the station", std::string_view(kComeScritto), 0, 255, m::campo_u8,
     "the station's entry, opzione_2"},
    {"param_3", "", "a value carried with the station", std::string_view(kComeScritto), -32768, 32767, m::campo_i16,
     "the station's entry, param_3"},
    {"param_4", "", "a value carried with the station", std::string_view(kComeScritto), -32768, 32767, m::campo_i16,
     "the station's entry, param_4"},
    {"param_5", "", "a value carried with the station", std::string_view(kComeScritto), -32768, 32767, m::campo_i16,
     "the station's entry, param_5"},
    {"opzione_3", "", "a value carried with the station; the built-in scenario uses 0, 1, 30 or 60",
     std::string_view(kComeScritto), 0, 255, m::campo_u8, "the station's entry, opzione_3"},
    {"ore", "h", "the station's time in the timetable; 0 0 0 for a station without one", "the time the train is due", 0,
     23, m::intero, "the station's entry, orario"},
    {"minuti", "min", "its minutes", "the time the train is due", 0, 59, m::intero, "the station's entry, orario"},
    {"secondi", "s", "its seconds", "the time the train is due", 0, 59, m::intero, "the station's entry, orario"},
    {"nome", "", "the station's name, to the line's end", "the station's name", 0, 0, m::testo,
     "the station's entry, nome"}};

constexpr colonna_forma kColonnePosizioneValore[] = {w(8), w(6)};
constexpr colonna_forma kColonneAderenzaZero[] = {sp(3), sp(4)};
constexpr colonna_forma kColonneOrologio[] = {w(6), wb(16), wb(14)};
constexpr colonna_forma kColonneSegnale[] = {w(8), w(4), w(2), w(2), w(3), w(2), w(5), w(3), w(1), w(1), sp(1)};
constexpr colonna_forma kColonneRallentamento[] = {w(8), w(6), w(5), w(2), w(3), w(3)};
constexpr colonna_forma kColonneStazione[] = {w(8), w(3), w(5), w(3), w(2), w(2), w(3), w(1),
                                              w(1), w(3), w(1), w(1), w(5), w(4), w(2), w(2)};

// A general row of the service.
constexpr tipo_riga generale_servizio(tipo_riga t) {
  t.con_posizione = false;
  return t;
}

// The clock: its three numbers stand apart by blanks, the last followed by one.
constexpr tipo_riga orologio() {
  tipo_riga t = generale_servizio(riga(id_riga::orologio, genere_testo::servizio, "orologio", "[generale]", "orologio",
                                       "", kOrologio, kColonneOrologio));
  t.coda = " ";
  return t;
}

constexpr tipo_riga kRigheServizio[] = {
    generale_servizio(riga(id_riga::massa_frenata, genere_testo::servizio, "percentuale massa frenata", "[generale]",
                           "frenata", "massa", kMassaFrenata, kColonne1)),
    generale_servizio(riga(id_riga::vetture, genere_testo::servizio, "numero vetture", "[generale]", "vetture", "",
                           kVetture, kColonne1)),
    riga(id_riga::velocita, genere_testo::servizio, "velocita", "[vel_limite]", "velocit", "", kVelocita,
         kColonnePosizioneValore),
    da_zero(riga(id_riga::aderenza, genere_testo::servizio, "aderenza", "[aderenze]", "aderenza", "", kAderenza,
                 kColonnePosizioneValore),
            kColonneAderenzaZero),
    orologio(),
    generale_servizio(
        riga(id_riga::sabbia, genere_testo::servizio, "sabbia", "[generale]", "sabbia", "", kSabbia, kColonne1)),
    lunga(riga(id_riga::segnale, genere_testo::servizio, "segnale", "[segnali]", "segnale", "", kSegnale,
               kColonneSegnale)),
    lunga(riga(id_riga::rallentamento, genere_testo::servizio, "rallentamento", "[rallentamenti]", "rallentamento", "",
               kRallentamento, kColonneRallentamento)),
    riga(id_riga::abbattimento, genere_testo::servizio, "abbattimento", "[segnali]", "abbattimento", "", kAbbattimento,
         kColonnePosizioneValore),
    con_testo_dopo(lunga(riga(id_riga::stazione, genere_testo::servizio, "stazione", "[stazioni]", "stazione", "",
                              kStazione, kColonneStazione)),
                   1),
};

// ---- The train profile ---------------------------------------------------

// A train profile's value: decimals allowed, its range as the reader tells it.
// The least value of a mass, length, acceleration, power, braking rate or top
// speed keeps the run's time and distance finite.
constexpr c p(std::string_view nome, std::string_view unita, std::string_view senso, int64_t massimo,
              double minimo) {
  c v{nome, unita,   senso,       "used by the running time only; the compiled files never hold it",
      0,    massimo, m::decimale, "the running time's train"};
  v.minimo_reale = minimo;
  return v;
}

constexpr c kMassaProfilo[] = {p("mass", "t", "the train's mass", 1000000, 0.1)};
constexpr c kMassaVeicolo[] = {p("mass", "t", "each vehicle's mass: times numero vetture, the train's", 1000000, 0.1)};
constexpr c kLunghezzaProfilo[] = {p("length", "m", "the train's length", 100000, 1)};
constexpr c kLunghezzaVeicolo[] = {
    p("length", "m", "each vehicle's length: times numero vetture, the train's", 100000, 1)};
constexpr c kMasseRotanti[] = {p("allowance", "", "the rotating masses as a share of the mass (0.08: 8%)", 1, 0)};
constexpr c kAccelerazione[] = {p("acceleration", "m/s2", "the most the train accelerates from a stand", 10, 0.01)};
constexpr c kPotenzaTonnellata[] = {p("power", "kW/t", "power for each tonne of the train", 10000, 0.1)};
constexpr c kPotenzaProfilo[] = {p("power", "kW", "the train's power at the wheel", 100000000, 1)};
constexpr c kDavis[] = {p("A", "N/t", "the resistance that does not grow with speed", 10000, 0),
                        p("B", "N/t per km/h", "the resistance growing with speed", 1000, 0),
                        p("C", "N/t per (km/h)2", "the resistance growing with the square of speed", 10, 0)};
constexpr c kResistenza[] = {p("mass", "t", "the mass this term applies to", 1000000, 0.1),
                             p("A", "N/t", "the resistance that does not grow with speed", 10000, 0),
                             p("B", "N/t per km/h", "the resistance growing with speed", 1000, 0),
                             p("C", "N/t per (km/h)2", "the resistance growing with the square of speed", 10, 0)};
constexpr c kVento[] = {p("wind", "km/h", "a head wind added to the speed in the air resistance", 200, 0)};
constexpr c kSforzo[] = {p("speed", "km/h", "a speed of the tractive effort table; rows rise in speed", 1275, 0),
                         p("effort", "N", "the most tractive effort at that speed", 100000000, 0)};
constexpr c kFrenatura[] = {p("rate", "m/s2", "the service braking rate", 10, 0.01)};
constexpr c kVelocitaMassima[] = {p("speed", "km/h", "the train's own top speed", 1275, 1)};
constexpr c kSosta[] = {p("dwell", "s", "the shortest stop at a station", 86400, 0)};
constexpr c kMargine[] = {p("margin", "per cent", "added to the fastest run's time between stops", 1000, 0)};

// A row of the train profile; its keyword is compared whole.
constexpr tipo_riga profilo(id_riga id, std::string_view parola, std::span<const campo_riga> campi) {
  tipo_riga t{};
  t.id = id;
  t.parola = parola;
  t.testo = genere_testo::profilo;
  t.ambito = ambito_riga::corpo;
  t.sezione = "[treno]";
  t.parola_a = parola;
  t.campi = campi;
  t.con_posizione = false;
  return t;
}

// One blank after each comma, up to the four values of "resistenza".
constexpr colonna_forma kColonneProfilo[] = {sp(1), sp(1), sp(1), sp(1)};

// The profile's rows with one blank after each comma.
constexpr tipo_riga profilo_riga(id_riga id, std::string_view parola, std::span<const campo_riga> campi) {
  tipo_riga t = profilo(id, parola, campi);
  t.colonne = std::span(kColonneProfilo).first(campi.size());
  return t;
}

constexpr tipo_riga kRigheProfilo[] = {
    profilo_riga(id_riga::massa_per_veicolo, "massa per veicolo", kMassaVeicolo),
    profilo_riga(id_riga::lunghezza_per_veicolo, "lunghezza per veicolo", kLunghezzaVeicolo),
    profilo_riga(id_riga::massa, "massa", kMassaProfilo),
    profilo_riga(id_riga::lunghezza, "lunghezza", kLunghezzaProfilo),
    profilo_riga(id_riga::masse_rotanti, "masse rotanti", kMasseRotanti),
    profilo_riga(id_riga::accelerazione_di_spunto, "accelerazione di spunto", kAccelerazione),
    profilo_riga(id_riga::potenza_per_tonnellata, "potenza per tonnellata", kPotenzaTonnellata),
    profilo_riga(id_riga::potenza, "potenza", kPotenzaProfilo),
    profilo_riga(id_riga::davis, "davis", kDavis),
    profilo_riga(id_riga::resistenza, "resistenza", kResistenza),
    profilo_riga(id_riga::vento, "vento", kVento),
    profilo_riga(id_riga::sforzo, "sforzo", kSforzo),
    profilo_riga(id_riga::frenatura_di_servizio, "frenatura di servizio", kFrenatura),
    profilo_riga(id_riga::velocita_massima, "velocita massima", kVelocitaMassima),
    profilo_riga(id_riga::sosta_minima, "sosta minima", kSosta),
    profilo_riga(id_riga::margine_di_recupero, "margine di recupero", kMargine),
};

// How many kinds of the table are of the scope.
constexpr size_t conta(std::span<const tipo_riga> t, ambito_riga a) {
  size_t n = 0;
  for (const tipo_riga& r : t) n += r.ambito == a ? 1 : 0;
  return n;
}

// The keywords of the table's kinds of the scope, in the table's order.
template <size_t N>
constexpr std::array<std::string_view, N> parole_di(std::span<const tipo_riga> t, ambito_riga a) {
  std::array<std::string_view, N> out{};
  size_t i = 0;
  for (const tipo_riga& r : t) {
    if (r.ambito == a) out[i++] = r.parola;
  }
  return out;
}

constexpr auto kParoleGenerali =
    parole_di<conta(kRigheLinea, ambito_riga::generale)>(kRigheLinea, ambito_riga::generale);
constexpr auto kParolePercorso =
    parole_di<conta(kRigheLinea, ambito_riga::percorso)>(kRigheLinea, ambito_riga::percorso);
constexpr auto kParoleServizio =
    parole_di<conta(kRigheServizio, ambito_riga::corpo)>(kRigheServizio, ambito_riga::corpo);
constexpr auto kParoleProfilo = parole_di<conta(kRigheProfilo, ambito_riga::corpo)>(kRigheProfilo, ambito_riga::corpo);

constexpr std::string_view kIntestazioniLinea[] = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                                   "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view kIntestazioniServizio[] = {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
                                                      "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};
constexpr std::string_view kIntestazioniProfilo[] = {"[treno]", "[fine]"};

// Whether the field holds the word, in lower case only or in any case.
bool ha_parola(std::string_view campo, std::string_view parola, bool maiuscole) {
  if (parola.empty()) return true;
  return maiuscole ? contiene(campo, parola) : contiene_nc(campo, parola);
}

// The curve spelling a "curva" field names: its side ("s" anywhere) and its
// first digit 1..6 ("curvad1" when it has none).
const tipo_riga* curva_di(std::string_view campo) {
  const bool sinistra = contiene_nc(campo, "s");
  for (char cifra = '1'; cifra <= '6'; ++cifra) {
    if (campo.find(cifra) != std::string_view::npos) {
      return &kRigheLinea[kPrimaCurva + (sinistra ? 6 : 0) + static_cast<size_t>(cifra - '1')];
    }
  }
  return &kRigheLinea[kPrimaCurva + (sinistra ? 6 : 0)];
}

// The first kind of the text and scope whose words the field holds.
const tipo_riga* primo_riconosciuto(genere_testo t, ambito_riga a, std::string_view campo) {
  for (const tipo_riga& r : tipi_riga(t)) {
    if (r.ambito != a || r.variante || !riconosce(r, campo)) continue;
    return r.id == id_riga::curva ? curva_di(campo) : &r;
  }
  return nullptr;
}

}  // namespace

std::span<const tipo_riga> tipi_riga(genere_testo t) {
  switch (t) {
    case genere_testo::linea: return kRigheLinea;
    case genere_testo::servizio: return kRigheServizio;
    case genere_testo::profilo: return kRigheProfilo;
  }
  return kRigheServizio;
}

std::span<const std::string_view> intestazioni_testo(genere_testo t) {
  switch (t) {
    case genere_testo::linea: return kIntestazioniLinea;
    case genere_testo::servizio: return kIntestazioniServizio;
    case genere_testo::profilo: return kIntestazioniProfilo;
  }
  return kIntestazioniServizio;
}

std::span<const std::string_view> parole_chiave(genere_testo t, ambito_riga a) {
  if (t == genere_testo::linea && a == ambito_riga::generale) return kParoleGenerali;
  if (t == genere_testo::linea) return kParolePercorso;
  if (t == genere_testo::servizio) return kParoleServizio;
  return kParoleProfilo;
}

const tipo_riga& tipo_di(id_riga id) {
  for (genere_testo t : {genere_testo::linea, genere_testo::servizio, genere_testo::profilo}) {
    for (const tipo_riga& r : tipi_riga(t)) {
      if (r.id == id) return r;
    }
  }
  return kRigheLinea[0];  // not reached: every id has its kind
}

bool riconosce(const tipo_riga& k, std::string_view campo) {
  if (k.testo == genere_testo::profilo) return forma_chiave_profilo(campo) == k.parola;
  return ha_parola(campo, k.parola_a, k.maiuscole) && ha_parola(campo, k.parola_b, k.maiuscole);
}

bool e_chiave(genere_testo t, ambito_riga a, std::string_view campo) {
  return primo_riconosciuto(t, a, campo) != nullptr;
}

bool e_chiave_generale_linea(std::string_view campo) {
  return e_chiave(genere_testo::linea, ambito_riga::generale, campo);
}

bool e_chiave_percorso_linea(std::string_view campo) {
  return e_chiave(genere_testo::linea, ambito_riga::percorso, campo);
}

bool e_chiave_servizio(std::string_view campo) { return e_chiave(genere_testo::servizio, ambito_riga::corpo, campo); }

const tipo_riga* riconosci_riga(genere_testo t, std::string_view campo, bool sezione_generale) {
  if (t != genere_testo::linea) return primo_riconosciuto(t, ambito_riga::corpo, campo);
  return primo_riconosciuto(t, sezione_generale ? ambito_riga::generale : ambito_riga::percorso, campo);
}

const tipo_riga* riconosci_ovunque(genere_testo t, std::string_view campo) {
  if (t != genere_testo::linea) return primo_riconosciuto(t, ambito_riga::corpo, campo);
  const tipo_riga* r = primo_riconosciuto(t, ambito_riga::generale, campo);
  return r != nullptr ? r : primo_riconosciuto(t, ambito_riga::percorso, campo);
}

std::string_view intestazione_di(genere_testo t, std::string_view campo) {
  const tipo_riga* r = riconosci_ovunque(t, campo);
  return r == nullptr ? std::string_view{} : r->sezione;
}

bool con_testo(const tipo_riga& k) { return !k.campi.empty() && k.campi.back().modo == conservazione::testo; }

std::string forma_chiave_profilo(std::string_view campo) {
  const size_t inizio = campo.find_first_not_of(" \t");
  if (inizio == std::string_view::npos) return {};
  const size_t fine = campo.find_last_not_of(" \t");
  std::string forma = minuscolo_cp1252(campo.substr(inizio, fine - inizio + 1));
  for (char& ch : forma) {
    if (static_cast<unsigned char>(ch) == 0xE0) ch = 'a';
  }
  return forma;
}

std::optional<int64_t> valore_memorizzato(const campo_riga& cr, int64_t v) {
  switch (cr.modo) {
    case conservazione::intero:
    case conservazione::testo:
    case conservazione::decimale: return v;
    case conservazione::campo_u8:
      if (v < 0 || v > 255) return std::nullopt;
      return v;
    case conservazione::campo_i16:
      if (v < -32768 || v > 32767) return std::nullopt;
      return v;
    case conservazione::byte_basso: return v & 0xFF;
    case conservazione::pendenza: return ((v + 100) & 0xFF) - 100;
    // A whole number over 5 never lies halfway: floor((v + 2) / 5) is the nearest.
    case conservazione::multiplo_5: {
      const int64_t q = v + 2 >= 0 ? (v + 2) / 5 : -((-(v + 2) + 4) / 5);
      return q * 5;
    }
    case conservazione::tempo_segnale:
      if (v >= 1 && v <= 100) return 101;
      return v & 0xFF;
  }
  return v;
}

std::string intervallo_di(const campo_riga& cr) {
  if (cr.minimo_reale > 0) {
    std::string minimo = std::to_string(cr.minimo_reale);
    minimo.erase(minimo.find_last_not_of('0') + 1);
    if (minimo.back() == '.') minimo.pop_back();
    return minimo + ".." + std::to_string(cr.massimo);
  }
  if (cr.minimo_escluso) return "above " + std::to_string(cr.minimo) + " up to " + std::to_string(cr.massimo);
  return std::to_string(cr.minimo) + ".." + std::to_string(cr.massimo);
}

}  // namespace sb
