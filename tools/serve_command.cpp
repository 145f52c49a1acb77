#include "tools/serve_command.h"

#include <spawn.h>
#include <sys/wait.h>

#include <ostream>
#include <thread>

#include "compile/exit_status.h"
#include "platform/signals.h"
#include "scene/text_compile.h"
#include "tools/live_entries.h"
#include "tools/train_profile_option.h"

extern char** environ;

namespace sb {
namespace {

// The port of --port: a number from 0 to 65535.
std::optional<int> porta_letta(const std::string& testo) {
  if (testo.empty() || testo.size() > 5 || testo.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int p = std::stoi(testo);
  if (p > 65535) return std::nullopt;
  return p;
}

// Opens the address in the desktop's browser, not waiting for it.
void apri_nel_browser(const std::string& indirizzo, std::ostream& err) {
  pid_t pid = 0;
  std::string programma = "xdg-open";
  std::string argomento = indirizzo;
  char* argv[] = {programma.data(), argomento.data(), nullptr};
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) {
    err << "scenario_tool serve: cannot run xdg-open; open the address by hand\n";
    return;
  }
  std::thread([pid] {
    int stato = 0;
    waitpid(pid, &stato, 0);
  }).detach();
}

// Runs "serve" with its parsed command line.
int comando_serve(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  if (r.valore("--line", "").empty() || r.valore("--service", "").empty()) {
    return uso(err, "serve", "--line FILE and --service FILE are required");
  }
  file_scena f;
  if (const std::optional<int> stato = leggi_file_scena(r, "serve", f, err)) return *stato;
  const std::optional<int> porta = porta_letta(r.valore("--port", "0"));
  if (!porta) return uso(err, "serve", "--port takes a number from 0 to 65535, not '" + r.valore("--port", "") + "'");
  int stato = kUscitaPulita;
  if (!profilo_richiesto(r, "serve", false, err, stato)) return stato;
  opzioni_compile c;
  c.linea = f.linea;
  c.servizio = f.servizio;
  c.nome_linea = f.nome_linea;
  c.numero_treno = f.numero_treno;
  // SIGINT and SIGTERM wait for the main thread, which stops the server.
  segnali_di_build segnali;
  opzioni_vivo o;
  o.porta = *porta;
  std::string errore;
  std::optional<server_vivo> s = avvia_pagina_viva(sorgente_testi(c, r), o, err, errore);
  if (!s) {
    err << "scenario_tool serve: " << errore << "\n";
    return kUscitaFile;
  }
  out << s->indirizzo << "\n" << std::flush;
  if (r.ha("--open")) apri_nel_browser(s->indirizzo, err);
  while (attendi_segnale(1000) == 0) {
  }
  ferma_pagina_viva(*s);
  return kUscitaPulita;
}

}  // namespace

sorgente_viva sorgente_testi(const opzioni_compile& c, const riga_comando& r) {
  sorgente_viva v;
  v.file = {c.linea, c.servizio};
  const std::string profilo = r.valore("--train-profile", "");
  if (!profilo.empty()) v.file.push_back(profilo);
  v.analizza = [c, r](std::ostream& err) -> std::optional<scena> {
    int stato = kUscitaPulita;
    const std::optional<profilo_scelto> p = profilo_richiesto(r, "serve", false, err, stato);
    if (!p) return std::nullopt;
    testi_compilati t;
    if (!compila_per_vista(c, t, err)) return std::nullopt;
    return scena_compilata(t, &p->profilo);
  };
  return v;
}

// The table's entry of "serve", run in this process.
comando_strumento voce_serve() {
  comando_strumento v = voce_serve_descritta();
  v.esegui = comando_serve;
  return v;
}

}  // namespace sb
