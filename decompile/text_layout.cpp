#include "decompile/text_layout.h"

#include <utility>

#include "grammar/row_kinds.h"
#include "grammar/row_writer.h"

namespace sb {
namespace {

// The lines of a text being written.
using righe = std::vector<std::string>;

std::string numero(int64_t v) { return std::to_string(v); }

// A row of numbers of the kind `id`.
std::string riga(id_riga id, std::initializer_list<int64_t> valori, std::string_view testo = {}) {
  return scrivi_riga(tipo_di(id), valori, testo);
}

// The heading the rows of the kind go under.
std::string sezione(id_riga id) { return std::string(tipo_di(id).sezione); }

// A heading no row goes under, counted from the text's last: the service's
// "[codici]" and every text's "[fine]".
std::string ultima(genere_testo t, size_t da_ultima) {
  const auto h = intestazioni_testo(t);
  return std::string(h[h.size() - 1 - da_ultima]);
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
  constexpr id_riga kProgressive[] = {id_riga::progressiva_uno, id_riga::progressiva_due, id_riga::progressiva_tre};
  r.push_back(sezione(id_riga::lunghezza_percorso));
  r.push_back(riga(id_riga::lunghezza_percorso, {d.lunghezza}));
  for (size_t i = 0; i < 3; ++i) {
    const riga_progressiva& p = d.progressive[i];
    r.push_back(riga(kProgressive[i], {p.primo, p.secondo, p.terzo}));
  }
  r.push_back(riga(id_riga::sfondo_uno, {d.sfondo_uno}));
  r.push_back(riga(id_riga::sfondo_due, {d.sfondo_due}));
  r.push_back(riga(id_riga::sfondo_tre, {d.sfondo_tre}));
  riga_scritta ripetizione{&tipo_di(id_riga::ripetizione_segnali),
                           {numero(d.ripetizione_inizio), numero(d.ripetizione_fine)},
                           {},
                           "ripetizione segnali " + numero(d.ripetizione_codici) + " codici"};
  r.push_back(scrivi_riga(ripetizione));
}

std::string riga_indicatore_testo(const riga_indicatore& x) {
  const indicatore_vmax& v = x.v;
  riga_scritta s{&tipo_di(id_riga::indicatori_vmax), {}, {}, {}};
  for (int32_t n : {v.posizione, v.vas, v.vbs, v.vcs, v.strisces}) s.valori.push_back(numero(n));
  // The d face's speeds are left empty where the indicator has only an s face.
  for (int32_t n : {v.vad, v.vbd, v.vcd}) s.valori.push_back(x.d_vuota ? "" : numero(n));
  s.valori.push_back(numero(v.strisced));
  return scrivi_riga(s);
}

// The curve's spelling: its side and its class.
const tipo_riga& tipo_curva(const riga_curva& c) {
  const std::string parola = std::string(c.verso_s ? "curvas" : "curvad") + static_cast<char>('0' + c.cifra);
  const tipo_riga* t = riconosci_riga(genere_testo::linea, parola, false);
  return t != nullptr ? *t : tipo_di(id_riga::curva);
}

void percorso_linea(righe& r, const descrizione_linea& d) {
  r.push_back(sezione(id_riga::curva));
  for (const riga_curva& c : d.curve) con_nota(r, c.nota, scrivi_riga(tipo_curva(c), {c.inizio, c.lunghezza}));
  r.push_back(sezione(id_riga::pendenza));
  for (const riga_pendenza& p : d.pendenze) con_nota(r, p.nota, riga(id_riga::pendenza, {p.posizione, p.pendenza}));
  r.push_back(sezione(id_riga::montagna));
  for (const riga_montagna& m : d.montagne) con_nota(r, m.nota, riga(id_riga::montagna, {m.inizio, m.fine, m.tipo}));
  r.push_back(sezione(id_riga::indicatori_vmax));
  for (const riga_indicatore& x : d.indicatori) con_nota(r, x.nota, riga_indicatore_testo(x));
  r.push_back(sezione(id_riga::cartello_indicatore));
  for (const riga_cartello& c : d.cartelli) {
    con_nota(r, c.nota, riga(id_riga::cartello_indicatore, {c.posizione}, c.didascalia));
  }
  r.push_back(ultima(genere_testo::linea, 0));
}

void generale_servizio(righe& r, const descrizione_servizio& d) {
  r.push_back(sezione(id_riga::vetture));
  r.push_back(riga(id_riga::vetture, {d.vetture}));
  r.push_back(riga(id_riga::massa_frenata, {d.massa_frenata}));
  r.push_back(riga(id_riga::sabbia, {d.sabbia}));
  r.push_back(riga(id_riga::orologio, {d.ore, d.minuti, d.secondi}));
}

std::string riga_stazione_testo(const riga_stazione& s) {
  return riga(id_riga::stazione,
              {s.posizione, s.tipo, s.lunghezza, s.opzione_1, s.opzione_5, s.opzione_4, s.param_1, s.param_2,
               s.opzione_2, s.param_3, s.param_4, s.param_5, s.opzione_3, s.ore, s.minuti, s.secondi},
              s.nome);
}

std::string riga_rallentamento_testo(const riga_rallentamento& x) {
  const valori_rallentamento& v = x.v;
  return riga(id_riga::rallentamento, {x.posizione, v.v, v.l, v.f_tt, v.f_ta, v.d_v});
}

std::string riga_segnale_testo(const riga_segnale& x) {
  const valori_segnale& v = x.v;
  return riga(id_riga::segnale, {x.posizione, v.sx, v.s1, v.s2, v.s3, v.rapp, v.dx, v.d1, v.d2, v.d3, v.tempo});
}

void corpo_servizio(righe& r, const descrizione_servizio& d) {
  r.push_back(sezione(id_riga::aderenza));
  for (const riga_profilo& a : d.aderenze) r.push_back(riga(id_riga::aderenza, {a.posizione, a.valore}));
  r.push_back(sezione(id_riga::velocita));
  for (const riga_profilo& v : d.velocita) r.push_back(riga(id_riga::velocita, {v.posizione, v.valore}));
  r.push_back(sezione(id_riga::stazione));
  for (const riga_stazione& s : d.stazioni) con_nota(r, s.nota, riga_stazione_testo(s));
  r.push_back(sezione(id_riga::rallentamento));
  for (const riga_rallentamento& x : d.rallentamenti) con_nota(r, x.nota, riga_rallentamento_testo(x));
  r.push_back(sezione(id_riga::segnale));
  for (const riga_segnale& x : d.segnali) con_nota(r, x.nota, riga_segnale_testo(x));
  for (const riga_abbattimento& a : d.abbattimenti) {
    con_nota(r, a.nota, riga(id_riga::abbattimento, {a.posizione, a.valore}));
  }
  r.push_back(ultima(genere_testo::servizio, 1));
  r.push_back(ultima(genere_testo::servizio, 0));
}

}  // namespace

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
