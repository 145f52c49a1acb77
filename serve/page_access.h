// Who may have what from the live page's server: the page and its event
// stream, under a random token, to a request addressed to the loopback
// address the server listens on; nothing else to anyone.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// What a request gets.
enum class accesso {
  pagina,         // GET /TOKEN/: the page
  eventi,         // GET /TOKEN/events: the scenes as server-sent events
  host_estraneo,  // a Host other than the loopback address and port: refused
  non_trovato,    // anything else, the token missing or wrong among it
};

// A token of 128 random bits in hexadecimal, for the page's address.
std::string nuovo_gettone();

// Whether a Host header names the loopback address at the port:
// "127.0.0.1:P", "[::1]:P" or "localhost:P". A page elsewhere that has a name
// of its own resolve to 127.0.0.1 sends its own name and is refused.
bool host_di_loopback(std::string_view host, int porta);

// What the request of the method on the path with the Host header gets.
accesso decidi_accesso(std::string_view metodo, std::string_view risorsa, std::string_view host,
                       std::string_view gettone, int porta);

}  // namespace sb
