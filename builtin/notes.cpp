#include "builtin/notes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>


namespace sb {
namespace {

// The author's notes on the run, in code page 1252: eight paragraphs, the
// request for comments and the signature.
constexpr std::array<std::string_view, 29> kRigheNote = {
    " Il regionale 40617 collega Borvale Centrale a Borgo Vallestre in un'ora e tre quarti circa,",
    " con partenza alle 18.40 e arrivo alle 20.25 e mezzo, fermando in 15 delle 28 localit\xE0 intermedie.",
    " Nell'orario compare anche la fermata di Casal Fiorito, poco frequentata e spesso soppressa:",
    " l'ho inserita perch\xE9 l'orario ufficiale la riporta.",
    " ",
    " Tre fermate sono in galleria: Borvale San Gaudo sotto il Monte Gaudo, Colle Ardito e Vigna Sorba",
    " nella galleria del Colle Ardito. Come nella realt\xE0, non ci sono riferimenti per la frenatura.",
    " ",
    " Il primo tratto \xE8 impegnativo: 16 fermate e stazioni in rapida successione, il treno si arresta in 13 di esse.",
    "",
    " A Mulinara e a Pieve Crovara, dove il treno ferma, ho messo a via libera sia i segnali d'avviso sia di protezione,",
    " cos\xEC come nella realt\xE0 lo sono i segnali di partenza.",
    "",
    " Mulinara si raggiunge sul ramo deviato del deviatoio (dev. u.) dove finisce il doppio binario, ",
    " anche se l\xEC non ci sono binari d'incrocio.",
    "",
    " La composizione del treno \xE8 quella delle automotrici RM 740, che da pi\xF9 di vent'anni svolgono questo servizio.",
    "",
    " La planimetria della linea \xE8 solo approssimata, per\xF2 tutto il resto \xE8 fedele alla realt\xE0.",
    "",
    " Da Borvale Centrale si parte dal 2\xB0 binario sull'itinerario deviato: il segnale al km 1.300",
    " funge da segnale di partenza esterno e va rispettato come tale.",
    " Subito dopo si entra nella galleria del Monte Gaudo, lunga due chilometri, dove la velocit\xE0 \xE8 di 85 km/h;",
    " all'uscita si trova la fermata di Borvale Porta Ferrea. Buon viaggio e attenzione al tratto in pendenza.",
    " ",
    "",
    " Sono graditi commenti e critiche, positive e negative.",
    " Ettore Traversina",
    " ettore.traversina@example.org",
};

}  // namespace

lista_righe righe_note() {
  return lista_da(std::vector<std::string>(kRigheNote.begin(), kRigheNote.end()));
}

}  // namespace sb
