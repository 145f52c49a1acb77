#include "running_time/train_profile_reader.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "scenario/unknown_field.h"
#include "text_input/field_reader.h"
#include "text_input/keywords.h"
#include "text_input/suggestions.h"
#include "text_input/text_kinds.h"

namespace sb {
namespace {

// One value of a row: its name in messages and its range.
struct valore_chiave {
  std::string_view nome;
  double minimo;
  bool minimo_escluso;  // the value must be above the minimum
  double massimo;
};

// What a row does with its values.
using applica_riga = void (*)(profilo_treno& p, const double* v);

// What a keyword's second row does.
enum class ripetizione {
  sostituisce,  // replaces the first: the last row counts
  aggiunge,     // adds a term
  tabella,      // adds a row of a table, in ascending order of its first value
};

// One keyword of the profile.
struct chiave_profilo {
  std::string_view parola;
  std::span<const valore_chiave> valori;
  ripetizione righe;
  applica_riga applica;
};

constexpr valore_chiave kMassa[] = {{"mass in t", 0, true, 1e6}};
constexpr valore_chiave kLunghezza[] = {{"length in m", 0, true, 1e5}};
constexpr valore_chiave kMasseRotanti[] = {{"allowance", 0, false, 1}};
constexpr valore_chiave kAccelerazione[] = {{"acceleration in m/s2", 0, true, 10}};
constexpr valore_chiave kPotenzaTonnellata[] = {{"power in kW/t", 0, true, 1e4}};
constexpr valore_chiave kPotenza[] = {{"power in kW", 0, true, 1e8}};
constexpr valore_chiave kDavis[] = {
    {"A in N/t", 0, false, 1e4}, {"B in N/t per km/h", 0, false, 1e3}, {"C in N/t per (km/h)2", 0, false, 10}};
constexpr valore_chiave kResistenza[] = {{"mass in t", 0, true, 1e6},
                                         {"A in N/t", 0, false, 1e4},
                                         {"B in N/t per km/h", 0, false, 1e3},
                                         {"C in N/t per (km/h)2", 0, false, 10}};
constexpr valore_chiave kVento[] = {{"wind in km/h", 0, false, 200}};
constexpr valore_chiave kSforzo[] = {{"speed in km/h", 0, false, 1275}, {"effort in N", 0, false, 1e8}};
constexpr valore_chiave kFrenatura[] = {{"rate in m/s2", 0, true, 10}};
constexpr valore_chiave kVelocita[] = {{"speed in km/h", 0, true, 1275}};
constexpr valore_chiave kSosta[] = {{"dwell in s", 0, false, 86400}};
constexpr valore_chiave kMargine[] = {{"margin in per cent", 0, false, 1000}};

constexpr chiave_profilo kChiavi[] = {
    {"massa per veicolo", kMassa, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.massa_veicolo_t = v[0]; }},
    {"lunghezza per veicolo", kLunghezza, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.lunghezza_veicolo_m = v[0]; }},
    {"massa", kMassa, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.massa_t = v[0]; }},
    {"lunghezza", kLunghezza, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.lunghezza_m = v[0]; }},
    {"masse rotanti", kMasseRotanti, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.masse_rotanti = v[0]; }},
    {"accelerazione di spunto", kAccelerazione, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.accelerazione_spunto = v[0]; }},
    {"potenza per tonnellata", kPotenzaTonnellata, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.potenza_tonnellata_kw = v[0]; }},
    {"potenza", kPotenza, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.potenza_kw = v[0]; }},
    {"davis", kDavis, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) {
       p.davis_a = v[0];
       p.davis_b = v[1];
       p.davis_c = v[2];
     }},
    {"resistenza", kResistenza, ripetizione::aggiunge,
     [](profilo_treno& p, const double* v) { p.resistenze.push_back({v[0], v[1], v[2], v[3]}); }},
    {"vento", kVento, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.vento_kmh = v[0]; }},
    {"sforzo", kSforzo, ripetizione::tabella, [](profilo_treno& p, const double* v) { p.sforzo.push_back({v[0], v[1]}); }},
    {"frenatura di servizio", kFrenatura, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.frenatura = v[0]; }},
    {"velocita massima", kVelocita, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.velocita_massima_kmh = v[0]; }},
    {"sosta minima", kSosta, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.sosta_minima_s = v[0]; }},
    {"margine di recupero", kMargine, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.margine_recupero = v[0]; }},
};

// The keywords as written, for "did you mean".
constexpr std::array<std::string_view, std::size(kChiavi)> parole_chiave() {
  std::array<std::string_view, std::size(kChiavi)> parole{};
  for (size_t i = 0; i < std::size(kChiavi); ++i) parole[i] = kChiavi[i].parola;
  return parole;
}
constexpr auto kParole = parole_chiave();

// The most values a row takes.
constexpr size_t kValoriMassimi = 4;

// A field as the keywords are compared with it: lower case, no blanks
// around it, an accented a as a plain one ("velocità").
std::string forma_chiave(std::string_view campo) {
  std::string forma = forma_confrontabile(campo);
  for (char& c : forma) {
    if (static_cast<unsigned char>(c) == 0xE0) c = 'a';
  }
  return forma;
}

// A number with an optional sign and decimal point, as "0.08" or "-3".
std::optional<double> numero_decimale(std::string_view token) {
  const forma_numero forma = forma_di(token);
  if (forma != forma_numero::intero && forma != forma_numero::intero_largo && forma != forma_numero::decimale) {
    return std::nullopt;
  }
  if (token.front() == '+') token.remove_prefix(1);
  double v = 0;
  const auto [fine, errore] = std::from_chars(token.data(), token.data() + token.size(), v);
  if (errore != std::errc{} || fine != token.data() + token.size()) return std::nullopt;
  return v;
}

// A value for an author: as short as it reads.
std::string numero_testo(double v) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%g", v);
  return testo;
}

// "1 value", "3 values".
std::string valori_testo(size_t n) { return std::to_string(n) + (n == 1 ? " value" : " values"); }

// The reading of one profile text.
class lettore_profilo_treno {
 public:
  explicit lettore_profilo_treno(std::string_view testo) : testo_(testo), l_(testo) { salta_preambolo(testo); }

  lettura_profilo esegui() {
    if (const specie_testo g = genere_del_testo(testo_); g == specie_testo::linea || g == specie_testo::servizio) {
      segnala(gravita::errore, genere_avviso::nessuno, 0, 0, 0,
              "this is " + std::string(nome_testo(g)) + ", not a train profile: give it with " +
                  std::string(opzione_testo(g)));
      return std::move(out_);
    }
    leggi_righe();
    if (!letta_una_riga_ && out_.diagnostiche.empty()) {
      segnala(gravita::errore, genere_avviso::testo_senza, 0, 0, 0,
              "the train profile sets nothing: write its rows ('massa per veicolo, 45'...), or leave out "
              "--train-profile for the default train");
    }
    return std::move(out_);
  }

 private:
  // Every row up to "[fine]" or the end of the text.
  void leggi_righe() {
    std::string campo;
    while (!l_.finito()) {
      l_.leggi_testo(campo);
      const campo_letto chiave = l_.ultimo();
      const std::string forma = forma_chiave(campo);
      if (forma.empty() || contiene(forma, "-")) {
        salta_riga();
        continue;
      }
      if (intestazione(forma)) {
        if (forma == "[fine]") break;
        salta_riga();
        continue;
      }
      const chiave_profilo* k = trova(forma);
      if (k == nullptr) {
        sconosciuta(campo, chiave);
        salta_riga();
        continue;
      }
      letta_una_riga_ = true;
      leggi_riga(*k, chiave);
    }
  }

  static const chiave_profilo* trova(std::string_view forma) {
    for (const chiave_profilo& k : kChiavi) {
      if (k.parola == forma) return &k;
    }
    return nullptr;
  }

  // Whether nothing but blanks (after a last comma) is left of the line of
  // the last field read, or of the text.
  bool riga_chiusa() const {
    if (l_.finito()) return true;
    const std::string_view resto = l_.resto_della_riga();
    const size_t primo = resto.find_first_not_of(" \t");
    return primo == std::string_view::npos || (resto[primo] == ',' && primo == 0 &&
                                               resto.find_first_not_of(" \t", 1) == std::string_view::npos);
  }

  // A text that holds "[treno]" has a preamble up to it, as the
  // descriptions have up to theirs: passes over it.
  void salta_preambolo(std::string_view testo) {
    if (!contiene_nc(testo, "[treno]")) return;
    std::string campo;
    while (!l_.finito()) {
      l_.leggi_testo(campo);
      if (contiene_nc(campo, "[treno]")) return;
    }
  }

  // Passes over what is left of the line.
  void salta_riga() {
    std::string campo;
    while (!riga_chiusa()) l_.leggi_testo(campo);
  }

  void segnala(gravita livello, genere_avviso genere, int32_t riga, int32_t colonna, int32_t larghezza,
               std::string messaggio) {
    out_.diagnostiche.push_back(
        {livello, 0, genere, origine_errore::profilo_treno, riga, colonna, larghezza, 0, std::move(messaggio)});
  }

  void errore(const campo_letto& c, std::string messaggio) {
    segnala(gravita::errore, genere_avviso::nessuno, c.riga, c.colonna, 0, std::move(messaggio));
  }

  void sconosciuta(std::string_view campo, const campo_letto& c) {
    if (const specie_testo g = testo_della_parola(campo); g == specie_testo::linea || g == specie_testo::servizio) {
      segnala(gravita::errore, genere_avviso::chiave_sconosciuta, c.riga, c.colonna, 0,
              "'" + std::string(campo) + "' is a row of " + std::string(nome_testo(g)) +
                  ", not of a train profile: the row is not read; move it to " + std::string(nome_testo(g)));
      return;
    }
    std::string testo = "unknown keyword '" + std::string(campo) + "'";
    const std::string_view forse = suggerisci(forma_chiave(campo), kParole);
    testo += forse.empty() ? ":" : "; did you mean '" + std::string(forse) + "'?";
    segnala(gravita::errore, genere_avviso::chiave_sconosciuta, c.riga, c.colonna, 0,
            testo + " the row is not read");
  }

  void leggi_riga(const chiave_profilo& k, const campo_letto& chiave) {
    const std::string parola(k.parola);
    std::array<double, kValoriMassimi> valori{};
    std::array<campo_letto, kValoriMassimi> campi{};
    std::string campo;
    for (size_t i = 0; i < k.valori.size(); ++i) {
      if (riga_chiusa()) {
        const campo_letto& ultimo = i == 0 ? chiave : campi[i - 1];
        segnala(gravita::errore, genere_avviso::nessuno, ultimo.riga_fine, ultimo.colonna_fine, 1,
                "'" + parola + "' takes " + valori_testo(k.valori.size()) + ", the row ends after " +
                    std::to_string(i) + ": the " + std::string(k.valori[i].nome) + " is missing");
        return;
      }
      l_.leggi_testo(campo);
      campi[i] = l_.ultimo();
      const std::optional<double> v = numero_decimale(campo);
      if (!v) {
        errore(campi[i], "expected a number for the " + std::string(k.valori[i].nome) + " of '" + parola +
                             "', found '" + campo + "'");
        salta_riga();
        return;
      }
      valori[i] = *v;
    }
    if (!in_piu(k)) return;
    for (size_t i = 0; i < k.valori.size(); ++i) {
      if (!nell_intervallo(k, i, valori[i], campi[i])) return;
    }
    if (!in_ordine(k, valori[0], campi[0])) return;
    ripetuta(k, chiave);
    k.applica(out_.profilo, valori.data());
  }

  // After the row's values: anything but an empty field left on the line is
  // an error. False when there was something.
  bool in_piu(const chiave_profilo& k) {
    if (riga_chiusa()) return true;
    std::string campo;
    l_.leggi_testo(campo);
    const campo_letto oltre = l_.ultimo();
    if (campo.empty() && riga_chiusa()) return true;
    salta_riga();
    errore(oltre, "'" + std::string(k.parola) + "' takes " + valori_testo(k.valori.size()) +
                      "; more stand on the line (decimals take a point: 0.08, not 0,08)");
    return false;
  }

  bool nell_intervallo(const chiave_profilo& k, size_t i, double v, const campo_letto& c) {
    const valore_chiave& vk = k.valori[i];
    const bool sotto = vk.minimo_escluso ? v <= vk.minimo : v < vk.minimo;
    if (!sotto && v <= vk.massimo) return true;
    std::string intervallo = vk.minimo_escluso ? "above " + numero_testo(vk.minimo) : "from " + numero_testo(vk.minimo);
    intervallo += vk.minimo_escluso ? " up to " + numero_testo(vk.massimo) : " to " + numero_testo(vk.massimo);
    errore(c, "the " + std::string(vk.nome) + " of '" + std::string(k.parola) + "' must be " + intervallo +
                  ", not " + numero_testo(v));
    return false;
  }

  // The effort table's rows must rise in speed.
  bool in_ordine(const chiave_profilo& k, double velocita, const campo_letto& c) {
    if (k.righe != ripetizione::tabella || out_.profilo.sforzo.empty()) return true;
    const double prima = out_.profilo.sforzo.back().velocita_kmh;
    if (velocita > prima) return true;
    errore(c, "the rows of 'sforzo' must rise in speed: " + numero_testo(velocita) + " km/h after " +
                  numero_testo(prima) + " km/h");
    return false;
  }

  // A parameter set again: the later row counts, and the author is told.
  void ripetuta(const chiave_profilo& k, const campo_letto& chiave) {
    if (k.righe != ripetizione::sostituisce) return;
    const auto [dove, nuova] = righe_date_.try_emplace(k.parola, chiave.riga);
    if (nuova) return;
    segnala(gravita::avviso, genere_avviso::sovrascrittura, chiave.riga, chiave.colonna, 0,
            "'" + std::string(k.parola) + "' is set again: this row replaces line " + std::to_string(dove->second));
    dove->second = chiave.riga;
  }

  std::string_view testo_;
  lettore_campi l_;
  lettura_profilo out_;
  bool letta_una_riga_ = false;  // a keyword of the profile was met
  std::map<std::string_view, int32_t> righe_date_;  // the line of each parameter's last row
};

}  // namespace

bool lettura_profilo::con_errori() const {
  for (const diagnostica& d : diagnostiche) {
    if (d.livello == gravita::errore) return true;
  }
  return false;
}

lettura_profilo leggi_profilo_treno(std::string_view testo) { return lettore_profilo_treno(testo).esegui(); }

}  // namespace sb
