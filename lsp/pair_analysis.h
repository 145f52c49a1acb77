// An open document compiled with its partner, as compile pairs the two
// texts by their file names in one folder, and what the compile found told
// in the protocol's terms: the diagnostics of each text and their fixes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "author/author_texts.h"
#include "lsp/document_store.h"
#include "grammar/row_kinds.h"
#include "lsp/text_rows.h"

namespace sb {

// One text of a pair as it was compiled.
struct testo_coppia {
  std::string uri;
  std::string file;
  genere_testo genere = genere_testo::servizio;
  std::string utf8;    // as the editor shows it: what the columns count in
  std::string byte;    // code page 1252, as the compile read it; empty when those are utf8's bytes
  mutable std::optional<righe_documento> righe;  // read on the first ask (righe_del_testo)
};

// The text as the compile read it: code page 1252.
std::string_view byte_del_testo(const testo_coppia& t);

// The rows of a text, read the first time they are asked for: a change
// publishes its diagnostics without them, and a large text holds them only
// once an editor asks about its rows.
const righe_documento& righe_del_testo(const testo_coppia& t);

// A fix a diagnostic knows: a title and the text that replaces a range.
struct correzione {
  std::string uri;
  nlohmann::json intervallo;  // the range replaced
  std::string titolo;
  std::string nuovo;          // UTF-8
  nlohmann::json diagnostica; // the diagnostic it fixes
};

// A pair compiled: its texts (one may be missing), what hover needs of the
// compile and, by URI, the diagnostics to publish and the fixes. The
// compile itself (its cells and line plan, megabytes for a long line) is
// not kept.
struct analisi_coppia {
  std::optional<testo_coppia> linea;
  std::optional<testo_coppia> servizio;
  std::optional<tabella_oggetti> tabella;  // the compiled object table; none when nothing compiled
  std::vector<std::pair<std::string, nlohmann::json>> diagnostiche;  // URI, the Diagnostic[] to publish
  std::vector<correzione> correzioni;
};

// Reads a file's bytes for a partner text; none when it cannot be read.
// Null: the file layer reads it.
using lettore_file = std::optional<std::string> (*)(const std::string& file);

// The partner of a document: an open one wins over a file on disk. None
// when the name pairs with nothing or the partner does not exist.
struct partner_trovato {
  std::string uri;
  std::string file;
  std::string originale;  // its bytes
  bool aperto = false;
};
std::optional<partner_trovato> trova_partner(const documento_aperto& d, const documenti_aperti& aperti,
                                             lettore_file leggi);

// Compiles an open document with its partner and tells what was found.
std::shared_ptr<const analisi_coppia> analizza(const documento_aperto& d, const documenti_aperti& aperti,
                                               lettore_file leggi);

// The text of the pair at a URI; null when it is not one of them.
const testo_coppia* testo_di_uri(const analisi_coppia& a, std::string_view uri);

// The name of a warning's or note's kind, as its code shows it.
std::string_view nome_genere(genere_avviso g);

}  // namespace sb
