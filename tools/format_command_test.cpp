// "scenario_tool format": in place through the file layer, --check writes
// nothing, a file that needs no change is left alone, faults are told.
#include "tools/format_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "compile/exit_status.h"
#include "test_support/borvale_texts.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::leggi;
using prova::scrivi;

// The file's inode: a file replaced by rename gets a new one.
ino_t inode(const std::string& percorso) {
  struct stat s {};
  return ::stat(percorso.c_str(), &s) == 0 ? s.st_ino : 0;
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
    return esegui_format(file, verifica, out_, err_);
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

}  // namespace
}  // namespace sb
