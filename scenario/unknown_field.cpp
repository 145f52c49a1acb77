#include "scenario/unknown_field.h"

#include <string>

#include "scenario/row_reader.h"
#include "text_input/keywords.h"
#include "text_input/suggestions.h"

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
