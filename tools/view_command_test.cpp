#include "tools/view_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/startup.h"
#include "compile/exit_status.h"
#include "inspect/json_text.h"
#include "test_support/largest_line_fixture.h"
#include "platform/user_interface.h"
#include "render/view_page.h"
#include "test_support/tool_runs.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::esecuzione;
using prova::leggi;
using prova::scrivi;

size_t conta(const std::string& s, const std::string& parte) {
  size_t n = 0;
  for (size_t k = s.find(parte); k != std::string::npos; k = s.find(parte, k + 1)) ++n;
  return n;
}

// Loads nothing from elsewhere: no address but the SVG namespace, no file
// named, and the two script elements are the page's own.
void autosufficiente(const std::string& pagina) {
  EXPECT_EQ(conta(pagina, "http"), conta(pagina, "http://www.w3.org/2000/svg")) << "an address in the page";
  EXPECT_EQ(conta(pagina, " src="), 0u);
  EXPECT_EQ(conta(pagina, "<link"), 0u);
  EXPECT_EQ(conta(pagina, "@import"), 0u);
  EXPECT_EQ(conta(pagina, "<script"), 2u);
  EXPECT_EQ(conta(pagina, "</script"), 2u);
  EXPECT_EQ(pagina.rfind("</html>\n"), pagina.size() - 8);
}

TEST(Vista, UsageErrors) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  struct caso {
    std::vector<std::string> argomenti;
    const char* motivo;
  };
  const caso casi[] = {
      {{"view", "--html", "p.html"}, "give --line and --service, or any of --plan, --sim and --cells"},
      {{"view", "--line", "l.txt", "--plan", "p.dat", "--html", "p.html"},
       "give either the descriptions or the binary files, not both"},
      {{"view", "--line", "l.txt", "--service", "s.txt"}, "--html OUT.html is required"},
      {{"view", "--sim", "x.sim", "--train", "1", "--html", "p.html"},
       "--line-name and --train go with the descriptions"},
      {{"view", "--line", "l.txt", "--train", "a/b", "--html", "p.html"}, "--train must be a plain name"},
      {{"view", "--cells"}, "option '--cells' needs a value"},
  };
  for (const caso& c : casi) {
    esecuzione e = prova::esegui_strumento_esterno(dir, c.argomenti);
    EXPECT_EQ(e.stato, kUscitaUso) << c.motivo;
    EXPECT_EQ(e.err, std::string("scenario_tool view: ") + c.motivo + "\nTry 'scenario_tool view --help'.\n");
  }
}

// From texts with a fault: the page is written, lists the diagnostic with
// the author's file and line, and the status is compile's.
TEST(Vista, FromTextsShowsTheCompilesDiagnostics) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";  // line 21: the indicator's cell
  scrivi(dir / "l.txt", prova::righe_crlf(prova::linea_esempio()));
  scrivi(dir / "s.txt", prova::righe_crlf(servizio));
  esecuzione e = prova::esegui_strumento_esterno(
      dir, {"view", "--line", dir / "l.txt", "--service", dir / "s.txt", "--html", dir / "p.html"});
  EXPECT_EQ(e.stato, kUscitaCodice);
  // Standard error as compile writes it; the page lists each diagnostic's
  // first line, the error with its metre.
  const std::string diagnostica =
      dir / "s.txt" + ":21:10: error: error 16: signal at 500 m: cell 11 (500 m) already holds a maximum-speed indicator";
  const std::string nota = dir / "l.txt" + ":26:1: note: a maximum-speed indicator in cell 11 (500 m) comes from this row";
  EXPECT_EQ(e.err, diagnostica + "\nsegnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0\n         ^~~\n" + nota +
                       "\nindicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0\n^" + std::string(14, '~') + "\n");
  const std::string pagina = leggi(dir / "p.html");
  autosufficiente(pagina);
  EXPECT_NE(pagina.find("{\"text\":" + json_stringa(diagnostica) + ",\"m\":500,\"l\":\"error 16\"}"), std::string::npos);
  EXPECT_NE(pagina.find("{\"text\":" + json_stringa(nota) + ",\"m\":-1}"), std::string::npos);
  EXPECT_NE(pagina.find("\"Pratofondo\""), std::string::npos);
  EXPECT_NE(pagina.find(json_stringa("curvas3,  5000,  900")), std::string::npos);
}

// The page is named as compile names the files: from --line-name and
// --train when given, else from the texts' file names.
TEST(Vista, NamesThePageFromTheFileNamesAsCompileDoes) {
  struct caso {
    std::vector<std::string> nomi;  // options besides the texts
    const char* titolo;
  };
  const caso casi[] = {
      {{}, "<title>VALTORTA \xE2\x80\x94 train 123</title>"},
      {{"--line-name", "ALTRA"}, "<title>ALTRA \xE2\x80\x94 train 123</title>"},
      {{"--train", "9"}, "<title>VALTORTA \xE2\x80\x94 train 9</title>"},
  };
  for (const caso& c : casi) {
    cartella_prova dir;
    ASSERT_TRUE(dir.ok());
    scrivi(dir / "VALTORTA_linea.txt", prova::righe_crlf(prova::linea_esempio()));
    scrivi(dir / "VALTORTA_123-.txt", prova::righe_crlf(prova::servizio_esempio()));
    std::vector<std::string> a = {"view", "--line", dir / "VALTORTA_linea.txt", "--service",
                                  dir / "VALTORTA_123-.txt", "--html", dir / "p.html"};
    a.insert(a.end(), c.nomi.begin(), c.nomi.end());
    esecuzione e = prova::esegui_strumento_esterno(dir, a);
    EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
    EXPECT_NE(leggi(dir / "p.html").find(c.titolo), std::string::npos) << c.titolo;
  }
}

// However the compile ends, the page is written and says how; the status is
// compile's.
TEST(Vista, FromTextsThePageTellsHowTheCompileEnded) {
  struct caso {
    const char* nome;
    size_t riga;  // of the sample line text, 0-based
    const char* testo;
    int stato;
    const char* in_pagina;
  };
  const caso casi[] = {
      {"clean", 23, "cartello_indicatore,  2950,  (Cippo Km.)( 3+000 )", kUscitaPulita, "\"diagnostics\":[]"},
      {"guard", 23, "cartello_indicatore,  0,  (Km)", kUscitaGuardia,
       "\" Errore n. 1250 (a guard failed: the build writes no binary file)\""},
      {"no route length", 2, "lunghezza,  12000", kUscitaCodice,
       "error 25: no route length yet: 'lunghezza percorso' goes in [generale], before the route rows"},
  };
  for (const caso& c : casi) {
    cartella_prova dir;
    ASSERT_TRUE(dir.ok());
    std::vector<std::string> linea = prova::linea_esempio();
    linea[c.riga] = c.testo;
    scrivi(dir / "l.txt", prova::righe_crlf(linea));
    scrivi(dir / "s.txt", prova::righe_crlf(prova::servizio_esempio()));
    esecuzione e = prova::esegui_strumento_esterno(
        dir, {"view", "--line", dir / "l.txt", "--service", dir / "s.txt", "--html", dir / "p.html"});
    EXPECT_EQ(e.stato, c.stato) << c.nome << ": " << e.err;
    const std::string pagina = leggi(dir / "p.html");
    autosufficiente(pagina);
    EXPECT_NE(pagina.find(c.in_pagina), std::string::npos) << c.nome;
  }
}

// From the builder's binary files, any of them: the page holds what they do.
TEST(Vista, FromBinaryFilesAnyOfThem) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::ostringstream attesa, errori;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(attesa, errori);
  ASSERT_EQ(avvio(dir.cartella(), *ui, errori), kUscitaPulita) << errori.str();
  esecuzione e = prova::esegui_strumento_esterno(
      dir, {"view", "--plan", dir / "BORVALE_linea.dat", "--sim", dir / "BORVALE_40617.sim", "--cells",
            dir / "BORVALE_40617.dat", "--html", dir / "p.html"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  std::string pagina = leggi(dir / "p.html");
  autosufficiente(pagina);
  EXPECT_NE(pagina.find("\"l\":\"Borgo Vallestre\""), std::string::npos);
  EXPECT_NE(pagina.find("\"outline\":{"), std::string::npos);
  e = prova::esegui_strumento_esterno(dir, {"view", "--cells", dir / "BORVALE_40617.dat", "--html", dir / "q.html"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  pagina = leggi(dir / "q.html");
  EXPECT_NE(pagina.find("\"outline\":null"), std::string::npos);
  EXPECT_NE(pagina.find("\"k\":\"segnale\""), std::string::npos);
  std::filesystem::create_directory(dir / "a folder.html");
  e = prova::esegui_strumento_esterno(dir, {"view", "--sim", dir / "BORVALE_40617.sim", "--html", dir / "a folder.html"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_NE(e.err.find(dir / "a folder.html"), std::string::npos) << e.err;
  scrivi(dir / "cut.sim", leggi(dir / "BORVALE_40617.sim").substr(0, 40));
  e = prova::esegui_strumento_esterno(dir, {"view", "--sim", dir / "cut.sim", "--html", dir / "r.html"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "cut.sim" + ": byte 40: object record 1 is cut short before its name (it starts at byte 34)\n");
  EXPECT_FALSE(prova::esiste(dir / "r.html"));
}

// Names that could end a script element or break the markup stay text.
TEST(Vista, NamesCannotBreakThePage) {
  tabella_oggetti t{};
  t[1].tipo = 4;
  t[1].posizione = 500;
  t[1].nome = "</script><script>alert(1)</script>";
  t[85].nome = "<b>&amp;";
  t[86].nome = "{{SCRIPT}}";
  fonti_scena f;
  f.tabella = &t;
  const std::string pagina = pagina_vista(costruisci_scena(f));
  autosufficiente(pagina);
  EXPECT_NE(pagina.find("<title>&lt;b&gt;&amp;amp; \xE2\x80\x94 train {{SCRIPT}}</title>"), std::string::npos);
  EXPECT_NE(pagina.find("\\u003c/script>\\u003cscript>alert(1)\\u003c/script>"), std::string::npos);
}

// Names with accents, in texts saved as UTF-8, and a file name that is no
// UTF-8 at all: the page is valid UTF-8, and its diagnostics (the compile's
// and the train sheet's) quote the names as the author wrote them.
TEST(Vista, AccentedNamesGiveAValidUtf8Page) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::vector<std::string> linea = prova::linea_esempio();
  std::vector<std::string> servizio = prova::servizio_esempio();
  linea[23] = "cartello_indicatore,  2950,  (Galleria S\xC3\xA9gola Vecchia)(di Sopra al Colle)";
  servizio[15] = "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 20, 0, Cortem\xC3\xA0ra";
  const std::string file_linea = dir / "l\xE9.txt";  // a code page 1252 byte in the file's name
  scrivi(file_linea, prova::righe_crlf(linea));
  scrivi(dir / "s.txt", prova::righe_crlf(servizio));
  const esecuzione e = prova::esegui_strumento_esterno(
      dir, {"view", "--line", file_linea, "--service", dir / "s.txt", "--html", dir / "p.html"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  const std::string pagina = leggi(dir / "p.html");
  autosufficiente(pagina);
  EXPECT_TRUE(utf8_valido(pagina));
  EXPECT_NE(pagina.find(json_stringa(dir / "s.txt" + ":16:52: warning: the time 07:20:00 of station "
                                     "'Cortem\xC3\xA0ra' is earlier than 07:22:30 at the station before")),
            std::string::npos);
  EXPECT_NE(pagina.find(" warning: the sign caption, worded \\\"Galleria S\xC3\xA9gola Vecchia di Sopra al Colle\\\", "
                        "is longer than the 28 characters of the train sheet's Localita' column: cut to "
                        "\\\"Galleria S\xC3\xA9gola Vecchia di S\\\"\""),
            std::string::npos);
  EXPECT_NE(pagina.find("\"Cortem\xC3\xA0ra\""), std::string::npos);
  EXPECT_NE(pagina.find(json_stringa(dir / "l\xEF\xBF\xBD.txt")), std::string::npos);
}

// Where a page goes: into SB_VIEW_PAGES when it is set (the browser check
// opens the pages there), else into the scratch folder.
std::string pagina_per_controllo(const cartella_prova& dir, const std::string& nome) {
  const char* cartella = std::getenv("SB_VIEW_PAGES");
  return cartella != nullptr ? std::string(cartella) + "/" + nome : dir / nome;
}

// A line of 100 km, bent every 5 km, and a run over it that stops at two
// stations in three, 72 stations 1350 m apart with names short and long.
std::pair<std::string, std::string> settantadue_stazioni() {
  std::string linea = "[generale]\r\nlunghezza percorso, 100000\r\n[curve]\r\n";
  for (int k = 1; k < 20; ++k) {
    linea += std::string(k % 2 ? "curvad3, " : "curvas3, ") + std::to_string(5000 * k) + ", 400\r\n";
  }
  linea += "[pendenze]\r\npendenza, 0, 0\r\npendenza, 30000, 8\r\n[fine]\r\n";
  const char* prime[] = {"Borgo", "Villa", "Ponte", "Colle", "Casale", "Pieve",
                         "Torre", "Rocca", "Campo", "Poggio", "Fonte", "Serra"};
  const char* seconde[] = {"Alta", "di Sotto", "Nuova", "San Martino al Lago", "Vecchia", "Grande"};
  std::string servizio = "[generale]\r\naderenza, 0, 100\r\nvelocita, 0, 100\r\n[stazioni]\r\n";
  for (int k = 0; k < 72; ++k) {
    const int tipo = k == 0 || k == 71 ? 4 : k % 3 == 0 ? 27 : 12;
    const int minuti = 2 * k;
    servizio += "stazione, " + std::to_string(500 + 1350 * k) + ", " + std::to_string(tipo) +
                ", 300, 0, 0, 0, 1,1,0, 4,1,1, 30, " + std::to_string(8 + minuti / 60) + ", " +
                std::to_string(minuti % 60) + ", 0, " + prime[k % 12] + " " + seconde[k / 12] + "\r\n";
  }
  return {linea, servizio + "[fine]\r\n"};
}

// A file name that is no UTF-8 reaches the page as valid UTF-8: its stray
// byte becomes U+FFFD, as everywhere the page quotes it.
TEST(Vista, AFileNameThatIsNoUtf8IsRepaired) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  const std::string linea = dir / "linea \xE8.txt";
  scrivi(linea, prova::righe_crlf(prova::linea_esempio()));
  opzioni_view o;
  o.linea = linea;
  o.html = dir / "p.html";
  std::ostringstream err;
  esegui_view(o, err, err);
  const std::string pagina = leggi(o.html);
  EXPECT_TRUE(utf8_valido(pagina));
  EXPECT_NE(pagina.find("linea \xEF\xBF\xBD.txt"), std::string::npos);
}

// 72 stations, the most a line with six signs takes: the compile is clean
// and every station is in the page.
TEST(Vista, SeventyTwoStations) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  auto [linea, servizio] = settantadue_stazioni();
  scrivi(dir / "l.txt", linea);
  scrivi(dir / "s.txt", servizio);
  opzioni_view o;
  o.linea = dir / "l.txt";
  o.servizio = dir / "s.txt";
  o.nome_linea = "SETTANTADUE";
  o.numero_treno = "72";
  o.html = pagina_per_controllo(dir, "stations72.html");
  std::ostringstream err;
  EXPECT_EQ(esegui_view(o, err, err), kUscitaPulita) << err.str();
  const std::string pagina = leggi(o.html);
  autosufficiente(pagina);
  EXPECT_EQ(conta(pagina, "\"k\":\"stazione\""), 72u);
  EXPECT_NE(pagina.find("\"l\":\"Serra Grande\""), std::string::npos);
}

// The largest line gives a page of a few megabytes: the plan goes in at the
// levels of detail a screen can show, not a point per metre.
TEST(Vista, LargestLinePageStaysSmall) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  scrivi(dir / "l.txt", prova::linea_massima());
  const std::string uscita = pagina_per_controllo(dir, "largest.html");
  opzioni_view o;
  o.linea = dir / "l.txt";
  o.html = uscita;
  std::ostringstream err;
  EXPECT_EQ(esegui_view(o, err, err), kUscitaCodice);  // no service text: code 25
  const std::string pagina = leggi(uscita);
  autosufficiente(pagina);
  EXPECT_LT(pagina.size(), 4u << 20);
  EXPECT_EQ(conta(pagina, "\"k\":\"curva\""), 4000u);
}

}  // namespace
}  // namespace sb
