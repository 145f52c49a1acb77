// The document line list through which every text file of the build is
// written: slots 0 to 1000, ended by the end marker, written with CR LF.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// The slot text that ends a document; it is never written.
inline constexpr std::string_view kMarcatoreFine = "riferimento fine del file";

// Slots 0 to 1000 of a text document; empty slots are empty lines.
struct lista_righe {
  std::array<std::string, 1001> slot;
};

// A list holding the lines in slots 0, 1, ... and the marker after them.
lista_righe lista_da(std::initializer_list<std::string_view> righe);
lista_righe lista_da(const std::vector<std::string>& righe);

// The file's bytes: every slot before the first one equal to the marker,
// each followed by CR LF.
std::string componi_documento(const lista_righe& lista);

}  // namespace sb
