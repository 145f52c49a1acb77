#include "running_time/train_profile_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "grammar/row_kinds.h"
#include "scenario/unknown_field.h"
#include "text_input/field_reader.h"
#include "text_input/keywords.h"
#include "text_input/suggestions.h"
#include "grammar/text_kinds.h"

namespace sb {
namespace {

// What a keyword's second row does.
enum class ripetizione {
  sostituisce,  // replaces the first: the last row counts
  aggiunge,     // adds a term
  tabella,      // adds a row of a table, in ascending order of its first value
};

// What a row does with its values.
using applica_riga = void (*)(profilo_treno& p, const double* v);

// What the reader does with one row kind of the grammar's train profile.
struct chiave_profilo {
  id_riga id;
  ripetizione righe;
  applica_riga applica;
};

constexpr chiave_profilo kChiavi[] = {
    {id_riga::massa_per_veicolo, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.massa_veicolo_t = v[0]; }},
    {id_riga::lunghezza_per_veicolo, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.lunghezza_veicolo_m = v[0]; }},
    {id_riga::massa, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.massa_t = v[0]; }},
    {id_riga::lunghezza, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.lunghezza_m = v[0]; }},
    {id_riga::masse_rotanti, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.masse_rotanti = v[0]; }},
    {id_riga::accelerazione_di_spunto, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.accelerazione_spunto = v[0]; }},
    {id_riga::potenza_per_tonnellata, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.potenza_tonnellata_kw = v[0]; }},
    {id_riga::potenza, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.potenza_kw = v[0]; }},
    {id_riga::davis, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) {
       p.davis_a = v[0];
       p.davis_b = v[1];
       p.davis_c = v[2];
     }},
    {id_riga::resistenza, ripetizione::aggiunge,
     [](profilo_treno& p, const double* v) {
       p.resistenze.push_back({v[0], v[1], v[2], v[3]});
     }},
    {id_riga::vento, ripetizione::sostituisce, [](profilo_treno& p, const double* v) { p.vento_kmh = v[0]; }},
    {id_riga::sforzo, ripetizione::tabella,
     [](profilo_treno& p, const double* v) {
       p.sforzo.push_back({v[0], v[1]});
     }},
    {id_riga::frenatura_di_servizio, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.frenatura = v[0]; }},
    {id_riga::velocita_massima, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.velocita_massima_kmh = v[0]; }},
    {id_riga::sosta_minima, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.sosta_minima_s = v[0]; }},
    {id_riga::margine_di_recupero, ripetizione::sostituisce,
     [](profilo_treno& p, const double* v) { p.margine_recupero = v[0]; }},
};

// A value's name in messages: its name and unit, "mass in t".
std::string nome_valore(const campo_riga& c) {
  return c.unita.empty() ? std::string(c.nome) : std::string(c.nome) + " in " + std::string(c.unita);
}

// The most values a row takes.
constexpr size_t kValoriMassimi = 4;

// A number with an optional sign, decimal point and exponent, as "0.08",
// "-3" or "1e9".
std::optional<double> numero_decimale(std::string_view token) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  if (token.empty() || token.find_first_not_of("0123456789.eE+-") != std::string_view::npos) return std::nullopt;
  double v = 0;
  const auto [fine, errore] = std::from_chars(token.data(), token.data() + token.size(), v);
  if (errore != std::errc{} || fine != token.data() + token.size() || !std::isfinite(v)) return std::nullopt;
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
      const std::string forma = forma_chiave_profilo(campo);
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
    const tipo_riga* t = riconosci_riga(genere_testo::profilo, forma, false);
    for (const chiave_profilo& k : kChiavi) {
      if (t != nullptr && k.id == t->id) return &k;
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
    const std::string_view forse =
        suggerisci(forma_chiave_profilo(campo), parole_chiave(genere_testo::profilo, ambito_riga::corpo));
    testo += forse.empty() ? ":" : "; did you mean '" + std::string(forse) + "'?";
    segnala(gravita::errore, genere_avviso::chiave_sconosciuta, c.riga, c.colonna, 0,
            testo + " the row is not read");
  }

  void leggi_riga(const chiave_profilo& k, const campo_letto& chiave) {
    const tipo_riga& t = tipo_di(k.id);
    const std::string parola(t.parola);
    std::array<double, kValoriMassimi> valori{};
    std::array<campo_letto, kValoriMassimi> campi{};
    std::string campo;
    for (size_t i = 0; i < t.campi.size(); ++i) {
      if (riga_chiusa()) {
        const campo_letto& ultimo = i == 0 ? chiave : campi[i - 1];
        segnala(gravita::errore, genere_avviso::nessuno, ultimo.riga_fine, ultimo.colonna_fine, 1,
                "'" + parola + "' takes " + valori_testo(t.campi.size()) + ", the row ends after " + std::to_string(i) +
                    ": the " + nome_valore(t.campi[i]) + " is missing");
        return;
      }
      l_.leggi_testo(campo);
      campi[i] = l_.ultimo();
      const std::optional<double> v = numero_decimale(campo);
      if (!v) {
        errore(campi[i], "expected a number for the " + nome_valore(t.campi[i]) + " of '" + parola + "', found '" +
                             campo + "': write it as 45, 0.08 or 1e9");
        salta_riga();
        return;
      }
      valori[i] = *v;
    }
    if (!in_piu(t)) return;
    for (size_t i = 0; i < t.campi.size(); ++i) {
      if (!nell_intervallo(t, i, valori[i], campi[i])) return;
    }
    if (!in_ordine(k, valori[0], campi[0])) return;
    ripetuta(k, t, chiave);
    k.applica(out_.profilo, valori.data());
  }

  // After the row's values: anything but an empty field left on the line is
  // an error. False when there was something.
  bool in_piu(const tipo_riga& t) {
    if (riga_chiusa()) return true;
    std::string campo;
    l_.leggi_testo(campo);
    const campo_letto oltre = l_.ultimo();
    if (campo.empty() && riga_chiusa()) return true;
    salta_riga();
    errore(oltre, "'" + std::string(t.parola) + "' takes " + valori_testo(t.campi.size()) +
                      "; more stand on the line (decimals take a point: 0.08, not 0,08)");
    return false;
  }

  bool nell_intervallo(const tipo_riga& t, size_t i, double v, const campo_letto& c) {
    const campo_riga& vk = t.campi[i];
    const double minimo = vk.minimo_reale > 0 ? vk.minimo_reale : static_cast<double>(vk.minimo);
    const double massimo = static_cast<double>(vk.massimo);
    const bool sotto = vk.minimo_escluso ? v <= minimo : v < minimo;
    if (!sotto && v <= massimo) return true;
    std::string intervallo = vk.minimo_escluso ? "above " + numero_testo(minimo) : "from " + numero_testo(minimo);
    intervallo += vk.minimo_escluso ? " up to " + numero_testo(massimo) : " to " + numero_testo(massimo);
    errore(c, "the " + nome_valore(vk) + " of '" + std::string(t.parola) + "' must be " + intervallo + ", not " +
                  numero_testo(v));
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
  void ripetuta(const chiave_profilo& k, const tipo_riga& t, const campo_letto& chiave) {
    if (k.righe != ripetizione::sostituisce) return;
    const auto [dove, nuova] = righe_date_.try_emplace(t.parola, chiave.riga);
    if (nuova) return;
    segnala(gravita::avviso, genere_avviso::sovrascrittura, chiave.riga, chiave.colonna, 0,
            "'" + std::string(t.parola) + "' is set again: this row replaces line " + std::to_string(dove->second));
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
