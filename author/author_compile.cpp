#include "author/author_compile.h"

#include <optional>
#include <ostream>
#include <vector>

#include "compile/exit_status.h"
#include "report/diagnostic_printer.h"
#include "scenario/error_codes.h"
#include "scenario/error_text.h"
#include "text_input/utf8_input.h"

namespace sb {

diagnostiche_omesse sostituiti_omessi(const testo_convertito& c) {
  diagnostiche_omesse omesse;
  if (c.righe_sostituite > c.sostituiti.size()) {
    omesse[{gravita::avviso, 0, genere_avviso::carattere_sostituito}] = c.righe_sostituite - c.sostituiti.size();
  }
  return omesse;
}

esito_file leggi_testo_autore(const std::string& autore, std::optional<testo_autore>& testo, std::ostream& err) {
  if (autore.empty()) return {};
  testo_autore t{autore, "", ""};
  if (esito_file e = leggi_file(autore, t.originale); !e.ok) return e;
  // A text that is UTF-16 or UTF-32 or holds NUL bytes is not copied as notes.
  if (std::optional<testo_rifiutato> no = rifiuta_testo(t.originale)) {
    const std::string dove = no->dove.riga == 0 ? "" : "line " + std::to_string(no->dove.riga) + ": ";
    return esito_file{false, autore, dove + no->motivo};
  }
  testo_convertito c = prepara_testo(t.originale);
  std::vector<segnalazione> sostituiti;
  for (const punto_testo& p : c.sostituiti) {
    segnalazione d = del_programma(gravita::avviso, "a character with no code page 1252 form is replaced by \"?\"");
    d.genere = genere_avviso::carattere_sostituito;
    d.dove = {autore, p.riga, p.colonna, p.colonna};
    sostituiti.push_back(std::move(d));
  }
  opzioni_stampa senza_sorgente;
  senza_sorgente.sorgente = false;
  stampa_segnalazioni(sostituiti, {}, senza_sorgente, err, sostituiti_omessi(c));
  t.byte = std::move(c.byte);
  testo = std::move(t);
  return {};
}

richiesta_compile richiesta_di(const opzioni_compile& o, const std::optional<testo_autore>& linea,
                               const std::optional<testo_autore>& servizio) {
  richiesta_compile richiesta;
  if (linea) richiesta.testo_linea = linea->byte;
  if (servizio) richiesta.testo_servizio = servizio->byte;
  // Names are stored in code page 1252 like the texts; the file names keep
  // them as given.
  richiesta.nome_linea = prepara_testo(o.nome_linea).byte;
  richiesta.numero_treno = prepara_testo(o.numero_treno).byte;
  richiesta.flag_griglia = o.senza_griglia ? 0 : 1;
  return richiesta;
}

std::string riga_esito(const scenario& s) {
  return "codice_errore=" + std::to_string(s.codice_errore) +
         " posizione_errore=" + std::to_string(s.posizione_errore);
}

int stato_compile(const risultato_compile& r, std::ostream& err) {
  const scenario& s = r.s;
  if (r.fine == fine_compile::guardia) err << testo_errore(std::to_string(r.numero_guardia)) << "\n";
  if (r.fine == fine_compile::senza_celle && s.codice_errore == kNessunErrore) {
    err << "no route length was read: no binary file written\n";
  }
  if (r.fine == fine_compile::guardia) return kUscitaGuardia;
  if (s.codice_errore != kNessunErrore || r.fine == fine_compile::senza_celle) return kUscitaCodice;
  return kUscitaPulita;
}

}  // namespace sb
