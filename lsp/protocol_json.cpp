#include "lsp/protocol_json.h"

#include <limits>

namespace sb {

using json = nlohmann::json;

json posizione_json(posizione_lsp p) { return {{"line", p.riga}, {"character", p.carattere}}; }

json intervallo_json(posizione_lsp inizio, posizione_lsp fine) {
  return {{"start", posizione_json(inizio)}, {"end", posizione_json(fine)}};
}

const json* membro_se_c_e(const json& o, std::string_view chiave) {
  if (!o.is_object()) return nullptr;
  const auto i = o.find(chiave);
  return i == o.end() ? nullptr : &*i;
}

const json& membro(const json& o, std::string_view chiave) {
  if (!o.is_object()) throw parametro_errato{"'" + std::string(chiave) + "' is missing: what holds it is no object"};
  const json* m = membro_se_c_e(o, chiave);
  if (m == nullptr) throw parametro_errato{"'" + std::string(chiave) + "' is missing"};
  return *m;
}

const std::string& testo_membro(const json& o, std::string_view chiave) {
  const json& m = membro(o, chiave);
  if (!m.is_string()) throw parametro_errato{"'" + std::string(chiave) + "' is not a string"};
  return m.get_ref<const std::string&>();
}

int64_t intero_membro(const json& o, std::string_view chiave, int64_t minimo, int64_t massimo) {
  const json& m = membro(o, chiave);
  const auto fuori = [&] {
    return parametro_errato{"'" + std::string(chiave) + "' is not an integer from " + std::to_string(minimo) +
                            " to " + std::to_string(massimo)};
  };
  if (m.is_number_unsigned()) {
    const uint64_t v = m.get<uint64_t>();
    if (v > static_cast<uint64_t>(massimo)) throw fuori();
    return static_cast<int64_t>(v);
  }
  if (!m.is_number_integer()) throw fuori();
  const int64_t v = m.get<int64_t>();
  if (v < minimo || v > massimo) throw fuori();
  return v;
}

posizione_lsp posizione_di(const json& p) {
  constexpr int64_t kMassimo = std::numeric_limits<int32_t>::max();
  return {static_cast<int32_t>(intero_membro(p, "line", 0, kMassimo)),
          static_cast<int32_t>(intero_membro(p, "character", 0, kMassimo))};
}

intervallo_lsp intervallo_di(const json& r) { return {posizione_di(membro(r, "start")), posizione_di(membro(r, "end"))}; }

json diagnostica_json(const json& intervallo, int severita, std::string_view codice, std::string_view messaggio) {
  json d = {{"range", intervallo}, {"severity", severita}, {"source", "scenario_tool"}, {"message", messaggio}};
  if (!codice.empty()) d["code"] = codice;
  return d;
}

}  // namespace sb
