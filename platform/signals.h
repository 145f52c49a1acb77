// Signals during a build: an interrupt or a termination request is held back
// and taken at the next safe point, so that the build can remove its
// temporary files and say why it stops; a file size limit makes a write fail
// instead of killing the program.
#pragma once

#include <csignal>
#include <string>

namespace sb {

// While it lives, SIGINT and SIGTERM wait (blocked) until a safe point takes
// them, and SIGXFSZ is ignored so that a write over the file size limit fails
// with EFBIG. The destructor restores the earlier mask and handler.
class segnali_di_build {
 public:
  segnali_di_build();
  ~segnali_di_build();
  segnali_di_build(const segnali_di_build&) = delete;
  segnali_di_build& operator=(const segnali_di_build&) = delete;

 private:
  sigset_t maschera_prima_;
  struct sigaction xfsz_prima_;
};

// SIGINT or SIGTERM when one has arrived and waits (taking it), else 0.
int segnale_arrivato();

// Waits up to the milliseconds for SIGINT or SIGTERM; returns it (taken), or
// 0 when none came.
int attendi_segnale(int millisecondi);

// "SIGINT", "SIGTERM", or "signal N".
std::string nome_segnale(int segnale);

// The exit status of a run stopped by the signal: 130 for SIGINT, 143 for
// SIGTERM.
int stato_per_segnale(int segnale);

}  // namespace sb
