#include "tools/diff_command.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>
#include <vector>

#include "author/scenario_names.h"
#include "inspect/binary_inputs.h"
#include "platform/files.h"
#include "scene/scene_diff.h"
#include "scene/text_compile.h"

namespace sb {
namespace {

// diff(1)'s exit statuses.
constexpr int kUguali = 0;
constexpr int kDiversi = 1;
constexpr int kGuaio = 2;

bool finisce_con(const std::string& s, const std::string& fine) {
  return s.size() >= fine.size() && s.compare(s.size() - fine.size(), fine.size(), fine) == 0;
}

// The scene of one side, its compile's diagnostics kept from the output;
// false with the reason on err when a file cannot be read.
bool scena_del_lato(const lato_diff& l, const char* quale, scena& s, std::ostream& err) {
  if (l.vuoto) return true;
  if (!l.testi()) {
    binari_scena b;
    if (!leggi_binari(l.griglia, l.tabella, l.celle, b, err)) return false;
    s = costruisci_scena(fonti_binari(b));
    return true;
  }
  opzioni_compile o;
  o.linea = l.linea;
  o.servizio = l.servizio;
  const nomi_scenario nomi = scegli_nomi(std::nullopt, std::nullopt, l.linea, l.servizio);
  o.nome_linea = l.nome_linea.empty() ? nomi.linea : l.nome_linea;
  o.numero_treno = l.numero_treno.empty() ? nomi.treno : l.numero_treno;
  testi_compilati c;
  std::ostringstream detto;
  if (!compila_per_vista(o, c, detto)) {
    err << detto.str();
    return false;
  }
  if (c.stato != 0) {
    err << "scenario_tool diff: the " << quale << " texts do not compile clean ('scenario_tool check' tells why);"
        << " compared as far as they compile\n";
  }
  s = scena_compilata(c);
  return true;
}

// A file of the folder whose name begins and ends as given, the first in
// name order; empty when there is none.
std::string nella_cartella(const std::string& cartella, const std::string& inizio, const std::string& fine) {
  std::vector<std::string> trovati;
  std::error_code ec;
  for (const auto& voce : std::filesystem::directory_iterator(cartella.empty() ? "." : cartella, ec)) {
    const std::string nome = voce.path().filename().string();
    if (nome.size() > inizio.size() + fine.size() && nome.rfind(inizio, 0) == 0 && finisce_con(nome, fine)) {
      trovati.push_back(nome);
    }
  }
  if (trovati.empty()) return "";
  std::sort(trovati.begin(), trovati.end());
  return cartella.empty() ? trovati.front() : cartella + "/" + trovati.front();
}

// The path of a file beside another in its folder.
std::string accanto(const std::string& cartella, const std::string& nome) {
  return cartella.empty() ? nome : cartella + "/" + nome;
}

// A file that exists, else empty: the other files of a pair may be missing.
std::string se_esiste(const std::string& file) { return file_esiste(file) ? file : ""; }

// The side of one changed file: the file itself in its place in the pair or
// set, the others from the working tree.
lato_diff lato_git(const std::string& file, const lato_diff& modello, std::string lato_diff::*posto) {
  lato_diff l = modello;
  if (file == "/dev/null") {
    l.vuoto = true;
    return l;
  }
  l.*posto = file;
  return l;
}

constexpr const char* kAiutoDiff =
    "usage: scenario_tool diff OLD NEW [--json]\n"
    "  where OLD is  --old-line FILE --old-service FILE   (texts; either may be left out)\n"
    "            or  --old-sim FILE --old-cells FILE [--old-plan FILE]   (compiled files)\n"
    "  and NEW the same: --new-line, --new-service, --new-sim, --new-cells, --new-plan\n"
    "       scenario_tool diff PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE\n"
    "  (as git's external diff driver)\n"
    "\n"
    "Tells what changed from OLD to NEW in the author's terms, one line a change, in\n"
    "route order: the general rows; each station added, removed, renamed, moved (by\n"
    "how many metres) or with its values changed; each signal, slowdown, indicator,\n"
    "sign board, code-reduction point, montagna span and curve likewise; each row of\n"
    "the gradient, speed-limit and adhesion profiles; and each leg whose fastest\n"
    "time or margin (with the default train) changed. Both sides are compiled\n"
    "first, so rows that are moved, reordered or reformatted and compile to the same\n"
    "thing are no change. A side may be texts and the other compiled files.\n"
    "  --json   the changes as a JSON array\n"
    "\n"
    "As git's driver the other files of the scenario (the line text beside a\n"
    "service text, the cells and plan beside an object table) are read from the\n"
    "path's folder in the working tree for both sides; see the reference for the\n"
    ".gitattributes and git config lines.\n"
    "\n"
    "Exit status: 0 the same, 1 different (0 as git's driver, which git needs),\n"
    "2 trouble: a usage error or a file that cannot be read.\n";

// A side from the command line's options with a prefix ("--old-").
lato_diff lato_da_opzioni(const riga_comando& r, const std::string& prefisso) {
  lato_diff l;
  l.linea = r.valore(prefisso + "line", "");
  l.servizio = r.valore(prefisso + "service", "");
  l.tabella = r.valore(prefisso + "sim", "");
  l.celle = r.valore(prefisso + "cells", "");
  l.griglia = r.valore(prefisso + "plan", "");
  return l;
}

// Why a side is not one the command can compare; empty when it is.
std::string lato_sbagliato(const lato_diff& l, const std::string& quale) {
  const bool binari = !l.tabella.empty() || !l.celle.empty() || !l.griglia.empty();
  if (l.testi() && binari) return "the " + quale + " side is texts or compiled files, not both";
  if (!l.testi() && !binari) return "no " + quale + " side: give --" + quale + "-line/--" + quale + "-service or --" +
                                    quale + "-sim/--" + quale + "-cells/--" + quale + "-plan";
  return "";
}

// Runs "diff" with its parsed command line.
int comando_diff(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  const bool json = r.ha("--json");
  if (r.operandi.size() == 7) {
    lato_diff v, n;
    if (!lati_da_git(r.operandi[0], r.operandi[1], r.operandi[4], v, n)) {
      err << "scenario_tool diff: " << r.operandi[0] << ": not a scenario file (a NAME_linea.txt, NAME_TRAIN-.txt, "
          << "NAME_linea.dat, NAME_TRAIN.sim or NAME_TRAIN.dat)\n";
      return kGuaio;
    }
    std::ostringstream cambi;
    const int stato = esegui_diff(v, n, json, cambi, err);
    if (stato == kGuaio) return stato;
    if (stato == kDiversi && !json) out << "scenario_tool diff " << r.operandi[0] << "\n";
    out << cambi.str();
    return kUguali;
  }
  if (!r.operandi.empty()) {
    uso(err, "diff", "give the two sides as options, or git's seven arguments");
    return kGuaio;
  }
  const lato_diff v = lato_da_opzioni(r, "--old-"), n = lato_da_opzioni(r, "--new-");
  for (const std::string& motivo : {lato_sbagliato(v, "old"), lato_sbagliato(n, "new")}) {
    if (!motivo.empty()) {
      uso(err, "diff", motivo);
      return kGuaio;
    }
  }
  return esegui_diff(v, n, json, out, err);
}

}  // namespace

int esegui_diff(const lato_diff& vecchio, const lato_diff& nuovo, bool json, std::ostream& out, std::ostream& err) {
  scena a, b;
  if (!scena_del_lato(vecchio, "old", a, err) || !scena_del_lato(nuovo, "new", b, err)) return kGuaio;
  const std::vector<cambio_scena> cambi = differenze_scene(a, b);
  out << (json ? differenze_json(cambi) : differenze_testo(cambi));
  return cambi.empty() ? kUguali : kDiversi;
}

bool lati_da_git(const std::string& file, const std::string& vecchio, const std::string& nuovo, lato_diff& v,
                 lato_diff& n) {
  const file_diviso p = dividi_file(file);
  const std::string& c = p.cartella;
  const std::string& nome = p.nome;
  lato_diff modello;
  std::string lato_diff::*posto = nullptr;
  if (const std::string linea(linea_da_file(nome)); !linea.empty()) {
    modello.servizio = nella_cartella(c, linea + "_", "-.txt");
    posto = &lato_diff::linea;
  } else if (const nomi_scenario s = nomi_da_servizio(nome); !s.linea.empty()) {
    modello.linea = se_esiste(accanto(c, s.linea + "_linea.txt"));
    posto = &lato_diff::servizio;
  } else if (finisce_con(nome, "_linea.dat")) {
    const std::string della_linea = nome.substr(0, nome.size() - 10);
    modello.tabella = nella_cartella(c, della_linea + "_", ".sim");
    if (!modello.tabella.empty()) modello.celle = se_esiste(modello.tabella.substr(0, modello.tabella.size() - 4) + ".dat");
    posto = &lato_diff::griglia;
  } else if (finisce_con(nome, ".sim") || finisce_con(nome, ".dat")) {
    const std::string base = nome.substr(0, nome.size() - 4);
    const size_t sotto = base.rfind('_');
    if (sotto == std::string::npos || sotto == 0) return false;
    modello.tabella = se_esiste(accanto(c, base + ".sim"));
    modello.celle = se_esiste(accanto(c, base + ".dat"));
    modello.griglia = se_esiste(accanto(c, base.substr(0, sotto) + "_linea.dat"));
    posto = finisce_con(nome, ".sim") ? &lato_diff::tabella : &lato_diff::celle;
  } else {
    return false;
  }
  // The names the texts compile with are the repository's, not those of
  // git's temporary files.
  const nomi_scenario nomi = scegli_nomi(std::nullopt, std::nullopt,
                                         posto == &lato_diff::linea ? file : modello.linea,
                                         posto == &lato_diff::servizio ? file : modello.servizio);
  modello.nome_linea = nomi.linea;
  modello.numero_treno = nomi.treno;
  v = lato_git(vecchio, modello, posto);
  n = lato_git(nuovo, modello, posto);
  return true;
}

// The table's entry of "diff".
comando_strumento voce_diff() {
  std::vector<opzione_ammessa> opzioni = {{"--json", false}};
  for (const char* lato : {"--old-", "--new-"}) {
    for (const char* cosa : {"line", "service", "sim", "cells", "plan"}) opzioni.push_back({std::string(lato) + cosa, true});
  }
  return {"diff", "tell what changed between two versions of a scenario, in your terms (git's driver too)",
          kAiutoDiff, opzioni, 7, comando_diff};
}

}  // namespace sb
