#include "documents/train_sheet_layout.h"

#include <algorithm>
#include <cstdlib>

namespace sb {
namespace {

constexpr int64_t kSecondiGiorno = 24 * 3600;

constexpr std::string_view kRigaVuota =
    " |     |     |          |     |                            |                |     |";
constexpr std::string_view kRigaTitoli =
    " |_____|_____|__________|_____|____________________________|________________|_____|";

// Width of the page-title field between the two top boxes.
constexpr size_t kLarghezzaTitolo = 45;

// The remainder of a by m, from 0 to m - 1 whatever the sign of a.
int64_t resto(int64_t a, int64_t m) { return (a % m + m) % m; }

// The number with at least two digits.
std::string due_cifre(int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string a_destra(std::string_view testo, size_t larghezza) {
  if (testo.size() >= larghezza) return std::string(testo);
  return std::string(larghezza - testo.size(), ' ') + std::string(testo);
}

// A time and its half-minute mark.
std::string ora_con_mezzo(int64_t secondi) { return ore_minuti(secondi) + mezzo(secondi); }

// The 16-character Orario cell.
std::string cella_orario(const voce_scheda& v, int pagina) {
  const std::string rientro = pagina == 1 ? " " : "";
  switch (v.orario) {
    case tipo_orario::nessuno: return std::string(16, ' ');
    case tipo_orario::transito: return std::string(5, ' ') + ora_con_mezzo(v.ora) + std::string(5, ' ');
    case tipo_orario::partenza: return std::string(10, ' ') + ora_con_mezzo(v.ora);
    case tipo_orario::arrivo: return a_sinistra(rientro + ora_con_mezzo(v.ora), 16);
    case tipo_orario::fermata: return a_sinistra(rientro + ora_con_mezzo(v.arrivo), 10) + ora_con_mezzo(v.ora);
  }
  return std::string(16, ' ');
}

// The 10-character Progr Km cell: kilometres with three decimals; the first
// page ends it one blank before the cell's end, the others two. A chainage
// too wide for the cell fills it with stars.
std::string cella_progressiva(int64_t metri, int pagina) {
  const std::string km = chilometri(metri);
  const size_t larghezza = pagina == 1 ? 9 : 8;
  const std::string cifre = km.size() > larghezza ? std::string(larghezza, '*') : a_destra(km, larghezza);
  return cifre + std::string(10 - larghezza, ' ');
}

// The 5-character Vel. Lim. cell.
std::string cella_velocita(int32_t velocita) {
  if (velocita == 0) return std::string(5, ' ');
  return a_destra(std::to_string(velocita), 4).substr(0, 4) + " ";
}

// The row with every blank after the first character turned into an
// underscore, so that it closes the table.
std::string come_chiusura(std::string riga) {
  std::replace(riga.begin() + 1, riga.end(), ' ', '_');
  return riga;
}

// The nine header lines of a page.
void intestazione(std::vector<std::string>& righe, const testata_scheda& t, size_t pagina, size_t pagine) {
  const std::string titolo = std::string(20, ' ') + "SCHEDA " + std::to_string(pagina) + "/" + std::to_string(pagine);
  righe.push_back("  ___________________                                               ______________");
  righe.push_back(" |" + t.data + "|" + a_sinistra(titolo, kLarghezzaTitolo) + "|              |");
  righe.push_back(" |" + t.treno + "|                   da: " + t.origine + "|" + t.riquadro_alto + "|");
  righe.push_back(" |___________________|                    a: " + t.destinazione + "|" + t.riquadro_basso + "|");
  righe.push_back(std::string(67, ' ') + "|______________|");
  righe.push_back("  ___________________                ___________________");
  righe.push_back(" |" + t.titolo_sinistro + "|              |" + t.titolo_destro + "|       ");
  righe.push_back(" |" + t.valore_sinistro + "|              |" + t.valore_destro + "|");
  righe.push_back(" |___________________|              |___________________|");
}

// The 36 table lines of a page: a full page's last row closes the table,
// a shorter page ends with empty rows and the title rule.
void tabella(std::vector<std::string>& righe, const std::vector<std::string>& corpo) {
  righe.push_back("  " + std::string(80, '_'));
  righe.push_back(" | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |");
  righe.push_back(" | Lim.|Marc.|          |  Rs |                            |                |     |");
  righe.push_back(std::string(kRigaTitoli));
  for (const std::string& riga : corpo) righe.push_back(riga);
  if (corpo.size() == kRigheTabellaScheda) {
    righe.back() = come_chiusura(righe.back());
    return;
  }
  for (size_t i = corpo.size(); i + 1 < kRigheTabellaScheda; ++i) righe.push_back(std::string(kRigaVuota));
  righe.push_back(std::string(kRigaTitoli));
}

// What follows a page: the half-minute footnote under the first, dots under
// the others but the last.
void piede(std::vector<std::string>& righe, size_t pagina, size_t pagine) {
  if (pagina == pagine) {
    righe.push_back("");
  } else if (pagina == 1) {
    righe.insert(righe.end(), {"", " il + indica 1/2 minuto", std::string(81, '.'), "", ""});
  } else {
    righe.insert(righe.end(), {"", "", std::string(72, '.'), ""});
  }
}

}  // namespace

testata_scheda testata_segnaposto() {
  return {std::string(19, ' '),
          "   TRENO n.xxxxx   ",
          a_sinistra("xxxxxx", kLarghezzaStazioneTestata),
          a_sinistra("xxxxxx", kLarghezzaStazioneTestata),
          "    Vxxx C    ",
          "     xxx%     ",
          "  CLASSIFICAZIONE  ",
          "  MASSA BLOCCATA   ",
          "        xxx        ",
          "      xxxT         "};
}

std::string a_sinistra(std::string_view testo, size_t larghezza) {
  std::string campo(testo.substr(0, larghezza));
  campo.resize(larghezza, ' ');
  return campo;
}

std::string al_centro(std::string_view testo, size_t larghezza) {
  if (testo.size() >= larghezza) return std::string(testo.substr(0, larghezza));
  const size_t sinistra = (larghezza - testo.size()) / 2;
  return a_sinistra(std::string(sinistra, ' ') + std::string(testo), larghezza);
}

std::string chilometri(int64_t metri) {
  const int64_t assoluto = std::llabs(metri);
  std::string decimali = std::to_string(assoluto % 1000);
  decimali.insert(0, 3 - decimali.size(), '0');
  return (metri < 0 ? "-" : "") + std::to_string(assoluto / 1000) + "." + decimali;
}

std::string chilometro_cippo(int64_t metri) {
  std::string km = chilometri(metri);
  km[km.find('.')] = '+';
  return km;
}

std::string ore_minuti(int64_t secondi) {
  const int64_t s = resto(secondi, kSecondiGiorno);
  return due_cifre(s / 3600) + "." + due_cifre(s / 60 % 60);
}

char mezzo(int64_t secondi) { return resto(secondi, 60) >= 30 ? '+' : ' '; }

std::string riga_percorso(const voce_scheda& v, int pagina) {
  const std::string vuota(5, ' ');
  return " |" + cella_velocita(v.velocita) + "|" + vuota + "|" + cella_progressiva(v.progressiva, pagina) + "|" +
         vuota + "|" + a_sinistra(v.localita, kLarghezzaLocalita) + "|" + cella_orario(v, pagina) + "|" + vuota +
         "|";
}

size_t pagine_percorso(size_t voci) {
  return std::max<size_t>(1, (voci + kRigheTabellaScheda - 1) / kRigheTabellaScheda);
}

std::vector<std::string> pagine_scheda(const testata_scheda& testata, const std::vector<voce_scheda>& voci,
                                       size_t pagine_minime) {
  const size_t con_percorso = pagine_percorso(voci.size());
  const size_t pagine = std::max(con_percorso, pagine_minime);
  std::vector<std::string> righe = {"", ""};
  for (size_t p = 1; p <= pagine; ++p) {
    std::vector<std::string> corpo;
    for (size_t i = (p - 1) * kRigheTabellaScheda; i < std::min(voci.size(), p * kRigheTabellaScheda); ++i) {
      corpo.push_back(riga_percorso(voci[i], static_cast<int>(p)));
    }
    intestazione(righe, p <= con_percorso ? testata : testata_segnaposto(), p, pagine);
    righe.push_back("");
    tabella(righe, corpo);
    piede(righe, p, pagine);
  }
  return righe;
}

size_t righe_per_pagine(size_t pagine) {
  if (pagine == 0) return 2;
  // Two top lines, 46 a page, and the footers: 5 under the first page when
  // more follow, 4 under each middle page, 1 under the last.
  const size_t piedi = pagine == 1 ? 1 : 5 + 4 * (pagine - 2) + 1;
  return 2 + 46 * pagine + piedi;
}

}  // namespace sb
