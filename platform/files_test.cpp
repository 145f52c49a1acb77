#include "platform/files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace sb {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("sb_files_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(FilesTest, ReplaceLeavesNoTrailingBytesOfAnOlderFile) {
  ASSERT_TRUE(sostituisci_file(path("f.dat"), std::string(100, 'x')).ok);
  ASSERT_TRUE(sostituisci_file(path("f.dat"), "abc").ok);
  std::string back;
  ASSERT_TRUE(leggi_file(path("f.dat"), back).ok);
  EXPECT_EQ(back, "abc");
}

TEST_F(FilesTest, BinaryBytesRoundTrip) {
  std::string bytes("\0\x01\xff\r\n\x1a", 6);
  ASSERT_TRUE(sostituisci_file(path("b.dat"), bytes).ok);
  std::string back;
  ASSERT_TRUE(leggi_file(path("b.dat"), back).ok);
  EXPECT_EQ(back, bytes);
}

TEST_F(FilesTest, FailuresNameThePathAndTheReason) {
  struct caso {
    std::string percorso;
    const char* motivo;
  } casi[] = {
      {path("missing/f.txt"), "No such file or directory"},
      {dir_.string(), "Is a directory"},
  };
  for (const caso& c : casi) {
    esito_file e = sostituisci_file(c.percorso, "data");
    EXPECT_FALSE(e.ok) << c.percorso;
    EXPECT_EQ(e.messaggio(), c.percorso + ": " + c.motivo);
  }
}

// A write the system cuts short, as on a full disk: here the file size limit
// of the process stands in for the disk, so no mount is needed.
TEST_F(FilesTest, AWriteCutShortIsReportedAndLeavesNoFile) {
  struct rlimit prima;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &prima), 0);
  void (*gestore)(int) = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit stretto = prima;
  stretto.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &stretto), 0);
  esito_file e = sostituisci_file(path("big.dat"), std::string(5000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &prima);
  std::signal(SIGXFSZ, gestore);
  EXPECT_FALSE(e.ok);
  EXPECT_EQ(e.messaggio(), path("big.dat") + ": File too large");
  EXPECT_FALSE(file_esiste(path("big.dat")));
}

TEST_F(FilesTest, ReadAndDeleteReportMissingFiles) {
  std::string out;
  esito_file e = leggi_file(path("none"), out);
  EXPECT_EQ(e.messaggio(), path("none") + ": No such file or directory");
  EXPECT_FALSE(cancella_file(path("none")).ok);
  EXPECT_TRUE(cancella_se_esiste(path("none")).ok);
  EXPECT_FALSE(file_esiste(path("none")));
}

}  // namespace
}  // namespace sb
