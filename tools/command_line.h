// The tool's command line: a subcommand, its options and its operands.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "author/author_compile.h"
#include "platform/folder_lock.h"

namespace sb {

// One option a subcommand accepts.
struct opzione_ammessa {
  std::string nome;  // "--out"
  bool con_valore = false;
  bool ripetibile = false;  // may be given more than once (each value kept)
};

// A parsed command line of one subcommand.
struct riga_comando {
  std::map<std::string, std::string> valori;  // options with a value (the last, for a repeatable one)
  std::map<std::string, std::vector<std::string>> ripetute;  // every value of a repeatable option, in order
  std::vector<std::string> interruttori;      // options without one, as given
  std::vector<std::string> operandi;
  bool aiuto = false;  // --help was given
  std::string errore;  // non-empty when not understood

  bool ha(const std::string& nome) const;
  std::string valore(const std::string& nome, const std::string& predefinito) const;
  std::vector<std::string> tutti(const std::string& nome) const;
};

// Parses the arguments that follow the subcommand's name. "--opt VALUE" and
// "--opt=VALUE" both work; an option given twice, an unknown option (with
// the known one nearest to it), a missing value, a value that is an option
// ("--out --line") or more operands than allowed set errore, and then --help
// counts for nothing, wherever it stands. "--" ends the options: every
// argument after it is an operand.
riga_comando analizza(const std::vector<std::string>& argomenti, const std::vector<opzione_ammessa>& ammesse,
                      size_t massimo_operandi);

// One command of the tool: its name, the line the general help gives it,
// its --help text, the options it takes and what runs it once its command
// line is parsed.
struct comando_strumento {
  std::string_view nome;
  std::string_view sommario;
  std::string_view aiuto;
  std::vector<opzione_ammessa> opzioni;
  size_t massimo_operandi = 0;
  int (*esegui)(const riga_comando& r, std::ostream& out, std::ostream& err, bool colore) = nullptr;
};

// Reports a usage error of the command and returns the usage status.
int uso(std::ostream& err, const std::string& comando, const std::string& motivo);

// Whether a name can stand in a file name.
bool nome_valido(const std::string& nome);

// An option's value, when it was given.
std::optional<std::string> se_dato(const riga_comando& r, const std::string& nome);

// Whether to wait for another run writing in the output folder (--no-wait).
attesa_blocco attesa(const riga_comando& r);

// The options compile, documents and check share; false with a usage error
// on err (its status in stato). Only the commands that write need --out.
bool opzioni_comuni(const riga_comando& r, const std::string& comando, opzioni_compile& o, std::ostream& err,
                    int& stato, bool con_uscita = true);

// The scenario a picture or a page is drawn from, as its command line gives
// it: the two descriptions with their names, or binary files.
struct file_scena {
  std::string linea;
  std::string servizio;
  std::string nome_linea;
  std::string numero_treno;
  std::string griglia;
  std::string tabella;
  std::string celle;
};

// Reads the sources of plan or view; the names as compile takes them (given,
// else from the file names). The status of a usage error told on err when
// they do not make one scenario, else nothing.
std::optional<int> leggi_file_scena(const riga_comando& r, const std::string& comando, file_scena& f,
                                    std::ostream& err);

}  // namespace sb
