#include "running_time/train_profile_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

TEST(ProfiloTreno, ReadsEveryParameter) {
  const lettura_profilo l = leggi_profilo_treno(
      "Automotrice a due casse\r\n"
      "[treno]\r\n"
      "massa per veicolo,       40\r\n"
      "lunghezza per veicolo,   24.5\r\n"
      "massa,                   88\r\n"
      "lunghezza,               42\r\n"
      "masse rotanti,           0.08\r\n"
      "accelerazione di spunto, 1.1\r\n"
      "potenza per tonnellata,  12\r\n"
      "potenza,                 1000\r\n"
      "davis,                   20, 0.2, 0.004\r\n"
      "resistenza,              45.333, 29.42, 0, 0\r\n"
      "resistenza,              68, 0, 0, 0.0038246\r\n"
      "vento,                   15\r\n"
      "sforzo,                  0, 94400\r\n"
      "sforzo,                  10.5, 80000\r\n"
      "frenatura di servizio,   0.4253\r\n"
      "Velocita Massima,        120\r\n"
      "sosta minima,            20\r\n"
      "margine di recupero,     5\r\n"
      "[fine]\r\n");
  EXPECT_TRUE(l.diagnostiche.empty());
  profilo_treno atteso;
  atteso.massa_veicolo_t = 40;
  atteso.lunghezza_veicolo_m = 24.5;
  atteso.massa_t = 88;
  atteso.lunghezza_m = 42;
  atteso.masse_rotanti = 0.08;
  atteso.accelerazione_spunto = 1.1;
  atteso.potenza_tonnellata_kw = 12;
  atteso.potenza_kw = 1000;
  atteso.davis_a = 20;
  atteso.davis_b = 0.2;
  atteso.davis_c = 0.004;
  atteso.resistenze = {{45.333, 29.42, 0, 0}, {68, 0, 0, 0.0038246}};
  atteso.vento_kmh = 15;
  atteso.sforzo = {{0, 94400}, {10.5, 80000}};
  atteso.frenatura = 0.4253;
  atteso.velocita_massima_kmh = 120;
  atteso.sosta_minima_s = 20;
  atteso.margine_recupero = 5;
  EXPECT_EQ(l.profilo, atteso);
}

TEST(ProfiloTreno, RemarksHeadersAndTheEndMark) {
  // An empty text keeps every default. The preamble up to [treno] and a
  // remark are passed over, a trailing comma and an accented keyword taken;
  // nothing after [fine] is read.
  EXPECT_EQ(leggi_profilo_treno("").profilo, profilo_treno{});
  const lettura_profilo l = leggi_profilo_treno(
      "il treno di prova, massa, 1\n"
      "[treno]\n"
      "- una riga di commento, massa, 2\n"
      "massa, 88,\n"
      "VELOCIT\xC0 MASSIMA, 100\n"
      "[fine]\n"
      "massa, 1\n");
  EXPECT_TRUE(l.diagnostiche.empty());
  EXPECT_EQ(l.profilo.massa_t, 88.0);
  EXPECT_EQ(l.profilo.velocita_massima_kmh, 100.0);
}

// A text and what its author is told.
struct caso_diagnostica {
  const char* testo;
  std::vector<diagnostica> attese;
};

diagnostica errore(int32_t riga, int32_t colonna, int32_t larghezza, std::string messaggio,
                   genere_avviso genere = genere_avviso::nessuno) {
  return {gravita::errore, 0, genere, origine_errore::profilo_treno, riga, colonna, larghezza, 0, std::move(messaggio)};
}

// Numbers in exponent form read as their value.
TEST(ProfiloTreno, ReadsNumbersInExponentForm) {
  const lettura_profilo l = leggi_profilo_treno("potenza, 2.5e4\nmassa, +1.2E2\nmasse rotanti, 8e-2\n");
  EXPECT_TRUE(l.diagnostiche.empty());
  EXPECT_EQ(l.profilo.potenza_kw, 25000);
  EXPECT_EQ(l.profilo.massa_t, 120);
  EXPECT_EQ(l.profilo.masse_rotanti, 0.08);
}

TEST(ProfiloTreno, DiagnosticsAtTheirFields) {
  diagnostica ripetuta = errore(2, 1, 0, "'massa' is set again: this row replaces line 1", genere_avviso::sovrascrittura);
  ripetuta.livello = gravita::avviso;
  const std::vector<caso_diagnostica> casi = {
      {"masa, 88\n",
       {errore(1, 1, 0, "unknown keyword 'masa'; did you mean 'massa'? the row is not read",
               genere_avviso::chiave_sconosciuta)}},
      {"massa,  8x8\n",
       {errore(1, 9, 0, "expected a number for the mass in t of 'massa', found '8x8': write it as 45, 0.08 or 1e9")}},
      {"massa,  1e\n",
       {errore(1, 9, 0, "expected a number for the mass in t of 'massa', found '1e': write it as 45, 0.08 or 1e9")}},
      {"massa,  inf\n",
       {errore(1, 9, 0, "expected a number for the mass in t of 'massa', found 'inf': write it as 45, 0.08 or 1e9")}},
      {"potenza, 1e9\n", {errore(1, 10, 0, "the power in kW of 'potenza' must be from 1 to 1e+08, not 1e+09")}},
      {"davis, 15, 0.1\nmassa, 88\n",
       {errore(1, 15, 1, "'davis' takes 3 values, the row ends after 2: the C in N/t per (km/h)2 is missing")}},
      {"masse rotanti, 0,08\n",
       {errore(1, 18, 0, "'masse rotanti' takes 1 value; more stand on the line (decimals take a point: 0.08, not 0,08)")}},
      {"frenatura di servizio, 0\n",
       {errore(1, 24, 0, "the rate in m/s2 of 'frenatura di servizio' must be from 0.01 to 10, not 0")}},
      {"masse rotanti, -0.1\n",
       {errore(1, 16, 0, "the allowance of 'masse rotanti' must be from 0 to 1, not -0.1")}},
      {"sforzo, 10, 5000\nsforzo, 5, 3000\n",
       {errore(2, 9, 0, "the rows of 'sforzo' must rise in speed: 5 km/h after 10 km/h")}},
      {"massa, 80\nmassa, 88\n", {ripetuta}},
      {"zzz, 1\nmassa, 88\n",
       {errore(1, 1, 0, "unknown keyword 'zzz': the row is not read", genere_avviso::chiave_sconosciuta)}},
      // A row of a description, and a whole description, named as such.
      {"numero vetture, 6\nmassa, 88\n",
       {errore(1, 1, 0,
               "'numero vetture' is a row of the service description, not of a train profile: the row is not read; "
               "move it to the service description",
               genere_avviso::chiave_sconosciuta)}},
      {"[generale]\r\nlunghezza percorso, 12000\r\n[pendenze]\r\npendenza, 0, 0\r\n[fine]\r\n",
       {errore(0, 0, 0, "this is the line description, not a train profile: give it with --line")}},
      {"[generale]\r\nnumero vetture, 6\r\nvelocita, 0, 100\r\n[fine]\r\n",
       {errore(0, 0, 0, "this is the service description, not a train profile: give it with --service")}},
      // A profile that sets nothing is no silent default train.
      {"", {errore(0, 0, 0,
                   "the train profile sets nothing: write its rows ('massa per veicolo, 45'...), or leave out "
                   "--train-profile for the default train",
                   genere_avviso::testo_senza)}},
      {"[treno]\r\n- no row yet\r\n[fine]\r\n",
       {errore(0, 0, 0,
               "the train profile sets nothing: write its rows ('massa per veicolo, 45'...), or leave out "
               "--train-profile for the default train",
               genere_avviso::testo_senza)}},
  };
  for (const caso_diagnostica& k : casi) {
    const lettura_profilo l = leggi_profilo_treno(k.testo);
    EXPECT_EQ(l.diagnostiche, k.attese) << k.testo;
    EXPECT_EQ(l.con_errori(), k.attese.front().livello == gravita::errore) << k.testo;
  }
}

TEST(ProfiloTreno, ARowInErrorLeavesTheDefaultAndTheRestIsRead) {
  const lettura_profilo l = leggi_profilo_treno("massa, pesante\nfrenatura di servizio, 0.6\n");
  EXPECT_FALSE(l.profilo.massa_t.has_value());
  EXPECT_EQ(l.profilo.frenatura, 0.6);
}

}  // namespace
}  // namespace sb
