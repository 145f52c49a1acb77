#include "grammar/grammar_docs.h"

namespace sb {
namespace {

std::string codice(std::string_view s) { return "`" + std::string(s) + "`"; }

// The keyword as written, with every other spelling of its kind.
std::string scritture(const tipo_riga& k) {
  std::string s = codice(k.parola);
  const std::span<const tipo_riga> tutte = tipi_riga(k.testo);
  bool dopo = false;
  for (const tipo_riga& r : tutte) {
    if (&r == &k) {
      dopo = true;
      continue;
    }
    if (dopo && !r.variante) break;
    if (dopo) s += ", " + codice(r.parola);
  }
  return s;
}

std::string parole_riconoscimento(const tipo_riga& k) {
  if (k.parola_b.empty()) return codice(k.parola_a);
  return codice(k.parola_a) + " and " + codice(k.parola_b);
}

// "17: `posizione` (m), `tipo`, ..."
std::string valori_in_breve(const tipo_riga& k) {
  std::string s = std::to_string(k.campi.size()) + ":";
  for (size_t i = 0; i < k.campi.size(); ++i) {
    const campo_riga& c = k.campi[i];
    s += (i == 0 ? " " : ", ") + codice(c.nome);
    if (!c.unita.empty()) s += " (" + std::string(c.unita) + ")";
  }
  return s;
}

std::string intervallo_md(const campo_riga& c) {
  if (c.modo == conservazione::testo) return "text";
  return intervallo_di(c);
}

}  // namespace

std::string tabella_parole_md(genere_testo t, ambito_riga a) {
  std::string s =
      "| row as written | recognised when the field contains | case | heading | values |\n"
      "|---|---|---|---|---|\n";
  for (const tipo_riga& k : tipi_riga(t)) {
    if (k.ambito != a || k.variante) continue;
    s += "| " + scritture(k) + " | " + parole_riconoscimento(k) + " | " + (k.maiuscole ? "exact" : "any") + " | " +
         codice(k.sezione) + " | " + valori_in_breve(k) + " |\n";
  }
  return s;
}

std::string tabella_valori_md(const tipo_riga& k) {
  std::string s =
      "| # | value | unit | range | meaning | to the simulator | stored in |\n"
      "|---|---|---|---|---|---|---|\n";
  for (size_t i = 0; i < k.campi.size(); ++i) {
    const campo_riga& c = k.campi[i];
    s += "| " + std::to_string(i + 1) + " | " + codice(c.nome) + " | " + std::string(c.unita) + " | " +
         intervallo_md(c) + " | " + std::string(c.senso) + " | " + std::string(c.simulatore) + " | " +
         std::string(c.dove) + " |\n";
  }
  return s;
}

std::string valori_del_testo_md(genere_testo t) {
  std::string s;
  for (const tipo_riga& k : tipi_riga(t)) {
    if (k.variante) continue;
    s += "\n### " + scritture(k) + "\n\n" + tabella_valori_md(k);
  }
  return s;
}

}  // namespace sb
