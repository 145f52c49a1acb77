#include "serve/event_stream.h"

namespace sb {

std::string evento_sse(std::string_view nome, std::string_view dati) {
  std::string e = "event: " + std::string(nome) + "\n";
  size_t da = 0;
  for (;;) {
    const size_t a = dati.find('\n', da);
    std::string_view riga = dati.substr(da, a == std::string_view::npos ? std::string_view::npos : a - da);
    if (!riga.empty() && riga.back() == '\r') riga.remove_suffix(1);
    e += "data: ";
    e += riga;
    e += "\n";
    if (a == std::string_view::npos || a + 1 == dati.size()) break;
    da = a + 1;
  }
  return e + "\n";
}

uint64_t pubblica_scena(centrale_eventi& c, std::string_view nome, std::string_view dati) {
  uint64_t numero = 0;
  {
    std::lock_guard<std::mutex> l(c.guardia);
    numero = c.numero_scena + 1;
  }
  auto evento = std::make_shared<const std::string>("id: " + std::to_string(numero) + "\n" + evento_sse(nome, dati));
  {
    std::lock_guard<std::mutex> l(c.guardia);
    c.scena = std::move(evento);
    c.numero_scena = numero;
  }
  c.cambiata.notify_all();
  return numero;
}

void pubblica_cursore(centrale_eventi& c, std::string evento) {
  {
    std::lock_guard<std::mutex> l(c.guardia);
    c.cursore = std::make_shared<const std::string>(std::move(evento));
    ++c.numero_cursore;
  }
  c.cambiata.notify_all();
}

void chiudi_centrale(centrale_eventi& c) {
  {
    std::lock_guard<std::mutex> l(c.guardia);
    c.chiusa = true;
  }
  c.cambiata.notify_all();
}

prossimi_eventi attendi_eventi(centrale_eventi& c, visti_cliente& v, std::chrono::milliseconds attesa) {
  std::unique_lock<std::mutex> l(c.guardia);
  c.cambiata.wait_for(l, attesa,
                      [&] { return c.chiusa || c.numero_scena != v.scena || c.numero_cursore != v.cursore; });
  prossimi_eventi p;
  p.fine = c.chiusa;
  if (p.fine) return p;
  if (c.numero_scena != v.scena) {
    v.scena = c.numero_scena;
    if (c.scena) p.eventi.push_back(c.scena);
  }
  if (c.numero_cursore != v.cursore) {
    v.cursore = c.numero_cursore;
    if (c.cursore) p.eventi.push_back(c.cursore);
  }
  return p;
}

}  // namespace sb
