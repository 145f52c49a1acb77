#include "author/text_placement.h"

#include <algorithm>
#include <string>

#include "grammar/text_kinds.h"

namespace sb {
namespace {

// The kind of a text given; nessuno when none was given or it has no keyword.
specie_testo genere_di(const std::optional<testo_autore>& t) {
  return t ? genere_del_testo(t->byte) : specie_testo::nessuno;
}

// Whether something was found in one text: a text in the wrong place always
// has findings, so a clean pair (the common case, and the largest texts) is
// not read a second time.
bool con_rilievi(const std::vector<diagnostica>& d, origine_errore origine) {
  return std::any_of(d.begin(), d.end(), [origine](const diagnostica& x) { return x.origine == origine; });
}

// Whether a text of kind `g` stands where one of kind `atteso` goes.
bool fuori_posto(specie_testo g, specie_testo atteso) { return g != specie_testo::nessuno && g != atteso; }

// An error about a whole text.
diagnostica errore_testo(origine_errore origine, std::string messaggio) {
  diagnostica d;
  d.livello = gravita::errore;
  d.origine = origine;
  d.messaggio = std::move(messaggio);
  return d;
}

// "this is a train profile, not the line description: give it with
// --train-profile".
std::string non_questo(specie_testo g, specie_testo atteso) {
  return "this is " + std::string(nome_testo(g)) + ", not " + std::string(nome_testo(atteso)) + ": give it with " +
         std::string(opzione_testo(g));
}

// Drops the diagnostics of one text.
void togli(std::vector<diagnostica>& d, origine_errore origine) {
  std::erase_if(d, [origine](const diagnostica& x) { return x.origine == origine; });
}

}  // namespace

void testi_fuori_posto(const std::optional<testo_autore>& linea, const std::optional<testo_autore>& servizio,
                       std::vector<diagnostica>& d) {
  // The service is read when the line stands wrong too: a line that failed
  // stopped the compile before the service.
  const specie_testo gl = con_rilievi(d, origine_errore::testo_linea) ? genere_di(linea) : specie_testo::nessuno;
  const bool leggi_servizio = gl != specie_testo::nessuno || con_rilievi(d, origine_errore::testo_servizio);
  const specie_testo gs = leggi_servizio ? genere_di(servizio) : specie_testo::nessuno;
  const bool linea_fuori = fuori_posto(gl, specie_testo::linea);
  const bool servizio_fuori = fuori_posto(gs, specie_testo::servizio);
  if (!linea_fuori && !servizio_fuori) return;
  std::vector<diagnostica> prime;
  if (gl == specie_testo::servizio && gs == specie_testo::linea) {
    prime.push_back(errore_testo(origine_errore::testo_linea,
                                 "this is the service description, and " + servizio->file +
                                     " the line description: --line and --service are swapped"));
  } else {
    if (linea_fuori) prime.push_back(errore_testo(origine_errore::testo_linea, non_questo(gl, specie_testo::linea)));
    if (servizio_fuori) {
      prime.push_back(errore_testo(origine_errore::testo_servizio, non_questo(gs, specie_testo::servizio)));
    }
  }
  if (linea_fuori) togli(d, origine_errore::testo_linea);
  if (servizio_fuori) togli(d, origine_errore::testo_servizio);
  d.insert(d.begin(), prime.begin(), prime.end());
}

}  // namespace sb
