// The documents the editor has open: their text as the editor holds it,
// kept in step with every change it sends.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "lsp/text_positions.h"
#include "platform/files.h"

namespace sb {

// One open document.
struct documento_aperto {
  std::string uri;
  std::string file;  // the file's path; empty for a URI that is no file
  std::string testo;     // UTF-8, as the editor holds it; empty when too large
  int64_t versione = 0;
  bool troppo_grande = false;  // a change made it larger than a file that is read: not checked
};

// One change the editor sent: the whole text, or a range replaced.
struct modifica_testo {
  std::optional<posizione_lsp> inizio;  // none: the whole text
  posizione_lsp fine;
  std::string testo;
};

// Applies a change to a text; a range beyond the text is clamped to it, and
// one whose end stands before its start replaces nothing. False, and the
// text unchanged, when the result would be longer than `massimo` bytes.
bool applica_modifica(std::string& testo, const modifica_testo& m, size_t massimo = kMassimoByteLettura);

// The path of a file URI ("file:///a%20b/c.txt" is "/a b/c.txt"); empty for
// any other URI.
std::string file_di_uri(std::string_view uri);

// The file URI of a path, its reserved characters percent-encoded.
std::string uri_di_file(std::string_view file);

// The open documents by URI.
using documenti_aperti = std::map<std::string, documento_aperto, std::less<>>;

}  // namespace sb
