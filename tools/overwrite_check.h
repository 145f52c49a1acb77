// A run never writes over one of its own inputs: every output path is
// compared with every input before anything is written.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sb {

// When an output path is one of the inputs (the same file, whatever the
// spelling or link), writes the usage error "scenario_tool COMMAND: the
// output OUT is the input IN; nothing written" to err and returns true.
bool uscita_su_un_ingresso(const std::string& comando, const std::vector<std::string>& ingressi,
                           const std::vector<std::string>& uscite, std::ostream& err);

// The names of the files a compile may write into its folder: the three
// binary files, the two documents, and the notes with them when given.
std::vector<std::string> nomi_compile(const std::string& linea, const std::string& treno, bool binari,
                                      bool documenti, bool con_note);

}  // namespace sb
