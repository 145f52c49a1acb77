#include "serve/live_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>

#include "render/view_page.h"
#include "scene/scene_json.h"
#include "serve/event_stream.h"
#include "serve/file_watch.h"
#include "serve/page_access.h"

namespace sb {

namespace {

// Threads of each listening address: the open pages' streams each hold one,
// so there are more than streams let in.
constexpr size_t kFili = 24;
// Streams let in at once on each address; the others are told to come back.
constexpr int kFlussiMassimi = 16;
// A client that takes no bytes for this long is dropped.
constexpr time_t kScritturaSecondi = 3;
// A comment on an idle stream this often, so that a vanished client is found.
constexpr auto kBattito = std::chrono::seconds(10);

}  // namespace

// The server's state, shared by its threads.
struct stato_vivo {
  sorgente_viva sorgente;
  std::ostream* err = nullptr;
  std::string gettone;
  int porta = 0;
  centrale_eventi centrale;
  osservatore_file osservatore;

  std::mutex guardia;  // the fields below
  std::shared_ptr<const scena> ultima;
  uint64_t numero = 0;          // the last scene's number among the events
  uint64_t fatte = 0;           // scenes made
  std::string pagina;           // of the last scene, made when first asked
  uint64_t numero_pagina = 0;   // the scene the page was made of
  std::vector<std::string> file_scena;  // the last scene's files, as found on disk

  std::atomic<int> flussi{0};
  std::atomic<bool> fermo{false};
  std::vector<std::unique_ptr<httplib::Server>> server;
  std::vector<std::thread> fili;
};

namespace {

// A file's path as the disk knows it, for comparing names.
std::string file_reale(const std::string& file) {
  std::error_code e;
  const std::filesystem::path p = std::filesystem::weakly_canonical(std::filesystem::absolute(file, e), e);
  return e ? file : p.string();
}

// Runs the analysis and publishes its scene, or the trouble in its place.
void analizza_e_pubblica(stato_vivo& st) {
  std::ostringstream detto;
  std::optional<scena> s = st.sorgente.analizza(detto);
  *st.err << detto.str() << std::flush;
  if (!s) {
    pubblica_scena(st.centrale, "trouble", detto.str());
    return;
  }
  std::vector<std::string> file;
  for (const std::string& f : s->file) file.push_back(file_reale(f));
  const std::string json = scena_in_json(*s);
  std::lock_guard<std::mutex> l(st.guardia);
  st.ultima = std::make_shared<const scena>(std::move(*s));
  st.file_scena = std::move(file);
  ++st.fatte;
  st.numero = pubblica_scena(st.centrale, "scene", json);
}

// The page of the last scene, whose stream starts after that scene.
std::string pagina_corrente(stato_vivo& st) {
  std::lock_guard<std::mutex> l(st.guardia);
  if (st.numero_pagina != st.numero || st.pagina.empty()) {
    st.pagina = pagina_vista(*st.ultima, "events?from=" + std::to_string(st.numero));
    st.numero_pagina = st.numero;
  }
  return st.pagina;
}

// The stream of a page that was made of scene `da`: the scenes after it and
// the cursor, each when it comes.
void servi_eventi(stato_vivo& st, uint64_t da, httplib::Response& res) {
  if (st.flussi.fetch_add(1) >= kFlussiMassimi) {
    st.flussi.fetch_sub(1);
    res.status = 503;
    res.set_header("Retry-After", "5");
    return;
  }
  auto visti = std::make_shared<visti_cliente>();
  {
    std::lock_guard<std::mutex> l(st.centrale.guardia);
    // The scenes are numbered alike by the page and the stream; one the
    // page does not know yet is sent at once.
    visti->scena = da <= st.centrale.numero_scena ? da : 0;
  }
  auto primo = std::make_shared<bool>(true);
  res.set_header("Cache-Control", "no-store");
  res.set_chunked_content_provider(
      "text/event-stream",
      [&st, visti, primo](size_t, httplib::DataSink& sink) {
        if (*primo) {
          *primo = false;
          const std::string inizio = "retry: 1000\n\n";
          return sink.write(inizio.data(), inizio.size());
        }
        const prossimi_eventi p =
            attendi_eventi(st.centrale, *visti, std::chrono::duration_cast<std::chrono::milliseconds>(kBattito));
        if (p.fine) {
          sink.done();
          return true;
        }
        if (p.eventi.empty()) return sink.write(": idle\n\n", 8);
        for (const auto& e : p.eventi) {
          if (!sink.write(e->data(), e->size())) return false;
        }
        return true;
      },
      [&st](bool) { st.flussi.fetch_sub(1); });
}

// The last scene the page asking for its stream has: the stream's last
// event's id when it comes back, else the scene the page was made of.
uint64_t scena_vista(const httplib::Request& req) {
  const std::string ultimo = req.get_header_value("Last-Event-ID");
  const std::string numero = ultimo.empty() ? req.get_param_value("from") : ultimo;
  if (numero.empty() || numero.size() > 18 || numero.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoull(numero);
}

// Answers every request: the page, its stream, or nothing.
httplib::Server::HandlerResponse rispondi(stato_vivo& st, const httplib::Request& req, httplib::Response& res) {
  res.set_header("Referrer-Policy", "no-referrer");
  res.set_header("X-Content-Type-Options", "nosniff");
  switch (decidi_accesso(req.method, req.path, req.get_header_value("Host"), st.gettone, st.porta)) {
    case accesso::host_estraneo:
      res.status = 403;
      break;
    case accesso::non_trovato:
      res.status = 404;
      break;
    case accesso::pagina:
      res.set_header("Cache-Control", "no-store");
      res.set_content(pagina_corrente(st), "text/html; charset=utf-8");
      break;
    case accesso::eventi:
      servi_eventi(st, scena_vista(req), res);
      break;
  }
  return httplib::Server::HandlerResponse::Handled;
}

// A server of the page, its threads and timeouts set.
std::unique_ptr<httplib::Server> nuovo_server(stato_vivo& st) {
  auto s = std::make_unique<httplib::Server>();
  s->new_task_queue = [] { return new httplib::ThreadPool(kFili); };
  s->set_write_timeout(kScritturaSecondi, 0);
  s->set_keep_alive_timeout(2);
  // SO_REUSEADDR only: no other program may share the port (SO_REUSEPORT).
  s->set_socket_options([](auto sock) {
    int si = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
  });
  s->set_pre_routing_handler(
      [&st](const httplib::Request& req, httplib::Response& res) { return rispondi(st, req, res); });
  return s;
}

// Watches the files until the server stops; a new scene at each save.
void osserva_e_rifai(stato_vivo& st) {
  while (!st.fermo.load()) {
    const bool salvato = attendi_salvataggio(st.osservatore, std::chrono::milliseconds(200));
    if (salvato && !st.fermo.load()) analizza_e_pubblica(st);
  }
}

}  // namespace

server_vivo::server_vivo() = default;
server_vivo::server_vivo(server_vivo&&) noexcept = default;
server_vivo& server_vivo::operator=(server_vivo&& o) noexcept {
  if (this == &o) return *this;
  ferma_pagina_viva(*this);
  stato = std::move(o.stato);
  indirizzo = std::move(o.indirizzo);
  porta = o.porta;
  return *this;
}
server_vivo::~server_vivo() { ferma_pagina_viva(*this); }

std::optional<server_vivo> avvia_pagina_viva(sorgente_viva sorgente, opzioni_vivo o, std::ostream& err,
                                             std::string& errore) {
  server_vivo v;
  v.stato = std::make_unique<stato_vivo>();
  stato_vivo& st = *v.stato;
  st.sorgente = std::move(sorgente);
  st.err = &err;
  st.gettone = nuovo_gettone();
  // Watched from before the first scene, so that no save goes unseen; the
  // first scene is made before anyone can ask for the page.
  osserva(st.osservatore, st.sorgente.file, o.polling);
  analizza_e_pubblica(st);
  if (!st.ultima) {
    errore = "the texts could not be read";
    return std::nullopt;
  }
  auto quattro = nuovo_server(st);
  st.porta = o.porta == 0 ? quattro->bind_to_any_port("127.0.0.1") : o.porta;
  if (st.porta <= 0 || (o.porta != 0 && !quattro->bind_to_port("127.0.0.1", o.porta))) {
    errore = "cannot listen on 127.0.0.1 port " + std::to_string(o.porta);
    return std::nullopt;
  }
  st.server.push_back(std::move(quattro));
  // ::1 too where the system has it, on the same port.
  auto sei = nuovo_server(st);
  if (sei->bind_to_port("::1", st.porta)) st.server.push_back(std::move(sei));
  for (auto& s : st.server) {
    httplib::Server* p = s.get();
    st.fili.emplace_back([p] { p->listen_after_bind(); });
  }
  // Listening before anyone may stop it: a server stopped before it listens
  // would listen on.
  for (auto& s : st.server) {
    for (int k = 0; k < 2000 && !s->is_running(); ++k) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  st.fili.emplace_back([&st] { osserva_e_rifai(st); });
  v.porta = st.porta;
  v.indirizzo = "http://127.0.0.1:" + std::to_string(st.porta) + "/" + st.gettone + "/";
  return v;
}

void segnala_cursore(server_vivo& s, const std::string& file, int32_t riga) {
  if (!s.stato) return;
  stato_vivo& st = *s.stato;
  const std::string reale = file_reale(file);
  int indice = -1;
  {
    std::lock_guard<std::mutex> l(st.guardia);
    for (size_t k = 0; k < st.file_scena.size(); ++k) {
      if (st.file_scena[k] == reale) indice = static_cast<int>(k);
    }
  }
  pubblica_cursore(st.centrale, evento_sse("cursor", "{\"f\":" + std::to_string(indice) +
                                                          ",\"line\":" + std::to_string(indice < 0 ? 0 : riga) + "}"));
}

uint64_t scene_fatte(const server_vivo& s) {
  if (!s.stato) return 0;
  std::lock_guard<std::mutex> l(s.stato->guardia);
  return s.stato->fatte;
}

void ferma_pagina_viva(server_vivo& s) {
  if (!s.stato) return;
  stato_vivo& st = *s.stato;
  st.fermo.store(true);
  chiudi_centrale(st.centrale);
  for (auto& server : st.server) server->stop();
  for (std::thread& t : st.fili) t.join();
  s.stato.reset();
}

}  // namespace sb
