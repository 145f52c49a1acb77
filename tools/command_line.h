// The tool's command line: a subcommand, its options and its operands.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace sb {

// One option a subcommand accepts.
struct opzione_ammessa {
  std::string nome;  // "--out"
  bool con_valore = false;
};

// A parsed command line of one subcommand.
struct riga_comando {
  std::map<std::string, std::string> valori;  // options with a value
  std::vector<std::string> interruttori;       // options without one, as given
  std::vector<std::string> operandi;
  bool aiuto = false;                           // --help was given
  std::string errore;                           // non-empty when not understood

  bool ha(const std::string& nome) const;
  std::string valore(const std::string& nome, const std::string& predefinito) const;
};

// Parses the arguments that follow the subcommand's name. "--opt VALUE" and
// "--opt=VALUE" both work; an option given twice, an unknown option (with
// the known one nearest to it), a missing value, a value that is an option
// ("--out --line") or more operands than allowed set errore.
riga_comando analizza(const std::vector<std::string>& argomenti,
                      const std::vector<opzione_ammessa>& ammesse, size_t massimo_operandi);

}  // namespace sb
