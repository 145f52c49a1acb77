#include "platform/signals.h"

#include <cerrno>
#include <ctime>

namespace sb {
namespace {

// SIGINT and SIGTERM.
sigset_t arresti() {
  sigset_t s;
  sigemptyset(&s);
  sigaddset(&s, SIGINT);
  sigaddset(&s, SIGTERM);
  return s;
}

}  // namespace

segnali_di_build::segnali_di_build() {
  sigset_t s = arresti();
  sigprocmask(SIG_BLOCK, &s, &maschera_prima_);
  struct sigaction ignora {};
  ignora.sa_handler = SIG_IGN;
  sigemptyset(&ignora.sa_mask);
  sigaction(SIGXFSZ, &ignora, &xfsz_prima_);
}

segnali_di_build::~segnali_di_build() {
  sigaction(SIGXFSZ, &xfsz_prima_, nullptr);
  sigprocmask(SIG_SETMASK, &maschera_prima_, nullptr);
}

int segnale_arrivato() { return attendi_segnale(0); }

int attendi_segnale(int millisecondi) {
  sigset_t s = arresti();
  struct timespec attesa {};
  attesa.tv_sec = millisecondi / 1000;
  attesa.tv_nsec = static_cast<long>(millisecondi % 1000) * 1000000L;
  for (;;) {
    int n = sigtimedwait(&s, nullptr, &attesa);
    if (n > 0) return n;
    if (errno != EINTR) return 0;
  }
}

std::string nome_segnale(int segnale) {
  if (segnale == SIGINT) return "SIGINT";
  if (segnale == SIGTERM) return "SIGTERM";
  return "signal " + std::to_string(segnale);
}

int stato_per_segnale(int segnale) { return 128 + segnale; }

}  // namespace sb
