#include "app/error_report.h"

namespace sb {

std::string testo_errore(const std::string& a) { return " Errore n. " + a; }

void errore(const std::string& a, interfaccia_utente& ui) { ui.messaggio(testo_errore(a)); }

}  // namespace sb
