#include "platform/writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/exit_status.h"
#include "platform/link_trust.h"
#include "test_support/file_bytes.h"
#include "test_support/scratch_folder.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

// In a sticky folder every user may write, a link of another user is not
// followed, wherever it stands on the path; the user's own link, or one of
// the folder's owner, is. Giving a link to another user needs root.
TEST(Scrittura, APlantedLinkInAStickyFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "a link of another user needs root";
  prova::cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  const std::string condivisa = dir / "shared", privata = dir / "private";
  fs::create_directories(condivisa);
  fs::create_directories(privata + "/inner");
  ASSERT_EQ(::chmod(condivisa.c_str(), 01777), 0);
  fs::create_symlink(privata, condivisa + "/out");
  fs::create_symlink(condivisa + "/out", dir / "hop");
  const std::string motivo = "a symbolic link owned by user 65534 in a sticky folder every user may write; not followed";
  EXPECT_TRUE(file_fidato(condivisa + "/out/inner").ok) << "the user's own link";

  ASSERT_EQ(::lchown((condivisa + "/out").c_str(), 65534, 65534), 0);
  struct caso {
    std::string file;
  } casi[] = {{condivisa + "/out"}, {condivisa + "/out/inner"}, {dir / "hop/inner"}, {condivisa + "/./out/x/y"}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.file);
    const esito_file e = file_fidato(c.file);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.motivo, motivo);
  }
  // Through the writer: nothing is created behind the link.
  std::ostringstream err;
  richiesta_scrittura r;
  r.cartella = condivisa + "/out/new";
  scrittura w(r, err);
  EXPECT_EQ(w.stato(w.apri()), kUscitaFile);
  EXPECT_FALSE(fs::exists(privata + "/new"));

  // Not sticky, or the folder's own owner's link: followed.
  ASSERT_EQ(::chmod(condivisa.c_str(), 0777), 0);
  EXPECT_TRUE(file_fidato(condivisa + "/out/inner").ok);
  ASSERT_EQ(::chmod(condivisa.c_str(), 01777), 0);
  ASSERT_EQ(::chown(condivisa.c_str(), 65534, 65534), 0);
  EXPECT_TRUE(file_fidato(condivisa + "/out/inner").ok);
}

// Bytes over the read limit would make a file no command reads: refused
// before anything is written.
TEST(Scrittura, ARewriteOverTheReadLimitIsRefused) {
  prova::cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  const std::string file = dir / "t.txt";
  prova::scrivi(file, "small");
  std::ostringstream err;
  const std::string grande(kMassimoByteLettura + 1, ' ');
  EXPECT_EQ(riscrivi_sul_posto("format", file, grande, attesa_blocco::non_attendere, err), kUscitaFile);
  EXPECT_EQ(err.str(), file + ": would become 67108865 bytes, larger than 67108864, the limit for a file that is "
                              "read; left as it was\n");
  EXPECT_EQ(prova::leggi(file), "small");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.cartella()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace sb
