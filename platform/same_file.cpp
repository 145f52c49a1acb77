#include "platform/same_file.h"

#include <sys/stat.h>

namespace sb {
namespace {

// A file's identity: its device and inode.
struct identita {
  dev_t dispositivo = 0;
  ino_t inode = 0;
  bool operator==(const identita&) const = default;
};

// The identity of the file the path leads to, links followed.
std::optional<identita> identita_di(const std::string& file) {
  struct stat st;
  if (file.empty() || ::stat(file.c_str(), &st) != 0) return std::nullopt;
  return identita{st.st_dev, st.st_ino};
}

}  // namespace

std::optional<uscita_su_ingresso> trova_ingresso_in_uscita(const std::vector<std::string>& ingressi,
                                                           const std::vector<std::string>& uscite) {
  std::vector<std::pair<identita, const std::string*>> letti;
  for (const std::string& i : ingressi) {
    if (std::optional<identita> id = identita_di(i)) letti.emplace_back(*id, &i);
  }
  for (const std::string& u : uscite) {
    const std::optional<identita> id = identita_di(u);
    if (!id) continue;
    for (const auto& [l, file] : letti) {
      if (l == *id) return uscita_su_ingresso{*file, u};
    }
  }
  return std::nullopt;
}

}  // namespace sb
