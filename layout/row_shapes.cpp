#include "layout/row_shapes.h"

#include "text_input/keywords.h"

namespace sb {
namespace {

constexpr colonna_forma sp(int n) { return {n, 0}; }
constexpr colonna_forma w(int n) { return {0, n}; }

// A row kind: its keyword, the words that tell it, its values' columns.
constexpr forma_riga forma(std::string_view nome, genere_testo g, std::string_view parola, std::string_view bis,
                           size_t valori, std::array<colonna_forma, kColonneMassime> colonne) {
  forma_riga f{};
  f.nome = nome;
  f.genere = g;
  f.parola = parola;
  f.parola_bis = bis;
  f.valori = valori;
  f.colonne = colonne;
  return f;
}

// The kind whose row with a first value of 0 takes these two columns instead.
constexpr forma_riga da_zero(forma_riga f, colonna_forma a, colonna_forma b) {
  f.da_zero = true;
  f.colonne_zero = {a, b};
  return f;
}

// The kind with a name or caption after its values, so many blanks after the comma.
constexpr forma_riga con_testo(forma_riga f, int spazi) {
  f.testo_finale = true;
  f.spazi_testo = spazi;
  return f;
}

// The kind with this after its last value.
constexpr forma_riga con_coda(forma_riga f, std::string_view coda) {
  f.coda = coda;
  return f;
}

constexpr forma_riga kLinea[] = {
    forma("lunghezza percorso", genere_testo::linea, "lunghezza", "percorso", 1, {sp(4)}),
    forma("progressiva chilometrica", genere_testo::linea, "progressiva", "", 3, {sp(4), sp(4), sp(4)}),
    forma("sfondo", genere_testo::linea, "sfondo", "", 1, {sp(4)}),
    forma("ripetizione segnali", genere_testo::linea, "ripetizione", "segnali", 2, {sp(4), sp(4)}),
    // The first gradient, at 0, stands one blank further in.
    da_zero(forma("pendenza", genere_testo::linea, "pendenza", "", 2, {sp(2), sp(3)}), sp(3), sp(4)),
    forma("curva", genere_testo::linea, "curva", "", 2, {sp(2), sp(2)}),
    forma("montagna", genere_testo::linea, "montagna", "", 3, {sp(3), sp(2), sp(2)}),
    forma("indicatori_vmax", genere_testo::linea, "indicatori_v", "", 9,
          {sp(2), sp(2), sp(2), sp(2), sp(2), sp(2), sp(2), sp(2), sp(2)}),
    con_testo(forma("cartello_indicatore", genere_testo::linea, "indicat", "cartello", 1, {sp(2)}), 3),
};

constexpr forma_riga kServizio[] = {
    forma("percentuale massa frenata", genere_testo::servizio, "frenata", "massa", 1, {sp(4)}),
    forma("numero vetture", genere_testo::servizio, "vetture", "", 1, {sp(4)}),
    forma("velocita", genere_testo::servizio, "velocit", "", 2, {w(8), w(6)}),
    // The first adhesion, at 0, is written with blanks as the line's rows are.
    da_zero(forma("aderenza", genere_testo::servizio, "aderenza", "", 2, {w(8), w(6)}), sp(3), sp(4)),
    // The clock's three numbers stand apart by blanks, the last one followed by one.
    con_coda(forma("orologio", genere_testo::servizio, "orologio", "", 3, {w(6), w(16), w(14)}), " "),
    forma("sabbia", genere_testo::servizio, "sabbia", "", 1, {sp(4)}),
    forma("segnale", genere_testo::servizio, "segnale", "", 11,
          {w(8), w(4), w(2), w(2), w(3), w(2), w(5), w(3), w(1), w(1), sp(1)}),
    forma("rallentamento", genere_testo::servizio, "rallentamento", "", 6, {w(8), w(6), w(5), w(2), w(3), w(3)}),
    forma("abbattimento", genere_testo::servizio, "abbattimento", "", 2, {w(8), w(6)}),
    con_testo(forma("stazione", genere_testo::servizio, "stazione", "", 16,
                    {w(8), w(3), w(5), w(3), w(2), w(2), w(3), w(1), w(1), w(3), w(1), w(1), w(5), w(4), w(2), w(2)}),
              1),
};

}  // namespace

std::span<const forma_riga> forme_di(genere_testo g) {
  if (g == genere_testo::linea) return kLinea;
  return kServizio;
}

const forma_riga* riconosci_forma(std::string_view chiave, genere_testo g) {
  for (const forma_riga& f : forme_di(g)) {
    if (contiene_nc(chiave, f.parola) && (f.parola_bis.empty() || contiene_nc(chiave, f.parola_bis))) return &f;
  }
  return nullptr;
}

}  // namespace sb
