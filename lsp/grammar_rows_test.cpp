// The one table test of the grammar: for every row kind of the two
// description texts, the row scrivi_riga writes is read back as that kind,
// comes through the formatter unchanged, and hover names every value.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "grammar/row_kinds.h"
#include "grammar/row_writer.h"
#include "grammar/text_format.h"
#include "lsp/editor_features.h"
#include "lsp/pair_analysis.h"

namespace sb {
namespace {

// A value every kind accepts for each of its values: 7, kept in the value's range.
riga_scritta riga_di_prova(const tipo_riga& k) {
  riga_scritta r{&k, {}, "Borgo Alto", {}};
  for (const campo_riga& c : k.campi) {
    if (c.modo != conservazione::testo) r.valori.push_back(std::to_string(std::clamp<int64_t>(7, c.minimo, c.massimo)));
  }
  return r;
}

// The hover text at a line (from 0) and byte column (from 0) of a text of one row.
std::string hover_testo(const testo_coppia& t, int32_t riga, int32_t colonna) {
  const analisi_coppia a;
  const nlohmann::json h = hover(a, t, {riga, colonna});
  if (h.is_null()) return "";
  return h["contents"]["value"].get<std::string>();
}

TEST(GrammaticaTabella, EveryKindWrittenIsReadFormattedAndNamed) {
  for (genere_testo g : {genere_testo::linea, genere_testo::servizio}) {
    for (const tipo_riga& k : tipi_riga(g)) {
      const std::string riga = scrivi_riga(riga_di_prova(k));
      SCOPED_TRACE(riga);
      // Read back as that kind, in its own section.
      EXPECT_EQ(riconosci_riga(g, riga.substr(0, riga.find(',')), k.ambito == ambito_riga::generale), &k);

      // The formatter leaves it as written, under its heading.
      const std::string intestazione = k.sezione == "[generale]" ? "" : std::string(k.sezione) + "\r\n";
      const std::string testo = "[generale]\r\n" + intestazione + riga + "\r\n[fine]\r\n";
      const esito_formato f = formatta_testo(testo, g);
      EXPECT_FALSE(f.cambiato) << f.testo;

      // Hover on the keyword names every value; hover on each value names it.
      testo_coppia t;
      t.genere = g;
      t.byte = t.utf8 = testo;
      ASSERT_EQ(righe_del_testo(t).righe.size(), 1u);
      const riga_testo& letta = righe_del_testo(t).righe[0];
      ASSERT_EQ(letta.posti.size(), k.campi.size());
      const int32_t linea = letta.chiave.riga - 1;
      const std::string sulla_chiave = hover_testo(t, linea, letta.chiave.colonna - 1);
      for (size_t i = 0; i < k.campi.size(); ++i) {
        const std::string nome = "`" + std::string(k.campi[i].nome) + "`";
        EXPECT_NE(sulla_chiave.find(nome), std::string::npos) << nome;
        const std::string sul_valore = hover_testo(t, letta.posti[i].riga - 1, letta.posti[i].colonna - 1);
        EXPECT_NE(sul_valore.find(nome + " (value " + std::to_string(i + 1) + " of "), std::string::npos) << sul_valore;
        EXPECT_NE(sul_valore.find(std::string(k.campi[i].senso)), std::string::npos) << sul_valore;
      }
    }
  }
}

}  // namespace
}  // namespace sb
