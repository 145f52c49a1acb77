#include "running_time/train_profile.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(ModelloTreno, DefaultProfileIsTheFourCarUnitOfTheReferenceSheet) {
  const treno t = risolvi_treno(profilo_treno{}, 4);
  EXPECT_DOUBLE_EQ(t.massa_kg, 180000.0);
  EXPECT_DOUBLE_EQ(t.massa_inerziale_kg, 1.08 * 180000.0);
  EXPECT_DOUBLE_EQ(t.lunghezza_m, 100.0);
  EXPECT_DOUBLE_EQ(t.sforzo_massimo_n, 1.08 * 180000.0 * 0.9);
  EXPECT_DOUBLE_EQ(t.potenza_w, 9000.0 * 180.0);
  // About 55 N/t at 100 km/h.
  EXPECT_NEAR(resistenza_moto(forze_di(t, 0, 100), 100.0 / 3.6) / 180.0, 55.0, 1e-9);
  EXPECT_DOUBLE_EQ(t.frenatura, 0.5);
  EXPECT_DOUBLE_EQ(t.velocita_massima, 140.0 / 3.6);
}

TEST(ModelloTreno, VehiclesSetMassAndLengthUnlessTheProfileGivesThem) {
  EXPECT_DOUBLE_EQ(risolvi_treno(profilo_treno{}, 3).massa_kg, 135000.0);
  EXPECT_DOUBLE_EQ(risolvi_treno(profilo_treno{}, 3).lunghezza_m, 75.0);
  // No number of vehicles: the default profile's four.
  EXPECT_DOUBLE_EQ(risolvi_treno(profilo_treno{}, 0).massa_kg, 180000.0);
  profilo_treno p;
  p.massa_t = 88.0;
  p.lunghezza_m = 42.0;
  EXPECT_DOUBLE_EQ(risolvi_treno(p, 3).massa_kg, 88000.0);
  EXPECT_DOUBLE_EQ(risolvi_treno(p, 3).lunghezza_m, 42.0);
}

TEST(ModelloTreno, EffortIsAdhesionLimitedThenPowerLimited) {
  const treno t = risolvi_treno(profilo_treno{}, 4);
  const double f_max = t.sforzo_massimo_n;
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 100), 0.0), f_max);
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 73), 1.0), f_max * 0.73);
  // Above P / F_max the hyperbola.
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 100), 30.0), t.potenza_w / 30.0);
  // More than 100 % adhesion gives no more than the maximum effort.
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 150), 1.0), f_max);
}

TEST(ModelloTreno, TabulatedEffortIsLinearBetweenRowsAndCappedByAdhesion) {
  profilo_treno p;
  p.sforzo = {{0, 100000}, {10, 80000}, {20, 40000}};
  const treno t = risolvi_treno(p, 2);
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 100), 5.0 / 3.6), 90000.0);
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 100), 15.0 / 3.6), 60000.0);
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 100), 30.0 / 3.6), 40000.0);
  EXPECT_DOUBLE_EQ(sforzo_trazione(forze_di(t, 0, 50), 5.0 / 3.6), 50000.0);
}

TEST(ModelloTreno, ResistanceOnPartsOfTheMassWithAWindAllowance) {
  profilo_treno p;
  p.massa_t = 88.0;
  p.resistenze = {{45.0, 30.0, 0, 0}, {20.0, 10.0, 0, 0}, {68.0, 0, 0, 0.004}};
  p.vento_kmh = 15.0;
  const treno t = risolvi_treno(p, 2);
  EXPECT_NEAR(resistenza_moto(forze_di(t, 0, 100), 85.0 / 3.6),
              45.0 * 30.0 + 20.0 * 10.0 + 68.0 * 0.004 * 100.0 * 100.0, 1e-9);
}

}  // namespace
}  // namespace sb
