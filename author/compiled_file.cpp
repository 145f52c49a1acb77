#include "author/compiled_file.h"

#include <algorithm>

#include "scenario/binary_decoders.h"

namespace sb {
namespace {

// The advice after the file's name.
std::string come_rimediare(std::string_view cosa) {
  return "this is " + std::string(cosa) +
         ", a file the compile writes, not a description text: give the text it was compiled from "
         "('scenario_tool decompile' makes the texts again from the three files)";
}

// Whether the bytes look like route cells: every cell holds mostly zero
// bytes, a text with a stray NUL byte does not; and cells run at least 7000 m
// past the route's end, 141 cells.
bool come_celle(std::string_view byte) {
  constexpr size_t kByteCelle141 = 141 * 15;
  if (byte.size() < kByteCelle141) return false;
  const auto zeri = static_cast<size_t>(std::count(byte.begin(), byte.end(), '\0'));
  return zeri * 2 > byte.size();
}

}  // namespace

std::optional<std::string> file_compilato(std::string_view byte) {
  if (byte.empty()) return std::nullopt;
  tabella_oggetti tabella{};
  if (decodifica_tabella(byte, tabella).ok) return come_rimediare("the object table of a compiled scenario (.sim)");
  griglia_linea griglia;
  if (decodifica_griglia(byte, griglia).ok) return come_rimediare("the line plan of a compiled scenario (_linea.dat)");
  celle_percorso celle;
  if (come_celle(byte) && decodifica_celle(byte, celle).ok) return come_rimediare("the route cells of a compiled scenario (.dat)");
  return std::nullopt;
}

}  // namespace sb
