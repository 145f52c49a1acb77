// Every command that writes goes through the one writer: the same folder
// made, the same refusals, the same lock, the same "-" and the same sweep of
// what a killed run left. One table of the commands, each behaviour tried on
// every row.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "compile/exit_status.h"
#include "platform/file_set.h"
#include "platform/folder_lock.h"
#include "test_support/borvale_texts.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

namespace fs = std::filesystem;
using prova::cartella_prova;
using prova::esecuzione;

// The inputs the commands read: the built-in texts and their binary files.
struct ingressi_prova {
  std::string linea, servizio, tabella, celle;
};

// A writing command: its arguments for an output folder, the file it
// writes there, and whether its output may be "-" (a single file).
struct comando_scrittura {
  const char* nome;
  std::function<std::vector<std::string>(const ingressi_prova& i, const std::string& cartella)> argomenti;
  const char* file;
  bool crea_cartella = true;  // format and timing rewrite a file that must already be there
  std::function<std::vector<std::string>(const ingressi_prova& i)> su_standard = nullptr;
};

std::vector<comando_scrittura> comandi() {
  return {
      {"compile",
       [](const ingressi_prova& i, const std::string& c) {
         return std::vector<std::string>{"compile", "--line", i.linea, "--service", i.servizio, "--out", c};
       },
       "BORVALE_40617.sim"},
      {"documents",
       [](const ingressi_prova& i, const std::string& c) {
         return std::vector<std::string>{"documents", "--line", i.linea, "--service", i.servizio, "--out", c};
       },
       "BORVALE_40617_scheda_treno.txt"},
      {"decompile",
       [](const ingressi_prova& i, const std::string& c) {
         return std::vector<std::string>{"decompile", "--sim", i.tabella, "--cells", i.celle, "--out", c};
       },
       "BORVALE_40617-.txt"},
      {"export", [](const ingressi_prova&, const std::string& c) { return std::vector<std::string>{"export", "--out", c}; },
       "BORVALE_linea.txt"},
      {"plan",
       [](const ingressi_prova& i, const std::string& c) {
         return std::vector<std::string>{"plan", "--sim", i.tabella, "--svg", c + "/p.svg"};
       },
       "p.svg", true,
       [](const ingressi_prova& i) {
         return std::vector<std::string>{"plan", "--sim", i.tabella, "--svg", "-"};
       }},
      {"view",
       [](const ingressi_prova& i, const std::string& c) {
         return std::vector<std::string>{"view", "--line", i.linea, "--service", i.servizio, "--html", c + "/v.html"};
       },
       "v.html", true,
       [](const ingressi_prova& i) {
         return std::vector<std::string>{"view", "--line", i.linea, "--service", i.servizio, "--html", "-"};
       }},
      {"format",
       [](const ingressi_prova&, const std::string& c) {
         // A text out of the layout, so that format rewrites it.
         if (fs::is_directory(c)) prova::scrivi(c + "/X_1-.txt", "[generale]\r\nvelocita,0,85\r\n[fine]\r\n");
         return std::vector<std::string>{"format", c + "/X_1-.txt"};
       },
       "X_1-.txt", false},
      {"timing",
       [](const ingressi_prova& i, const std::string& c) {
         // A copy of the service text, whose times an early start moves.
         if (fs::is_directory(c)) prova::scrivi(c + "/BORVALE_40617-.txt", prova::leggi(i.servizio));
         return std::vector<std::string>{"timing", "--line",  i.linea,  "--service", c + "/BORVALE_40617-.txt",
                                         "--propose", "--start", "05:00:00", "--write"};
       },
       "BORVALE_40617-.txt", false},
  };
}

class ComandiCheScrivono : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    std::tie(in_.linea, in_.servizio) = prova::testi_borvale(dir_);
    ASSERT_EQ(esegui({"compile", "--line", in_.linea, "--service", in_.servizio, "--out", dir_ / "bin"}).stato,
              kUscitaPulita);
    in_.tabella = dir_ / "bin/BORVALE_40617.sim";
    in_.celle = dir_ / "bin/BORVALE_40617.dat";
  }
  esecuzione esegui(const std::vector<std::string>& a) { return prova::esegui_strumento_esterno(dir_, a); }
  // A fresh folder for one command's run.
  std::string cartella(const comando_scrittura& c, const std::string& caso) {
    const std::string d = dir_ / (std::string(c.nome) + "_" + caso);
    fs::create_directories(d);
    return d;
  }

  cartella_prova dir_;
  ingressi_prova in_;
};

TEST_F(ComandiCheScrivono, AMissingFolderIsCreatedWithItsParents) {
  for (const comando_scrittura& c : comandi()) {
    if (!c.crea_cartella) continue;
    SCOPED_TRACE(c.nome);
    const std::string d = cartella(c, "missing") + "/a/b";
    const esecuzione e = esegui(c.argomenti(in_, d));
    EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
    EXPECT_TRUE(prova::esiste(d + "/" + c.file));
  }
}

TEST_F(ComandiCheScrivono, ALinkToAMissingFolderIsNamedAndNotFollowed) {
  for (const comando_scrittura& c : comandi()) {
    if (!c.crea_cartella) continue;
    SCOPED_TRACE(c.nome);
    const std::string d = cartella(c, "dangling");
    fs::create_symlink(d + "/nowhere", d + "/out");
    const esecuzione e = esegui(c.argomenti(in_, d + "/out"));
    EXPECT_EQ(e.stato, kUscitaFile);
    EXPECT_EQ(e.err, d + "/out: a link to a missing folder (" + d + "/nowhere)\n");
    EXPECT_FALSE(prova::esiste(d + "/nowhere"));
  }
}

// With --no-wait a run fails at once while another holds the folder;
// without it, it waits and writes once the other is done.
TEST_F(ComandiCheScrivono, TheFolderLockAndNoWait) {
  for (const comando_scrittura& c : comandi()) {
    SCOPED_TRACE(c.nome);
    const std::string d = cartella(c, "lock");
    std::vector<std::string> a = c.argomenti(in_, d);
    a.insert(a.begin() + 1, "--no-wait");
    {
      cartella_uscita altra;
      ASSERT_TRUE(altra.apri(d).ok);
      ASSERT_TRUE(blocca_cartella(altra, attesa_blocco::non_attendere, nullptr).ok);
      const esecuzione e = esegui(a);
      EXPECT_EQ(e.stato, kUscitaFile);
      EXPECT_NE(e.err.find(d + ": another run is writing in this folder\n"), std::string::npos) << e.err;
      if (c.crea_cartella) {
        EXPECT_FALSE(prova::esiste(d + "/" + c.file));
      }
    }
    const esecuzione e = esegui(a);
    EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  }
}

// A temporary file a killed run left is cleared by the next write into the
// folder, whichever command it is.
TEST_F(ComandiCheScrivono, WhatAKilledRunLeftIsClearedByAnyCommand) {
  for (const comando_scrittura& c : comandi()) {
    SCOPED_TRACE(c.nome);
    const std::string d = cartella(c, "stray");
    prova::scrivi(d + "/.BORVALE_linea.dat.sbtmp-Ab3xY9", "half");
    const esecuzione e = esegui(c.argomenti(in_, d));
    EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
    EXPECT_FALSE(prova::esiste(d + "/.BORVALE_linea.dat.sbtmp-Ab3xY9"));
  }
}

// "-" is standard output: the bytes a file would hold, and no file.
TEST_F(ComandiCheScrivono, DashIsStandardOutput) {
  for (const comando_scrittura& c : comandi()) {
    if (!c.su_standard) continue;
    SCOPED_TRACE(c.nome);
    const std::string d = cartella(c, "dash");
    ASSERT_EQ(esegui(c.argomenti(in_, d)).stato, kUscitaPulita);
    const esecuzione e = esegui(c.su_standard(in_));
    EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
    EXPECT_EQ(e.out, prova::leggi(d + "/" + c.file));
    EXPECT_FALSE(prova::esiste(dir_ / "-"));
  }
}

}  // namespace
}  // namespace sb
