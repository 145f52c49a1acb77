// Whether a file about to be written is one that the run reads: an output
// path may name an input under another spelling, through a link or a hard
// link, and writing it would destroy the input.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sb {

// An output path that names an input: both paths as given.
struct uscita_su_ingresso {
  std::string ingresso;
  std::string uscita;
};

// The first output that is the same file as an input (same device and inode,
// links followed on both sides); nullopt when none is. A path that does not
// exist matches nothing.
std::optional<uscita_su_ingresso> trova_ingresso_in_uscita(const std::vector<std::string>& ingressi,
                                                           const std::vector<std::string>& uscite);

}  // namespace sb
