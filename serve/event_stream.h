// The events the live page follows: the last scene and the item under the
// editor's cursor, held once for every client. Publishing never waits for a
// client; each client takes, when it can, the newest of each it has not had,
// so a slow client skips scenes it was too slow for and holds up no one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// An event framed for the stream: "event: NAME", a "data: " line for every
// line of the data, and the blank line that ends it.
std::string evento_sse(std::string_view nome, std::string_view dati);

// The newest event of each kind, numbered as published.
struct centrale_eventi {
  std::mutex guardia;
  std::condition_variable cambiata;
  uint64_t numero_scena = 0;
  std::shared_ptr<const std::string> scena;  // framed; the scene or the trouble reading the texts
  uint64_t numero_cursore = 0;
  std::shared_ptr<const std::string> cursore;  // framed
  bool chiusa = false;  // the server stops: every stream ends
};

// What one client has been sent.
struct visti_cliente {
  uint64_t scena = 0;
  uint64_t cursore = 0;
};

// Publishes a scene (or the trouble in its place) as the event of the name,
// with its number as the event's id, to every client; returns the number.
// One publisher at a time.
uint64_t pubblica_scena(centrale_eventi& c, std::string_view nome, std::string_view dati);

// Publishes a framed cursor event to every client.
void pubblica_cursore(centrale_eventi& c, std::string evento);

// Ends every stream.
void chiudi_centrale(centrale_eventi& c);

// What a client gets next.
struct prossimi_eventi {
  std::vector<std::shared_ptr<const std::string>> eventi;  // empty: the wait ran out
  bool fine = false;                                       // the server stops
};

// Waits up to the duration for an event the client has not had; the newest
// scene comes before the newest cursor.
prossimi_eventi attendi_eventi(centrale_eventi& c, visti_cliente& v, std::chrono::milliseconds attesa);

}  // namespace sb
