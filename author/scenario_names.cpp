#include "author/scenario_names.h"

#include <string_view>

namespace sb {
namespace {

constexpr std::string_view kFineLinea = "_linea.txt";
constexpr std::string_view kFineServizio = "-.txt";

// The last part of a path.
std::string_view nome_file(std::string_view file) {
  size_t barra = file.rfind('/');
  return barra == std::string_view::npos ? file : file.substr(barra + 1);
}

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

}  // namespace

// NAME of "NAME_linea.txt", or empty.
std::string_view linea_da_file(std::string_view file) {
  std::string_view n = nome_file(file);
  return finisce_con(n, kFineLinea) ? n.substr(0, n.size() - kFineLinea.size()) : std::string_view{};
}

// NAME and TRAIN of "NAME_TRAIN-.txt" (split at the last "_"), or empty.
nomi_scenario nomi_da_servizio(std::string_view file) {
  std::string_view n = nome_file(file);
  if (!finisce_con(n, kFineServizio)) return {};
  n.remove_suffix(kFineServizio.size());
  size_t sotto = n.rfind('_');
  if (sotto == std::string_view::npos || sotto == 0 || sotto + 1 == n.size()) return {};
  return {std::string(n.substr(0, sotto)), std::string(n.substr(sotto + 1))};
}

nomi_scenario scegli_nomi(const std::optional<std::string>& linea_data, const std::optional<std::string>& treno_dato,
                          const std::string& file_linea, const std::string& file_servizio) {
  const nomi_scenario dal_servizio = nomi_da_servizio(file_servizio);
  const std::string dalla_linea(linea_da_file(file_linea));
  nomi_scenario n{"BORVALE", "40617"};
  if (linea_data) n.linea = *linea_data;
  else if (!dalla_linea.empty()) n.linea = dalla_linea;
  else if (!dal_servizio.linea.empty()) n.linea = dal_servizio.linea;
  if (treno_dato) n.treno = *treno_dato;
  else if (!dal_servizio.treno.empty()) n.treno = dal_servizio.treno;
  return n;
}

}  // namespace sb
