// Helpers for the tool's tests: running the scenario_tool executable, and a
// small scenario.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "test_support/borvale_texts.h"
#include "test_support/file_bytes.h"
#include "test_support/sample_scenario.h"
#include "test_support/scratch_folder.h"

namespace sb::prova {

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

}  // namespace sb::prova
