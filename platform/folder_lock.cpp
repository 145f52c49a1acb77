#include "platform/folder_lock.h"

#include <cerrno>
#include <ostream>
#include <sys/file.h>

#include "platform/signals.h"

namespace sb {
namespace {

constexpr int kIntervalloMs = 20;
constexpr int kAvvisoDopoMs = 1000;

// Tries the lock once: 0 taken, EWOULDBLOCK held elsewhere, or errno.
int prova_blocco(int fd) {
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
    if (errno != EINTR) return errno;
  }
}

}  // namespace

esito_file blocca_cartella(cartella_uscita& cartella, attesa_blocco modo, const std::function<void()>& in_attesa) {
  int atteso_ms = 0;
  bool avvisato = false;
  for (;;) {
    int e = prova_blocco(cartella.fd());
    if (e == 0) break;
    if (e != EWOULDBLOCK) return fallito(cartella.cartella(), e);
    if (modo == attesa_blocco::non_attendere) return esito_file{false, cartella.cartella(), kCartellaOccupata};
    if (atteso_ms >= kAvvisoDopoMs && !avvisato) {
      avvisato = true;
      if (in_attesa) in_attesa();
    }
    if (int s = attendi_segnale(kIntervalloMs)) return interrotto(cartella.cartella(), s);
    atteso_ms += kIntervalloMs;
  }
  return ripulisci_cartella(cartella);
}

esito_file apri_e_blocca(cartella_uscita& uscita, const std::string& cartella, attesa_blocco modo,
                         std::ostream& avvisi, std::string_view programma) {
  if (esito_file e = uscita.apri(cartella); !e.ok) return e;
  return blocca_cartella(uscita, modo, [&] {
    avvisi << programma << ": waiting for another run writing in " << (cartella.empty() ? "." : cartella)
           << std::endl;
  });
}

}  // namespace sb
