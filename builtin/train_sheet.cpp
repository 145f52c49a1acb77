#include "builtin/train_sheet.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/file_names.h"
#include "builtin/run_timetable.h"

namespace sb {
namespace {

// Route rows on the first page; the rest go to the second.
constexpr size_t kRighePagina1 = 32;
// Body lines of every table, the closing rule included.
constexpr size_t kRigheCorpo = 32;

// One row of the route table, before formatting.
struct voce_percorso {
  int32_t posizione;    // metres: gives the order and the speed limit
  int32_t progressiva;  // metres, as printed
  std::string_view testo;
  const stazione_corsa* stazione;  // null for a landmark
  bool origine;
  bool destinazione;
};

// Stations and landmarks merged in route order.
std::vector<voce_percorso> voci_percorso() {
  std::vector<voce_percorso> voci;
  for (size_t i = 0; i < kStazioniCorsa.size(); ++i) {
    const stazione_corsa& s = kStazioniCorsa[i];
    voci.push_back({s.posizione, s.posizione, s.nome, &s, i == 0, i + 1 == kStazioniCorsa.size()});
  }
  for (const riferimento_linea& r : kRiferimentiLinea) {
    voci.push_back({r.posizione, r.progressiva, r.testo, nullptr, false, false});
  }
  std::stable_sort(voci.begin(), voci.end(),
                   [](const voce_percorso& a, const voce_percorso& b) { return a.posizione < b.posizione; });
  return voci;
}

// The text padded with blanks (or cut) to the width.
std::string a_sinistra(std::string_view testo, size_t larghezza) {
  std::string campo(testo.substr(0, larghezza));
  campo.resize(larghezza, ' ');
  return campo;
}

std::string a_destra(std::string_view testo, size_t larghezza) {
  if (testo.size() >= larghezza) return std::string(testo);
  return std::string(larghezza - testo.size(), ' ') + std::string(testo);
}

// "HH.MM" of a time of day; the half minute is told apart by mezzo().
std::string ore_minuti(int32_t secondi) {
  const int32_t ore = secondi / 3600;
  const int32_t minuti = secondi / 60 % 60;
  std::string testo = std::to_string(ore) + ".";
  if (minuti < 10) testo += '0';
  return testo + std::to_string(minuti);
}

// "+" after a time with half a minute, else a blank.
char mezzo(int32_t secondi) { return secondi % 60 >= 30 ? '+' : ' '; }

// The 16-character Orario cell of a row.
std::string cella_orario(const voce_percorso& v, int pagina) {
  const std::string vuota(16, ' ');
  if (v.stazione == nullptr || v.stazione->orario == 0) return vuota;
  const int32_t orario = v.stazione->orario;
  const std::string tempo = ore_minuti(orario) + mezzo(orario);
  if (v.stazione->tipo >= kTipoTransito) return std::string(5, ' ') + tempo + std::string(5, ' ');
  if (v.origine) return std::string(10, ' ') + tempo;
  const std::string arrivo_pagina = pagina == 1 ? " " : "";
  if (v.destinazione) return a_sinistra(arrivo_pagina + tempo, 16);
  const std::string arrivo = arrivo_pagina + ore_minuti(v.stazione->arrivo);
  return arrivo + std::string(10 - arrivo.size(), ' ') + tempo;
}

// The 10-character Progr Km cell: kilometres with three decimals.
std::string cella_progressiva(int32_t metri, int pagina) {
  std::string decimali = std::to_string(metri % 1000);
  decimali.insert(0, 3 - decimali.size(), '0');
  const std::string km = std::to_string(metri / 1000) + "." + decimali;
  if (pagina == 1) return a_destra(km, 9) + " ";
  return a_destra(km, 8) + "  ";
}

// A body row from its seven cells.
std::string riga_tabella(std::string_view vel, std::string_view progr, std::string_view localita,
                         std::string_view orario) {
  const std::string vuota(5, ' ');
  return " |" + std::string(vel) + "|" + vuota + "|" + std::string(progr) + "|" + vuota + "|" +
         a_sinistra(localita, 28) + "|" + std::string(orario) + "|" + vuota + "|";
}

std::string riga_percorso(const voce_percorso& v, int pagina) {
  const std::string vel = a_destra(std::to_string(velocita_in(v.posizione)), 4) + " ";
  return riga_tabella(vel, cella_progressiva(v.progressiva, pagina), v.testo, cella_orario(v, pagina));
}

// The row with every blank after the first character turned into an
// underscore, so that it closes the table.
std::string come_chiusura(std::string riga) {
  std::replace(riga.begin() + 1, riga.end(), ' ', '_');
  return riga;
}

constexpr std::string_view kRigaVuota =
    " |     |     |          |     |                            |                |     |";
constexpr std::string_view kRigaTitoli =
    " |_____|_____|__________|_____|____________________________|________________|_____|";

// The nine header lines of a page; pages 3 and 4 carry placeholders.
void intestazione(std::vector<std::string>& righe, int pagina) {
  const bool dati = pagina <= 2;
  const std::string origine(dati ? kStazioniCorsa.front().nome : "xxxxxx");
  const std::string destinazione(dati ? kStazioniCorsa.back().nome : "xxxxxx");
  righe.push_back("  ___________________                                               ______________");
  righe.push_back(" |                   |                    SCHEDA " + std::to_string(pagina) +
                  "/4               |              |");
  righe.push_back(std::string(" |   TRENO n.") + (dati ? "40617" : "xxxxx") + "   |                   da: " +
                  a_sinistra(origine, 22) + (dati ? "|    V140 B    |" : "|    Vxxx C    |"));
  righe.push_back(" |___________________|                    a: " + a_sinistra(destinazione, 22) +
                  (dati ? "|     130%     |" : "|     xxx%     |"));
  righe.push_back(std::string(67, ' ') + "|______________|");
  righe.push_back("  ___________________                ___________________");
  righe.push_back(" |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
  righe.push_back(dati ? " |        Reg        |              |      330T         |"
                       : " |        xxx        |              |      xxxT         |");
  righe.push_back(" |___________________|              |___________________|");
}

// The 36 table lines of a page, from its route rows.
void tabella(std::vector<std::string>& righe, const std::vector<std::string>& corpo) {
  righe.push_back("  " + std::string(80, '_'));
  righe.push_back(" | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |");
  righe.push_back(" | Lim.|Marc.|          |  Rs |                            |                |     |");
  righe.push_back(std::string(kRigaTitoli));
  for (const std::string& riga : corpo) righe.push_back(riga);
  for (size_t i = corpo.size(); i + 1 < kRigheCorpo; ++i) righe.push_back(std::string(kRigaVuota));
  if (corpo.size() < kRigheCorpo) righe.push_back(std::string(kRigaTitoli));
}

// Page header, gap and table.
void pagina(std::vector<std::string>& righe, int numero, const std::vector<std::string>& corpo) {
  intestazione(righe, numero);
  righe.push_back("");
  tabella(righe, corpo);
}

}  // namespace

lista_righe righe_scheda() {
  const std::vector<voce_percorso> voci = voci_percorso();
  std::vector<std::string> corpo_1;
  std::vector<std::string> corpo_2;
  for (size_t i = 0; i < voci.size(); ++i) {
    if (i < kRighePagina1) corpo_1.push_back(riga_percorso(voci[i], 1));
    else corpo_2.push_back(riga_percorso(voci[i], 2));
  }
  corpo_1.back() = come_chiusura(corpo_1.back());

  const std::string punti_72(72, '.');
  std::vector<std::string> righe = {"", ""};
  pagina(righe, 1, corpo_1);
  righe.insert(righe.end(), {"", " il + indica 1/2 minuto", std::string(81, '.'), "", ""});
  pagina(righe, 2, corpo_2);
  righe.insert(righe.end(), {"", "", punti_72, ""});
  pagina(righe, 3, {});
  righe.insert(righe.end(), {"", "", punti_72, ""});
  pagina(righe, 4, {});
  righe.push_back("");
  return lista_da(righe);
}

esito_file dati_scheda(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno) {
  return scrivi_documento(righe_scheda(), in_cartella(cartella, nome_documento(nome_linea, numero_treno, "scheda_treno.txt")));
}

}  // namespace sb
