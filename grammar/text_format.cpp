#include "grammar/text_format.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "text_input/field_reader.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// The text without the blanks at its two ends.
std::string_view senza_blank(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// One line of the text: its bytes and the line end after them (CR LF, LF,
// CR, or nothing on the last line), as the field reader counts lines.
struct linea_testo {
  std::string_view corpo;
  std::string_view fine;
};

std::vector<linea_testo> dividi_linee(std::string_view t) {
  std::vector<linea_testo> linee;
  size_t inizio = 0;
  while (inizio < t.size()) {
    size_t a = t.find_first_of("\r\n", inizio);
    if (a == std::string_view::npos) {
      linee.push_back({t.substr(inizio), {}});
      break;
    }
    const size_t lunga = t[a] == '\r' && a + 1 < t.size() && t[a + 1] == '\n' ? 2 : 1;
    linee.push_back({t.substr(inizio, a - inizio), t.substr(a, lunga)});
    inizio = a + lunga;
  }
  return linee;
}

// One value of a row as written, and whether a comma stands before it (else
// blanks alone part it from the value before).
struct valore_scritto {
  std::string_view token;
  bool dopo_virgola = true;
};

// A line that holds one whole row of a known kind and nothing else.
struct riga_intera {
  const tipo_riga* forma = nullptr;
  std::string_view chiave;
  std::vector<valore_scritto> valori;
  std::string_view testo;  // the name or caption as written, quotes included
  bool da_zero = false;    // written in the shape of a first row at 0
  size_t sezione = 0;
};

// The row a line holds, when it holds exactly one: the keyword field before
// the first comma, every value a whole number (or an empty field between
// two commas), the name or caption after a comma where the kind has one,
// nothing after the last. Anything else is no whole row and stays as written.
std::optional<riga_intera> leggi_riga_intera(std::string_view s, genere_testo g) {
  const size_t virgola = s.find(',');
  if (virgola == std::string_view::npos) return std::nullopt;
  riga_intera r;
  r.chiave = senza_blank(s.substr(0, virgola));
  if (r.chiave.empty() || r.chiave.front() == '"' || r.chiave.find_first_of("-[") != std::string_view::npos) {
    return std::nullopt;
  }
  r.forma = riconosci_ovunque(g, r.chiave);
  if (r.forma == nullptr) return std::nullopt;
  size_t p = virgola + 1;
  bool dopo_virgola = true;
  auto salta_blank = [&] {
    while (p < s.size() && blank(s[p])) ++p;
  };
  const size_t numeri = r.forma->colonne.size();
  for (size_t i = 0; i < numeri; ++i) {
    salta_blank();
    if (p == s.size()) return std::nullopt;  // the row goes on on the next line
    if (s[p] == ',') {                       // an empty field
      r.valori.push_back({{}, true});
      ++p;
      dopo_virgola = true;
      continue;
    }
    const size_t inizio = p;
    while (p < s.size() && !blank(s[p]) && s[p] != ',') ++p;
    const std::string_view token = s.substr(inizio, p - inizio);
    if (forma_di(token) != forma_numero::intero) return std::nullopt;
    r.valori.push_back({token, dopo_virgola});
    salta_blank();
    dopo_virgola = p < s.size() && s[p] == ',';
    if (dopo_virgola) ++p;
  }
  const std::string_view resto = senza_blank(s.substr(p));
  if (!con_testo(*r.forma)) {
    if (dopo_virgola || !resto.empty()) return std::nullopt;
  } else {
    if (!dopo_virgola || resto.empty()) return std::nullopt;
    if (resto.front() == '"') {
      const size_t chiusa = resto.find('"', 1);
      if (chiusa == std::string_view::npos || chiusa + 1 != resto.size()) return std::nullopt;
    } else if (resto.find_first_of(",\"") != std::string_view::npos) {
      return std::nullopt;
    }
    r.testo = resto;
  }
  r.da_zero = !r.forma->colonne_zero.empty() && r.valori[0].token == "0" && r.valori[1].dopo_virgola;
  return r;
}

// Whether a line that is no whole row holds its double quotes harmlessly:
// one field (no comma) that begins as a remark or a heading, so a quote in
// it is one of its letters and opens nothing.
bool virgolette_innocue(std::string_view s) {
  if (s.find(',') != std::string_view::npos) return false;
  const std::string_view t = senza_blank(s);
  if (t.empty()) return true;
  if (t.front() == '[') return true;
  return t.front() == '-' && (t.size() == 1 || t[1] < '0' || t[1] > '9');
}

// The characters a piece of the text takes on the screen: its bytes, or its
// UTF-8 characters in a text saved as UTF-8.
size_t larghezza_visibile(std::string_view s, bool utf8) {
  if (!utf8) return s.size();
  return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// Where the preamble ends, as the compilers find it: the line on which the
// field holding "[generale]" ends (0: none). A double quote after that
// field on its line might open a field the formatter cannot follow.
struct fine_preambolo {
  int32_t riga = 0;
  bool virgolette_dopo = false;
};

fine_preambolo trova_generale(std::string_view byte) {
  const std::string testo = prepara_testo(byte).byte;
  lettore_campi l(testo);
  std::string campo;
  while (l.leggi_testo(campo) == esito_lettura::letto) {
    if (contiene_nc(campo, "[generale]")) {
      return {l.ultimo().riga_fine, l.resto_della_riga().find('"') != std::string_view::npos};
    }
  }
  return {};
}

// The widths of a section's rows of one kind: the right edge of the first
// value (counted from the start of the line, so that keywords written with
// other letters line up too) and the width of every other column.
// The most numeric values a row holds (a station's sixteen).
constexpr size_t kColonneMassime = 16;

struct larghezze {
  size_t bordo = 0;
  std::array<size_t, kColonneMassime> colonne{};  // by value, from 0
};

std::string allinea_a_destra(std::string_view token, size_t larghezza) {
  std::string s(larghezza > token.size() ? larghezza - token.size() : 0, ' ');
  return s.append(token);
}

std::string allinea_riga(const riga_intera& r, const larghezze& l, bool utf8) {
  std::string out(r.chiave);
  for (size_t i = 0; i < r.valori.size(); ++i) {
    const valore_scritto& v = r.valori[i];
    const colonna_forma c = r.da_zero ? r.forma->colonne_zero[i] : r.forma->colonne[i];
    if (v.dopo_virgola) out += ',';
    if (c.larghezza > 0) {
      const size_t w = i == 0 ? l.bordo - larghezza_visibile(r.chiave, utf8) - 1 : l.colonne[i];
      std::string cella = allinea_a_destra(v.token, w);
      if (!v.dopo_virgola && (cella.empty() || !blank(cella.front()))) cella.insert(0, 1, ' ');
      out += cella;
    } else {
      const int spazi = v.dopo_virgola ? c.spazi : std::max(c.spazi, 1);
      out.append(static_cast<size_t>(spazi), ' ').append(v.token);
    }
  }
  if (con_testo(*r.forma)) out.append(",").append(static_cast<size_t>(r.forma->spazi_testo), ' ').append(r.testo);
  return out.append(r.forma->coda);
}

}  // namespace

esito_formato formatta_testo(std::string_view byte, genere_testo g) {
  esito_formato e;
  e.testo = std::string(byte);
  e.rifiutato = rifiuta_testo(byte);
  if (e.rifiutato) return e;
  const fine_preambolo preambolo = trova_generale(byte);
  if (preambolo.riga == 0 || preambolo.virgolette_dopo) return e;
  const bool utf8 = utf8_valido(byte) && ha_non_ascii(byte);
  const std::vector<linea_testo> linee = dividi_linee(byte);

  // The whole rows, line by line, up to a line whose quotes might open a
  // field that runs on: from there on the text stays as written.
  std::vector<std::optional<riga_intera>> righe(linee.size());
  size_t sezione = 0;
  for (size_t i = static_cast<size_t>(preambolo.riga); i < linee.size(); ++i) {
    const std::string_view s = linee[i].corpo;
    const std::string_view t = senza_blank(s);
    if (!t.empty() && t.front() == '[') ++sezione;
    righe[i] = leggi_riga_intera(s, g);
    if (righe[i]) {
      righe[i]->sezione = sezione;
      continue;
    }
    if (s.find('"') != std::string_view::npos && !virgolette_innocue(s)) break;
  }

  // The columns of each kind of row in each section, widened to the widest value.
  std::map<std::pair<size_t, const tipo_riga*>, larghezze> misure;
  for (const std::optional<riga_intera>& r : righe) {
    if (!r || r->da_zero) continue;
    larghezze& l = misure[{r->sezione, r->forma}];
    for (size_t i = 0; i < r->valori.size(); ++i) {
      const size_t w = std::max(static_cast<size_t>(r->forma->colonne[i].larghezza), r->valori[i].token.size());
      if (i == 0) l.bordo = std::max(l.bordo, larghezza_visibile(r->chiave, utf8) + 1 + w);
      else l.colonne[i] = std::max(l.colonne[i], w);
    }
  }

  std::string out;
  out.reserve(byte.size() + byte.size() / 4);
  for (size_t i = 0; i < linee.size(); ++i) {
    if (righe[i]) out += allinea_riga(*righe[i], misure[{righe[i]->sezione, righe[i]->forma}], utf8);
    else out += linee[i].corpo;
    out += linee[i].fine;
  }
  e.cambiato = out != byte;
  e.testo = std::move(out);
  return e;
}

genere_testo genere_del_file(std::string_view file, std::string_view byte) {
  const size_t barra = file.rfind('/');
  const std::string_view nome = barra == std::string_view::npos ? file : file.substr(barra + 1);
  if (nome.ends_with("_linea.txt")) return genere_testo::linea;
  if (nome.ends_with("-.txt")) return genere_testo::servizio;
  for (const linea_testo& l : dividi_linee(byte)) {
    const std::string_view chiave = senza_blank(l.corpo.substr(0, l.corpo.find(',')));
    if (chiave.empty() || chiave.find_first_of("-[\"") != std::string_view::npos) continue;
    const bool linea = riconosci_ovunque(genere_testo::linea, chiave) != nullptr;
    const bool servizio = riconosci_ovunque(genere_testo::servizio, chiave) != nullptr;
    if (linea != servizio) return linea ? genere_testo::linea : genere_testo::servizio;
  }
  return genere_testo::servizio;
}

}  // namespace sb
