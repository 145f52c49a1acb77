#include "decompile/text_layout.h"

#include <initializer_list>
#include <utility>

#include "scenario/text_columns.h"

namespace sb {
namespace {

// The lines of a text being written.
using righe = std::vector<std::string>;

std::string numero(int32_t v) { return std::to_string(v); }

// The keyword, then each value after a comma and the given blanks.
std::string riga_spaziata(const std::string& chiave, std::initializer_list<std::pair<int32_t, int>> valori) {
  std::string riga = chiave;
  for (const auto& [valore, spazi] : valori) riga += "," + std::string(static_cast<size_t>(spazi), ' ') + numero(valore);
  return riga;
}

void con_nota(righe& r, const std::string& nota, std::string riga) {
  if (!nota.empty()) r.push_back(riga_nota(nota));
  r.push_back(std::move(riga));
}

std::string crlf(const righe& r) {
  std::string out;
  for (const std::string& x : r) out += x + "\r\n";
  return out;
}

void generale_linea(righe& r, const descrizione_linea& d) {
  static const char* kNomi[] = {"uno", "due", "tre"};
  r.push_back("[generale]");
  r.push_back(riga_spaziata("lunghezza percorso", {{d.lunghezza, 4}}));
  for (size_t i = 0; i < 3; ++i) {
    const riga_progressiva& p = d.progressive[i];
    r.push_back(riga_spaziata(std::string("progressiva chilometrica ") + kNomi[i],
                              {{p.primo, 4}, {p.secondo, 4}, {p.terzo, 4}}));
  }
  r.push_back(riga_spaziata("sfondo uno", {{d.sfondo_uno, 4}}));
  r.push_back(riga_spaziata("sfondo due", {{d.sfondo_due, 4}}));
  r.push_back(riga_spaziata("sfondo tre", {{d.sfondo_tre, 4}}));
  r.push_back(riga_spaziata("ripetizione segnali " + numero(d.ripetizione_codici) + " codici",
                            {{d.ripetizione_inizio, 4}, {d.ripetizione_fine, 4}}));
}

// An indicator's speed, or nothing where the d face is left empty.
std::string velocita_indicatore(int32_t v, bool vuota) { return vuota ? "" : numero(v); }

std::string riga_indicatore_testo(const riga_indicatore& x) {
  const indicatore_vmax& v = x.v;
  std::string riga = "indicatori_vmax,  " + numero(v.posizione) + ",  " + numero(v.vas) + ",  " + numero(v.vbs) +
                     ",  " + numero(v.vcs) + ",  " + numero(v.strisces);
  for (int32_t d : {v.vad, v.vbd, v.vcd}) riga += ",  " + velocita_indicatore(d, x.d_vuota);
  return riga + ",  " + numero(v.strisced);
}

void percorso_linea(righe& r, const descrizione_linea& d) {
  r.push_back("[curve]");
  for (const riga_curva& c : d.curve) {
    const std::string parola = std::string(c.verso_s ? "curvas" : "curvad") + static_cast<char>('0' + c.cifra);
    con_nota(r, c.nota, riga_spaziata(parola, {{c.inizio, 2}, {c.lunghezza, 2}}));
  }
  r.push_back("[pendenze]");
  for (size_t i = 0; i < d.pendenze.size(); ++i) {
    const riga_pendenza& p = d.pendenze[i];
    const int in_piu = i == 0 && p.posizione == 0 ? 1 : 0;  // the first row's columns
    con_nota(r, p.nota, riga_spaziata("pendenza", {{p.posizione, 2 + in_piu}, {p.pendenza, 3 + in_piu}}));
  }
  r.push_back("[montagne]");
  for (const riga_montagna& m : d.montagne) {
    con_nota(r, m.nota, riga_spaziata("montagna", {{m.inizio, 3}, {m.fine, 2}, {m.tipo, 2}}));
  }
  r.push_back("[cartelli]");
  for (const riga_indicatore& x : d.indicatori) con_nota(r, x.nota, riga_indicatore_testo(x));
  r.push_back("[indicazioni]");
  for (const riga_cartello& c : d.cartelli) {
    con_nota(r, c.nota, "cartello_indicatore,  " + numero(c.posizione) + ",   " + campo_testo(c.didascalia));
  }
  r.push_back("[fine]");
}

void generale_servizio(righe& r, const descrizione_servizio& d) {
  r.push_back("[generale]");
  r.push_back(riga_spaziata("numero vetture", {{d.vetture, 4}}));
  r.push_back(riga_spaziata("percentuale massa frenata", {{d.massa_frenata, 4}}));
  r.push_back(riga_spaziata("sabbia", {{d.sabbia, 4}}));
  // The clock's three numbers stand apart by blanks, as in the builder's text.
  std::string orologio = "orologio,";
  for (const auto& [valore, larghezza] : {std::pair{d.ore, size_t{6}}, {d.minuti, size_t{16}}, {d.secondi, size_t{14}}}) {
    std::string v = a_destra(valore, larghezza);
    orologio += v.front() == ' ' ? v : " " + v;
  }
  r.push_back(orologio + " ");
}

std::string riga_aderenza(const riga_profilo& a, bool prima) {
  if (prima && a.posizione == 0) return "aderenza,   0,    " + numero(a.valore);
  return riga_colonne("aderenza", {{a.posizione, 8}, {a.valore, 6}});
}

std::string riga_stazione_testo(const riga_stazione& s) {
  return riga_colonne("stazione", {{s.posizione, 8}, {s.tipo, 3}, {s.lunghezza, 5}, {s.opzione_1, 3},
                                   {s.opzione_5, 2}, {s.opzione_4, 2}, {s.param_1, 3}, {s.param_2, 1},
                                   {s.opzione_2, 1}, {s.param_3, 3}, {s.param_4, 1}, {s.param_5, 1},
                                   {s.opzione_3, 5}, {s.ore, 4}, {s.minuti, 2}, {s.secondi, 2}}) +
         ", " + campo_testo(s.nome);
}

std::string riga_rallentamento_testo(const riga_rallentamento& x) {
  const valori_rallentamento& v = x.v;
  return riga_colonne("rallentamento",
                      {{x.posizione, 8}, {v.v, 6}, {v.l, 5}, {v.f_tt, 2}, {v.f_ta, 3}, {v.d_v, 3}});
}

std::string riga_segnale_testo(const riga_segnale& x) {
  const valori_segnale& v = x.v;
  return riga_colonne("segnale", {{x.posizione, 8}, {v.sx, 4}, {v.s1, 2}, {v.s2, 2}, {v.s3, 3}, {v.rapp, 2},
                                  {v.dx, 5}, {v.d1, 3}, {v.d2, 1}, {v.d3, 1}}) +
         ", " + numero(v.tempo);
}

void corpo_servizio(righe& r, const descrizione_servizio& d) {
  r.push_back("[aderenze]");
  for (size_t i = 0; i < d.aderenze.size(); ++i) r.push_back(riga_aderenza(d.aderenze[i], i == 0));
  r.push_back("[vel_limite]");
  for (const riga_profilo& v : d.velocita) r.push_back(riga_colonne("velocita", {{v.posizione, 8}, {v.valore, 6}}));
  r.push_back("[stazioni]");
  for (const riga_stazione& s : d.stazioni) con_nota(r, s.nota, riga_stazione_testo(s));
  r.push_back("[rallentamenti]");
  for (const riga_rallentamento& x : d.rallentamenti) con_nota(r, x.nota, riga_rallentamento_testo(x));
  r.push_back("[segnali]");
  for (const riga_segnale& x : d.segnali) con_nota(r, x.nota, riga_segnale_testo(x));
  for (const riga_abbattimento& a : d.abbattimenti) {
    con_nota(r, a.nota, riga_colonne("abbattimento", {{a.posizione, 8}, {a.valore, 6}}));
  }
  r.push_back("[codici]");
  r.push_back("[fine]");
}

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string campo_testo(const std::string& testo) {
  const bool tra_apici = testo.empty() || testo.find_first_of(",\r\n") != std::string::npos ||
                         blank(testo.front()) || blank(testo.back()) || testo.front() == '"';
  return tra_apici ? "\"" + testo + "\"" : testo;
}

std::string riga_nota(const std::string& nota) {
  std::string testo = "- " + nota;
  for (char& c : testo) {
    if (c == ',') c = ';';
  }
  return testo;
}

std::string testo_linea(const descrizione_linea& d, const std::vector<std::string>& preambolo) {
  righe r = preambolo;
  generale_linea(r, d);
  percorso_linea(r, d);
  return crlf(r);
}

std::string testo_servizio(const descrizione_servizio& d, const std::vector<std::string>& preambolo) {
  righe r = preambolo;
  generale_servizio(r, d);
  corpo_servizio(r, d);
  return crlf(r);
}

}  // namespace sb
