// "scenario_tool timing --propose": times for every timed station that keep
// the recovery margin over the fastest run, as a table, and with --write the
// service text rewritten with only those times changed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "author/author_compile.h"
#include "platform/folder_lock.h"
#include "tools/command_line.h"
#include "tools/train_profile_option.h"

namespace sb {

// What the author asked of a proposal.
struct opzioni_proposta {
  std::optional<double> margine_pct;  // --margin; else the profile's recovery margin
  int32_t arrotonda_s = 30;           // --round
  std::optional<int32_t> partenza;    // --start, seconds since midnight; else the service's clock
  bool scrivi = false;                // --write
  attesa_blocco attesa = attesa_blocco::attendi;  // --no-wait: fail at once on a locked folder
};

// Reads --margin, --round, --start, --write and --no-wait; false with a usage error on
// err (its status in stato).
bool opzioni_proposta_lette(const riga_comando& r, opzioni_proposta& q, std::ostream& err, int& stato);

// Compiles the texts as timing does, proposes the times, prints them as a
// table on out and, asked to, writes them into the service text. Returns 0,
// 1 when the compile or the run gives no proposal, 4 when a file cannot be
// read or written.
int esegui_proposta(const opzioni_compile& o, const profilo_scelto& p, const opzioni_proposta& q, std::ostream& out,
                    std::ostream& err);

}  // namespace sb
