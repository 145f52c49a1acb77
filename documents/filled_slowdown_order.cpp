#include "documents/filled_slowdown_order.h"

#include <string>

#include "documents/compiled_run.h"
#include "scenario/format.h"

namespace sb {
namespace {

// The station whose extent holds the position, or the stations before and
// after it, by name.
std::vector<std::string> stazioni_attorno(const scenario& s, int64_t posizione) {
  const oggetto* prima = nullptr;
  const oggetto* dopo = nullptr;
  for (int voce : voci_stazioni(s)) {
    const oggetto& o = s.tabella[static_cast<size_t>(voce)];
    if (o.inizio <= posizione && posizione <= o.fine) return {o.nome};
    if (o.posizione <= posizione) prima = &o;
    if (o.posizione > posizione && dopo == nullptr) dopo = &o;
  }
  if (prima == nullptr || dopo == nullptr) {
    if (prima != nullptr) return {prima->nome};
    if (dopo != nullptr) return {dopo->nome};
    return {};
  }
  const std::string insieme = prima->nome + " - " + dopo->nome;
  if (insieme.size() <= kLarghezzaFraStazioni) return {insieme};
  return {prima->nome, dopo->nome};
}

}  // namespace

std::vector<voce_modulo> voci_rallentamenti(const scenario& s) {
  std::vector<voce_modulo> voci;
  for (const rallentamento_in_celle& r : rallentamenti_nelle_celle(s)) {
    const int64_t posizione = (static_cast<int64_t>(r.inizio) - 1) * kMetriCella;
    const int64_t lunghezza = r.fine < 0 ? -1 : (r.fine - static_cast<int64_t>(r.inizio)) * kMetriCella;
    voci.push_back({stazioni_attorno(s, posizione), progressiva_a(s.tabella, posizione), r.velocita,
                    static_cast<int32_t>(lunghezza)});
  }
  return voci;
}

documento_composto rallentamenti_compilati(const scenario& s) {
  documento_composto d;
  d.righe = righe_modulo(s.nome_linea, s.numero_treno, voci_rallentamenti(s));
  verifica_lunghezza(d, "slowdown order");
  return d;
}

}  // namespace sb
