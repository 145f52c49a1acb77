#include "platform/writer.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/exit_status.h"
#include "platform/link_trust.h"

namespace sb {
namespace {

// A folder and a name joined as the paths given are read: "out/NAME",
// "NAME" in the current folder.
std::string unisci(const std::string& cartella, const std::string& nome) {
  if (cartella.empty()) return nome;
  return cartella.back() == '/' ? cartella + nome : cartella + "/" + nome;
}

// Creates the folder and its parents when missing. A link to nothing is not
// made into a folder: creating its target would write where the link points.
esito_file crea_cartella(const std::string& cartella) {
  if (cartella.empty()) return {};
  std::error_code e;
  if (std::filesystem::is_symlink(cartella, e) && !std::filesystem::exists(cartella, e)) {
    return esito_file{false, cartella,
                      "a link to a missing folder (" + std::filesystem::read_symlink(cartella, e).string() + ")"};
  }
  std::filesystem::create_directories(cartella, e);
  if (e) return esito_file{false, cartella, e.message()};
  if (!std::filesystem::is_directory(cartella, e)) return esito_file{false, cartella, std::strerror(ENOTDIR)};
  return {};
}

// Every name that already stands in the folder (a link included), each as
// "DIR/NAME: File exists (--force replaces it)" on a line of its own.
esito_file esistenti(const cartella_uscita& cartella, const std::vector<std::string>& nomi) {
  const std::string motivo = std::string(std::strerror(EEXIST)) + " (--force replaces it)";
  esito_file e;
  for (const std::string& nome : nomi) {
    struct stat st;
    if (::fstatat(cartella.fd(), nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (e.ok) {
      e = esito_file{false, cartella.in(nome), motivo};
      continue;
    }
    e.motivo += "\n" + cartella.in(nome) + ": " + motivo;
  }
  return e;
}

}  // namespace

richiesta_scrittura richiesta_file(const std::string& comando, const std::string& file,
                                   std::vector<std::string> ingressi, attesa_blocco attesa) {
  richiesta_scrittura r;
  r.comando = comando;
  r.ingressi = std::move(ingressi);
  r.attesa = attesa;
  if (file == kUscitaStandard) {
    r.standard = true;
    return r;
  }
  const file_diviso p = dividi_file(file);
  r.cartella = p.cartella;
  r.nomi = {p.nome};
  return r;
}

scrittura::scrittura(richiesta_scrittura r, std::ostream& err) : r_(std::move(r)), err_(err) {}

int scrittura::controlla_ingressi() const {
  std::vector<std::string> uscite;
  for (const std::string& nome : r_.nomi) uscite.push_back(unisci(r_.cartella, nome));
  const std::optional<uscita_su_ingresso> t = trova_ingresso_in_uscita(r_.ingressi, uscite);
  if (!t) return 0;
  err_ << r_.programma << " " << r_.comando << ": the output " << t->uscita << " is the input " << t->ingresso
       << "; nothing written\n"
       << "Try '" << r_.programma << " " << r_.comando << " --help'.\n";
  return kUscitaUso;
}

esito_file scrittura::prepara_cartella() const {
  if (esito_file e = file_fidato(r_.cartella.empty() ? "." : r_.cartella); !e.ok) return e;
  if (!r_.crea_cartella) return {};
  return crea_cartella(r_.cartella);
}

esito_file scrittura::apri() {
  if (esito_file e = prepara_cartella(); !e.ok) return e;
  if (esito_file e = apri_e_blocca(cartella_, r_.cartella, r_.attesa, err_, r_.programma); !e.ok) return e;
  for (const std::string& a : cartella_.avvisi()) err_ << r_.programma << ": warning: " << a << "\n";
  if (r_.tieni_esistenti) return esistenti(cartella_, r_.nomi);
  return {};
}

esito_file scrittura::sostituisci(const std::vector<file_nuovo>& files) { return sostituisci_insieme(cartella_, files); }

int scrittura::stato(const esito_file& e) const { return e.ok ? kUscitaPulita : uscita_file(e, err_); }

int scrittura::fine(int stato) const {
  std::string dove = r_.cartella.empty() ? "." : r_.cartella;
  if (r_.standard) dove = kUscitaStandard;
  else if (r_.nomi.size() == 1) dove = unisci(r_.cartella, r_.nomi.front());
  return stato_finale(stato, dove, err_);
}

int scrittura::scrivi_unico(std::string_view byte, std::ostream& out) {
  if (r_.standard) {
    out.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    out.flush();
    if (!out) {
      err_ << "standard output: the bytes could not be written\n";
      return kUscitaFile;
    }
    return fine(kUscitaPulita);
  }
  if (esito_file e = apri(); !e.ok) return stato(e);
  if (esito_file e = sostituisci({{r_.nomi.front(), byte}}); !e.ok) return stato(e);
  return fine(kUscitaPulita);
}

namespace {

// The file a path names, links followed: its real path and its status.
esito_file file_reale(const std::string& file, std::string& reale, struct stat& st) {
  if (esito_file e = file_fidato(file); !e.ok) return e;
  char* r = ::realpath(file.c_str(), nullptr);
  if (r == nullptr) return fallito(file, errno);
  reale = r;
  std::free(r);
  if (::lstat(reale.c_str(), &st) != 0) return fallito(file, errno);
  if (!S_ISREG(st.st_mode)) return esito_file{false, file, perche_non_regolare(st.st_mode)};
  return {};
}

}  // namespace

int riscrivi_sul_posto(const std::string& comando, const std::string& file, std::string_view byte,
                       attesa_blocco attesa, std::ostream& err) {
  std::string reale;
  struct stat st;
  esito_file e = file_reale(file, reale, st);
  if (e.ok && st.st_nlink > 1) {
    e = esito_file{false, file,
                   "a file with " + std::to_string(st.st_nlink) +
                       " hard links: replacing it would part it from the others; left as it was"};
  }
  if (e.ok && byte.size() > kMassimoByteLettura) {
    e = esito_file{false, file,
                   "would become " + std::to_string(byte.size()) + " bytes, larger than " +
                       std::to_string(kMassimoByteLettura) + ", the limit for a file that is read; left as it was"};
  }
  scrittura w(richiesta_file(comando, reale, {}, attesa), err);
  if (!e.ok) return w.stato(e);
  if (e = w.apri(); !e.ok) return w.stato(e);
  file_nuovo f;
  f.nome = dividi_file(reale).nome;
  f.byte = byte;
  f.proprieta = proprieta_file{st.st_mode & 07777, st.st_uid, st.st_gid};
  if (e = w.sostituisci({f}); !e.ok) return w.stato(e);
  return w.fine(kUscitaPulita);
}

int scrivi_testi_nuovi(richiesta_scrittura r, const std::vector<file_nuovo>& files,
                       const std::vector<std::string>& detto, std::ostream& out, std::ostream& err) {
  r.nomi.clear();
  for (const file_nuovo& f : files) r.nomi.push_back(f.nome);
  scrittura w(std::move(r), err);
  if (esito_file e = w.apri(); !e.ok) return w.stato(e);
  if (esito_file e = w.sostituisci(files); !e.ok) return w.stato(e);
  for (const std::string& riga : detto) out << riga << "\n";
  for (const file_nuovo& f : files) out << w.cartella().in(f.nome) << "\n";
  return w.fine(kUscitaPulita);
}

}  // namespace sb
