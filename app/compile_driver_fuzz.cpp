// Fuzz target: the whole compile driver on a line text and a service text
// taken from the input, in a private directory. The first byte says which
// texts exist and the build flag; the rest is the line text, then a NUL byte,
// then the service text. Every build must end without a file fault, with a
// known code, and with the binary files it says it wrote.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "app/compile_driver.h"
#include "platform/files.h"
#include "platform/user_interface.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"

namespace {

namespace fs = std::filesystem;

// A stream buffer that drops everything.
class buffer_nullo final : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The directory of this process's builds, emptied after each and removed
// when the process ends.
class cartella_privata {
 public:
  cartella_privata() : percorso_((fs::temp_directory_path() / "sb_fuzz_XXXXXX").string()) {
    if (::mkdtemp(percorso_.data()) == nullptr) std::abort();
  }
  ~cartella_privata() {
    std::error_code ignorato;
    fs::remove_all(percorso_, ignorato);
  }
  const std::string& percorso() const { return percorso_; }

 private:
  std::string percorso_;
};

void scrivi(const std::string& cartella, const std::string& nome, std::string_view byte) {
  if (!sb::sostituisci_file(sb::in_cartella(cartella, nome), byte).ok) std::abort();
}

bool codice_noto(int32_t codice) {
  if (codice == sb::kGuardiaMarcatori || codice == sb::kGuardiaCodici) return false;
  return !sb::significato(codice).empty();
}

// Checks how the build ended against what it left in the directory.
void verifica(const sb::scenario& s, const sb::esito_build& e, int32_t flag, const std::string& cartella) {
  using tipo = sb::esito_build::tipo;
  if (e.fine == tipo::errore_file) std::abort();
  if (!codice_noto(s.codice_errore)) std::abort();
  if (e.fine == tipo::guardia && e.numero_guardia != sb::kGuardiaMarcatori &&
      e.numero_guardia != sb::kGuardiaCodici)
    std::abort();
  const bool scritti = e.fine == tipo::completata;
  if (sb::file_esiste(sb::in_cartella(cartella, sb::nome_file_celle(s.nome_linea, s.numero_treno))) != scritti)
    std::abort();
  if (sb::file_esiste(sb::in_cartella(cartella, sb::nome_file_tabella(s.nome_linea, s.numero_treno))) != scritti)
    std::abort();
  if (sb::file_esiste(sb::in_cartella(cartella, sb::nome_file_griglia(s.nome_linea))) != (scritti && flag != 0))
    std::abort();
  // The line text is gone after every build that found it.
  if (sb::file_esiste(sb::in_cartella(cartella, sb::nome_testo_linea(s.nome_linea)))) std::abort();
}

void svuota(const std::string& cartella) {
  std::error_code errore;
  for (const fs::directory_entry& voce : fs::directory_iterator(cartella)) fs::remove(voce.path(), errore);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t scelta = data[0];
  std::string_view resto(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t separatore = resto.find('\0');
  std::string_view linea = resto.substr(0, separatore);
  std::string_view servizio = separatore == std::string_view::npos ? std::string_view{} : resto.substr(separatore + 1);

  static const cartella_privata privata;
  const std::string& cartella = privata.percorso();
  sb::scenario s;
  s.nome_linea = "BORVALE";
  s.numero_treno = "40617";
  if ((scelta & 2) == 0) scrivi(cartella, sb::nome_testo_linea(s.nome_linea), linea);
  if ((scelta & 4) == 0) scrivi(cartella, sb::nome_testo_servizio(s.nome_linea, s.numero_treno), servizio);

  buffer_nullo nullo;
  std::ostream flusso(&nullo);
  std::unique_ptr<sb::interfaccia_utente> ui = sb::interfaccia_console(flusso, flusso);
  const int32_t flag = scelta & 1;
  const sb::esito_build e = sb::memorizza_percorso(s, flag, cartella, *ui);
  verifica(s, e, flag, cartella);
  svuota(cartella);
  return 0;
}
