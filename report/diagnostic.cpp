#include "report/diagnostic.h"

namespace sb {

segnalazione del_programma(gravita livello, std::string messaggio) {
  segnalazione s;
  s.livello = livello;
  s.messaggio = std::move(messaggio);
  return s;
}

std::string_view parola_livello(gravita livello) {
  switch (livello) {
    case gravita::errore: return "error";
    case gravita::avviso: return "warning";
    case gravita::nota: return "note";
  }
  return "error";
}

std::string testo_segnalazione(const segnalazione& s) {
  if (s.livello != gravita::errore || s.codice == 0) return s.messaggio;
  return "error " + std::to_string(s.codice) + ": " + s.messaggio;
}

std::string luogo_mostrato(const luogo_sorgente& l) {
  if (l.file.empty()) return std::string(kProgramma);
  std::string luogo = l.file;
  if (l.riga <= 0) return luogo;
  luogo += ":" + std::to_string(l.riga);
  if (l.colonna > 0) luogo += ":" + std::to_string(l.colonna);
  return luogo;
}

std::string riga_gnu(const segnalazione& s) {
  return luogo_mostrato(s.dove) + ": " + std::string(parola_livello(s.livello)) + ": " + testo_segnalazione(s);
}

std::string riga_gnu(const nota_segnalazione& n) {
  return luogo_mostrato(n.dove) + ": note: " + n.messaggio;
}

}  // namespace sb
