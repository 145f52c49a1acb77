#include "lsp/row_catalogue.h"

#include "scenario/scenario_records.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

constexpr int64_t kMin32 = -2147483648LL;
constexpr int64_t kMax32 = 2147483647LL;

using c = campo_riga;
using m = conservazione;

// A route position in metres.
constexpr c kPosizione{"posizione", "m", "where the item stands on the route", 0, kMax32, m::intero};

constexpr c kLunghezzaPercorso[] = {{"lunghezza", "m", "the route length", 0, 1000000, m::intero}};
constexpr c kProgressiva[] = {{"primo", "m", "where the reference starts on the route", kMin32, kMax32, m::intero},
                              {"secondo", "m", "the chainage there", kMin32, kMax32, m::intero},
                              {"terzo", "", "1 adds 100 m to the chainage", kMin32, kMax32, m::intero}};
constexpr c kSfondo[] = {{"valore", "", "a background setting passed to the simulator", kMin32, kMax32, m::intero}};
constexpr c kRipetizione[] = {{"inizio", "m", "where the cab-signalling stretch starts", 0, kMax32, m::intero},
                              {"fine", "m", "where it ends; 0: no cab signalling", 0, kMax32, m::intero}};
constexpr c kPendenza[] = {kPosizione, {"pendenza", "per mille", "the gradient from here on", -100, 155, m::pendenza}};
constexpr c kCurva[] = {{"inizio", "m", "where the curve starts", 0, kMax32, m::intero},
                        {"lunghezza", "m", "its length", 0, kMax32, m::intero}};
constexpr c kMontagna[] = {{"inizio", "m", "where the span starts", 0, kMax32, m::intero},
                           {"fine", "m", "where it ends", 0, kMax32, m::intero},
                           {"tipo", "", "the span's kind; above 10: kind - 10 with a mark every fourth cell", 0,
                            kMax32, m::intero}};
constexpr c kIndicatore[] = {kPosizione,
                             {"vas", "km/h", "speed a of the s face", 0, 1275, m::multiplo_5},
                             {"vbs", "km/h", "speed b of the s face", 0, 1275, m::multiplo_5},
                             {"vcs", "km/h", "speed c of the s face", 0, 1275, m::multiplo_5},
                             {"strisces", "", "stripes of the s face", 0, 9, m::intero},
                             {"vad", "km/h", "speed a of the d face; empty for one face", 0, 1275, m::multiplo_5},
                             {"vbd", "km/h", "speed b of the d face", 0, 1275, m::multiplo_5},
                             {"vcd", "km/h", "speed c of the d face", 0, 1275, m::multiplo_5},
                             {"strisced", "", "stripes of the d face", 0, 9, m::intero}};
constexpr c kCartello[] = {kPosizione, {"didascalia", "", "the sign's caption, to the line's end", 0, 0, m::testo}};

constexpr c kVetture[] = {{"vetture", "", "vehicles in the train", 0, kMax32, m::intero}};
constexpr c kMassaFrenata[] = {{"percentuale", "%", "braked weight as a percentage of the train's weight", 0, kMax32,
                                m::intero}};
constexpr c kSabbia[] = {{"sabbia", "", "sand available to the driver", -32768, 32767, m::campo_i16}};
constexpr c kOrologio[] = {{"ore", "h", "the clock at the start of the run", 0, 23, m::campo_i16},
                           {"minuti", "min", "", 0, 59, m::campo_i16},
                           {"secondi", "s", "", 0, 59, m::campo_i16}};
constexpr c kVelocita[] = {kPosizione, {"velocita", "km/h", "the speed limit from here on", 0, 1275, m::multiplo_5}};
constexpr c kAderenza[] = {kPosizione, {"aderenza", "%", "the adhesion from here on", 0, 255, m::byte_basso}};
constexpr c kAbbattimento[] = {kPosizione,
                               {"valore", "", "carried with the point; 0 or less: a point without a value", kMin32,
                                kMax32, m::intero}};
constexpr c kSegnale[] = {kPosizione,
                          {"sx", "", "code of the first side", 0, 2, m::intero},
                          {"s1", "", "first digit of the first side", 0, 9, m::intero},
                          {"s2", "", "second digit of the first side", 0, 9, m::intero},
                          {"s3", "", "third digit of the first side", 0, 9, m::intero},
                          {"rapp", "", "tens digit of the combined code", 0, 9, m::intero},
                          {"dx", "", "code of the second side", 0, 2, m::intero},
                          {"d1", "", "first digit of the second side", 0, 9, m::intero},
                          {"d2", "", "second digit of the second side", 0, 9, m::intero},
                          {"d3", "", "third digit of the second side", 0, 9, m::intero},
                          {"tempo", "", "the signal's time; kept only when sx is 2", 0, 255, m::tempo_segnale}};
constexpr c kRallentamento[] = {kPosizione,
                                {"v", "km/h", "the slowdown's speed", 0, 65535, m::intero},
                                {"l", "m", "its length: it ends at posizione + l", 0, kMax32, m::intero},
                                {"f_tt", "", "carried at the start and end points", 0, 65535, m::intero},
                                {"f_ta", "", "non-zero: four approach cells before the warning point", 0, 65535,
                                 m::intero},
                                {"d_v", "", "carried at the warning, start and end points when non-zero", 0, 65535,
                                 m::intero}};
constexpr c kStazione[] = {kPosizione,
                           {"tipo", "", "below 25 a stop; 5 to 8 have extents of their own", 0, 255, m::campo_u8},
                           {"lunghezza", "m", "the station's extent, a multiple of 100", 0, kMax32, m::intero},
                           {"opzione_1", "", "passed to the simulator", 0, 255, m::campo_u8},
                           {"opzione_5", "", "passed; 0 below 600 m and at the first station", 0, 255, m::campo_u8},
                           {"opzione_4", "", "non-zero moves the extent's end 50 m further", 0, 255, m::campo_u8},
                           {"param_1", "", "passed to the simulator", -32768, 32767, m::campo_i16},
                           {"param_2", "", "passed to the simulator", -32768, 32767, m::campo_i16},
                           {"opzione_2", "", "passed to the simulator", 0, 255, m::campo_u8},
                           {"param_3", "", "passed to the simulator", -32768, 32767, m::campo_i16},
                           {"param_4", "", "passed to the simulator", -32768, 32767, m::campo_i16},
                           {"param_5", "", "passed to the simulator", -32768, 32767, m::campo_i16},
                           {"opzione_3", "", "passed to the simulator", 0, 255, m::campo_u8},
                           {"ore", "h", "the station's time; 0 0 0 for none", 0, 23, m::intero},
                           {"minuti", "min", "", 0, 59, m::intero},
                           {"secondi", "s", "", 0, 59, m::intero},
                           {"nome", "", "the station's name, to the line's end", 0, 0, m::testo}};

// The line's rows: the general ones first, then the route ones.
constexpr tipo_riga kRigheLinea[] = {
    {"lunghezza percorso", genere_testo::linea, "[generale]", kLunghezzaPercorso, false, false},
    {"progressiva chilometrica uno", genere_testo::linea, "[generale]", kProgressiva, false, false},
    {"progressiva chilometrica due", genere_testo::linea, "[generale]", kProgressiva, false, false},
    {"progressiva chilometrica tre", genere_testo::linea, "[generale]", kProgressiva, false, false},
    {"sfondo uno", genere_testo::linea, "[generale]", kSfondo, false, false},
    {"sfondo due", genere_testo::linea, "[generale]", kSfondo, false, false},
    {"sfondo tre", genere_testo::linea, "[generale]", kSfondo, false, false},
    {"ripetizione segnali 4 codici", genere_testo::linea, "[generale]", kRipetizione, false, true},
    {"pendenza", genere_testo::linea, "[pendenze]", kPendenza, false, true},
    {"curvad1", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvad2", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvad3", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvad4", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvad5", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvad6", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvas1", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvas2", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvas3", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvas4", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvas5", genere_testo::linea, "[curve]", kCurva, false, true},
    {"curvas6", genere_testo::linea, "[curve]", kCurva, false, true},
    {"montagna", genere_testo::linea, "[montagne]", kMontagna, false, true},
    {"indicatori_vmax", genere_testo::linea, "[cartelli]", kIndicatore, true, true},
    {"cartello_indicatore", genere_testo::linea, "[indicazioni]", kCartello, false, true},
};
constexpr size_t kGeneraliLinea = 8;  // the first rows of kRigheLinea

constexpr tipo_riga kRigheServizio[] = {
    {"percentuale massa frenata", genere_testo::servizio, "[generale]", kMassaFrenata, false, false},
    {"numero vetture", genere_testo::servizio, "[generale]", kVetture, false, false},
    {"velocita", genere_testo::servizio, "[vel_limite]", kVelocita, false, true},
    {"aderenza", genere_testo::servizio, "[aderenze]", kAderenza, false, true},
    {"orologio", genere_testo::servizio, "[generale]", kOrologio, false, false},
    {"sabbia", genere_testo::servizio, "[generale]", kSabbia, false, false},
    {"segnale", genere_testo::servizio, "[segnali]", kSegnale, true, true},
    {"rallentamento", genere_testo::servizio, "[rallentamenti]", kRallentamento, true, true},
    {"abbattimento", genere_testo::servizio, "[segnali]", kAbbattimento, false, true},
    {"stazione", genere_testo::servizio, "[stazioni]", kStazione, true, true},
};

constexpr std::string_view kIntestazioniLinea[] = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                                   "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view kIntestazioniServizio[] = {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
                                                      "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

// The curve row a "curva" field names: its side and its first digit 1..6.
const tipo_riga* curva_di(std::string_view campo) {
  const bool sinistra = contiene_nc(campo, "curvas");
  for (char cifra = '1'; cifra <= '6'; ++cifra) {
    if (campo.find(cifra) != std::string_view::npos) return &kRigheLinea[9 + (sinistra ? 6 : 0) + (cifra - '1')];
  }
  return &kRigheLinea[sinistra ? 15 : 9];
}

const tipo_riga* riga_generale_linea(std::string_view campo) {
  if (contiene_nc(campo, "lunghezza") && contiene_nc(campo, "percorso")) return &kRigheLinea[0];
  constexpr std::string_view kNumeri[] = {"uno", "due", "tre"};
  for (size_t i = 0; i < 3; ++i) {
    if (contiene(campo, "progressiva") && contiene(campo, kNumeri[i])) return &kRigheLinea[1 + i];
  }
  for (size_t i = 0; i < 3; ++i) {
    if (contiene(campo, "sfondo") && contiene(campo, kNumeri[i])) return &kRigheLinea[4 + i];
  }
  if (contiene(campo, "ripetizione") && contiene(campo, "segnali")) return &kRigheLinea[7];
  return nullptr;
}

const tipo_riga* riga_percorso_linea(std::string_view campo) {
  if (contiene_nc(campo, "pendenza")) return &kRigheLinea[8];
  if (contiene_nc(campo, "curva")) return curva_di(campo);
  if (contiene_nc(campo, "montagna")) return &kRigheLinea[21];
  if (contiene_nc(campo, "indicatori_v")) return &kRigheLinea[22];
  if (contiene_nc(campo, "indicat") && contiene_nc(campo, "cartello")) return &kRigheLinea[23];
  return nullptr;
}

const tipo_riga* riga_servizio(std::string_view campo) {
  if (contiene_nc(campo, "frenata") && contiene_nc(campo, "massa")) return &kRigheServizio[0];
  if (contiene_nc(campo, "vetture")) return &kRigheServizio[1];
  if (contiene_nc(campo, "velocit")) return &kRigheServizio[2];
  if (contiene_nc(campo, "aderenza")) return &kRigheServizio[3];
  if (contiene_nc(campo, "orologio")) return &kRigheServizio[4];
  if (contiene_nc(campo, "sabbia")) return &kRigheServizio[5];
  if (contiene_nc(campo, "segnale")) return &kRigheServizio[6];
  if (contiene_nc(campo, "rallentamento")) return &kRigheServizio[7];
  if (contiene_nc(campo, "abbattimento")) return &kRigheServizio[8];
  if (contiene_nc(campo, "stazione")) return &kRigheServizio[9];
  return nullptr;
}

}  // namespace

std::span<const tipo_riga> tipi_riga(genere_testo t) {
  if (t == genere_testo::linea) return kRigheLinea;
  return kRigheServizio;
}

std::span<const std::string_view> intestazioni_testo(genere_testo t) {
  if (t == genere_testo::linea) return kIntestazioniLinea;
  return kIntestazioniServizio;
}

const tipo_riga* riconosci_riga(genere_testo t, std::string_view campo, bool sezione_generale) {
  if (t == genere_testo::servizio) return riga_servizio(campo);
  static_assert(std::size(kRigheLinea) > kGeneraliLinea);
  return sezione_generale ? riga_generale_linea(campo) : riga_percorso_linea(campo);
}

std::optional<int64_t> valore_memorizzato(const campo_riga& c, int64_t v) {
  switch (c.modo) {
    case conservazione::intero:
    case conservazione::testo: return v;
    case conservazione::campo_u8:
      if (v < 0 || v > 255) return std::nullopt;
      return v;
    case conservazione::campo_i16:
      if (v < -32768 || v > 32767) return std::nullopt;
      return v;
    case conservazione::byte_basso: return v & 0xFF;
    case conservazione::pendenza: return ((v + 100) & 0xFF) - 100;
    case conservazione::multiplo_5: return static_cast<int64_t>(nearest(static_cast<double>(v) / 5.0)) * 5;
    case conservazione::tempo_segnale:
      if (v >= 1 && v <= 100) return 101;
      return v & 0xFF;
  }
  return v;
}


}  // namespace sb
