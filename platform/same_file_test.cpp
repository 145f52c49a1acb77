#include "platform/same_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support/file_bytes.h"
#include "test_support/scratch_folder.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

// An output matches an input whatever the spelling: the same path, another
// spelling of it, a link to it, a hard link; a missing or another file never.
TEST(StessoFile, AnOutputMatchesAnInputByDeviceAndInode) {
  prova::cartella_prova scratch;
  ASSERT_TRUE(scratch.ok());
  const fs::path d = scratch.cartella();
  const std::string input = (d / "in.txt").string();
  prova::scrivi(input, "text");
  prova::scrivi((d / "other.txt").string(), "text");
  fs::create_directories(d / "sub");
  fs::create_symlink(input, d / "link.txt");
  fs::create_hard_link(input, d / "hard.txt");
  struct caso {
    std::string uscita;
    bool stesso;
  } casi[] = {
      {input, true},
      {(d / "sub" / ".." / "in.txt").string(), true},
      {(d / "link.txt").string(), true},
      {(d / "hard.txt").string(), true},
      {(d / "other.txt").string(), false},
      {(d / "missing.txt").string(), false},
      {"", false},
  };
  for (const caso& c : casi) {
    const std::optional<uscita_su_ingresso> t = trova_ingresso_in_uscita({"", (d / "none").string(), input}, {c.uscita});
    ASSERT_EQ(t.has_value(), c.stesso) << c.uscita;
    if (!t) continue;
    EXPECT_EQ(t->ingresso, input);
    EXPECT_EQ(t->uscita, c.uscita);
  }
}

}  // namespace
}  // namespace sb
