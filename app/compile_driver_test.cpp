#include "app/compile_driver.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "passes/stamps.h"
#include "scenario/binary_files.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "scenario/plan_encoding.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

// Keeps what the build shows instead of showing it.
class ui_registrata final : public interfaccia_utente {
 public:
  void mostra_attesa() override {}
  void chiudi_attesa() override {}
  void messaggio(const std::string& testo) override { messaggi.push_back(testo); }

  std::vector<std::string> messaggi;
};

// A line text of 10 000 m with the given route rows.
std::string linea(const std::string& righe = "") {
  return "Linea di prova Valdorso - Pietracava\r\n"
         "[generale]\r\n"
         "lunghezza percorso,10000\r\n"
         "sfondo uno,2\r\n"
         "[curve]\r\n"
         "curvad3,2000,500\r\n"
         "[pendenze]\r\n"
         "pendenza,0,0\r\n"
         "pendenza,3000,12\r\n"
         "[indicazioni]\r\n" +
         righe + "[fine]\r\n";
}

// A service text with the given rows after the profile rows.
std::string servizio(const std::string& righe = "") {
  return "Treno di prova\r\n"
         "[generale]\r\n"
         "numero vetture,6\r\n"
         "[vel_limite]\r\n"
         "velocita,0,100\r\n"
         "[aderenze]\r\n"
         "aderenza,0,100\r\n"
         "[rallentamenti]\r\n" +
         righe + "[fine]\r\n";
}

// A build in a fresh directory of its own, removed afterwards.
class Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    cartella_ = fs::temp_directory_path() /
                ("sb_driver_" + std::to_string(getpid()) + "_" + info->name());
    fs::remove_all(cartella_);
    fs::create_directories(cartella_);
    s_.nome_linea = "BORVALE";
    s_.numero_treno = "40617";
  }
  void TearDown() override { fs::remove_all(cartella_); }

  std::string file(const std::string& nome) const { return (cartella_ / nome).string(); }
  void scrivi(const std::string& nome, const std::string& testo) const {
    std::ofstream(file(nome), std::ios::binary) << testo;
  }
  std::string leggi(const std::string& nome) const {
    std::ifstream in(file(nome), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool esiste(const std::string& nome) const { return fs::exists(file(nome)); }

  void testi(const std::string& l, const std::string& t) const {
    scrivi(testo_linea(), l);
    scrivi(testo_servizio(), t);
  }
  esito_build costruisci(int32_t j = 1) { return memorizza_percorso(s_, j, cartella_.string(), ui_); }

  std::string griglia() const { return nome_file_griglia("BORVALE"); }
  std::string tabella() const { return nome_file_tabella("BORVALE", "40617"); }
  std::string celle() const { return nome_file_celle("BORVALE", "40617"); }
  std::string testo_linea() const { return nome_testo_linea("BORVALE"); }
  std::string testo_servizio() const { return nome_testo_servizio("BORVALE", "40617"); }
  bool nessun_binario() const { return !esiste(griglia()) && !esiste(tabella()) && !esiste(celle()); }

  fs::path cartella_;
  scenario s_;
  ui_registrata ui_;
};

TEST_F(Driver, CleanBuildWritesTheThreeFilesStamped) {
  testi(linea(), servizio());
  esito_build e = costruisci();
  ASSERT_EQ(e.fine, esito_build::tipo::completata);
  EXPECT_EQ(s_.codice_errore, 0);
  EXPECT_TRUE(ui_.messaggi.empty());
  EXPECT_FALSE(esiste(testo_linea()));
  EXPECT_FALSE(esiste(testo_servizio()));

  EXPECT_EQ(s_.celle[1].dato_1, 5121);
  EXPECT_EQ(s_.celle[1].dato_2, codice_gara_og(s_.tabella));
  EXPECT_EQ(s_.tabella[kOggettoLinea].param_1, 610);
  EXPECT_EQ(s_.tabella[kOggettoLinea].orario, codice_gara_st(s_.tabella));
  EXPECT_EQ(s_.tabella[kOggettoLinea].orario, 32224);
  EXPECT_EQ(s_.celle[1].dato_2, 2302);

  EXPECT_EQ(leggi(griglia()), codifica_griglia(punti_griglia(s_.griglia)));
  EXPECT_EQ(leggi(tabella()), codifica_tabella(s_.tabella));
  EXPECT_EQ(leggi(celle()), codifica_celle(s_.celle));
  EXPECT_EQ(leggi(griglia()).size(), 20u * 10000 + 139964);
}

TEST_F(Driver, OlderLongerFilesAreReplacedEntirely) {
  const std::string vecchio(400000, 'x');
  for (const std::string& nome : {griglia(), tabella(), celle()}) scrivi(nome, vecchio);
  testi(linea(), servizio());
  ASSERT_EQ(costruisci().fine, esito_build::tipo::completata);
  EXPECT_EQ(leggi(griglia()), codifica_griglia(punti_griglia(s_.griglia)));
  EXPECT_EQ(leggi(tabella()), codifica_tabella(s_.tabella));
  EXPECT_EQ(leggi(celle()), codifica_celle(s_.celle));
}

TEST_F(Driver, BuildFlagZeroWritesNoPlan) {
  testi(linea(), servizio());
  ASSERT_EQ(costruisci(0).fine, esito_build::tipo::completata);
  EXPECT_EQ(s_.flag_griglia, 0);
  EXPECT_FALSE(s_.griglia.esiste());
  EXPECT_FALSE(esiste(griglia()));
  EXPECT_EQ(leggi(tabella()), codifica_tabella(s_.tabella));
  EXPECT_EQ(leggi(celle()), codifica_celle(s_.celle));
}

TEST_F(Driver, PassFailureAfterCompileFailureLeavesThePassCode) {
  // The slowdown starts at cell 61; its near candidates 56, 55, 54 hold
  // signals. The repeated signal at 2650 stops the service compile with 16.
  testi(linea(), servizio("rallentamento,3000,60,1000,0,0,0\r\n"
                          "[segnali]\r\n"
                          "segnale,2650,1,0,0,0,0,0,0,0,0,0\r\n"
                          "segnale,2700,1,0,0,0,0,0,0,0,0,0\r\n"
                          "segnale,2750,1,0,0,0,0,0,0,0,0,0\r\n"
                          "segnale,2650,1,0,0,0,0,0,0,0,0,0\r\n"));
  esito_build e = costruisci();
  ASSERT_EQ(e.fine, esito_build::tipo::completata);
  EXPECT_EQ(s_.codice_errore, kPassaggioInizio);
  EXPECT_EQ(s_.posizione_errore, 61 * 50);
  EXPECT_EQ(ultimo_codice(s_).origine, origine_errore::passaggio);
  EXPECT_TRUE(ui_.messaggi.empty());
  // The files are written all the same.
  EXPECT_EQ(leggi(celle()), codifica_celle(s_.celle));
  EXPECT_TRUE(esiste(tabella()));
  EXPECT_TRUE(esiste(griglia()));
}

TEST_F(Driver, CompileFailureAloneStandsAndFilesAreWritten) {
  testi(linea(), servizio("[segnali]\r\n"
                          "segnale,2650,1,0,0,0,0,0,0,0,0,0\r\n"
                          "segnale,2650,1,0,0,0,0,0,0,0,0,0\r\n"));
  ASSERT_EQ(costruisci().fine, esito_build::tipo::completata);
  EXPECT_EQ(s_.codice_errore, kSegnaleOccupato);
  EXPECT_EQ(s_.posizione_errore, 2650);
  EXPECT_TRUE(esiste(celle()));
}

// A line or service text that makes a guard fail, and the number shown.
struct caso_guardia {
  const char* nome;
  std::string righe_linea;
  std::string righe_servizio;
  int32_t numero;
  const char* testo;
};

TEST_F(Driver, GuardsStopTheBuildBeforeAnyBinaryFile) {
  const caso_guardia casi[] = {
      {"indicator with a first value in cell 1", "indicatori_vmax,0,60,70,75,0,60,70,75,0\r\n", "",
       1250, " Errore n. 1250"},
      {"sign board in cell 1", "[cartelli]\r\ncartello_indicatore,10,(Cippo Km.)( 0+010 )\r\n", "",
       1250, " Errore n. 1250"},
      {"the pass places a point in cell 1",
       "indicatori_vmax,100,60,0,0,0,0,0,0,0\r\nindicatori_vmax,50,60,0,0,0,0,0,0,0\r\n",
       "rallentamento,350,110,1000,0,0,0\r\n", 1250, " Errore n. 1250"},
      {"indicator with only a second value in cell 1", "indicatori_vmax,0,0,70,0,0,0,70,0,0\r\n", "",
       1251, " Errore n. 1251"},
  };
  for (const caso_guardia& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::string documento = nome_note("BORVALE", "40617");
    scrivi(documento, "note\r\n");
    testi(linea(c.righe_linea), servizio(c.righe_servizio));
    ui_.messaggi.clear();

    esito_build e = costruisci();
    EXPECT_EQ(e.fine, esito_build::tipo::guardia);
    EXPECT_EQ(e.numero_guardia, c.numero);
    EXPECT_EQ(ui_.messaggi, std::vector<std::string>{c.testo});
    EXPECT_TRUE(nessun_binario());
    EXPECT_EQ(leggi(documento), "note\r\n");
    EXPECT_FALSE(esiste(testo_linea()));
    EXPECT_FALSE(esiste(testo_servizio()));
    EXPECT_NE(s_.codice_errore, c.numero);  // guard numbers are never recorded
  }
}

TEST_F(Driver, NoRouteLengthWritesNoBinaryFile) {
  testi("[generale]\r\nsfondo uno,2\r\n[curve]\r\npendenza,0,0\r\n[fine]\r\n", servizio());
  esito_build e = costruisci();
  EXPECT_EQ(e.fine, esito_build::tipo::senza_celle);
  EXPECT_EQ(s_.codice_errore, kLetturaFallita);
  EXPECT_TRUE(ui_.messaggi.empty());
  EXPECT_TRUE(nessun_binario());
  EXPECT_FALSE(esiste(testo_linea()));
  EXPECT_FALSE(esiste(testo_servizio()));
}

TEST_F(Driver, MissingLineTextWritesNoBinaryFileEvenAfterAnEarlierBuild) {
  // Records of an earlier build in the same scenario must not be written.
  s_.celle.assign(200, cella{});
  prepara_griglia(s_.griglia, 10);
  registra_codice(s_, kSegnaleOccupato, origine_errore::testo_servizio, 9);
  s_.tabella[kOggettoLinea].param_1 = 610;
  scrivi(testo_servizio(), servizio());

  esito_build e = costruisci();
  EXPECT_EQ(e.fine, esito_build::tipo::senza_celle);
  EXPECT_EQ(s_.codice_errore, kTestoLineaAssente);
  EXPECT_EQ(ultimo_codice(s_).origine, origine_errore::testo_linea);
  EXPECT_TRUE(s_.celle.empty());
  EXPECT_FALSE(s_.griglia.esiste());
  EXPECT_EQ(s_.tabella[kOggettoLinea].param_1, 0);
  EXPECT_EQ(s_.tabella[kOggettoLinea].nome, "BORVALE");
  EXPECT_TRUE(nessun_binario());
  EXPECT_TRUE(esiste(testo_servizio()));  // the service text is not read
}

TEST_F(Driver, UnwritableDirectoryIsAFileFailure) {
  testi(linea(), servizio());
  // A directory where the object table should go cannot be replaced by a file.
  fs::create_directories(cartella_ / tabella() / "dentro");
  esito_build e = costruisci();
  ASSERT_EQ(e.fine, esito_build::tipo::errore_file);
  EXPECT_FALSE(e.file.ok);
  EXPECT_EQ(e.file.file, file(tabella()));
  EXPECT_FALSE(e.file.motivo.empty());
  EXPECT_FALSE(esiste(celle()));
}

}  // namespace
}  // namespace sb
