// The live page of an author's texts: a web server on the loopback address
// (127.0.0.1 and ::1) that serves the page and its event stream under a
// random token, and a watcher that analyses the texts again at each save
// and sends the new scene to every open page. It writes no file.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scene/scene_model.h"

namespace sb {

// What the page is made of: the files it follows and the analysis that
// makes a scene of them.
struct sorgente_viva {
  std::vector<std::string> file;  // whose saves make a new scene
  // The scene of the files as they are now; nothing when they cannot be
  // read. What it tells the author goes to the stream.
  std::function<std::optional<scena>(std::ostream& err)> analizza;
};

// How the server is started.
struct opzioni_vivo {
  int porta = 0;         // 0: the system picks one
  bool polling = false;  // look at the files every tenth of a second rather than be told
};

struct stato_vivo;

// A running live page; stopped when it goes.
struct server_vivo {
  std::unique_ptr<stato_vivo> stato;
  std::string indirizzo;  // http://127.0.0.1:PORT/TOKEN/
  int porta = 0;

  server_vivo();
  server_vivo(server_vivo&&) noexcept;
  server_vivo& operator=(server_vivo&&) noexcept;
  ~server_vivo();
};

// Analyses the files once and starts serving; what the analysis tells goes
// to err, now and at each save. Nothing, with the reason in errore, when
// the loopback address cannot be listened on.
std::optional<server_vivo> avvia_pagina_viva(sorgente_viva sorgente, opzioni_vivo o, std::ostream& err,
                                             std::string& errore);

// Highlights on the open pages the items of the row at line riga (from 1)
// of the file; a file the page does not show clears the highlight.
void segnala_cursore(server_vivo& s, const std::string& file, int32_t riga);

// How many scenes were made so far, the first one included.
uint64_t scene_fatte(const server_vivo& s);

// Stops the server and the watcher; the open streams end.
void ferma_pagina_viva(server_vivo& s);

}  // namespace sb
