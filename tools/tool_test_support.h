// Helpers for the tool's tests: a scratch directory, whole-file reads and
// writes, running the scenario_tool executable, and a small scenario.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/temporary_directory.h"

namespace sb::prova {

// A scratch directory for one test.
class cartella_prova {
 public:
  cartella_prova() { crea_ok_ = cartella_.crea().ok; }
  bool ok() const { return crea_ok_; }
  std::string operator/(const std::string& nome) const { return cartella_.percorso() + "/" + nome; }
  const std::string& percorso() const { return cartella_.percorso(); }

 private:
  cartella_temporanea cartella_;
  bool crea_ok_ = false;
};

inline std::string leggi(const std::string& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void scrivi(const std::string& percorso, const std::string& byte) {
  std::ofstream out(percorso, std::ios::binary | std::ios::trunc);
  out << byte;
}

inline bool esiste(const std::string& percorso) { return std::filesystem::exists(percorso); }

// The lines joined with CR LF, each line ended by one.
inline std::string righe_crlf(const std::vector<std::string>& righe) {
  std::string out;
  for (const std::string& r : righe) out += r + "\r\n";
  return out;
}

// What one run of the executable gave.
struct esecuzione {
  int stato = -1;
  std::string out;
  std::string err;

  // The last line of standard output, without its line end.
  std::string ultima_riga() const {
    std::string s = out;
    while (!s.empty() && s.back() == '\n') s.pop_back();
    size_t a = s.rfind('\n');
    return a == std::string::npos ? s : s.substr(a + 1);
  }
};

inline std::string tra_apici(const std::string& a) {
  std::string out = "'";
  for (char c : a) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

// Runs scenario_tool with the arguments; the outputs go through files in the
// scratch directory.
inline esecuzione esegui_strumento_esterno(const cartella_prova& c, const std::vector<std::string>& argomenti) {
  std::string comando = tra_apici(SB_SCENARIO_TOOL);
  for (const std::string& a : argomenti) comando += " " + tra_apici(a);
  comando += " >" + tra_apici(c / ".stdout") + " 2>" + tra_apici(c / ".stderr") + " </dev/null";
  int r = std::system(comando.c_str());
  esecuzione e;
  e.stato = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
  e.out = leggi(c / ".stdout");
  e.err = leggi(c / ".stderr");
  std::filesystem::remove(c / ".stdout");
  std::filesystem::remove(c / ".stderr");
  return e;
}

// A small line: 12 km, three curves, five gradient rows, a montagna span, a
// sign and a maximum-speed indicator. Line numbers are 1-based positions in
// this list.
inline std::vector<std::string> linea_esempio() {
  return {
      "Notes: a small line for the tests",                               // 1
      "[generale]",                                                      // 2
      "lunghezza percorso,  12000",                                      // 3
      "progressiva chilometrica uno,   0,  0,  0",                       // 4
      "progressiva chilometrica due,   0,  0,  0",                       // 5
      "progressiva chilometrica tre,   0,  0,  0",                       // 6
      "sfondo uno,  1",                                                  // 7
      "sfondo due,  2",                                                  // 8
      "sfondo tre,  3",                                                  // 9
      "ripetizione segnali 4 codici,  0,  12000",                        // 10
      "[curve]",                                                         // 11
      "curvad4,  2000,  600",                                            // 12
      "curvas3,  5000,  900",                                            // 13
      "curvad2,  8000,  1200",                                           // 14
      "[pendenze]",                                                      // 15
      "pendenza,  0,  0",                                                // 16
      "pendenza,  1500,  8",                                             // 17
      "pendenza,  4000,  -5",                                            // 18
      "pendenza,  7000,  12",                                            // 19
      "pendenza,  10000,  0",                                            // 20
      "[montagne]",                                                      // 21
      "montagna,  3000,  3800,  11",                                     // 22
      "[cartelli]",                                                      // 23
      "cartello_indicatore,  2950,  (Cippo Km.)( 3+000 )",               // 24
      "[indicazioni]",                                                   // 25
      "indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0",     // 26
      "[fine]",                                                          // 27
  };
}

// A run over that line: three stations, a slowdown and two signals.
inline std::vector<std::string> servizio_esempio() {
  return {
      "Notes for the driver",                                                              // 1
      "[generale]",                                                                        // 2
      "numero vetture,  6",                                                                // 3
      "percentuale massa frenata,  90",                                                    // 4
      "sabbia,  200",                                                                      // 5
      "orologio,  7  15  0",                                                               // 6
      "[aderenze]",                                                                        // 7
      "aderenza,  0,  80",                                                                 // 8
      "[vel_limite]",                                                                      // 9
      "velocita,  0,  100",                                                                // 10
      "velocita,  4000,  80",                                                              // 11
      "velocita,  9000,  120",                                                             // 12
      "[stazioni]",                                                                        // 13
      "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, Pratofondo",               // 14
      "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino",         // 15
      "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara",            // 16
      "[rallentamenti]",                                                                   // 17
      "rallentamento, 7000, 60, 300, 0, 1, 0",                                             // 18
      "[segnali]",                                                                         // 19
      "segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0",                                       // 20
      "segnale, 4600, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0",                                       // 21
      "[codici]",                                                                          // 22
      "[fine]",                                                                            // 23
  };
}

}  // namespace sb::prova
