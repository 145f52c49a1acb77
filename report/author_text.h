// An author's text as read from its file, and as the compile reads it: what
// a diagnostic's source line is shown from.
#pragma once

#include <string>

namespace sb {

// An author's text as read from its file, and as the compile reads it.
struct testo_autore {
  std::string file;  // as the author gave it; empty when none was given
  std::string originale; // the file's bytes
  std::string byte;      // code page 1252: converted from UTF-8, else the same bytes
};

}  // namespace sb
