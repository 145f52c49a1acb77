#include "author/document_warnings.h"

#include "documents/filled_slowdown_order.h"
#include "documents/generic_train_sheet.h"
#include "documents/kilometre_posts.h"

namespace sb {

std::string perche_senza_documenti(const risultato_compile& r) {
  if (r.fine == fine_compile::guardia) return "a guard failed (" + std::to_string(r.numero_guardia) + ")";
  if (r.s.codice_errore != 0) return "the compile recorded code " + std::to_string(r.s.codice_errore);
  if (r.fine == fine_compile::senza_celle) return "no route length was read";
  return "";
}

std::vector<diagnostica> avvisi_documenti(const risultato_compile& r) {
  if (!perche_senza_documenti(r).empty()) return {};
  std::vector<diagnostica> avvisi = scheda_compilata(r.s).avvisi;
  const std::vector<diagnostica> modulo = rallentamenti_compilati(r.s).avvisi;
  avvisi.insert(avvisi.end(), modulo.begin(), modulo.end());
  const std::vector<diagnostica> cippi = avvisi_cippi(r.s);
  avvisi.insert(avvisi.end(), cippi.begin(), cippi.end());
  return avvisi;
}

}  // namespace sb
