#include "tools/command_line.h"

#include <algorithm>
#include <ostream>
#include <string_view>

#include "author/scenario_names.h"
#include "compile/exit_status.h"
#include "text_input/suggestions.h"

namespace sb {
namespace {

const opzione_ammessa* trova(const std::vector<opzione_ammessa>& ammesse, const std::string& nome) {
  auto it = std::find_if(ammesse.begin(), ammesse.end(), [&](const opzione_ammessa& o) { return o.nome == nome; });
  return it == ammesse.end() ? nullptr : &*it;
}

// "; did you mean '--line'?" for an option one slip away from a known one.
std::string forse(const std::string& nome, const std::vector<opzione_ammessa>& ammesse) {
  std::vector<std::string_view> nomi{"--help", "--version"};
  for (const opzione_ammessa& o : ammesse) nomi.push_back(o.nome);
  const std::string_view vicino = suggerisci(nome, nomi);
  return vicino.empty() ? "" : "; did you mean '" + std::string(vicino) + "'?";
}

// An argument that stands where a value goes but is an option.
bool sembra_opzione(const std::string& a) { return a.size() > 2 && a.compare(0, 2, "--") == 0; }

}  // namespace

bool riga_comando::ha(const std::string& nome) const {
  return valori.count(nome) != 0 || std::find(interruttori.begin(), interruttori.end(), nome) != interruttori.end();
}

std::string riga_comando::valore(const std::string& nome, const std::string& predefinito) const {
  auto it = valori.find(nome);
  return it == valori.end() ? predefinito : it->second;
}

std::vector<std::string> riga_comando::tutti(const std::string& nome) const {
  auto it = ripetute.find(nome);
  return it == ripetute.end() ? std::vector<std::string>{} : it->second;
}

riga_comando analizza(const std::vector<std::string>& argomenti, const std::vector<opzione_ammessa>& ammesse,
                      size_t massimo_operandi) {
  riga_comando r;
  bool solo_operandi = false;  // after "--" every argument is an operand
  for (size_t i = 0; i < argomenti.size() && r.errore.empty(); ++i) {
    const std::string& a = argomenti[i];
    if (!solo_operandi && a == "--") {
      solo_operandi = true;
      continue;
    }
    if (!solo_operandi && (a == "--help" || a == "-h")) {
      r.aiuto = true;
      continue;
    }
    if (solo_operandi || a.size() < 2 || a.compare(0, 2, "--") != 0) {
      if (r.operandi.size() >= massimo_operandi) {
        r.errore = "unexpected argument '" + a + "'";
      } else {
        r.operandi.push_back(a);
      }
      continue;
    }
    size_t uguale = a.find('=');
    std::string nome = a.substr(0, uguale);
    const opzione_ammessa* o = trova(ammesse, nome);
    if (o == nullptr) {
      r.errore = "unknown option '" + nome + "'" + forse(nome, ammesse);
    } else if (r.ha(nome) && !o->ripetibile) {
      r.errore = "option '" + nome + "' given twice";
    } else if (!o->con_valore) {
      if (uguale != std::string::npos)
        r.errore = "option '" + nome + "' takes no value";
      else
        r.interruttori.push_back(nome);
    } else if (uguale != std::string::npos) {
      r.valori[nome] = a.substr(uguale + 1);
      r.ripetute[nome].push_back(r.valori[nome]);
    } else if (i + 1 < argomenti.size() && sembra_opzione(argomenti[i + 1])) {
      r.errore = "option '" + nome + "' needs a value, found the option '" + argomenti[i + 1] + "'";
    } else if (i + 1 < argomenti.size()) {
      r.valori[nome] = argomenti[++i];
      r.ripetute[nome].push_back(r.valori[nome]);
    } else {
      r.errore = "option '" + nome + "' needs a value";
    }
  }
  // A line that is not understood is a usage error wherever --help stands.
  if (!r.errore.empty()) r.aiuto = false;
  return r;
}

int uso(std::ostream& err, const std::string& comando, const std::string& motivo) {
  err << "scenario_tool " << comando << ": " << motivo << "\n"
      << "Try 'scenario_tool " << comando << " --help'.\n";
  return kUscitaUso;
}

bool nome_valido(const std::string& nome) {
  return !nome.empty() && nome.find('/') == std::string::npos && nome.find('\0') == std::string::npos;
}

std::optional<std::string> se_dato(const riga_comando& r, const std::string& nome) {
  if (!r.ha(nome)) return std::nullopt;
  return r.valore(nome, "");
}

attesa_blocco attesa(const riga_comando& r) {
  return r.ha("--no-wait") ? attesa_blocco::non_attendere : attesa_blocco::attendi;
}

bool opzioni_comuni(const riga_comando& r, const std::string& comando, opzioni_compile& o, std::ostream& err,
                    int& stato, bool con_uscita) {
  o.linea = r.valore("--line", "");
  o.servizio = r.valore("--service", "");
  const nomi_scenario nomi = scegli_nomi(se_dato(r, "--line-name"), se_dato(r, "--train"), o.linea, o.servizio);
  o.nome_linea = nomi.linea;
  o.numero_treno = nomi.treno;
  o.note = r.valore("--notes", "");
  o.attesa = attesa(r);
  o.cartella_uscita = r.valore("--out", "");
  std::string errore;
  if (con_uscita && o.cartella_uscita.empty())
    errore = "--out DIR is required";
  else if (r.ha("--line") && o.linea.empty())
    errore = "--line needs a file name";
  else if (r.ha("--service") && o.servizio.empty())
    errore = "--service needs a file name";
  else if (r.ha("--notes") && o.note.empty())
    errore = "--notes needs a file name";
  else if (!nome_valido(o.nome_linea))
    errore = "--line-name must be a plain name";
  else if (!nome_valido(o.numero_treno))
    errore = "--train must be a plain name";
  if (errore.empty()) return true;
  stato = uso(err, comando, errore);
  return false;
}

std::optional<int> leggi_file_scena(const riga_comando& r, const std::string& comando, file_scena& f,
                                     std::ostream& err) {
  f.linea = r.valore("--line", "");
  f.servizio = r.valore("--service", "");
  const nomi_scenario nomi = scegli_nomi(se_dato(r, "--line-name"), se_dato(r, "--train"), f.linea, f.servizio);
  f.nome_linea = nomi.linea;
  f.numero_treno = nomi.treno;
  f.griglia = r.valore("--plan", "");
  f.tabella = r.valore("--sim", "");
  f.celle = r.valore("--cells", "");
  const bool testi = !f.linea.empty() || !f.servizio.empty();
  const bool binari = !f.griglia.empty() || !f.tabella.empty() || !f.celle.empty();
  if (testi && binari) return uso(err, comando, "give either the descriptions or the binary files, not both");
  if (!testi && !binari) return uso(err, comando, "give --line and --service, or any of --plan, --sim and --cells");
  if (binari && (r.ha("--line-name") || r.ha("--train"))) {
    return uso(err, comando, "--line-name and --train go with the descriptions");
  }
  if (!nome_valido(f.nome_linea)) return uso(err, comando, "--line-name must be a plain name");
  if (!nome_valido(f.numero_treno)) return uso(err, comando, "--train must be a plain name");
  return std::nullopt;
}

}  // namespace sb
