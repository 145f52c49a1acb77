// Saves seen as editors make them, by inotify and by polling: written in
// place, or a new file renamed over the old; another file in the folder
// is not a save.
#include "serve/file_watch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <thread>

#include "test_support/scratch_folder.h"

namespace sb {
namespace {

using namespace std::chrono_literals;

void scrivi(const std::string& file, const std::string& testo) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f << testo;
}

class Osservatore : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    scrivi(linea_, "uno");
    scrivi(servizio_, "due");
    osserva(o_, {linea_, servizio_}, GetParam());
  }
  // Whether a save is seen after fn runs on another thread.
  bool visto_dopo(std::function<void()> fn) {
    std::thread t([fn] {
      std::this_thread::sleep_for(30ms);
      fn();
    });
    const bool visto = attendi_salvataggio(o_, 3s);
    t.join();
    return visto;
  }
  prova::cartella_prova dir_;
  std::string linea_ = dir_ / "A_linea.txt";
  std::string servizio_ = dir_ / "A_1-.txt";
  osservatore_file o_;
};

TEST_P(Osservatore, SeesAWriteInPlace) {
  EXPECT_TRUE(visto_dopo([this] { scrivi(servizio_, "due, ancora"); }));
}

TEST_P(Osservatore, SeesANewFileRenamedOverTheOld) {
  EXPECT_TRUE(visto_dopo([this] {
    scrivi(dir_ / ".A_linea.txt.swp", "uno, nuovo");
    std::rename((dir_ / ".A_linea.txt.swp").c_str(), linea_.c_str());
  }));
}

TEST_P(Osservatore, AnotherFileOfTheFolderIsNoSave) {
  std::thread t([this] { scrivi(dir_ / "altro.txt", "x"); });
  t.join();
  EXPECT_FALSE(attendi_salvataggio(o_, 400ms));
}

TEST_P(Osservatore, OneSaveIsSeenOnce) {
  ASSERT_TRUE(visto_dopo([this] { scrivi(linea_, "tre"); }));
  EXPECT_FALSE(attendi_salvataggio(o_, 400ms));
}

INSTANTIATE_TEST_SUITE_P(InotifyAndPolling, Osservatore, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "polling" : "inotify"; });

}  // namespace
}  // namespace sb
