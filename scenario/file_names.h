// Names of the scenario's files, built from the line name and train number.
#pragma once

#include <string>

namespace sb {

// The line description text: NAME_linea.txt.
inline std::string nome_testo_linea(const std::string& linea) { return linea + "_linea.txt"; }

// The service description text: NAME_TRAIN-.txt.
inline std::string nome_testo_servizio(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "-.txt";
}

// The line plan: NAME_linea.dat.
inline std::string nome_file_griglia(const std::string& linea) { return linea + "_linea.dat"; }

// The object table: NAME_TRAIN.sim.
inline std::string nome_file_tabella(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".sim";
}

// The route cells: NAME_TRAIN.dat.
inline std::string nome_file_celle(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".dat";
}

// A driver document: NAME_TRAIN_SUFFIX.
inline std::string nome_documento(const std::string& linea, const std::string& treno,
                                  const std::string& suffisso) {
  return linea + "_" + treno + "_" + suffisso;
}

// Joins a directory and a file name.
inline std::string in_cartella(const std::string& cartella, const std::string& nome) {
  if (cartella.empty()) return nome;
  return cartella + "/" + nome;
}

}  // namespace sb
