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

// The train sheet: NAME_TRAIN_scheda_treno.txt.
inline std::string nome_scheda_treno(const std::string& linea, const std::string& treno) {
  return nome_documento(linea, treno, "scheda_treno.txt");
}

// The slowdown order: NAME_TRAIN_rallentamenti.txt.
inline std::string nome_rallentamenti(const std::string& linea, const std::string& treno) {
  return nome_documento(linea, treno, "rallentamenti.txt");
}

// The notes: NAME_TRAIN_note.txt.
inline std::string nome_note(const std::string& linea, const std::string& treno) {
  return nome_documento(linea, treno, "note.txt");
}

// Joins a directory and a file name.
inline std::string in_cartella(const std::string& cartella, const std::string& nome) {
  if (cartella.empty()) return nome;
  return cartella + "/" + nome;
}

}  // namespace sb
