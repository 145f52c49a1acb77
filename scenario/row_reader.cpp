#include "scenario/row_reader.h"

#include <limits>

#include "scenario/error_codes.h"

namespace sb {
namespace {

// Longest piece of an author's text quoted in a message.
constexpr size_t kCitazioneMassima = 40;

std::string_view senza_blank_finali(std::string_view t) {
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

bool lettera(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0xC0;
}

// The English ending of an ordinal number: 1st, 2nd, 3rd, 4th, 11th, 21st.
std::string_view ordinale(size_t n) {
  if (n % 100 >= 11 && n % 100 <= 13) return "th";
  switch (n % 10) {
    case 1: return "st";
    case 2: return "nd";
    case 3: return "rd";
    default: return "th";
  }
}

bool solo_cifre(std::string_view t) {
  return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string cita(std::string_view t) {
  if (t.size() <= kCitazioneMassima) return "'" + std::string(t) + "'";
  return "'" + std::string(t.substr(0, kCitazioneMassima)) + "...'";
}

std::string non_un_numero(std::string_view token, std::string_view nome) {
  switch (forma_di(token)) {
    case forma_numero::decimale: return std::string(token) + ": decimals are not allowed";
    case forma_numero::intero_largo:
      return std::string(nome) + " " + std::string(token) + " does not fit -2147483648..2147483647";
    default: return "expected a whole number, found " + cita(token);
  }
}

lettura_riga::lettura_riga(scenario& s, lettore_campi& l, origine_errore origine, const tipo_riga& tipo,
                           std::string_view parola)
    : s_(s),
      l_(l),
      origine_(origine),
      tipo_(tipo),
      parola_(parola.empty() ? tipo.parola : parola),
      valori_(static_cast<int32_t>(valori_di(tipo))) {
  const campo_letto& k = l.ultimo();
  chiave_ = {origine, k.riga, k.colonna};
  // A tab with more text after it: the line's values are in the keyword field.
  const size_t tab = k.grezzo.find('\t');
  tabulato_ = tab != std::string_view::npos && k.grezzo.find_first_not_of(" \t", tab) != std::string_view::npos;
  riga_fine_ = k.riga_fine;
  colonna_fine_ = k.colonna_fine;
}

luogo_testo lettura_riga::qui() const { return {origine_, l_.ultimo().riga, l_.ultimo().colonna}; }

luogo_testo lettura_riga::fine_precedente() const { return {origine_, riga_fine_, colonna_fine_}; }

luogo_testo lettura_riga::valore(size_t k) const {
  if (k >= static_cast<size_t>(letti_) || k >= kValoriMassimi) return chiave_;
  return {origine_, righe_[k], colonne_[k]};
}

std::string lettura_riga::dopo_quanti() const {
  return "after " + std::to_string(letti_) + " of its " + std::to_string(valori_) +
         (valori_ == 1 ? " value" : " values");
}

std::string lettura_riga::perche_tabulato() const {
  if (!tabulato_ || letti_ > 0) return "";
  return ": tabs split its line, and a tab is a blank inside a field, not a separator; separate the values with "
         "commas";
}

void lettura_riga::letto() {
  const campo_letto& c = l_.ultimo();
  if (static_cast<size_t>(letti_) < kValoriMassimi) {
    righe_[letti_] = c.riga;
    colonne_[letti_] = c.colonna;
  }
  ultimo_scritto_ = c.grezzo;
  riga_fine_ = c.riga_fine;
  colonna_fine_ = c.colonna_fine;
  ++letti_;
}

bool lettura_riga::fallita(esito_lettura e, std::string_view nome) {
  const campo_letto& c = l_.ultimo();
  const std::string riga = "the '" + std::string(parola_) + "' row";
  if (e == esito_lettura::niente) {
    registra_codice(s_, kLetturaFallita, fine_precedente(),
                    "the text ends inside " + riga + ", " + dopo_quanti() + perche_tabulato());
    return false;
  }
  // A word at the start of a later line: the next row, or a header.
  const bool riga_seguente = c.riga > riga_fine_ && c.primo_della_riga && !c.grezzo.empty() &&
                             (lettera(c.grezzo[0]) || c.grezzo[0] == '[');
  if (riga_seguente) {
    registra_codice(s_, kLetturaFallita, fine_precedente(), riga + " ends " + dopo_quanti() + perche_tabulato());
    return false;
  }
  registra_codice(s_, kLetturaFallita, qui(), non_un_valore(c.grezzo, nome));
  return false;
}

bool lettura_riga::e_chiave(std::string_view campo) const { return sb::e_chiave(tipo_.testo, tipo_.ambito, campo); }

// What is wrong with a token read where value letti_ goes, in the row's own
// terms: a number beyond 32 bits against the value's range; a word that is
// the last field of its line, where the row ends with a name, as a value
// missing before the name.
std::string lettura_riga::non_un_valore(std::string_view token, std::string_view nome) const {
  const size_t k = static_cast<size_t>(letti_);
  const forma_numero forma = forma_di(token);
  if (forma == forma_numero::intero_largo && k < tipo_.campi.size()) {
    return std::string(nome) + " " + std::string(token) + " does not fit " + intervallo_di(tipo_.campi[k]);
  }
  const bool parola = forma != forma_numero::intero && forma != forma_numero::decimale;
  const bool ultimo_della_riga = l_.resto_della_riga().find(',') == std::string_view::npos;
  if (parola && ultimo_della_riga && con_testo(tipo_) && k + 1 < tipo_.campi.size()) {
    const std::string n = std::to_string(k + 1);
    return "`" + std::string(parola_) + "` takes " + std::to_string(valori_) + " values; this row has " + n + " (the " +
           std::string(tipo_.campi.back().nome == "nome" ? "name" : "caption") + " was read as the " + n +
           std::string(ordinale(k + 1)) + ")";
  }
  return non_un_numero(token, nome);
}

bool lettura_riga::fuori_campo(int64_t v, int64_t minimo, int64_t massimo, std::string_view nome) {
  if (v >= minimo && v <= massimo) return false;
  registra_codice(s_, kLetturaFallita, qui(),
                  std::string(nome) + " " + std::to_string(v) + " does not fit " + std::to_string(minimo) + ".." +
                      std::to_string(massimo));
  return true;
}

bool lettura_riga::leggi(int32_t& v, std::string_view nome) {
  ultimo_testo_ = false;
  if (esito_lettura e = l_.leggi_numero(v); e != esito_lettura::letto) return fallita(e, nome);
  letto();
  return true;
}

bool lettura_riga::leggi(int16_t& v, std::string_view nome) {
  int32_t x = 0;
  if (!leggi(x, nome)) return false;
  if (fuori_campo(x, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max(), nome)) return false;
  v = static_cast<int16_t>(x);
  return true;
}

bool lettura_riga::leggi(uint8_t& v, std::string_view nome) {
  int32_t x = 0;
  if (!leggi(x, nome)) return false;
  if (fuori_campo(x, 0, 255, nome)) return false;
  v = static_cast<uint8_t>(x);
  return true;
}

bool lettura_riga::leggi_testo(std::string& t, std::string_view nome, std::string_view consiglio) {
  if (esito_lettura e = l_.leggi_testo(t); e != esito_lettura::letto) return fallita(e, nome);
  const campo_letto& c = l_.ultimo();
  if (c.virgolette_aperte) avvisa_virgolette(c, nome);
  if (c.riga > riga_fine_ && e_chiave(t)) {
    registra_avviso(s_, genere_avviso::valori_mancanti, fine_precedente(),
                    "the '" + std::string(parola_) + "' row ends " + dopo_quanti() + ": " + cita(t) +
                        ", on the next line, is taken as its " + std::string(nome));
    nella_riga_seguente_ = true;
  }
  letto();
  ultimo_testo_ = true;
  testo_ = {origine_, c.riga, c.colonna_testo};
  nome_testo_ = nome;
  consiglio_ = consiglio;
  return true;
}

void lettura_riga::avvisa_virgolette(const campo_letto& c, std::string_view nome) {
  const luogo_testo dove{origine_, c.riga, c.colonna};
  // A text that ends with a line end ends on the line before the empty one.
  const int32_t ultima = c.mai_chiuse && c.colonna_fine == 1 && c.riga_fine > c.riga ? c.riga_fine - 1 : c.riga_fine;
  const int32_t righe = ultima - c.riga;
  std::string m = c.mai_chiuse ? "this double quote is never closed"
                               : "this double quote is closed only on line " + std::to_string(c.riga_fine);
  if (righe > 0) {
    m += ": the " + std::string(nome) + " takes in " +
         (righe == 1 ? "line " + std::to_string(ultima)
                     : "lines " + std::to_string(c.riga + 1) + " to " + std::to_string(ultima) + " (" +
                           std::to_string(righe) + " lines)") +
         (c.mai_chiuse ? ", the rest of the text," : "") + " and no row there is read";
  }
  const size_t prima = s_.diagnostiche.size();
  registra_avviso(s_, genere_avviso::virgolette_aperte, dove, m + "; close the quote on its line");
  if (s_.diagnostiche.size() > prima) s_.diagnostiche.back().larghezza = 1;  // the quote itself
}

bool lettura_riga::decimale_con_virgola(std::string_view resto, size_t inizio) const {
  if (ultimo_testo_ || letti_ == 0 || inizio != 0) return false;
  // The comma right after the last value, and digits right after the comma.
  if (l_.colonna_corrente() != colonna_fine_ + 1 || !l_.dopo_virgola()) return false;
  const std::string_view ultimo = ultimo_scritto_;
  const std::string_view cifre = ultimo.substr(!ultimo.empty() && (ultimo[0] == '-' || ultimo[0] == '+') ? 1 : 0);
  const std::string_view dopo = senza_blank_finali(resto.substr(0, resto.find(',')));
  return solo_cifre(cifre) && solo_cifre(dopo);
}

void lettura_riga::chiudi() {
  if (nella_riga_seguente_) return;  // what follows belongs to the next row, told already
  const std::string_view resto = l_.resto_della_riga();
  const size_t inizio = resto.find_first_not_of(" \t,");
  if (inizio == std::string_view::npos) return;
  const std::string_view oltre = senza_blank_finali(resto.substr(inizio));
  const std::string_view primo = senza_blank_finali(oltre.substr(0, oltre.find(',')));
  if (e_chiave(primo)) return;  // the next row stands on the same line
  const luogo_testo dove{origine_, l_.riga_corrente(), l_.colonna_corrente() + static_cast<int32_t>(inizio)};
  const std::string riga = "the '" + std::string(parola_) + "' row";
  const size_t ultimo = static_cast<size_t>(letti_ - 1);
  if (ultimo_testo_ && forma_di(ultimo_scritto_) == forma_numero::intero) {
    registra_avviso(s_, genere_avviso::valori_in_piu, valore(ultimo),
                    riga + " has more than its " + std::to_string(valori_) + " values: " + cita(ultimo_scritto_) +
                        " is taken as its " + std::string(nome_testo_) + " and " + cita(oltre) + " is skipped");
    return;
  }
  if (ultimo_testo_) {
    registra_avviso(s_, genere_avviso::nome_tagliato, dove,
                    "a comma cuts the " + std::string(nome_testo_) + " short: it is read as " + cita(ultimo_scritto_) +
                        " and " + cita(oltre) + " is skipped; " + std::string(consiglio_));
    return;
  }
  if (decimale_con_virgola(resto, inizio)) {
    const std::string_view numero = ultimo_scritto_;
    registra_avviso(s_, genere_avviso::virgola_decimale, valore(ultimo),
                    "decimal comma: '" + std::string(numero) + "," + std::string(primo) + "' is read as " +
                        std::string(numero) + " and " + cita(primo) + " is skipped; values are whole numbers");
    return;
  }
  const std::string oltre_la_riga =
      valori_ == 1 ? " value; " + cita(oltre) + " beyond it" : " values; " + cita(oltre) + " beyond them";
  registra_avviso(s_, genere_avviso::valori_in_piu, dove,
                  riga + " takes " + std::to_string(valori_) + oltre_la_riga + " is skipped");
}

}  // namespace sb
