// For tests: the lines a document writes, split at its CR LF line ends.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/line_list.h"

namespace sb {

// The written lines of the list; the test fails when bytes follow the last CR LF.
inline std::vector<std::string> righe_scritte(const lista_righe& lista) {
  const std::string testo = componi_documento(lista);
  std::vector<std::string> out;
  size_t inizio = 0;
  for (size_t fine; (fine = testo.find("\r\n", inizio)) != std::string::npos; inizio = fine + 2) {
    out.push_back(testo.substr(inizio, fine - inizio));
  }
  EXPECT_EQ(inizio, testo.size()) << "text after the last CR LF";
  return out;
}

}  // namespace sb
