// The shape of every row kind in the builder's own layout of the two
// description texts: how many values it holds and how each stands after its
// comma, as the built-in texts are written.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace sb {

// Which of the two descriptions a text is.
enum class genere_testo { linea, servizio };

// How one value stands after its separator: a number of blanks before it
// (the line description's style) or right-aligned in a width (the service
// description's columns).
struct colonna_forma {
  int spazi = 0;      // blanks between the separator and the value
  int larghezza = 0;  // when above 0: the value right-aligned in this width
};

// The most numeric values a row holds (a station's sixteen).
inline constexpr size_t kColonneMassime = 16;

// One row kind: the words that tell it, its values and their columns.
struct forma_riga {
  std::string_view nome;                 // the keyword as the builder writes it
  genere_testo genere;
  std::string_view parola;               // recognised when the field holds this word...
  std::string_view parola_bis;           // ...and this one (empty: only the first)
  size_t valori;                         // numeric values after the keyword
  std::array<colonna_forma, kColonneMassime> colonne;
  bool da_zero = false;                  // a row whose first value is 0 takes `colonne_zero`
  std::array<colonna_forma, 2> colonne_zero{};
  bool testo_finale = false;             // a name or caption follows the values
  int spazi_testo = 0;                   // blanks before it
  std::string_view coda;                 // what follows the last value ("orologio": a blank)
};

// Every row kind of one description, in the order the compiler tests them.
std::span<const forma_riga> forme_di(genere_testo g);

// The row kind whose words the keyword field holds (without regard to case),
// or null.
const forma_riga* riconosci_forma(std::string_view chiave, genere_testo g);

}  // namespace sb
