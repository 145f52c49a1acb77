#include "inspect/binary_inputs.h"

#include <algorithm>
#include <ostream>

#include "line/line_plan.h"
#include "scenario/binary_files.h"
#include "scenario/format.h"

namespace sb {
namespace {

// Reads one binary file when it is named; a file not named stays empty.
template <typename Record>
bool leggi_se_dato(const std::string& file, std::optional<Record>& record,
                   esito_decodifica (*decodifica)(std::string_view, Record&), std::ostream& err) {
  if (file.empty()) return true;
  std::string byte;
  return leggi_binario(file, record.emplace(), byte, decodifica, err);
}

// Whether the plan holds the points the object table's route length calls
// for (route length + 7001): a plan left beside the table of another build
// (a --no-plan compile after the route changed) does not. Reports the byte
// where they part.
bool punti_concordi(const std::string& file_griglia, const griglia_linea& griglia,
                    const std::string& file_tabella, const tabella_oggetti& tabella, std::ostream& err) {
  const int64_t lunghezza = tabella[kOggettoGenerale].fine;
  const int64_t attesi = lunghezza + kMarginePiano + 1;
  const int64_t punti = static_cast<int64_t>(griglia.x.size());
  if (punti == attesi) return true;
  size_t offset = 0;
  for (int64_t k = 0; k < std::min(punti, attesi); ++k) offset += byte_variante(griglia.x[static_cast<size_t>(k)]);
  err << file_griglia << ": byte " << offset << ": the plan holds " << punti << " points but the route length "
      << lunghezza << " m of " << file_tabella << " calls for " << attesi << "\n";
  return false;
}

// The cells of a route of the given length: nearest((length + 7000) / 50) + 1.
int64_t celle_attese(int64_t lunghezza) {
  return static_cast<int64_t>(nearest((static_cast<double>(lunghezza) + kMarginePiano) / 50.0)) + 1;
}

// Whether the cells are as many as the route length calls for, told by the
// object table or else by the plan: cells of another scenario are not drawn
// against its stations or its map.
bool celle_concordi(const std::string& file_celle, const celle_percorso& celle, const binari_scena& b,
                    const std::string& griglia, const std::string& tabella, std::ostream& err) {
  if (!b.tabella && !b.griglia) return true;
  const int64_t lunghezza = b.tabella ? (*b.tabella)[kOggettoGenerale].fine
                                      : static_cast<int64_t>(b.griglia->x.size()) - kMarginePiano - 1;
  const int64_t attese = celle_attese(lunghezza);
  if (static_cast<int64_t>(celle.size()) == attese) return true;
  err << file_celle << ": the route cells hold " << celle.size() << " cells but the route length " << lunghezza
      << " m of " << (b.tabella ? tabella : griglia) << " calls for " << attese << "\n";
  return false;
}

}  // namespace

bool leggi_binari(const std::string& griglia, const std::string& tabella, const std::string& celle,
                  binari_scena& out, std::ostream& err) {
  if (!leggi_se_dato(griglia, out.griglia, decodifica_griglia, err) ||
      !leggi_se_dato(tabella, out.tabella, decodifica_tabella, err) ||
      !leggi_se_dato(celle, out.celle, decodifica_celle, err)) {
    return false;
  }
  if (out.griglia && out.tabella && !punti_concordi(griglia, *out.griglia, tabella, *out.tabella, err)) return false;
  return !out.celle || celle_concordi(celle, *out.celle, out, griglia, tabella, err);
}

}  // namespace sb
