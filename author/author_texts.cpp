#include "author/author_texts.h"

#include <ostream>
#include <vector>

#include "author/cascades.h"
#include "author/compiled_file.h"
#include "author/document_warnings.h"
#include "author/run_findings.h"
#include "author/text_placement.h"
#include "platform/files.h"
#include "report/compile_diagnostics.h"
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

// Takes one text as read: refused when it is no description text (shown as
// it stands), else converted from UTF-8 with a warning where a "?" stands in.
void prepara_uno(testo_autore letto, origine_errore origine, std::optional<testo_autore>& testo, testi_autore& t) {
  if (std::optional<testo_rifiutato> no = rifiuta_testo(letto.originale)) {
    diagnostica d;
    d.origine = origine;
    d.riga = no->dove.riga;
    d.colonna = no->dove.colonna;
    d.larghezza = 1;  // one byte is at fault, not its field
    d.messaggio = no->motivo;
    // A compiled file is named as such, wherever its first NUL byte stands.
    if (std::optional<std::string> compilato = file_compilato(letto.originale)) {
      d.riga = 0;
      d.colonna = 0;
      d.messaggio = *compilato;
    }
    t.letture.push_back(d);
    t.rifiutato = true;
    letto.byte = letto.originale;  // shown as it stands
    testo = std::move(letto);
    return;
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
  somma_omesse(t.omesse, sostituiti_omessi(c));
  letto.byte = std::move(c.byte);
  testo = std::move(letto);
}

// Reads one text as it stands; nothing when no file was given.
esito_file leggi_uno(const std::string& nome, std::optional<testo_autore>& testo) {
  if (nome.empty()) return {};
  testo_autore letto{nome, "", ""};
  if (esito_file e = leggi_file(nome, letto.originale); !e.ok) return e;
  testo = std::move(letto);
  return {};
}

// The whole compile of the texts in memory, and what reading on past its
// first error found.
compile_letto_oltre compila_autore(const opzioni_compile& o, const testi_autore& t) {
  return compila_e_leggi_oltre(richiesta_di(o, t.linea, t.servizio));
}

// What reading found, then every diagnostic of the compile and those found
// reading on past its first error (none when it did not run), the warnings
// of the driver's documents of a clean compile, the notes the texts call
// for, and the timetable against the train's fastest run.
std::vector<diagnostica> tutte_le_diagnostiche(const testi_autore& t, const compile_letto_oltre* c,
                                               const profilo_treno& p, bool orario) {
  std::vector<diagnostica> tutte = t.letture;
  const scenario* s = c != nullptr ? &c->r.s : nullptr;
  if (s != nullptr) tutte.insert(tutte.end(), s->diagnostiche.begin(), s->diagnostiche.end());
  if (c != nullptr) tutte.insert(tutte.end(), c->ulteriori.begin(), c->ulteriori.end());
  if (c != nullptr) {
    const std::vector<diagnostica> documenti = avvisi_documenti(c->r);
    tutte.insert(tutte.end(), documenti.begin(), documenti.end());
  }
  if (c != nullptr && orario) {
    const std::vector<diagnostica> marcia = rilievi_marcia(*c, p, tutte);
    tutte.insert(tutte.end(), marcia.begin(), marcia.end());
  }
  togli_conseguenze(tutte);
  if (s != nullptr) testi_fuori_posto(t.linea, t.servizio, tutte);
  return tutte;
}

// The diagnostics reading and the compile counted but did not keep.
diagnostiche_omesse tutte_le_omesse(const testi_autore& t, const compile_letto_oltre* c) {
  diagnostiche_omesse omesse = t.omesse;
  if (c != nullptr) somma_omesse(omesse, c->omesse);
  return omesse;
}

}  // namespace

analisi_testi analizza_testi(const opzioni_compile& o, std::optional<testo_autore> linea,
                             std::optional<testo_autore> servizio) {
  testi_autore t;
  if (linea) prepara_uno(std::move(*linea), origine_errore::testo_linea, t.linea, t);
  if (servizio) prepara_uno(std::move(*servizio), origine_errore::testo_servizio, t.servizio, t);
  analisi_testi a;
  std::optional<compile_letto_oltre> letto;
  if (!t.rifiutato) letto = compila_autore(o, t);
  a.diagnostiche = tutte_le_diagnostiche(t, letto ? &*letto : nullptr, o.profilo, o.orario);
  a.omesse = tutte_le_omesse(t, letto ? &*letto : nullptr);
  if (letto) {
    a.lette = letto->lette;
    a.r = std::move(letto->r);
  }
  a.linea = std::move(t.linea).value_or(testo_autore{});
  a.servizio = std::move(t.servizio).value_or(testo_autore{});
  return a;
}

std::optional<compile_mostrato> compila_e_mostra(const opzioni_compile& o, std::ostream& err) {
  std::optional<testo_autore> linea, servizio;
  for (const auto& [nome, testo] : {std::pair{&o.linea, &linea}, std::pair{&o.servizio, &servizio}}) {
    if (esito_file e = leggi_uno(*nome, *testo); !e.ok) {
      err << e.messaggio() << "\n";
      return std::nullopt;
    }
  }
  analisi_testi a = analizza_testi(o, std::move(linea), std::move(servizio));
  opzioni_stampa stampa;
  stampa.colore = o.colore;
  const conteggio_diagnostiche conti = stampa_segnalazioni(segnalazioni_compile(a.diagnostiche, a.linea, a.servizio),
                                                           {&a.linea, &a.servizio}, stampa, err, a.omesse);
  if (!a.r) return std::nullopt;
  // The texts are moved, not copied: a text of 64 MiB is held twice at most
  // (as read and as compiled).
  return compile_mostrato{std::move(*a.r),           conti, std::move(a.linea), std::move(a.servizio),
                          a.lette, std::move(a.diagnostiche), std::move(a.omesse)};
}

}  // namespace sb
