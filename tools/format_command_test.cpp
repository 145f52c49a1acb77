// "scenario_tool format": in place through the file layer, --check writes
// nothing, a file that needs no change is left alone, faults are told.
#include "tools/format_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include "compile/exit_status.h"
#include "platform/signals.h"
#include "test_support/borvale_texts.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::leggi;
using prova::scrivi;

// The file's inode: a file replaced by rename gets a new one.
ino_t inode(const std::string& file) {
  struct stat s {};
  return ::stat(file.c_str(), &s) == 0 ? s.st_ino : 0;
}

class Format : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    std::tie(linea_, servizio_) = prova::testi_borvale(dir_);
    scrivi(mio_, kMio);
  }
  int formatta(const std::vector<std::string>& file, bool verifica) {
    out_.str("");
    err_.str("");
    return esegui_format(file, verifica, attesa_blocco::attendi, out_, err_);
  }

  static constexpr const char* kMio = "Note\r\n[generale]\r\nvelocita,0,85\r\n  - slow,  here\r\nvelocita ,\t4500,50\r\n[fine]\r\n";
  static constexpr const char* kMioFormattato =
      "Note\r\n[generale]\r\nvelocita,       0,    85\r\n  - slow,  here\r\nvelocita,    4500,    50\r\n[fine]\r\n";
  cartella_prova dir_;
  std::string linea_, servizio_, mio_ = dir_ / "VALTORTA_12-.txt";
  std::ostringstream out_, err_;
};

TEST_F(Format, CheckListsTheFilesThatWouldChangeAndWritesNothing) {
  EXPECT_EQ(formatta({linea_, mio_, servizio_}, true), kUscitaCodice);
  EXPECT_EQ(out_.str(), mio_ + "\n");
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(leggi(mio_), kMio);
  EXPECT_EQ(formatta({linea_, servizio_}, true), kUscitaPulita) << "the built-in texts are the layout";
  EXPECT_EQ(out_.str(), "");
}

TEST_F(Format, RewritesOnlyWhatChangesAndTwiceIsOnce) {
  const ino_t prima_linea = inode(linea_);
  EXPECT_EQ(formatta({linea_, mio_}, false), kUscitaPulita);
  EXPECT_EQ(out_.str(), mio_ + "\n");
  EXPECT_EQ(leggi(mio_), kMioFormattato);
  EXPECT_EQ(inode(linea_), prima_linea) << "a file that needs no change is not rewritten";

  const ino_t formattato = inode(mio_);
  EXPECT_EQ(formatta({mio_}, false), kUscitaPulita);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(inode(mio_), formattato);
  EXPECT_EQ(formatta({mio_}, true), kUscitaPulita);
}

TEST_F(Format, TellsEachFaultAndGoesOnWithTheOtherFiles) {
  const std::string manca = dir_ / "nowhere/X_linea.txt", utf16 = dir_ / "wide-.txt", nul = dir_ / "nul-.txt";
  scrivi(utf16, std::string("\xFF\xFE[\0g\0", 6));
  scrivi(nul, std::string("[generale]\r\nsab\0bia, 3\r\n", 24));
  EXPECT_EQ(formatta({manca, utf16, nul, mio_}, false), kUscitaFile);
  EXPECT_EQ(err_.str(), manca + ": No such file or directory\n" + utf16 +
                            ": error: the text is UTF-16: save it as UTF-8 or as code page 1252\n" + nul +
                            ":2:4: error: the text holds a NUL byte: a description is plain text\n");
  EXPECT_EQ(out_.str(), mio_ + "\n");
  EXPECT_EQ(leggi(mio_), kMioFormattato);
}

// Through the program: the command line, the statuses.
TEST_F(Format, CommandLine) {
  prova::esecuzione e = prova::esegui_strumento_esterno(dir_, {"format", "--check", mio_});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.out, mio_ + "\n");
  e = prova::esegui_strumento_esterno(dir_, {"format"});
  EXPECT_EQ(e.stato, kUscitaUso);
  EXPECT_EQ(e.err, "scenario_tool format: no FILE given\nTry 'scenario_tool format --help'.\n");
  e = prova::esegui_strumento_esterno(dir_, {"format", mio_, servizio_});
  EXPECT_EQ(e.stato, kUscitaPulita);
  EXPECT_EQ(leggi(mio_), kMioFormattato);
}

// A signal that came before a file stops the run there: that file and the
// ones after it are left as they were.
TEST_F(Format, ASignalStopsBeforeTheNextFile) {
  int stato = 0;
  {
    segnali_di_build trattenuti;
    ::raise(SIGTERM);
    stato = formatta({mio_, linea_}, false);
  }
  EXPECT_EQ(stato, 143);
  EXPECT_EQ(err_.str(), mio_ + ": interrupted by SIGTERM; it and the files after it are left as they were\n");
  EXPECT_EQ(leggi(mio_), kMio);
}

// A file's mode, owner and group.
struct stato_file {
  unsigned modo = 0;
  unsigned uid = 0;
  unsigned gid = 0;
  bool operator==(const stato_file&) const = default;
};

stato_file di(const std::string& file) {
  struct stat s {};
  ::lstat(file.c_str(), &s);
  return {static_cast<unsigned>(s.st_mode & 07777), s.st_uid, s.st_gid};
}

// The new file keeps what format does not own: the mode (set-user-ID
// included), and the owner and group where the process may give them.
TEST_F(Format, KeepsTheModeOwnerAndGroup) {
  struct caso {
    unsigned modo;
    bool altro_utente;  // owned by user and group 65534 (needs root)
  } casi[] = {{0600, false}, {0444, false}, {04640, false}, {0640, true}, {0444, true}};
  for (const caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.modo) + (c.altro_utente ? " of another user" : ""));
    if (c.altro_utente && ::geteuid() != 0) continue;
    scrivi(mio_, kMio);
    if (c.altro_utente) {
      ASSERT_EQ(::chown(mio_.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(mio_.c_str(), c.modo), 0);
    const stato_file prima = di(mio_);
    const ino_t vecchio = inode(mio_);
    EXPECT_EQ(formatta({mio_}, false), kUscitaPulita) << err_.str();
    EXPECT_NE(inode(mio_), vecchio);
    EXPECT_EQ(di(mio_), prima);
    EXPECT_EQ(leggi(mio_), kMioFormattato);
    ::chmod(mio_.c_str(), 0644);
  }
}

// A link is formatted by formatting what it points at; the link stays. A
// file with other hard links is refused: a new file would part them.
TEST_F(Format, ALinkStaysAndAHardLinkIsRefused) {
  const std::string link = dir_ / "link_12-.txt";
  std::filesystem::create_symlink(mio_, link);
  EXPECT_EQ(formatta({link}, false), kUscitaPulita) << err_.str();
  EXPECT_EQ(out_.str(), link + "\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(leggi(mio_), kMioFormattato);

  scrivi(mio_, kMio);
  const std::string altro = dir_ / "hard_12-.txt";
  std::filesystem::create_hard_link(mio_, altro);
  EXPECT_EQ(formatta({altro}, false), kUscitaFile);
  EXPECT_EQ(err_.str(), altro + ": a file with 2 hard links: replacing it would part it from the others; left as "
                                "it was\n");
  EXPECT_EQ(leggi(mio_), kMio);
  EXPECT_EQ(inode(mio_), inode(altro));
}

// A run killed while it writes leaves a temporary file no more readable
// than the text, and the next format in the folder clears it.
TEST_F(Format, AKilledRunLeavesAPrivateTemporaryFileTheNextRunClears) {
  ASSERT_EQ(::chmod(mio_.c_str(), 0600), 0);
  ::setenv("SB_FAULT_KILL_AT_STEP", "2", 1);
  prova::esecuzione e = prova::esegui_strumento_esterno(dir_, {"format", mio_});
  ::unsetenv("SB_FAULT_KILL_AT_STEP");
  EXPECT_NE(e.stato, kUscitaPulita);
  std::vector<std::string> temporanei;
  for (const auto& f : std::filesystem::directory_iterator(dir_.cartella())) {
    const std::string nome = f.path().filename().string();
    if (nome.find(".sbtmp-") != std::string::npos) temporanei.push_back(f.path().string());
  }
  ASSERT_EQ(temporanei.size(), 1u);
  EXPECT_EQ(di(temporanei[0]).modo, 0600u);
  EXPECT_EQ(leggi(mio_), kMio);

  e = prova::esegui_strumento_esterno(dir_, {"format", mio_});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_FALSE(prova::esiste(temporanei[0]));
  EXPECT_EQ(di(mio_).modo, 0600u);
}

}  // namespace
}  // namespace sb
