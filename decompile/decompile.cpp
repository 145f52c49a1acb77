#include "decompile/decompile.h"

#include <string_view>

#include "compile/compile.h"
#include "decompile/line_recovery.h"
#include "decompile/service_recovery.h"
#include "decompile/text_layout.h"
#include "line/line_plan.h"
#include "scenario/binary_files.h"
#include "scenario/file_names.h"
#include "scenario/format.h"
#include "scenario/plan_encoding.h"
#include "text_input/text_lines.h"

namespace sb {
namespace {

// Why the files cannot be one scenario, and the file at fault; an empty
// reason when they can.
std::string guasto(const ingresso_decompile& in, file_decompile& file) {
  const int32_t l = in.tabella[kOggettoGenerale].fine;
  file = file_decompile::tabella;
  if (l < 0 || l > kLunghezzaMassima) {
    return "the route length " + std::to_string(l) + " m in entry 84 of the object table is not one the compiler takes";
  }
  file = file_decompile::celle;
  const size_t celle = static_cast<size_t>(nearest((static_cast<double>(l) + kMarginePiano) / static_cast<double>(kMetriCella))) + 1;
  if (in.celle.size() != celle) {
    return "the route cells hold " + std::to_string(in.celle.size()) + " cells, but a route of " + std::to_string(l) +
           " m has " + std::to_string(celle);
  }
  const size_t punti = static_cast<size_t>(l) + kMarginePiano + 1;
  file = file_decompile::griglia;
  if (in.con_griglia && (in.griglia.x.size() != punti || in.griglia.y.size() != punti)) {
    return "the line plan holds " + std::to_string(in.griglia.x.size()) + " points, but a route of " +
           std::to_string(l) + " m has " + std::to_string(punti);
  }
  return "";
}

// Ends the first preamble line: a code page 1252 letter that is no UTF-8, so
// that no tool takes the text for UTF-8 and converts its names.
constexpr const char* kSegnoCodePage = " Code page 1252 text (\xE8).";

std::vector<std::string> preambolo_linea(const ingresso_decompile& in, const descrizione_linea& d) {
  std::vector<std::string> p = {"Line " + in.nome_linea + ", recovered by scenario_tool decompile from its compiled files." +
                                kSegnoCodePage};
  if (!in.con_griglia) p.push_back("No line plan was given: the curves are not here.");
  for (const std::string& n : d.note) p.push_back(riga_nota(n));
  return p;
}

std::vector<std::string> preambolo_servizio(const ingresso_decompile& in, const descrizione_servizio& d) {
  std::vector<std::string> p = {"Run of train " + in.numero_treno + " on line " + in.nome_linea +
                                ", recovered by scenario_tool decompile from its compiled files." + kSegnoCodePage};
  for (const std::string& n : d.note) p.push_back(riga_nota(n));
  p.push_back("");
  return p;
}

// The comment lines of a text, with their lines.
void note_del_testo(const std::string& testo, bool servizio, std::vector<nota_testo>& out) {
  righe_testo righe(testo);
  std::string_view riga;
  while (righe.prossima(riga)) {
    if (riga.substr(0, 2) == "- ") out.push_back({servizio, righe.numero(), std::string(riga.substr(2))});
  }
}

// A file's bytes: those read, or the records encoded when none were.
template <typename Record>
std::string byte_di(const std::string& letti, const Record& r, std::string (*codifica)(const Record&)) {
  return letti.empty() ? codifica(r) : letti;
}

// The round trip: the texts compiled, their files against the records given.
void verifica(const ingresso_decompile& in, esito_decompile& e) {
  richiesta_compile r;
  r.testo_linea = e.testo_linea;
  r.testo_servizio = e.testo_servizio;
  r.nome_linea = in.nome_linea;
  r.numero_treno = in.numero_treno;
  r.flag_griglia = in.con_griglia ? 1 : 0;
  const risultato_compile c = compila(r);
  e.codice_ricompilato = c.s.codice_errore;
  const std::string celle = nome_file_celle(in.nome_linea, in.numero_treno);
  if (c.fine != fine_compile::completata) {
    e.differenze.push_back({celle, "the recovered texts compile to no files (code " +
                                       std::to_string(c.s.codice_errore) + ")"});
    return;
  }
  const file_binari ottenuti = codifica_binari(c.s);
  auto aggiungi = [&](std::vector<differenza> d) { e.differenze.insert(e.differenze.end(), d.begin(), d.end()); };
  if (in.con_griglia && byte_di(in.byte.griglia, in.griglia, codifica_griglia) != ottenuti.griglia) {
    aggiungi(differenze_griglia(nome_file_griglia(in.nome_linea), in.griglia, punti_griglia(c.s.griglia)));
  }
  if (byte_di(in.byte.tabella, in.tabella, codifica_tabella) != ottenuti.tabella) {
    aggiungi(differenze_tabella(nome_file_tabella(in.nome_linea, in.numero_treno), in.tabella, c.s.tabella));
  }
  if (byte_di(in.byte.celle, in.celle, codifica_celle) != ottenuti.celle) {
    aggiungi(differenze_celle(celle, in.celle, c.s.celle));
  }
}

}  // namespace

esito_decompile decompila(const ingresso_decompile& in) {
  esito_decompile e;
  e.guasto = guasto(in, e.file_guasto);
  if (!e.guasto.empty()) return e;
  e.linea = ricostruisci_linea(in.tabella, in.celle, in.con_griglia ? &in.griglia : nullptr);
  e.servizio = ricostruisci_servizio(in.tabella, in.celle);
  e.testo_linea = testo_linea(e.linea, preambolo_linea(in, e.linea));
  e.testo_servizio = testo_servizio(e.servizio, preambolo_servizio(in, e.servizio));
  note_del_testo(e.testo_linea, false, e.note);
  note_del_testo(e.testo_servizio, true, e.note);
  verifica(in, e);
  return e;
}

void nomi_dal_file(const std::string& file_tabella, const tabella_oggetti& tabella, std::string& nome_linea,
                   std::string& numero_treno) {
  std::string base = file_tabella.substr(file_tabella.find_last_of('/') + 1);
  if (base.size() > 4 && base.compare(base.size() - 4, 4, ".sim") == 0) base.resize(base.size() - 4);
  const std::string& linea = tabella[kOggettoLinea].nome;
  const std::string& treno = tabella[kOggettoTreno].nome;
  if (base == linea + "_" + treno) {
    nome_linea = linea;
    numero_treno = treno;
    return;
  }
  const size_t trattino = base.find_last_of('_');
  nome_linea = trattino == std::string::npos ? base : base.substr(0, trattino);
  numero_treno = trattino == std::string::npos ? "" : base.substr(trattino + 1);
  // A file name that gives no name ("_.sim") takes the table's own, or the
  // compile's defaults: a text is never written with a name compile refuses.
  auto semplice = [](const std::string& n) {
    return !n.empty() && n.find_first_of(std::string("/\0", 2)) == std::string::npos;
  };
  if (nome_linea.empty()) nome_linea = semplice(linea) ? linea : "BORVALE";
  if (numero_treno.empty()) numero_treno = semplice(treno) ? treno : "40617";
}

}  // namespace sb
