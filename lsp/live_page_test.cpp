// The live page as the language server offers it: the code lens on each
// text of a complete pair, the command that has the tool start the page and
// the editor open it, and the cursor passed on as the file and line.
#include "lsp/language_server.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "test_support/scratch_folder.h"

namespace sb {
namespace {

using json = nlohmann::json;

// A server wired to a hook that records what it was asked.
class PaginaVivaLsp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    s_.opzioni.leggi = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
    s_.opzioni.pagina_viva.apri = [this](const std::string& linea, const std::string& servizio,
                                         std::string& errore) -> std::optional<std::string> {
      aperte_.push_back(linea + " | " + servizio);
      if (rifiuta_) {
        errore = "cannot listen on 127.0.0.1";
        return std::nullopt;
      }
      return "http://127.0.0.1:9/abc/";
    };
    s_.opzioni.pagina_viva.cursore = [this](const std::string& file, int32_t riga) {
      cursori_.push_back(file + ":" + std::to_string(riga));
    };
    iniziale_ = invia(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})").at(0);
  }

  std::vector<json> invia(const std::string& corpo) {
    std::vector<json> r;
    for (const std::string& u : gestisci_messaggio(s_, corpo)) r.push_back(json::parse(u));
    return r;
  }

  std::string uri(const std::string& nome) const { return "file://" + dir_ / nome; }

  void apri(const std::string& nome, const std::string& testo) {
    invia(json{{"jsonrpc", "2.0"},
               {"method", "textDocument/didOpen"},
               {"params", {{"textDocument", {{"uri", uri(nome)}, {"version", 1}, {"text", testo}}}}}}
              .dump());
  }

  json lenti(const std::string& nome) {
    return invia(json{{"jsonrpc", "2.0"},
                      {"id", 5},
                      {"method", "textDocument/codeLens"},
                      {"params", {{"textDocument", {{"uri", uri(nome)}}}}}}
                     .dump())
        .at(0);
  }

  std::vector<json> comando(const std::string& nome) {
    return invia(json{{"jsonrpc", "2.0"},
                      {"id", 6},
                      {"method", "workspace/executeCommand"},
                      {"params", {{"command", "scenario.openLivePage"}, {"arguments", {uri(nome)}}}}}
                     .dump());
  }

  prova::cartella_prova dir_;
  stato_server s_;
  bool rifiuta_ = false;
  std::vector<std::string> aperte_;
  std::vector<std::string> cursori_;
  json iniziale_;  // the answer to initialize
};

TEST_F(PaginaVivaLsp, TheCommandStartsThePairsPageAndTheEditorOpensIt) {
  apri("A_linea.txt", "[linea]\r\n");
  apri("A_1-.txt", "[servizio]\r\n");
  const json lente = lenti("A_1-.txt").at("result");
  ASSERT_EQ(lente.size(), 1u);
  EXPECT_EQ(lente[0]["command"]["title"], "open the live page");
  EXPECT_EQ(lente[0]["command"]["command"], "scenario.openLivePage");
  EXPECT_EQ(lente[0]["command"]["arguments"], json::array({uri("A_1-.txt")}));
  const std::vector<json> r = comando("A_1-.txt");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0]["id"], 6);
  EXPECT_EQ(r[0]["result"]["uri"], "http://127.0.0.1:9/abc/");
  EXPECT_EQ(r[1]["method"], "window/showDocument");
  EXPECT_EQ(r[1]["params"], (json{{"uri", "http://127.0.0.1:9/abc/"}, {"external", true}}));
  EXPECT_EQ(r[1]["id"], 1);
  ASSERT_EQ(aperte_.size(), 1u);
  EXPECT_EQ(aperte_[0], dir_ / "A_linea.txt | " + dir_ / "A_1-.txt");
  // Our next request to the editor has an id of its own.
  EXPECT_EQ(comando("A_linea.txt").at(1)["id"], 2);
}

TEST_F(PaginaVivaLsp, ATextWithoutItsPartnerHasNoLensAndTheCommandFails) {
  apri("B_linea.txt", "[linea]\r\n");
  EXPECT_EQ(lenti("B_linea.txt").at("result"), json::array());
  const std::vector<json> r = comando("B_linea.txt");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0]["error"]["code"], -32803);
  EXPECT_EQ(r[0]["error"]["message"],
            "the live page needs both texts: NAME_linea.txt and NAME_TRAIN-.txt in one folder");
  EXPECT_TRUE(aperte_.empty());
}

TEST_F(PaginaVivaLsp, APageThatCannotStartIsToldToTheEditor) {
  apri("A_linea.txt", "[linea]\r\n");
  apri("A_1-.txt", "[servizio]\r\n");
  rifiuta_ = true;
  const std::vector<json> r = comando("A_1-.txt");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0]["error"]["message"], "cannot listen on 127.0.0.1");
}

TEST_F(PaginaVivaLsp, TheCursorIsPassedOnAsTheFileAndItsLineFromOne) {
  invia(json{{"jsonrpc", "2.0"},
             {"method", "scenario/cursor"},
             {"params", {{"textDocument", {{"uri", uri("A_1-.txt")}}}, {"position", {{"line", 6}, {"character", 3}}}}}}
            .dump());
  EXPECT_EQ(cursori_, std::vector<std::string>{dir_ / "A_1-.txt:7"});
}

TEST_F(PaginaVivaLsp, OfferedOnlyWhenWired) {
  stato_server senza;
  const std::vector<std::string> r =
      gestisci_messaggio(senza, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
  const json c = json::parse(r.at(0))["result"]["capabilities"];
  EXPECT_FALSE(c.contains("executeCommandProvider"));
  EXPECT_FALSE(c.contains("codeLensProvider"));
  const json wired = iniziale_["result"]["capabilities"];
  EXPECT_EQ(wired["executeCommandProvider"], (json{{"commands", {"scenario.openLivePage"}}}));
  EXPECT_EQ(wired["codeLensProvider"], (json{{"resolveProvider", false}}));
}

}  // namespace
}  // namespace sb
