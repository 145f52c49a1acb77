#include "lsp/language_server.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>
#include <sstream>

#include "test_support/file_bytes.h"
#include "test_support/sample_scenario.h"
#include "test_support/scratch_folder.h"

namespace sb {
namespace {

using json = nlohmann::json;

// Lines joined as the builder writes them.
std::string testo(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

// A server with a folder of its own, spoken to one message at a time.
class Sessione {
 public:
  Sessione() { invia(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})"); }

  // The messages the server sends back, with the folder's path as $DIR.
  std::vector<std::string> invia(const std::string& corpo) {
    std::vector<std::string> uscite = gestisci_messaggio(stato, corpo);
    for (std::string& u : uscite) {
      for (size_t i = u.find(cartella.cartella()); i != std::string::npos; i = u.find(cartella.cartella(), i)) {
        u.replace(i, cartella.cartella().size(), "$DIR");
      }
    }
    return uscite;
  }

  std::string uri(const std::string& nome) const { return "file://" + cartella / nome; }

  // Opens a document and returns what it published.
  std::vector<std::string> apri(const std::string& nome, const std::string& t) {
    const json m = {{"jsonrpc", "2.0"},
                    {"method", "textDocument/didOpen"},
                    {"params", {{"textDocument", {{"uri", uri(nome)}, {"languageId", "scenario"}, {"version", 1}, {"text", t}}}}}};
    return invia(m.dump());
  }

  prova::cartella_prova cartella;
  stato_server stato;
};

// The messages a server sends when it is not yet initialized, or about
// messages that are not what it takes.
TEST(LanguageServer, Protocol) {
  struct scambio {
    const char* richiesta;
    const char* risposta;
  };
  stato_server nuovo;
  EXPECT_THAT(gestisci_messaggio(nuovo, R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":{}})"),
              testing::ElementsAre(
                  R"({"error":{"code":-32002,"message":"the server is not initialized"},"id":1,"jsonrpc":"2.0"})"));
  Sessione s;
  const scambio scambi[] = {
      {R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})",
       R"({"error":{"code":-32600,"message":"the server is already initialized"},"id":1,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":"a","method":"workspace/symbol","params":{"query":""}})",
       R"({"error":{"code":-32601,"message":"unknown method 'workspace/symbol'"},"id":"a","jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":2,"method":)",
       R"({"error":{"code":-32700,"message":"the message is not JSON"},"id":null,"jsonrpc":"2.0"})"},
      {R"([1,2])",
       R"({"error":{"code":-32600,"message":"the message is no request or notification"},"id":null,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":[1],"method":"shutdown"})",
       R"({"error":{"code":-32600,"message":"the request's id is neither a number nor a string"},"id":null,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":3,"method":"textDocument/hover","params":{"textDocument":{}}})",
       R"({"error":{"code":-32602,"message":"invalid params: 'uri' is missing"},"id":3,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":4,"method":"textDocument/hover","params":{"textDocument":{"uri":"file:///none"},"position":{"line":0,"character":0}}})",
       R"({"id":4,"jsonrpc":"2.0","result":null})"},
      {R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":4}})", nullptr},
      {R"({"jsonrpc":"2.0","id":5,"result":null})", nullptr},
      {R"({"jsonrpc":"2.0","id":6,"method":"shutdown"})", R"({"id":6,"jsonrpc":"2.0","result":null})"},
      {R"({"jsonrpc":"2.0","id":7,"method":"textDocument/hover","params":{}})",
       R"({"error":{"code":-32600,"message":"the server is shutting down"},"id":7,"jsonrpc":"2.0"})"},
  };
  for (const scambio& x : scambi) {
    const std::vector<std::string> uscite = s.invia(x.richiesta);
    if (x.risposta == nullptr) {
      EXPECT_THAT(uscite, testing::IsEmpty()) << x.richiesta;
    } else {
      EXPECT_THAT(uscite, testing::ElementsAre(x.risposta)) << x.richiesta;
    }
  }
  EXPECT_FALSE(s.stato.uscita);
  s.invia(R"({"jsonrpc":"2.0","method":"exit"})");
  EXPECT_EQ(s.stato.uscita, 0);

  Sessione senza_shutdown;
  senza_shutdown.invia(R"({"jsonrpc":"2.0","method":"exit"})");
  EXPECT_EQ(senza_shutdown.stato.uscita, 1);
}

// Over the streams: a message over the limit is refused and the server goes
// on; a client that closes its end ends it with status 0.
TEST(LanguageServer, StreamsRefuseTooLongMessagesAndEndWithTheInput) {
  const std::string inizia = R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})";
  const std::string lungo = R"({"jsonrpc":"2.0","id":2,"method":"shutdown","params":")" + std::string(200, 'x') + "\"}";
  const std::string chiudi = R"({"jsonrpc":"2.0","id":3,"method":"shutdown"})";
  std::string entrata;
  for (const std::string& m : {inizia, lungo, chiudi}) {
    entrata += "Content-Length: " + std::to_string(m.size()) + "\r\n\r\n" + m;
  }
  std::istringstream in(entrata);
  std::ostringstream out;
  opzioni_server o;
  o.massimo = 100;
  EXPECT_EQ(esegui_server(in, out, o), 0);
  const std::string uscita = out.str();
  const std::string rifiuto =
      R"({"error":{"code":-32600,"message":"the message is over 100 bytes and is refused"},"id":null,"jsonrpc":"2.0"})";
  EXPECT_NE(uscita.find("Content-Length: " + std::to_string(rifiuto.size()) + "\r\n\r\n" + rifiuto), std::string::npos);
  EXPECT_NE(uscita.find(R"({"id":3,"jsonrpc":"2.0","result":null})"), std::string::npos);

  // exit without shutdown ends with status 1; exit after it, 0.
  for (const auto& [messaggi, stato] : {std::pair{std::vector<std::string>{inizia}, 1}, {{inizia, chiudi}, 0}}) {
    std::string e;
    for (std::string m : messaggi) e += "Content-Length: " + std::to_string(m.size()) + "\r\n\r\n" + m;
    const std::string fine = R"({"jsonrpc":"2.0","method":"exit"})";
    e += "Content-Length: " + std::to_string(fine.size()) + "\r\n\r\n" + fine + "Content-Length: 2\r\n\r\n{}";
    std::istringstream i(e);
    std::ostringstream o2;
    EXPECT_EQ(esegui_server(i, o2, opzioni_server{}), stato);
  }
}

// Formatting goes through the hook the formatter is wired to: one edit that
// replaces the whole text, none when the text is laid out already.
TEST(LanguageServer, FormattingGoesThroughItsHook) {
  stato_server s;
  s.opzioni.formatta = [](std::string_view t, genere_testo) -> std::optional<std::string> {
    return std::string(t.substr(0, t.find(',') + 1)) + " 1\r\n";
  };
  gestisci_messaggio(s, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
  gestisci_messaggio(s, R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
                        R"({"uri":"untitled:a","version":1,"text":"[generale]\nsabbia,1\nCitt\u00e0"}}})");
  const std::string chiedi =
      R"({"jsonrpc":"2.0","id":1,"method":"textDocument/formatting","params":{"textDocument":{"uri":"untitled:a"},)"
      R"("options":{"tabSize":4,"insertSpaces":true}}})";
  EXPECT_THAT(gestisci_messaggio(s, chiedi),
              testing::ElementsAre(
                  R"({"id":1,"jsonrpc":"2.0","result":[{"newText":"[generale]\nsabbia, 1\r\n","range":{"end":{"character":5,"line":2},"start":{"character":0,"line":0}}}]})"));
  gestisci_messaggio(s, R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"untitled:a","version":2},)"
                        R"("contentChanges":[{"text":"[generale]\nsabbia, 1\r\n"}]}})");
  EXPECT_THAT(gestisci_messaggio(s, chiedi), testing::ElementsAre(R"({"id":1,"jsonrpc":"2.0","result":[]})"));
}

TEST(LanguageServer, InitializeTellsCapabilities) {
  stato_server s;
  s.opzioni.versione = "1.0";
  EXPECT_THAT(
      gestisci_messaggio(s, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})"),
      testing::ElementsAre(
          R"({"id":0,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentSymbolProvider":true,"hoverProvider":true,"inlayHintProvider":true,"textDocumentSync":{"change":2,"openClose":true,"save":{"includeText":false}}},"serverInfo":{"name":"scenario_tool","version":"1.0"}}})"));
}


// The small run of the tests with one line changed (line numbers from 1).
std::string servizio_con(size_t riga, const std::string& nuova) {
  std::vector<std::string> r = prova::servizio_esempio();
  r[riga - 1] = nuova;
  return testo(r);
}

// A session with the small line on disk and the run open.
class Documenti : public testing::Test {
 protected:
  void SetUp() override {
    prova::scrivi(s.cartella / "VALLE_linea.txt", testo(prova::linea_esempio()));
    std::vector<std::string> r = prova::servizio_esempio();
    r[11] = "velocita,  9000,  122";
    r[15] = "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Citt\xC3\xA0 Alta";
    aperti = s.apri("VALLE_7-.txt", testo(r));
  }

  // A request about the run, its params given after the document.
  std::vector<std::string> chiedi(const std::string& metodo, const std::string& params) {
    return s.invia(R"({"jsonrpc":"2.0","id":9,"method":")" + metodo + R"(","params":{"textDocument":{"uri":")" +
                   s.uri("VALLE_7-.txt") + "\"}," + params + "}}");
  }

  Sessione s;
  std::vector<std::string> aperti;
};

TEST_F(Documenti, OpenPublishesBothTexts) {
  EXPECT_THAT(aperti, testing::ElementsAre(R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"speed-rounded","message":"speed 122 km/h is not a multiple of 5: it is stored as 120","range":{"end":{"character":21,"line":11},"start":{"character":18,"line":11}},"severity":2,"source":"scenario_tool"}],"uri":"file://$DIR/VALLE_7-.txt"}})", R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://$DIR/VALLE_linea.txt"}})"));
}

// Each request about the open run, and its exact answer.
TEST_F(Documenti, Requests) {
  struct scambio {
    const char* nome;
    const char* metodo;
    const char* params;
    const char* risposta;
  };
  const scambio scambi[] = {
      {"hover on a station's type", "textDocument/hover", R"("position":{"line":14,"character":17})", "{\"id\":9,\"jsonrpc\":\"2.0\",\"result\":{\"contents\":{\"kind\":\"markdown\",\"value\":\"**stazione** \302\267 `tipo` (value 2 of 17)\\n\\nbelow 25 a stop, from 25 a transit; 5 to 8 have extents of their own\\n\\nto the simulator: below 25 the train must stop at the stop point \302\267 stored in the station's entry, tipo\\n\\nrange 0..255 \302\267 value 22: stored as written\\n\\nroute 5000 m \302\267 line km 5.000\"},\"range\":{\"end\":{\"character\":18,\"line\":14},\"start\":{\"character\":16,\"line\":14}}}}"},
      {"hover on a station's position", "textDocument/hover", R"("position":{"line":14,"character":10})", "{\"id\":9,\"jsonrpc\":\"2.0\",\"result\":{\"contents\":{\"kind\":\"markdown\",\"value\":\"**stazione** \302\267 `posizione` (value 1 of 17)\\n\\nthe station's reference point; a multiple of 50 (code 8)\\n\\nto the simulator: the station's place on the route \302\267 stored in the station's entry, posizione\\n\\nrange 0..2147483647 m \302\267 value 5000: stored as written\\n\\nroute 5000 m \302\267 line km 5.000\"},\"range\":{\"end\":{\"character\":14,\"line\":14},\"start\":{\"character\":10,\"line\":14}}}}"},
      {"hover on a keyword", "textDocument/hover", R"("position":{"line":17,"character":3})", R"({"id":9,"jsonrpc":"2.0","result":{"contents":{"kind":"markdown","value":"**rallentamento** ([rallentamenti]): 6 values\n\n1. `posizione` (m): where the slowdown starts; its warning point is 1200 m before, when above 1500\n2. `v` (km/h): the slowdown's speed\n3. `l` (m): its length: it ends at posizione + l\n4. `f_tt`: a value carried at the start and end points\n5. `f_ta`: non-zero: four approach cells before the warning point\n6. `d_v`: a second value carried at the warning, start and end points when non-zero\n"},"range":{"end":{"character":13,"line":17},"start":{"character":0,"line":17}}}})"},
      {"hover on a rounded speed", "textDocument/hover", R"("position":{"line":11,"character":19})", "{\"id\":9,\"jsonrpc\":\"2.0\",\"result\":{\"contents\":{\"kind\":\"markdown\",\"value\":\"**velocita** \302\267 `velocita` (value 2 of 2)\\n\\nthe line speed limit from here on; a multiple of 5\\n\\nto the simulator: the fastest the train may run here \302\267 stored in each cell's speed byte, in fifths\\n\\nrange 0..1275 km/h \302\267 value 122: stored as 120 (rounded to a multiple of 5)\\n\\nroute 9000 m \302\267 line km 9.000\"},\"range\":{\"end\":{\"character\":21,\"line\":11},\"start\":{\"character\":18,\"line\":11}}}}"},
      {"hover on a name after an accented letter", "textDocument/hover", R"("position":{"line":15,"character":62})", "{\"id\":9,\"jsonrpc\":\"2.0\",\"result\":{\"contents\":{\"kind\":\"markdown\",\"value\":\"**stazione** \302\267 `nome` (value 17 of 17)\\n\\nthe station's name, to the line's end\\n\\nto the simulator: the station's name \302\267 stored in the station's entry, nome\\n\\ntext: `Citt\303\240 Alta`\\n\\nroute 11000 m \302\267 line km 11.000\"},\"range\":{\"end\":{\"character\":71,\"line\":15},\"start\":{\"character\":61,\"line\":15}}}}"},
      {"hover where no field stands", "textDocument/hover", R"("position":{"line":0,"character":2})", R"({"id":9,"jsonrpc":"2.0","result":null})"},
      {"inlay hints of a station row", "textDocument/inlayHint",
       R"("range":{"start":{"line":13,"character":0},"end":{"line":13,"character":99}})", R"({"id":9,"jsonrpc":"2.0","result":[{"kind":2,"label":"posizione:","paddingRight":true,"position":{"character":10,"line":13}},{"kind":2,"label":"tipo:","paddingRight":true,"position":{"character":13,"line":13}},{"kind":2,"label":"lunghezza:","paddingRight":true,"position":{"character":16,"line":13}},{"kind":2,"label":"opzione_1:","paddingRight":true,"position":{"character":21,"line":13}},{"kind":2,"label":"opzione_5:","paddingRight":true,"position":{"character":24,"line":13}},{"kind":2,"label":"opzione_4:","paddingRight":true,"position":{"character":27,"line":13}},{"kind":2,"label":"param_1:","paddingRight":true,"position":{"character":30,"line":13}},{"kind":2,"label":"param_2:","paddingRight":true,"position":{"character":32,"line":13}},{"kind":2,"label":"opzione_2:","paddingRight":true,"position":{"character":34,"line":13}},{"kind":2,"label":"param_3:","paddingRight":true,"position":{"character":37,"line":13}},{"kind":2,"label":"param_4:","paddingRight":true,"position":{"character":39,"line":13}},{"kind":2,"label":"param_5:","paddingRight":true,"position":{"character":41,"line":13}},{"kind":2,"label":"opzione_3:","paddingRight":true,"position":{"character":44,"line":13}},{"kind":2,"label":"ore:","paddingRight":true,"position":{"character":47,"line":13}},{"kind":2,"label":"minuti:","paddingRight":true,"position":{"character":50,"line":13}},{"kind":2,"label":"secondi:","paddingRight":true,"position":{"character":54,"line":13}},{"kind":2,"label":"nome:","paddingRight":true,"position":{"character":57,"line":13}}]})"},
      {"inlay hints skip short rows", "textDocument/inlayHint",
       R"("range":{"start":{"line":9,"character":0},"end":{"line":10,"character":99}})", R"({"id":9,"jsonrpc":"2.0","result":[]})"},
      {"completion where a keyword goes", "textDocument/completion", R"("position":{"line":14,"character":0})", R"({"id":9,"jsonrpc":"2.0","result":[{"detail":"17 values","insertText":"stazione, ${1:posizione}, ${2:tipo}, ${3:lunghezza}, ${4:opzione_1}, ${5:opzione_5}, ${6:opzione_4}, ${7:param_1}, ${8:param_2}, ${9:opzione_2}, ${10:param_3}, ${11:param_4}, ${12:param_5}, ${13:opzione_3}, ${14:ore}, ${15:minuti}, ${16:secondi}, ${17:nome}","insertTextFormat":2,"kind":14,"label":"stazione"},{"detail":"section heading","kind":15,"label":"[generale]"},{"detail":"section heading","kind":15,"label":"[aderenze]"},{"detail":"section heading","kind":15,"label":"[vel_limite]"},{"detail":"section heading","kind":15,"label":"[stazioni]"},{"detail":"section heading","kind":15,"label":"[rallentamenti]"},{"detail":"section heading","kind":15,"label":"[segnali]"},{"detail":"section heading","kind":15,"label":"[codici]"},{"detail":"section heading","kind":15,"label":"[fine]"}]})"},
      {"completion in the preamble", "textDocument/completion", R"("position":{"line":0,"character":0})", R"({"id":9,"jsonrpc":"2.0","result":[{"detail":"section heading","kind":15,"label":"[generale]"}]})"},
      {"no completion where a value goes", "textDocument/completion", R"("position":{"line":14,"character":12})", R"({"id":9,"jsonrpc":"2.0","result":[]})"},
      {"document symbols", "textDocument/documentSymbol", "", "{\"id\":9,\"jsonrpc\":\"2.0\",\"result\":[{\"children\":[],\"kind\":3,\"name\":\"[generale]\",\"range\":{\"end\":{\"character\":19,\"line\":5},\"start\":{\"character\":0,\"line\":1}},\"selectionRange\":{\"end\":{\"character\":10,\"line\":1},\"start\":{\"character\":0,\"line\":1}}},{\"children\":[],\"kind\":3,\"name\":\"[aderenze]\",\"range\":{\"end\":{\"character\":17,\"line\":7},\"start\":{\"character\":0,\"line\":6}},\"selectionRange\":{\"end\":{\"character\":10,\"line\":6},\"start\":{\"character\":0,\"line\":6}}},{\"children\":[],\"kind\":3,\"name\":\"[vel_limite]\",\"range\":{\"end\":{\"character\":21,\"line\":11},\"start\":{\"character\":0,\"line\":8}},\"selectionRange\":{\"end\":{\"character\":12,\"line\":8},\"start\":{\"character\":0,\"line\":8}}},{\"children\":[{\"kind\":23,\"name\":\"Pratofondo 0 m\",\"range\":{\"end\":{\"character\":67,\"line\":13},\"start\":{\"character\":0,\"line\":13}},\"selectionRange\":{\"end\":{\"character\":8,\"line\":13},\"start\":{\"character\":0,\"line\":13}}},{\"kind\":23,\"name\":\"Lago Serino 5000 m\",\"range\":{\"end\":{\"character\":73,\"line\":14},\"start\":{\"character\":0,\"line\":14}},\"selectionRange\":{\"end\":{\"character\":8,\"line\":14},\"start\":{\"character\":0,\"line\":14}}},{\"kind\":23,\"name\":\"Citt\303\240 Alta 11000 m\",\"range\":{\"end\":{\"character\":71,\"line\":15},\"start\":{\"character\":0,\"line\":15}},\"selectionRange\":{\"end\":{\"character\":8,\"line\":15},\"start\":{\"character\":0,\"line\":15}}}],\"kind\":3,\"name\":\"[stazioni]\",\"range\":{\"end\":{\"character\":71,\"line\":15},\"start\":{\"character\":0,\"line\":12}},\"selectionRange\":{\"end\":{\"character\":10,\"line\":12},\"start\":{\"character\":0,\"line\":12}}},{\"children\":[{\"kind\":8,\"name\":\"rallentamento 7000 m\",\"range\":{\"end\":{\"character\":37,\"line\":17},\"start\":{\"character\":0,\"line\":17}},\"selectionRange\":{\"end\":{\"character\":13,\"line\":17},\"start\":{\"character\":0,\"line\":17}}}],\"kind\":3,\"name\":\"[rallentamenti]\",\"range\":{\"end\":{\"character\":37,\"line\":17},\"start\":{\"character\":0,\"line\":16}},\"selectionRange\":{\"end\":{\"character\":15,\"line\":16},\"start\":{\"character\":0,\"line\":16}}},{\"children\":[{\"kind\":24,\"name\":\"segnale 1300 m\",\"range\":{\"end\":{\"character\":43,\"line\":19},\"start\":{\"character\":0,\"line\":19}},\"selectionRange\":{\"end\":{\"character\":7,\"line\":19},\"start\":{\"character\":0,\"line\":19}}},{\"kind\":24,\"name\":\"segnale 4600 m\",\"range\":{\"end\":{\"character\":43,\"line\":20},\"start\":{\"character\":0,\"line\":20}},\"selectionRange\":{\"end\":{\"character\":7,\"line\":20},\"start\":{\"character\":0,\"line\":20}}}],\"kind\":3,\"name\":\"[segnali]\",\"range\":{\"end\":{\"character\":43,\"line\":20},\"start\":{\"character\":0,\"line\":18}},\"selectionRange\":{\"end\":{\"character\":9,\"line\":18},\"start\":{\"character\":0,\"line\":18}}},{\"children\":[],\"kind\":3,\"name\":\"[codici]\",\"range\":{\"end\":{\"character\":8,\"line\":21},\"start\":{\"character\":0,\"line\":21}},\"selectionRange\":{\"end\":{\"character\":8,\"line\":21},\"start\":{\"character\":0,\"line\":21}}},{\"children\":[],\"kind\":3,\"name\":\"[fine]\",\"range\":{\"end\":{\"character\":0,\"line\":23},\"start\":{\"character\":0,\"line\":22}},\"selectionRange\":{\"end\":{\"character\":6,\"line\":22},\"start\":{\"character\":0,\"line\":22}}}]}"},
  };
  for (const scambio& x : scambi) {
    std::string params = x.params;
    if (params.empty()) params = R"("x":0)";
    EXPECT_THAT(chiedi(x.metodo, params), testing::ElementsAre(x.risposta)) << x.nome;
  }
}

TEST_F(Documenti, ChangesAndFixes) {
  // A typo typed into the keyword "velocita" of line 11.
  const std::vector<std::string> dopo = s.invia(
      R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":")" +
      s.uri("VALLE_7-.txt") +
      R"(","version":2},"contentChanges":[{"range":{"start":{"line":10,"character":3},"end":{"line":10,"character":4}},"text":""}]}})");
  EXPECT_THAT(dopo, testing::ElementsAre(R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"unknown-keyword","message":"unknown keyword 'velcita'; did you mean 'velocita'? the row is skipped","range":{"end":{"character":7,"line":10},"start":{"character":0,"line":10}},"severity":2,"source":"scenario_tool"},{"code":"speed-rounded","message":"speed 122 km/h is not a multiple of 5: it is stored as 120","range":{"end":{"character":21,"line":11},"start":{"character":18,"line":11}},"severity":2,"source":"scenario_tool"}],"uri":"file://$DIR/VALLE_7-.txt"}})", R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://$DIR/VALLE_linea.txt"}})"));
  EXPECT_THAT(chiedi("textDocument/codeAction",
                     R"("range":{"start":{"line":10,"character":2},"end":{"line":10,"character":2}},"context":{"diagnostics":[]})"),
              testing::ElementsAre(R"({"id":9,"jsonrpc":"2.0","result":[{"diagnostics":[{"code":"unknown-keyword","message":"unknown keyword 'velcita'; did you mean 'velocita'? the row is skipped","range":{"end":{"character":7,"line":10},"start":{"character":0,"line":10}},"severity":2,"source":"scenario_tool"}],"edit":{"changes":{"file://$DIR/VALLE_7-.txt":[{"newText":"velocita","range":{"end":{"character":7,"line":10},"start":{"character":0,"line":10}}}]}},"isPreferred":true,"kind":"quickfix","title":"Change to 'velocita'"}]})"));
  // A name cut short by a comma, after an accented letter.
  s.invia(R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":")" + s.uri("VALLE_7-.txt") +
          R"(","version":3},"contentChanges":[{"range":{"start":{"line":15,"character":66},"end":{"line":15,"character":66}},"text":","}]}})");
  EXPECT_THAT(chiedi("textDocument/codeAction",
                     R"("range":{"start":{"line":15,"character":69},"end":{"line":15,"character":69}},"context":{"diagnostics":[]})"),
              testing::ElementsAre("{\"id\":9,\"jsonrpc\":\"2.0\",\"result\":[{\"diagnostics\":[{\"code\":\"name-cut-short\",\"message\":\"a comma cuts the name short: it is read as 'Citt\303\240' and 'Alta' is skipped; put the name in double quotes to keep its comma\",\"range\":{\"end\":{\"character\":72,\"line\":15},\"start\":{\"character\":68,\"line\":15}},\"severity\":2,\"source\":\"scenario_tool\"}],\"edit\":{\"changes\":{\"file://$DIR/VALLE_7-.txt\":[{\"newText\":\"\\\"Citt\303\240, Alta\\\"\",\"range\":{\"end\":{\"character\":72,\"line\":15},\"start\":{\"character\":61,\"line\":15}}}]}},\"isPreferred\":true,\"kind\":\"quickfix\",\"title\":\"Put the name in double quotes: \\\"Citt\303\240, Alta\\\"\"}]}"));
  // A speed that is no multiple of 5 is rounded.
  EXPECT_THAT(chiedi("textDocument/codeAction",
                     R"("range":{"start":{"line":11,"character":18},"end":{"line":11,"character":21}},"context":{"diagnostics":[]})"),
              testing::ElementsAre(R"({"id":9,"jsonrpc":"2.0","result":[{"diagnostics":[{"code":"speed-rounded","message":"speed 122 km/h is not a multiple of 5: it is stored as 120","range":{"end":{"character":21,"line":11},"start":{"character":18,"line":11}},"severity":2,"source":"scenario_tool"}],"edit":{"changes":{"file://$DIR/VALLE_7-.txt":[{"newText":"120","range":{"end":{"character":21,"line":11},"start":{"character":18,"line":11}}}]}},"isPreferred":true,"kind":"quickfix","title":"Change to '120'"}]})"));
  // Closing the document clears its diagnostics and those of its partner.
  EXPECT_THAT(s.invia(R"({"jsonrpc":"2.0","method":"textDocument/didClose","params":{"textDocument":{"uri":")" +
                      s.uri("VALLE_7-.txt") + R"("}}})"),
              testing::ElementsAre(R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://$DIR/VALLE_7-.txt"}})", R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://$DIR/VALLE_linea.txt"}})"));
}

// A line text and a run text are paired by their names in one folder; an
// open buffer wins over the file; a text without a partner is checked alone.
TEST(LanguageServerPairing, ByNameInOneFolder) {
  struct caso {
    const char* nome;
    std::vector<std::pair<std::string, std::string>> su_disco;
    std::pair<std::string, std::string> aperto;
    std::vector<std::string> pubblicati;
  };
  const std::string linea = testo(prova::linea_esempio());
  const std::string servizio = testo(prova::servizio_esempio());
  const std::string con_errore = servizio_con(11, "velcita,  4000,  80");
  const caso casi[] = {
      {"the line open, its run on disk", {{"VALLE_7-.txt", con_errore}}, {"VALLE_linea.txt", linea}, {R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"unknown-keyword","message":"unknown keyword 'velcita'; did you mean 'velocita'? the row is skipped","range":{"end":{"character":7,"line":10},"start":{"character":0,"line":10}},"severity":2,"source":"scenario_tool"}],"uri":"file://$DIR/VALLE_7-.txt"}})", R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://$DIR/VALLE_linea.txt"}})"}},
      {"the open run wins over its file", {{"VALLE_linea.txt", linea}, {"VALLE_7-.txt", con_errore}}, {"VALLE_7-.txt", servizio}, {R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://$DIR/VALLE_7-.txt"}})", R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://$DIR/VALLE_linea.txt"}})"}},
      {"a run without its line", {{"ALTRA_linea.txt", linea}}, {"VALLE_7-.txt", servizio}, {"{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/publishDiagnostics\",\"params\":{\"diagnostics\":[{\"code\":\"error 101\",\"message\":\"error 101: there is no line description (no --line given)\",\"range\":{\"end\":{\"character\":0,\"line\":0},\"start\":{\"character\":0,\"line\":0}},\"severity\":1,\"source\":\"scenario_tool\"}],\"uri\":\"file://$DIR/VALLE_7-.txt\"}}"}},
      {"a line without a run", {}, {"VALLE_linea.txt", linea}, {"{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/publishDiagnostics\",\"params\":{\"diagnostics\":[{\"code\":\"error 25\",\"message\":\"error 25: there is no service description (no --service given)\",\"range\":{\"end\":{\"character\":0,\"line\":0},\"start\":{\"character\":0,\"line\":0}},\"severity\":1,\"source\":\"scenario_tool\"}],\"uri\":\"file://$DIR/VALLE_linea.txt\"}}"}},
  };
  for (const caso& c : casi) {
    Sessione s;
    for (const auto& [nome, t] : c.su_disco) prova::scrivi(s.cartella / nome, t);
    EXPECT_EQ(s.apri(c.aperto.first, c.aperto.second), c.pubblicati) << c.nome;
  }
  // Both open: a change to the line publishes the run's diagnostics too (a
  // shorter route leaves the last station beyond it).
  Sessione s;
  s.apri("VALLE_linea.txt", linea);
  s.apri("VALLE_7-.txt", servizio);
  const json cambio = {{"jsonrpc", "2.0"},
                       {"method", "textDocument/didChange"},
                       {"params",
                        {{"textDocument", {{"uri", s.uri("VALLE_linea.txt")}, {"version", 2}}},
                         {"contentChanges", {{{"range", {{"start", {{"line", 2}, {"character", 21}}}, {"end", {{"line", 2}, {"character", 23}}}}},
                                               {"text", "3"}}}}}}};
  EXPECT_THAT(s.invia(cambio.dump()),
              testing::ElementsAre(R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"past-route-end","message":"station 'Lago Serino' at 5000 m lies past the route's end at 3000 m ('lunghezza percorso'): the run ends before the train reaches it","range":{"end":{"character":14,"line":14},"start":{"character":10,"line":14}},"severity":2,"source":"scenario_tool"},{"code":"error 15","message":"error 15: position 11000 m is beyond the route's cells: the route ends at 3000 m, its cells run on to 10000 m, and a row needs 800 m of them past its position, so it may stand up to 9200 m","range":{"end":{"character":15,"line":15},"start":{"character":10,"line":15}},"severity":1,"source":"scenario_tool"},{"code":"past-route-end","message":"slowdown at 7000 m lies past the route's end at 3000 m ('lunghezza percorso'): the run ends before the train reaches it","range":{"end":{"character":19,"line":17},"start":{"character":15,"line":17}},"severity":2,"source":"scenario_tool"},{"code":"past-route-end","message":"signal at 4600 m lies past the route's end at 3000 m ('lunghezza percorso'): the run ends before the train reaches it","range":{"end":{"character":13,"line":20},"start":{"character":9,"line":20}},"severity":2,"source":"scenario_tool"}],"uri":"file://$DIR/VALLE_7-.txt"}})", R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"error 15","message":"error 15: position 10000 m is beyond the route's cells: the route ends at 3000 m, its cells run on to 10000 m, and a row needs 100 m of them past its position, so it may stand up to 9900 m","range":{"end":{"character":16,"line":19},"start":{"character":11,"line":19}},"severity":1,"source":"scenario_tool"}],"uri":"file://$DIR/VALLE_linea.txt"}})"));
}


// `n` arrays one in another.
std::string annidati(size_t n) { return std::string(n, '[') + std::string(n, ']'); }

// Hostile messages before any document is open: each is answered (or, as a
// notification, dropped) and the server goes on to answer the next.
TEST(LanguageServer, HostileMessagesAreAnsweredAndTheServerGoesOn) {
  struct scambio {
    const char* nome;
    std::string richiesta;
    const char* risposta;  // null: nothing is sent back
  };
  const std::string profondo = annidati(200000);
  const scambio scambi[] = {
      {"params nested 200 000 arrays deep",
       R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":)" + profondo + "}",
       R"({"error":{"code":-32600,"message":"the message nests deeper than 64 levels"},"id":1,"jsonrpc":"2.0"})"},
      {"an id nested 200 000 arrays deep", R"({"jsonrpc":"2.0","id":)" + profondo + R"(,"method":"shutdown"})",
       R"({"error":{"code":-32600,"message":"the message nests deeper than 64 levels"},"id":null,"jsonrpc":"2.0"})"},
      {"a notification nested deep", R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":)" + profondo + "}",
       R"({"error":{"code":-32600,"message":"the message nests deeper than 64 levels"},"id":null,"jsonrpc":"2.0"})"},
      {"nested as deep as allowed, to an unknown method",
       R"({"jsonrpc":"2.0","id":2,"method":"x/y","params":)" + annidati(63) + "}",
       R"({"error":{"code":-32601,"message":"unknown method 'x/y'"},"id":2,"jsonrpc":"2.0"})"},
      {"an unknown notification", R"({"jsonrpc":"2.0","method":"x/y","params":{"a":)" + annidati(60) + "}}", nullptr},
      {"params no object", R"({"jsonrpc":"2.0","id":3,"method":"textDocument/hover","params":[1]})",
       R"({"error":{"code":-32602,"message":"invalid params: 'params' is not an object"},"id":3,"jsonrpc":"2.0"})"},
      {"textDocument no object", R"({"jsonrpc":"2.0","id":4,"method":"textDocument/documentSymbol","params":{"textDocument":5}})",
       R"({"error":{"code":-32602,"message":"invalid params: 'uri' is missing: what holds it is no object"},"id":4,"jsonrpc":"2.0"})"},
      {"a uri no string", R"({"jsonrpc":"2.0","id":5,"method":"textDocument/documentSymbol","params":{"textDocument":{"uri":7}}})",
       R"({"error":{"code":-32602,"message":"invalid params: 'uri' is not a string"},"id":5,"jsonrpc":"2.0"})"},
      {"an open with no text", R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"untitled:a"}}})",
       nullptr},
      {"a change of a version 1e300",
       R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"untitled:a","version":1e300},"contentChanges":[]}})",
       nullptr},
      {"a shutdown after it all", R"({"jsonrpc":"2.0","id":6,"method":"shutdown"})", R"({"id":6,"jsonrpc":"2.0","result":null})"},
  };
  Sessione s;
  for (const scambio& x : scambi) {
    const std::vector<std::string> uscite = s.invia(x.richiesta);
    if (x.risposta == nullptr) {
      EXPECT_THAT(uscite, testing::IsEmpty()) << x.nome;
    } else {
      EXPECT_THAT(uscite, testing::ElementsAre(x.risposta)) << x.nome;
    }
  }
}

// Numbers and ranges a client may send about an open document: what does
// not fit the protocol's integers is refused (-32602), never converted; a
// place beyond the text finds nothing there.
TEST_F(Documenti, ParametersAreCheckedBeforeTheyAreUsed) {
  struct scambio {
    const char* nome;
    const char* metodo;
    const char* params;
    const char* risposta;
  };
  const char* intero = "is not an integer from 0 to 2147483647";
  const scambio scambi[] = {
      {"a fix asked for an empty range", "textDocument/codeAction", R"("range":{},"context":{"diagnostics":[]})",
       "'start' is missing"},
      {"a fix asked with no range", "textDocument/codeAction", R"("context":{})", "'range' is missing"},
      {"a line of 1e300", "textDocument/hover", R"("position":{"line":1e300,"character":0})", "'line' "},
      {"a character of -1", "textDocument/hover", R"("position":{"line":0,"character":-1})", "'character' "},
      {"a line of 2^31", "textDocument/completion", R"("position":{"line":2147483648,"character":0})", "'line' "},
      {"a line of 1.5", "textDocument/completion", R"("position":{"line":1.5,"character":0})", "'line' "},
      {"a line of true", "textDocument/completion", R"("position":{"line":true,"character":0})", "'line' "},
      {"hints from -1e20", "textDocument/inlayHint",
       R"("range":{"start":{"line":-1e20,"character":0},"end":{"line":3,"character":0}})", "'line' "},
      {"hints to 1e20", "textDocument/inlayHint",
       R"("range":{"start":{"line":0,"character":0},"end":{"line":1e20,"character":0}})", "'line' "},
  };
  for (const scambio& x : scambi) {
    const std::vector<std::string> uscite = chiedi(x.metodo, x.params);
    ASSERT_EQ(uscite.size(), 1u) << x.nome;
    const json r = json::parse(uscite[0]);
    EXPECT_EQ(r["error"]["code"], -32602) << x.nome;
    std::string atteso = "invalid params: " + std::string(x.risposta);
    if (atteso.back() == ' ') atteso += intero;
    EXPECT_EQ(r["error"]["message"], atteso) << x.nome;
  }
  // The last line a client may name: beyond the text, nothing stands there.
  EXPECT_THAT(chiedi("textDocument/hover", R"("position":{"line":2147483647,"character":2147483647})"),
              testing::ElementsAre(R"({"id":9,"jsonrpc":"2.0","result":null})"));
  EXPECT_THAT(chiedi("textDocument/completion", R"("position":{"line":2147483647,"character":0})"),
              testing::ElementsAre(R"({"id":9,"jsonrpc":"2.0","result":[]})"));
  EXPECT_THAT(chiedi("textDocument/inlayHint",
                     R"("range":{"start":{"line":2147483647,"character":0},"end":{"line":0,"character":0}})"),
              testing::ElementsAre(R"({"id":9,"jsonrpc":"2.0","result":[]})"));
}

// A change that cannot be read changes nothing: not even the changes of the
// same message before it. Each case is followed by a change that ought to
// publish the typo of line 11, if the text were as it was.
TEST_F(Documenti, ChangesThatCannotBeReadAreDropped) {
  const std::string uri = s.uri("VALLE_7-.txt");
  const auto cambio = [&](const std::string& versione, const std::string& cambi) {
    return R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":")" + uri +
           R"(","version":)" + versione + R"(},"contentChanges":[)" + cambi + "]}}";
  };
  const std::string buono = R"({"text":"X"})";
  const std::string taglia = R"({"range":{"start":{"line":10,"character":3},"end":{"line":10,"character":4}},"text":""})";
  for (const std::string& m :
       {cambio("1e300", buono), cambio("2", buono + R"(,{"range":{"start":{"line":0,"character":1e10},"end":{"line":0,"character":0}},"text":""})"),
        cambio("2", buono + R"(,{"range":{"start":{"line":0,"character":0}},"text":""})"),
        cambio("2", buono + R"(,{"text":7})"), cambio("2", R"({"range":{},"text":"X"})"),
        cambio("\"2\"", buono)}) {
    EXPECT_THAT(s.invia(m), testing::IsEmpty()) << m;
  }
  const std::vector<std::string> dopo = s.invia(cambio("3", taglia));
  ASSERT_EQ(dopo.size(), 2u);
  EXPECT_NE(dopo[0].find("unknown keyword 'velcita'"), std::string::npos) << dopo[0];
}

// A document is held up to the size of a file that is read: a change past
// it is told as one error and the text is dropped; a whole new text within
// the size takes it back.
TEST(LanguageServer, DocumentsLargerThanTheLimitAreNotChecked) {
  Sessione s;
  s.stato.opzioni.massimo_documento = 40;
  const std::string uri = s.uri("VALLE_7-.txt");
  const auto cambio = [&](const std::string& cambi) {
    return R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":")" + uri +
           R"(","version":2},"contentChanges":[)" + cambi + "]}}";
  };
  const std::string troppo =
      R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"message":"the text is larger than 40 bytes, the limit for a file that is read: it is not checked","range":{"end":{"character":0,"line":0},"start":{"character":0,"line":0}},"severity":1,"source":"scenario_tool"}],"uri":"file://$DIR/VALLE_7-.txt"}})";
  EXPECT_THAT(s.apri("VALLE_7-.txt", std::string(41, 'x')), testing::ElementsAre(troppo));
  EXPECT_THAT(s.invia(cambio(R"({"text":"[generale]\n"})")), testing::SizeIs(1));
  EXPECT_EQ(s.stato.documenti.at(uri).testo, "[generale]\n");
  // Typed past the limit, a piece at a time.
  EXPECT_THAT(s.invia(cambio(R"({"range":{"start":{"line":1,"character":0},"end":{"line":1,"character":0}},"text":")" +
                             std::string(30, 'y') + R"("})")),
              testing::ElementsAre(troppo));
  EXPECT_TRUE(s.stato.documenti.at(uri).testo.empty());
  EXPECT_THAT(s.invia(cambio(R"({"range":{"start":{"line":0,"character":0},"end":{"line":0,"character":0}},"text":"a"})")),
              testing::ElementsAre(troppo));
  EXPECT_EQ(s.invia(R"({"jsonrpc":"2.0","id":3,"method":"textDocument/hover","params":{"textDocument":{"uri":")" + uri +
                    R"("},"position":{"line":0,"character":0}}})"),
            std::vector<std::string>{R"({"id":3,"jsonrpc":"2.0","result":null})"});
  const std::vector<std::string> ripreso = s.invia(cambio(R"({"text":"[generale]\n"})"));
  ASSERT_THAT(ripreso, testing::SizeIs(1));
  EXPECT_EQ(ripreso[0].find("larger than"), std::string::npos) << ripreso[0];
}

// What is published is capped as the printer caps it: of one kind the first
// 100, then one line that counts the rest.
TEST(LanguageServer, PublishedDiagnosticsAreCappedByKind) {
  std::vector<std::string> r = prova::servizio_esempio();
  for (int i = 0; i < 150; ++i) r.insert(r.begin() + 11, "velocita,  1x00,  80");
  Sessione s;
  prova::scrivi(s.cartella / "VALLE_linea.txt", testo(prova::linea_esempio()));
  const std::vector<std::string> pubblicati = s.apri("VALLE_7-.txt", testo(r));
  ASSERT_THAT(pubblicati, testing::SizeIs(2));
  const json d = json::parse(pubblicati[0])["params"]["diagnostics"];
  std::map<std::string, int> per_codice;
  for (const json& x : d) ++per_codice[x.value("code", "")];
  ASSERT_GE(d.size(), 101u);
  const json& ultima = d.back();
  EXPECT_EQ(ultima["severity"], 3);
  EXPECT_EQ(ultima["message"], "50 more like this");
  EXPECT_EQ(per_codice[ultima["code"].get<std::string>()], 101);
}

// Over the streams: a header with blanks after its value is taken; after a
// malformed header block, and after a header line of garbage far longer
// than any header, the next message is found.
TEST(LanguageServer, StreamsFindTheNextMessage) {
  const std::string chiudi = R"({"jsonrpc":"2.0","id":3,"method":"shutdown"})";
  const std::string ferma = R"({"jsonrpc":"2.0","id":4,"method":"shutdown"})";
  const std::string entrata = "Content-Length: 2 \t\r\n\r\n{}"
                              "Content-Length: x\r\n\r\n" + chiudi +
                              "Content-Length: " + std::to_string(chiudi.size()) + "\r\n\r\n" + chiudi +
                              std::string(100000, 'g') + "Content-Length: " + std::to_string(ferma.size()) +
                              "\r\n\r\n" + ferma;
  std::istringstream in(entrata);
  std::ostringstream out;
  EXPECT_EQ(esegui_server(in, out, opzioni_server{}), 0);
  const std::string uscita = out.str();
  EXPECT_NE(uscita.find(R"({"error":{"code":-32600,"message":"the message is no request or notification"},"id":null,"jsonrpc":"2.0"})"),
            std::string::npos)
      << uscita;
  EXPECT_NE(uscita.find(R"({"error":{"code":-32700,"message":"a header without a valid Content-Length"},"id":null,"jsonrpc":"2.0"})"),
            std::string::npos);
  const std::string non_iniziato = R"({"error":{"code":-32002,"message":"the server is not initialized"},"id":)";
  EXPECT_NE(uscita.find(non_iniziato + "3,"), std::string::npos) << uscita;
  EXPECT_NE(uscita.find(non_iniziato + "4,"), std::string::npos) << uscita;
}

}  // namespace
}  // namespace sb
