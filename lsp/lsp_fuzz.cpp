// Any bytes from a client: as a stream of framed messages, as one message
// body, and as the text of an open document asked about everywhere.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "lsp/language_server.h"
#include "lsp/message_framing.h"

namespace {

std::optional<std::string> nessun_file(const std::string&) { return std::nullopt; }

// An initialized server that reads no file.
sb::stato_server server() {
  sb::stato_server s;
  s.opzioni.leggi = nessun_file;
  sb::gestisci_messaggio(s, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
  return s;
}

std::string richiesta(const char* metodo, const std::string& uri, int riga, int carattere) {
  const nlohmann::json p = {{"textDocument", {{"uri", uri}}},
                            {"position", {{"line", riga}, {"character", carattere}}},
                            {"range",
                             {{"start", {{"line", 0}, {"character", 0}}},
                              {"end", {{"line", riga}, {"character", carattere}}}}},
                            {"context", {{"diagnostics", nlohmann::json::array()}}}};
  return nlohmann::json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", metodo}, {"params", p}}.dump();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string byte(reinterpret_cast<const char*>(data) + 1, size - 1);
  sb::stato_server s = server();
  switch (data[0] % 3) {
    case 0: {
      std::istringstream in(byte);
      for (int i = 0; i < 64; ++i) {
        const sb::messaggio_letto m = sb::leggi_messaggio(in, 4096);
        if (m.esito == sb::esito_messaggio::fine) break;
        if (m.esito == sb::esito_messaggio::messaggio) sb::gestisci_messaggio(s, m.corpo);
      }
      break;
    }
    case 1: sb::gestisci_messaggio(s, byte); break;
    default: {
      // The bytes as a document of either kind, then asked about at a few places
      // and changed at one.
      for (const char* nome : {"file:///fuzz/F_linea.txt", "file:///fuzz/F_1-.txt"}) {
        const nlohmann::json apri = {
            {"jsonrpc", "2.0"},
            {"method", "textDocument/didOpen"},
            {"params", {{"textDocument", {{"uri", nome}, {"version", 1}, {"text", byte}}}}}};
        sb::gestisci_messaggio(s, apri.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        const int righe = static_cast<int>(size % 23), carattere = static_cast<int>(size % 41);
        for (const char* metodo : {"textDocument/hover", "textDocument/inlayHint", "textDocument/completion",
                                   "textDocument/documentSymbol", "textDocument/codeAction"}) {
          sb::gestisci_messaggio(s, richiesta(metodo, nome, righe, carattere));
        }
        const nlohmann::json cambia = {
            {"jsonrpc", "2.0"},
            {"method", "textDocument/didChange"},
            {"params",
             {{"textDocument", {{"uri", nome}, {"version", 2}}},
              {"contentChanges",
               {{{"range",
                  {{"start", {{"line", righe}, {"character", carattere}}}, {"end", {{"line", 0}, {"character", 3}}}}},
                 {"text", ",\xC3\xA0\r"}}}}}}};
        sb::gestisci_messaggio(s, cambia.dump());
      }
    }
  }
  return 0;
}
