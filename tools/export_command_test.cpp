#include "tools/export_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "compile/exit_status.h"
#include "platform/file_set.h"
#include "platform/folder_lock.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::esecuzione;
using prova::leggi;
using prova::scrivi;

class Export : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.ok()); }
  esecuzione esporta(std::vector<std::string> extra = {}) {
    std::vector<std::string> a = {"export", "--out", dir_ / "ex"};
    a.insert(a.end(), extra.begin(), extra.end());
    return prova::esegui_strumento_esterno(dir_, a);
  }
  std::string linea() const { return dir_ / "ex/BORVALE_linea.txt"; }
  std::string servizio() const { return dir_ / "ex/BORVALE_40617-.txt"; }
  static std::string esiste_gia(const std::string& file) {
    return file + ": File exists (--force replaces it)\n";
  }

  cartella_prova dir_;
};

// An author's edited texts are never overwritten without --force, and
// nothing is written while one of them stands there.
TEST_F(Export, KeepsTextsAlreadyThereUnlessForced) {
  ASSERT_EQ(esporta().stato, kUscitaPulita);
  const std::string originale = leggi(servizio());
  scrivi(linea(), "my edited line");

  esecuzione e = esporta();
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, esiste_gia(linea()) + esiste_gia(servizio()));
  EXPECT_EQ(leggi(linea()), "my edited line");

  std::filesystem::remove(servizio());
  e = esporta();
  EXPECT_EQ(e.err, esiste_gia(linea()));
  EXPECT_FALSE(prova::esiste(servizio()));

  e = esporta({"--force"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_EQ(e.out, linea() + "\n" + servizio() + "\n");
  EXPECT_EQ(leggi(servizio()), originale);
  EXPECT_NE(leggi(linea()), "my edited line");
}

// A link at a text's name counts as a text there; forced, the link itself is
// replaced and what it points to is never created.
TEST_F(Export, ALinkAtATextIsReplacedNotFollowed) {
  std::filesystem::create_directories(dir_ / "ex");
  std::filesystem::create_symlink(dir_ / "elsewhere.txt", linea());
  EXPECT_EQ(esporta().err, esiste_gia(linea()));
  EXPECT_EQ(esporta({"--force"}).stato, kUscitaPulita);
  EXPECT_FALSE(std::filesystem::is_symlink(linea()));
  EXPECT_FALSE(prova::esiste(dir_ / "elsewhere.txt"));
}

TEST_F(Export, NoWaitFailsAtOnceWhileAnotherRunWrites) {
  std::filesystem::create_directories(dir_ / "ex");
  cartella_uscita altra;
  ASSERT_TRUE(altra.apri(dir_ / "ex").ok);
  ASSERT_TRUE(blocca_cartella(altra, attesa_blocco::non_attendere, nullptr).ok);
  esecuzione e = esporta({"--no-wait"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir_ / "ex" + ": another run is writing in this folder\n");
  EXPECT_FALSE(prova::esiste(linea()));
}

}  // namespace
}  // namespace sb
