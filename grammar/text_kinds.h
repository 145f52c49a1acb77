// The three texts an author writes, told apart by their keywords: the line
// description, the service description and a train profile. A row written in
// the wrong one, or a whole text given in the wrong place, is named as such.
#pragma once

#include <string_view>

namespace sb {

// Which text a keyword or a whole text belongs to.
enum class specie_testo { nessuno, linea, servizio, profilo };

// The text whose keyword a field is, matched whole without regard to case or
// to the blanks around it ("Pendenza " is the line's); nessuno for a field
// that is no text's keyword.
specie_testo testo_della_parola(std::string_view campo);

// The text that a whole text is, from the keywords that begin its lines: the
// kind most of them belong to; nessuno when none does, or two kinds tie.
specie_testo genere_del_testo(std::string_view testo);

// "the line description", "the service description", "a train profile".
std::string_view nome_testo(specie_testo g);

// The option that gives a text of that kind: "--line", "--service",
// "--train-profile".
std::string_view opzione_testo(specie_testo g);

}  // namespace sb
