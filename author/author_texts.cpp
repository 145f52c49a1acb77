#include "author/author_texts.h"

#include <ostream>
#include <vector>

#include "platform/files.h"
#include "scenario/error_codes.h"
#include "text_input/keywords.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// The texts as read, and what reading them found.
struct testi_autore {
  std::optional<testo_autore> linea;  // none when no file was given
  std::optional<testo_autore> servizio;
  std::vector<diagnostica> letture;   // characters replaced, texts refused
  diagnostiche_omesse omesse;         // lines with a character replaced past those listed
  bool rifiutato = false;             // a text is no description text: nothing is compiled
};

// Reads one text; nothing when no file was given.
esito_file leggi_uno(const std::string& nome, origine_errore origine, std::optional<testo_autore>& testo,
                     testi_autore& t) {
  if (nome.empty()) return {};
  testo_autore letto{nome, "", ""};
  if (esito_file e = leggi_file(nome, letto.originale); !e.ok) return e;
  if (std::optional<testo_rifiutato> no = rifiuta_testo(letto.originale)) {
    diagnostica d;
    d.origine = origine;
    d.riga = no->dove.riga;
    d.colonna = no->dove.colonna;
    d.larghezza = 1;  // one byte is at fault, not its field
    d.messaggio = no->motivo;
    t.letture.push_back(d);
    t.rifiutato = true;
    letto.byte = letto.originale;  // shown as it stands
    testo = std::move(letto);
    return {};
  }
  testo_convertito c = prepara_testo(letto.originale);
  for (const punto_testo& p : c.sostituiti) {
    diagnostica d;
    d.livello = gravita::avviso;
    d.genere = genere_avviso::carattere_sostituito;
    d.origine = origine;
    d.riga = p.riga;
    d.colonna = p.colonna;
    d.larghezza = 1;
    d.messaggio = "a character with no code page 1252 form is replaced by \"?\"";
    t.letture.push_back(d);
  }
  if (c.righe_sostituite > c.sostituiti.size()) {
    t.omesse[{gravita::avviso, 0, genere_avviso::carattere_sostituito}] += c.righe_sostituite - c.sostituiti.size();
  }
  letto.byte = std::move(c.byte);
  testo = std::move(letto);
  return {};
}

// A remark for a code about a text the author did not give.
void segnala_mancanti(const opzioni_compile& o, std::vector<diagnostica>& d) {
  for (diagnostica& x : d) {
    const std::string resto = testo_mancante(x, o);
    if (resto.empty()) continue;
    x.messaggio = (x.messaggio.empty() ? std::string(significato(x.codice)) : x.messaggio) + resto;
  }
}

// A note when the line description looks like a service description: the
// author may have swapped the two files.
void forse_scambiati(const testi_autore& t, std::vector<diagnostica>& d) {
  if (!t.linea || contiene_nc(t.linea->byte, "lunghezza") || !contiene_nc(t.linea->byte, "stazione")) return;
  diagnostica n;
  n.livello = gravita::nota;
  n.genere = genere_avviso::testo_senza;
  n.origine = origine_errore::testo_linea;
  n.messaggio = "this looks like a service description: it has 'stazione' rows and no 'lunghezza percorso'";
  if (t.servizio && contiene_nc(t.servizio->byte, "lunghezza")) n.messaggio += "; are --line and --service swapped?";
  d.push_back(n);
}

// Reads the texts the author named: a file that cannot be read is the
// failure; a text that is UTF-16 or holds NUL bytes is refused among the
// diagnostics.
esito_file leggi_testi(const opzioni_compile& o, testi_autore& t) {
  if (esito_file e = leggi_uno(o.linea, origine_errore::testo_linea, t.linea, t); !e.ok) return e;
  return leggi_uno(o.servizio, origine_errore::testo_servizio, t.servizio, t);
}

// The whole compile of the texts in memory.
risultato_compile compila_autore(const opzioni_compile& o, const testi_autore& t) {
  return compila(richiesta_di(o, t.linea, t.servizio));
}

// Shows what reading found, then every diagnostic of the compile (none when
// it did not run).
conteggio_diagnostiche mostra_diagnostiche(const opzioni_compile& o, const testi_autore& t, const scenario* s,
                                           std::ostream& err) {
  std::vector<diagnostica> tutte = t.letture;
  diagnostiche_omesse omesse = t.omesse;
  if (s != nullptr) tutte.insert(tutte.end(), s->diagnostiche.begin(), s->diagnostiche.end());
  if (s != nullptr) somma_omesse(omesse, s->limite.omesse);
  if (s != nullptr) forse_scambiati(t, tutte);
  segnala_mancanti(o, tutte);
  opzioni_stampa stampa;
  stampa.colore = o.colore;
  const testo_autore nessuno;  // the texts are shown where they are, not copied
  return stampa_diagnostiche(tutte, t.linea ? *t.linea : nessuno, t.servizio ? *t.servizio : nessuno, stampa, err,
                             omesse);
}

}  // namespace

std::optional<compile_mostrato> compila_e_mostra(const opzioni_compile& o, std::ostream& err) {
  testi_autore t;
  if (esito_file e = leggi_testi(o, t); !e.ok) {
    err << e.messaggio() << "\n";
    return std::nullopt;
  }
  if (t.rifiutato) {
    mostra_diagnostiche(o, t, nullptr, err);
    return std::nullopt;
  }
  risultato_compile r = compila_autore(o, t);
  const conteggio_diagnostiche conti = mostra_diagnostiche(o, t, &r.s, err);
  // The texts are moved, not copied: a text of 64 MiB is held twice at most
  // (as read and as compiled).
  return compile_mostrato{std::move(r), conti, std::move(t.linea).value_or(testo_autore{}),
                          std::move(t.servizio).value_or(testo_autore{})};
}


}  // namespace sb
