#include "service/service_keywords.h"

#include "text_input/keywords.h"

namespace sb {
namespace {

constexpr std::string_view kParole[] = {"percentuale massa frenata", "numero vetture", "velocita", "aderenza",
                                        "orologio", "sabbia", "segnale", "rallentamento", "abbattimento", "stazione"};
constexpr std::string_view kIntestazioni[] = {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
                                              "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};
constexpr vocabolario kVocabolario{kParole, kIntestazioni};

}  // namespace

bool riconosce(chiave_servizio k, std::string_view c) {
  switch (k) {
    case chiave_servizio::massa_frenata: return contiene_nc(c, "frenata") && contiene_nc(c, "massa");
    case chiave_servizio::vetture: return contiene_nc(c, "vetture");
    case chiave_servizio::velocita: return contiene_nc(c, "velocit");
    case chiave_servizio::aderenza: return contiene_nc(c, "aderenza");
    case chiave_servizio::orologio: return contiene_nc(c, "orologio");
    case chiave_servizio::sabbia: return contiene_nc(c, "sabbia");
    case chiave_servizio::segnale: return contiene_nc(c, "segnale");
    case chiave_servizio::rallentamento: return contiene_nc(c, "rallentamento");
    case chiave_servizio::abbattimento: return contiene_nc(c, "abbattimento");
    case chiave_servizio::stazione: return contiene_nc(c, "stazione");
  }
  return false;
}

bool e_chiave_servizio(std::string_view campo) {
  for (chiave_servizio k : kChiaviServizio) {
    if (riconosce(k, campo)) return true;
  }
  return false;
}

const vocabolario& vocabolario_servizio() { return kVocabolario; }

}  // namespace sb
