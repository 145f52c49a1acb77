// For tests: whole-file reads and writes, and texts built from lines.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace sb::prova {

// The file's bytes; empty when it cannot be read.
inline std::string leggi(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Writes the bytes, replacing the file.
inline void scrivi(const std::string& file, std::string_view byte) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << byte;
}

inline bool esiste(const std::string& file) { return std::filesystem::exists(file); }

// The lines joined with CR LF, each line ended by one.
inline std::string righe_crlf(const std::vector<std::string>& righe) {
  std::string out;
  for (const std::string& r : righe) out += r + "\r\n";
  return out;
}

}  // namespace sb::prova
