#include "app/error_report.h"

namespace sb {

void errore(const std::string& a, interfaccia_utente& ui) { ui.messaggio(testo_errore(a)); }

}  // namespace sb
