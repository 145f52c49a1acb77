// For tests: the tables of cases in render/page/testdata/, which the page's
// script is tested against too, so that the C++ twins of its functions and
// the script cannot drift apart.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "test_support/file_bytes.h"

namespace sb::prova {

// One row of a table: its line number and its words.
struct riga_caso {
  int riga = 0;
  std::vector<std::string> parole;

  // The word k as a number.
  double numero(size_t k) const { return std::stod(parole.at(k)); }

  // The words from k on, joined by one space.
  std::string resto(size_t k) const {
    std::string out;
    for (size_t j = k; j < parole.size(); ++j) out += (j == k ? "" : " ") + parole[j];
    return out;
  }

  // "FILE:LINE" for the messages of a failed case.
  std::string dove(const std::string& nome) const { return nome + ":" + std::to_string(riga); }
};

// The rows of the table `nome`, blank lines and lines starting with # left
// out; the test fails when the file cannot be read or holds no case.
inline std::vector<riga_caso> casi_pagina(const std::string& nome) {
  const std::string testo = leggi(std::string(SB_SOURCE_DIR) + "/render/page/testdata/" + nome);
  std::vector<riga_caso> out;
  std::istringstream in(testo);
  std::string linea;
  for (int n = 1; std::getline(in, linea); ++n) {
    riga_caso r{n, {}};
    std::istringstream parole(linea);
    for (std::string p; parole >> p;) r.parole.push_back(p);
    if (r.parole.empty() || r.parole[0][0] == '#') continue;
    out.push_back(r);
  }
  EXPECT_FALSE(out.empty()) << "no case in " << nome;
  return out;
}

// Whether two numbers agree but for rounding in the last places.
inline bool vicini(double a, double b) {
  return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

}  // namespace sb::prova
