// "scenario_tool serve" as an author runs it: usage errors, a text that
// cannot be read, and a run that prints its address, serves the page of
// the texts, follows a save, writes nothing and ends cleanly on SIGTERM.
#include "tools/serve_command.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "compile/exit_status.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

using namespace std::chrono_literals;
using prova::cartella_prova;
using prova::esecuzione;
using prova::scrivi;

TEST(Serve, UsageErrors) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  struct caso {
    std::vector<std::string> argomenti;
    const char* motivo;
  };
  const caso casi[] = {
      {{"serve", "--line", "l.txt"}, "--line FILE and --service FILE are required"},
      {{"serve", "--service", "s.txt"}, "--line FILE and --service FILE are required"},
      {{"serve", "--line", "l.txt", "--service", "s.txt", "--port", "65536"},
       "--port takes a number from 0 to 65535, not '65536'"},
      {{"serve", "--line", "l.txt", "--service", "s.txt", "--port", "-1"},
       "--port takes a number from 0 to 65535, not '-1'"},
      {{"serve", "--line", "l.txt", "--service", "s.txt", "--port=80x"},
       "--port takes a number from 0 to 65535, not '80x'"},
      {{"serve", "--line", "l.txt", "--service", "s.txt", "--recovery-margin", "200"},
       "--recovery-margin takes a per cent from 0 to 100, not '200'"},
      {{"serve", "--line", "l.txt", "--service", "s.txt", "--train", "a/b"}, "--train must be a plain name"},
  };
  for (const caso& c : casi) {
    esecuzione e = prova::esegui_strumento_esterno(dir, c.argomenti);
    EXPECT_EQ(e.stato, kUscitaUso) << c.motivo;
    EXPECT_EQ(e.err, std::string("scenario_tool serve: ") + c.motivo + "\nTry 'scenario_tool serve --help'.\n");
    EXPECT_EQ(e.out, "");
  }
}

// serve and lsp run in the live program beside the tool: without it they
// name the file they could not run; every other command runs without it.
TEST(Serve, TheLiveProgramIsFoundBesideTheTool) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  const std::string solo = dir / "scenario_tool";
  std::filesystem::copy_file(SB_SCENARIO_TOOL, solo);
  for (const char* comando : {"serve", "lsp"}) {
    const std::string riga = prova::tra_apici(solo) + " " + comando + " --help >" + prova::tra_apici(dir / "o") +
                             " 2>" + prova::tra_apici(dir / "e");
    const int r = std::system(riga.c_str());
    EXPECT_EQ(WEXITSTATUS(r), kUscitaFile) << comando;
    EXPECT_EQ(prova::leggi(dir / "e"), "scenario_tool: cannot run " + dir / "scenario_tool_live" +
                                            ": No such file or directory\n")
        << comando;
  }
  const int r = std::system((prova::tra_apici(solo) + " check --help >/dev/null 2>&1").c_str());
  EXPECT_EQ(WEXITSTATUS(r), 0);
}

TEST(Serve, ATextThatCannotBeReadServesNothing) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  scrivi(dir / "A_linea.txt", prova::righe_crlf(prova::linea_esempio()));
  esecuzione e =
      prova::esegui_strumento_esterno(dir, {"serve", "--line", dir / "A_linea.txt", "--service", dir / "A_1-.txt"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.out, "");
  EXPECT_NE(e.err.find(dir / "A_1-.txt: No such file or directory\n"), std::string::npos) << e.err;
  EXPECT_NE(e.err.find("scenario_tool serve: the texts could not be read\n"), std::string::npos) << e.err;
}

// The tool started with its standard output on a pipe.
struct processo {
  pid_t pid = -1;
  int out = -1;
};

processo avvia_strumento(const std::vector<std::string>& argomenti) {
  processo p;
  int tubo[2];
  if (pipe(tubo) != 0) return p;
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_adddup2(&azioni, tubo[1], 1);
  posix_spawn_file_actions_addclose(&azioni, tubo[0]);
  posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> a = {SB_SCENARIO_TOOL};
  a.insert(a.end(), argomenti.begin(), argomenti.end());
  std::vector<char*> argv;
  for (std::string& s : a) argv.push_back(s.data());
  argv.push_back(nullptr);
  if (posix_spawn(&p.pid, SB_SCENARIO_TOOL, &azioni, nullptr, argv.data(), environ) != 0) p.pid = -1;
  posix_spawn_file_actions_destroy(&azioni);
  close(tubo[1]);
  p.out = tubo[0];
  return p;
}

// The first line the process writes.
std::string prima_riga(int fd) {
  std::string riga;
  char c = 0;
  while (read(fd, &c, 1) == 1 && c != '\n') riga += c;
  return riga;
}

TEST(Serve, ServesThePageFollowsASaveAndStopsOnSigterm) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  const std::string linea = dir / "VALLE_linea.txt", servizio = dir / "VALLE_7-.txt";
  scrivi(linea, prova::righe_crlf(prova::linea_esempio()));
  scrivi(servizio, prova::righe_crlf(prova::servizio_esempio()));
  processo p = avvia_strumento({"serve", "--line", linea, "--service", servizio});
  ASSERT_GT(p.pid, 0);
  const std::string indirizzo = prima_riga(p.out);
  const std::string inizio = "http://127.0.0.1:";
  ASSERT_EQ(indirizzo.rfind(inizio, 0), 0u) << indirizzo;
  const size_t barra = indirizzo.find('/', inizio.size());
  const int porta = std::stoi(indirizzo.substr(inizio.size(), barra - inizio.size()));
  const std::string risorsa = indirizzo.substr(barra);
  httplib::Client c("127.0.0.1", porta);
  const httplib::Headers host = {{"Host", "127.0.0.1:" + std::to_string(porta)}};
  auto r = c.Get(risorsa, host);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_NE(r->body.find("<title>VALLE \xE2\x80\x94 train 7</title>"), std::string::npos);
  EXPECT_EQ(r->body.find("error 16"), std::string::npos);
  // A signal put on the indicator's cell (error 16), saved: the next page
  // served has it.
  std::vector<std::string> righe = prova::servizio_esempio();
  righe[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";
  scrivi(servizio, prova::righe_crlf(righe));
  bool visto = false;
  for (int k = 0; k < 100 && !visto; ++k) {
    std::this_thread::sleep_for(50ms);
    r = c.Get(risorsa, host);
    visto = r && r->body.find("error 16") != std::string::npos;
  }
  EXPECT_TRUE(visto) << "the save did not reach the page";
  kill(p.pid, SIGTERM);
  int stato = -1;
  waitpid(p.pid, &stato, 0);
  close(p.out);
  EXPECT_TRUE(WIFEXITED(stato));
  EXPECT_EQ(WEXITSTATUS(stato), 0);
  std::vector<std::string> file;
  for (const auto& f : std::filesystem::directory_iterator(dir.cartella())) file.push_back(f.path().filename());
  std::sort(file.begin(), file.end());
  EXPECT_EQ(file, (std::vector<std::string>{"VALLE_7-.txt", "VALLE_linea.txt"})) << "written beside the texts";
}

}  // namespace
}  // namespace sb
