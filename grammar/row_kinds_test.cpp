// The grammar's tables: how a field is recognised, where a row goes, how a
// value is kept, and the rows scrivi_riga writes.
#include "grammar/row_kinds.h"

#include <gtest/gtest.h>

#include <string>

#include "grammar/row_writer.h"

namespace sb {
namespace {

// A field and the keyword of the kind its text's reader takes it for ("" none).
struct caso_riconoscimento {
  genere_testo testo;
  bool generale;  // the line's [generale]
  std::string campo;
  std::string_view atteso;
};

TEST(Grammatica, RecognisesAFieldAsItsCompilerDoes) {
  const caso_riconoscimento casi[] = {
      {genere_testo::linea, true, "LUNGHEZZA PERCORSO", "lunghezza percorso"},
      {genere_testo::linea, true, "Progressiva chilometrica uno", ""},  // case counts for it
      {genere_testo::linea, true, "sfondo tre", "sfondo tre"},
      {genere_testo::linea, true, "ripetizione segnali 9 codici", "ripetizione segnali 4 codici"},
      {genere_testo::linea, true, "pendenza", ""},  // a route row, not in [generale]
      {genere_testo::linea, false, "lunghezza percorso", ""},
      {genere_testo::linea, false, "curvas3", "curvas3"},
      {genere_testo::linea, false, "CURVAD6", "curvad6"},
      {genere_testo::linea, false, "curva", "curvad1"},  // no digit: its compiler refuses it
      {genere_testo::linea, false, "Indicatori_Vmax", "indicatori_vmax"},
      {genere_testo::linea, false, "indicatore cartello", "cartello_indicatore"},
      {genere_testo::servizio, false, "Velocit\xE0", "velocita"},
      {genere_testo::servizio, false, "massa frenata", "percentuale massa frenata"},
      {genere_testo::servizio, false, "[stazioni]", ""},
      {genere_testo::servizio, false, "[segnali]", ""},
      {genere_testo::profilo, false, "  Massa per veicolo ", "massa per veicolo"},
      {genere_testo::profilo, false, "massa per", ""},  // a profile keyword is compared whole
      {genere_testo::profilo, false, "velocit\xE0 massima", "velocita massima"},
  };
  for (const caso_riconoscimento& c : casi) {
    const tipo_riga* t = riconosci_riga(c.testo, c.campo, c.generale);
    EXPECT_EQ(t == nullptr ? std::string_view{} : t->parola, c.atteso) << c.campo;
  }
}

TEST(Grammatica, EachRowHasItsHeading) {
  const std::pair<std::string_view, std::string_view> casi[] = {
      {"indicatori_vmax", "[cartelli]"},
      {"cartello_indicatore", "[indicazioni]"},
      {"curvas2", "[curve]"},
      {"pendenza", "[pendenze]"},
      {"montagna", "[montagne]"},
      {"sfondo uno", "[generale]"},
  };
  for (const auto& [campo, sezione] : casi) EXPECT_EQ(intestazione_di(genere_testo::linea, campo), sezione) << campo;
  EXPECT_EQ(intestazione_di(genere_testo::servizio, "abbattimento"), "[segnali]");
  EXPECT_EQ(intestazione_di(genere_testo::servizio, "orologio"), "[generale]");
  EXPECT_EQ(intestazione_di(genere_testo::servizio, "pendenza"), "");
}

TEST(Grammatica, EveryKindIsWhole) {
  for (genere_testo t : {genere_testo::linea, genere_testo::servizio, genere_testo::profilo}) {
    for (const tipo_riga& k : tipi_riga(t)) {
      SCOPED_TRACE(std::string(k.parola));
      const size_t numeri = k.campi.size() - (con_testo(k) ? 1 : 0);
      EXPECT_EQ(k.colonne.size(), numeri);
      EXPECT_FALSE(k.sezione.empty());
      for (const campo_riga& c : k.campi) {
        EXPECT_FALSE(c.nome.empty());
        EXPECT_FALSE(c.senso.empty()) << c.nome;
        EXPECT_FALSE(c.simulatore.empty()) << c.nome;
        EXPECT_FALSE(c.dove.empty()) << c.nome;
        EXPECT_LE(c.minimo, c.massimo) << c.nome;
      }
      if (!k.variante) {
        EXPECT_EQ(&tipo_di(k.id), &k);
      }
    }
  }
}

TEST(Grammatica, ValuesAreKeptAsTheCompiledFilesKeepThem) {
  const campo_riga& velocita = tipo_di(id_riga::velocita).campi[1];
  const campo_riga& aderenza = tipo_di(id_riga::aderenza).campi[1];
  const campo_riga& tempo = tipo_di(id_riga::segnale).campi[10];
  const campo_riga& tipo = tipo_di(id_riga::stazione).campi[1];
  const campo_riga& pendenza = tipo_di(id_riga::pendenza).campi[1];
  const struct {
    const campo_riga& campo;
    int64_t scritto;
    std::optional<int64_t> tenuto;
  } casi[] = {
      {velocita, 122, 120}, {velocita, 123, 125}, {velocita, -3, -5}, {velocita, -2, 0},         {aderenza, 300, 44},
      {tempo, 50, 101},     {tempo, 0, 0},        {tempo, 255, 255},  {tipo, 256, std::nullopt}, {pendenza, 160, -96},
  };
  for (const auto& c : casi) EXPECT_EQ(valore_memorizzato(c.campo, c.scritto), c.tenuto) << c.scritto;
}

TEST(Grammatica, WritesRowsInTheBuildersColumns) {
  riga_scritta indicatore{
      &tipo_di(id_riga::indicatori_vmax), {"35400", "80", "85", "85", "0", "", "", "", "0"}, {}, {}};
  const std::pair<std::string, std::string> casi[] = {
      {scrivi_riga(tipo_di(id_riga::orologio), {18, 39, 30}), "orologio,    18              39            30 "},
      {scrivi_riga(tipo_di(id_riga::pendenza), {0, 0}), "pendenza,   0,    0"},
      {scrivi_riga(tipo_di(id_riga::pendenza), {1500, -5}), "pendenza,  1500,   -5"},
      {scrivi_riga(tipo_di(id_riga::aderenza), {0, 60}), "aderenza,   0,    60"},
      {scrivi_riga(tipo_di(id_riga::velocita), {4500, 50}), "velocita,    4500,    50"},
      {scrivi_riga(tipo_di(id_riga::stazione), {2800, 12, 300, 0, 0, 0, 1, 1, 0, 4, 1, 1, 30, 18, 43, 30},
                   "Borgo, Alto"),
       "stazione,    2800, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,   30,  18,43,30, \"Borgo, Alto\""},
      {scrivi_riga(tipo_di(id_riga::cartello_indicatore), {900}, "(Cippo Km.)( 20+000 )"),
       "cartello_indicatore,  900,   (Cippo Km.)( 20+000 )"},
      {scrivi_riga(indicatore), "indicatori_vmax,  35400,  80,  85,  85,  0,  ,  ,  ,  0"},
      {scrivi_riga({&tipo_di(id_riga::ripetizione_segnali), {"0", "0"}, {}, "ripetizione segnali 9 codici"}),
       "ripetizione segnali 9 codici,    0,    0"},
  };
  for (const auto& [scritta, attesa] : casi) EXPECT_EQ(scritta, attesa);
}

}  // namespace
}  // namespace sb
