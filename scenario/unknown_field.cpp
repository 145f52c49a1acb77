#include "scenario/unknown_field.h"

#include <string>

#include "scenario/row_reader.h"
#include "text_input/keywords.h"
#include "text_input/suggestions.h"
#include "grammar/text_kinds.h"

namespace sb {

bool intestazione(std::string_view campo) {
  const size_t apre = campo.find('[');
  return apre != std::string_view::npos && campo.find(']', apre) != std::string_view::npos;
}

std::string forma_confrontabile(std::string_view campo) {
  const size_t inizio = campo.find_first_not_of(" \t");
  if (inizio == std::string_view::npos) return {};
  const size_t fine = campo.find_last_not_of(" \t");
  return minuscolo_cp1252(campo.substr(inizio, fine - inizio + 1));
}

namespace {

// Where a row of the other description, or of a train profile, goes.
std::string dove_va(const scenario& s, specie_testo g) {
  if (g == specie_testo::linea) return "move it to " + s.nome_linea + "_linea.txt";
  if (g == specie_testo::servizio) return "move it to " + s.nome_linea + "_" + s.numero_treno + "-.txt";
  return "move it to the train profile, given with --train-profile";
}

// A keyword of another text where this one is read: named as such. False
// when the field is no other text's keyword.
bool riga_di_altro_testo(scenario& s, origine_errore origine, const luogo_testo& dove, std::string_view campo) {
  const specie_testo questo = origine == origine_errore::testo_linea ? specie_testo::linea : specie_testo::servizio;
  const specie_testo altro = testo_della_parola(campo);
  if (altro == specie_testo::nessuno || altro == questo) return false;
  registra_avviso(s, genere_avviso::chiave_sconosciuta, dove,
                  cita(campo) + " is a row of " + std::string(nome_testo(altro)) + ", not of " +
                      std::string(nome_testo(questo)) + ": the row is skipped; " + dove_va(s, altro));
  return true;
}

}  // namespace

void campo_sconosciuto(scenario& s, const lettore_campi& l, origine_errore origine, std::string_view campo,
                       const vocabolario& v) {
  const campo_letto& c = l.ultimo();
  if (!c.primo_della_riga || contiene(campo, "-")) return;
  const std::string forma = forma_confrontabile(campo);
  if (forma.empty()) return;
  const luogo_testo dove{origine, c.riga, c.colonna};
  const std::string scritto = cita(campo);
  if (intestazione(forma)) {
    for (std::string_view h : v.intestazioni) {
      if (forma == h) return;
    }
    std::string testo = "unknown section header " + scritto;
    if (std::string_view forse = suggerisci(forma, v.intestazioni); !forse.empty()) {
      testo += "; did you mean '" + std::string(forse) + "'?";
    }
    registra_avviso(s, genere_avviso::intestazione_sconosciuta, dove, testo);
    return;
  }
  if (riga_di_altro_testo(s, origine, dove, campo)) return;
  const forma_numero numero = forma_di(forma);
  if (numero == forma_numero::intero || numero == forma_numero::decimale) {
    registra_avviso(s, genere_avviso::chiave_sconosciuta, dove,
                    "a value where a keyword goes: " + scritto + " is skipped");
    return;
  }
  if (std::string_view forse = suggerisci(forma, v.parole); !forse.empty()) {
    registra_avviso(s, genere_avviso::chiave_sconosciuta, dove,
                    "unknown keyword " + scritto + "; did you mean '" + std::string(forse) + "'? the row is skipped");
    return;
  }
  registra_avviso(s, genere_avviso::chiave_sconosciuta, dove,
                  scritto + " matches no keyword and is skipped; begin a remark with '-'");
}

}  // namespace sb
