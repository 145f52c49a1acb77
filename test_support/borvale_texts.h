// The builder's own description texts written where a test wants them.
#pragma once

#include <string>
#include <utility>

#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "documents/line_list.h"
#include "test_support/file_bytes.h"
#include "test_support/scratch_folder.h"

namespace sb::prova {

// The builder's own line and service texts written into the directory under
// the names export gives them; returns the two paths.
inline std::pair<std::string, std::string> testi_borvale(const cartella_prova& c) {
  const std::string linea = c / "BORVALE_linea.txt", servizio = c / "BORVALE_40617-.txt";
  scrivi(linea, componi_documento(righe_linea()));
  scrivi(servizio, componi_documento(righe_treno()));
  return {linea, servizio};
}

}  // namespace sb::prova
