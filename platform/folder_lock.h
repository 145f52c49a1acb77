// One writer at a time in a folder: an advisory lock (flock) on the folder
// itself, held from the start of a run to its end. A lock on the folder
// leaves no lock file behind beside the outputs.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/file_set.h"
#include "platform/files.h"

namespace sb {

// What a run does when another run holds the folder.
enum class attesa_blocco {
  attendi,        // waits for it
  non_attendere,  // fails at once
};

// The reason given when the folder is held and the run does not wait.
inline constexpr const char* kCartellaOccupata = "another run is writing in this folder";

// Takes the lock of the open folder for as long as the folder stays open,
// then completes or deletes what a killed run left there (ripulisci_cartella;
// a killed run's set that cannot be completed is a failure).
// Waiting, `in_attesa` is called once after a second; SIGINT or SIGTERM end
// the wait (a failure with the signal).
esito_file blocca_cartella(cartella_uscita& cartella, attesa_blocco modo, const std::function<void()>& in_attesa);

// Opens the folder and takes its lock; waiting, "PROGRAM: waiting for another
// run writing in DIR" goes to `avvisi` after a second.
esito_file apri_e_blocca(cartella_uscita& uscita, const std::string& cartella, attesa_blocco modo,
                         std::ostream& avvisi, std::string_view programma);

}  // namespace sb
