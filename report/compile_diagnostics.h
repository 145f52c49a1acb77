// The compile's diagnostics, recorded against which text and where, made
// into what a person reads: the file's name, the columns of the field at
// fault, the code's meaning, and each note with the entry it is about.
#pragma once

#include <string_view>
#include <vector>

#include "report/author_text.h"
#include "report/diagnostic.h"
#include "scenario/diagnostics.h"

namespace sb {

// How many columns the field that begins at byte `inizio` of the code page
// 1252 line takes, as a compiler underlines a token: up to the next comma or
// the line's end, trailing blanks left out; 1 where no field begins.
int32_t larghezza_campo(std::string_view riga, size_t inizio);

// The place a compile's entry points at, in the text it names (line: the
// line description, service: the service description, the train profile:
// `profilo`, when given). A field begun at its
// column is measured in the text: its whole width is at fault.
luogo_sorgente luogo_di(const diagnostica& d, const testo_autore& linea, const testo_autore& servizio,
                        const testo_autore* profilo = nullptr);

// The entries as a person reads them, in order, their messages and notes
// converted from code page 1252 to UTF-8. A note on the entry before it goes
// with that entry; an error without its own message says its code's
// meaning; an error about a text the author did not give says so (" (no
// --line given)").
std::vector<segnalazione> segnalazioni_compile(const std::vector<diagnostica>& d, const testo_autore& linea,
                                               const testo_autore& servizio, const testo_autore* profilo = nullptr);

}  // namespace sb
