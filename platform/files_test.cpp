#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_set.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "test_support/file_bytes.h"
#include "test_support/scratch_folder.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.ok());
    dir_ = scratch_.cartella();
    fs::create_directories(dir_ / "in");
  }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  std::string in(const std::string& name) const { return (dir_ / "in" / name).string(); }
  static std::string read(const std::string& p) { return prova::leggi(p); }
  static void write(const std::string& p, const std::string& bytes) { prova::scrivi(p, bytes); }
  // Every name in the folder "in", sorted.
  std::vector<std::string> names() const {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(dir_ / "in")) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
  }
  prova::cartella_prova scratch_;
  fs::path dir_;
};

// The file size limit of the process, lowered for one scope.
class file_size_limit {
 public:
  explicit file_size_limit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    struct rlimit tight = before_;
    tight.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &tight);
  }
  ~file_size_limit() { ::setrlimit(RLIMIT_FSIZE, &before_); }

 private:
  struct rlimit before_;
};

// One file replaced as a set of one, in its folder.
esito_file sostituisci_file(const std::string& file, std::string_view byte) {
  const file_diviso p = dividi_file(file);
  if (p.nome.empty()) return fallito(file, EISDIR);
  cartella_uscita c;
  if (esito_file e = c.apri(p.cartella); !e.ok) return esito_file{false, file, e.motivo};
  return sostituisci_insieme(c, {{p.nome, byte}});
}

TEST_F(FilesTest, ReplaceLeavesNoTrailingBytesOfAnOlderFile) {
  ASSERT_TRUE(sostituisci_file(path("f.dat"), std::string(100, 'x')).ok);
  ASSERT_TRUE(sostituisci_file(path("f.dat"), "abc").ok);
  std::string back;
  ASSERT_TRUE(leggi_file(path("f.dat"), back).ok);
  EXPECT_EQ(back, "abc");
}

TEST_F(FilesTest, BinaryBytesRoundTrip) {
  std::string bytes("\0\x01\xff\r\n\x1a", 6);
  ASSERT_TRUE(sostituisci_file(path("b.dat"), bytes).ok);
  std::string back;
  ASSERT_TRUE(leggi_file(path("b.dat"), back).ok);
  EXPECT_EQ(back, bytes);
}

TEST_F(FilesTest, FailuresNameThePathAndTheReason) {
  fs::create_directories(dir_ / "in" / "sub");
  struct caso {
    std::string file;
    const char* motivo;
  } casi[] = {
      {path("missing/f.txt"), "No such file or directory"},
      {dir_.string(), "Is a directory"},
      {in("sub"), "Is a directory"},
      {in("sub/"), "Is a directory"},
  };
  for (const caso& c : casi) {
    esito_file e = sostituisci_file(c.file, "data");
    EXPECT_FALSE(e.ok) << c.file;
    EXPECT_EQ(e.messaggio(), c.file + ": " + c.motivo);
  }
  EXPECT_EQ(names(), std::vector<std::string>{"sub"});
}

// A write the system cuts short, as on a full disk: here the file size limit
// of the process stands in for the disk, so no mount is needed. Without the
// signal guard SIGXFSZ would kill the process.
TEST_F(FilesTest, AWriteCutShortIsReportedAndLeavesTheOldFile) {
  write(in("big.dat"), "old");
  esito_file e;
  {
    segnali_di_build guard;
    file_size_limit limit(1000);
    e = sostituisci_file(in("big.dat"), std::string(5000, 'x'));
  }
  EXPECT_EQ(e.messaggio(), in("big.dat") + ": File too large");
  EXPECT_EQ(read(in("big.dat")), "old");
  EXPECT_EQ(names(), std::vector<std::string>{"big.dat"});
}

// A link at the name, dangling or not, is replaced by the new file; what it
// points to is never created or touched.
TEST_F(FilesTest, ALinkAtTheNameIsReplacedNeverFollowed) {
  write(path("outside.txt"), "keep me");
  fs::create_symlink(path("outside.txt"), in("to_file.dat"));
  fs::create_symlink(path("nowhere.txt"), in("dangling.dat"));
  ASSERT_TRUE(sostituisci_file(in("to_file.dat"), "new").ok);
  ASSERT_TRUE(sostituisci_file(in("dangling.dat"), "new").ok);
  for (const char* n : {"to_file.dat", "dangling.dat"}) {
    EXPECT_FALSE(fs::is_symlink(in(n))) << n;
    EXPECT_EQ(read(in(n)), "new") << n;
  }
  EXPECT_EQ(read(path("outside.txt")), "keep me");
  EXPECT_FALSE(fs::exists(path("nowhere.txt")));
}

// Only a regular file or a link is ever replaced: a device, a FIFO, a socket
// or a folder at the name is refused with its kind, and stays as it is.
TEST_F(FilesTest, OnlyARegularFileOrALinkIsReplaced) {
  ASSERT_EQ(::mkfifo(in("fifo.svg").c_str(), 0600), 0);
  fs::create_directories(dir_ / "in" / "folder.svg");
  const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(s, 0);
  struct sockaddr_un a {};
  a.sun_family = AF_UNIX;
  const std::string sock = in("socket.svg");
  ASSERT_LT(sock.size(), sizeof a.sun_path);
  sock.copy(a.sun_path, sock.size());
  ASSERT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
  struct caso {
    std::string file;
    const char* motivo;
  } casi[] = {
      {"/dev/null", "not a regular file (a character device)"},
      {in("fifo.svg"), "not a regular file (a FIFO)"},
      {in("socket.svg"), "not a regular file (a socket)"},
      {in("folder.svg"), "Is a directory"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(sostituisci_file(c.file, "<svg/>").messaggio(), c.file + ": " + c.motivo);
  }
  ::close(s);
  struct stat st;
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_TRUE(fs::is_fifo(in("fifo.svg")));
  EXPECT_TRUE(fs::is_socket(in("socket.svg")));
  EXPECT_EQ(names(), (std::vector<std::string>{"fifo.svg", "folder.svg", "socket.svg"}));
}

// A name as long as a folder takes (255 bytes) is written: its temporary
// name is cut to fit, never longer than the name.
TEST_F(FilesTest, TheLongestNameIsWritten) {
  for (size_t n : {size_t{230}, size_t{241}, size_t{255}}) {
    const std::string name(n, 'L');
    cartella_uscita c;
    ASSERT_TRUE(c.apri((dir_ / "in").string()).ok);
    EXPECT_TRUE(sostituisci_insieme(c, {{name, "a"}, {"b.dat", "b"}}).ok) << n;
    EXPECT_EQ(read(in(name)), "a");
    fs::remove(in(name));
  }
}

TEST_F(FilesTest, ANewFileHasMode0644LessTheUmask) {
  for (mode_t mask : {mode_t{022}, mode_t{077}, mode_t{0}}) {
    mode_t before = ::umask(mask);
    ASSERT_TRUE(sostituisci_file(in("m.dat"), "x").ok);
    ::umask(before);
    struct stat st;
    ASSERT_EQ(::stat(in("m.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644 & ~mask) << std::oct << mask;
  }
}

// The second file of a set fails: the first keeps its old bytes too.
TEST_F(FilesTest, ASetIsReplacedWholeOrNotAtAll) {
  write(in("a.dat"), "old a");
  write(in("b.dat"), "old b");
  cartella_uscita c;
  ASSERT_TRUE(c.apri((dir_ / "in").string()).ok);
  const std::string big(5000, 'b');
  esito_file e;
  {
    segnali_di_build guard;
    file_size_limit limit(1000);
    e = sostituisci_insieme(c, {{"a.dat", "new a"}, {"b.dat", big}});
  }
  EXPECT_EQ(e.messaggio(), in("b.dat") + ": File too large");
  EXPECT_EQ(read(in("a.dat")), "old a");
  EXPECT_EQ(read(in("b.dat")), "old b");
  EXPECT_EQ(names(), (std::vector<std::string>{"a.dat", "b.dat"}));

  ASSERT_TRUE(sostituisci_insieme(c, {{"a.dat", "new a"}, {"b.dat", big}}).ok);
  EXPECT_EQ(read(in("a.dat")), "new a");
  EXPECT_EQ(read(in("b.dat")), big);
  EXPECT_EQ(names(), (std::vector<std::string>{"a.dat", "b.dat"}));
}

// A process killed at every step of a set replacement leaves the old set or
// the new one; killed during the renames, it leaves the record from which
// the next run completes the new set. Either way no temporary file stays.
TEST_F(FilesTest, AKillAtAnyStepLeavesTheOldSetOrTheNew) {
  const std::string big(3 << 20, 'n');  // written in three pieces
  const std::vector<std::pair<std::string, std::string>> vecchi = {{"a.dat", "old a"}, {"b.dat", "old b"},
                                                                  {"c.dat", "old c"}};
  const std::vector<std::pair<std::string, std::string>> nuovi = {{"a.dat", "new a"}, {"b.dat", big},
                                                                  {"c.dat", "new c"}};
  auto set_is = [&](const std::vector<std::pair<std::string, std::string>>& set) {
    for (const auto& [n, b] : set) {
      if (read(in(n)) != b) return false;
    }
    return true;
  };
  int old_sets = 0, new_sets = 0, completed = 0;
  for (int step = 1;; ++step) {
    SCOPED_TRACE("killed at step " + std::to_string(step));
    for (const auto& [n, b] : vecchi) write(in(n), b);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::setenv("SB_FAULT_KILL_AT_STEP", std::to_string(step).c_str(), 1);
      cartella_uscita c;
      if (!c.apri((dir_ / "in").string()).ok) ::_exit(2);
      bool ok = sostituisci_insieme(c, {{"a.dat", "new a"}, {"b.dat", big}, {"c.dat", "new c"}}).ok;
      ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_TRUE(set_is(nuovi));
      EXPECT_EQ(names(), (std::vector<std::string>{"a.dat", "b.dat", "c.dat"}));
      EXPECT_GT(step, 10);
      break;
    }
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const bool record = fs::exists(in(kRegistroInsieme));
    if (!record) {
      EXPECT_TRUE(set_is(vecchi) || set_is(nuovi));
      (set_is(vecchi) ? old_sets : new_sets)++;
    }
    cartella_uscita next;
    ASSERT_TRUE(next.apri((dir_ / "in").string()).ok);
    ASSERT_TRUE(ripulisci_cartella(next).ok);
    if (record) {
      // A record cut short is dropped: the renames had not begun.
      EXPECT_TRUE(set_is(vecchi) || set_is(nuovi));
      if (set_is(nuovi)) ++completed;
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"a.dat", "b.dat", "c.dat"}));
  }
  EXPECT_GT(old_sets, 0);
  EXPECT_GT(completed, 0);
}

TEST_F(FilesTest, TheNextRunSweepsOnlyTemporaryNames) {
  const std::vector<std::string> kept = {".a.dat.sbtmp-12345",  "a.dat.sbtmp-123456", ".a.dat.sbtmp-12345!",
                                         ".sbtmp-123456",       "notes.txt",          ".hidden"};
  for (const std::string& n : kept) write(in(n), "x");
  write(in(".a.dat.sbtmp-Ab3xY9"), "stray");
  write(in(".BORVALE_40617.sim.sbtmp-000000"), "stray");
  cartella_uscita c;
  ASSERT_TRUE(c.apri((dir_ / "in").string()).ok);
  EXPECT_TRUE(ripulisci_cartella(c).ok);
  std::vector<std::string> expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names(), expected);
}

// A record that is cut short or names something outside the folder is
// dropped without a rename.
TEST_F(FilesTest, ADamagedRecordRenamesNothing) {
  const std::string temp = ".a.dat.sbtmp-AAAAAA";
  const std::string records[] = {
      temp + std::string("\0a.dat\0", 7) + "1" + std::string(1, '\0'),  // the final NUL is missing
      temp + std::string("\0../a.dat\0", 10) + "1" + std::string(2, '\0'),  // a name outside the folder
      std::string("a.dat\0b.dat\0", 12) + "1" + std::string(2, '\0'),       // not a temporary name
      temp + std::string("\0a.dat\0x\0\0", 10),                             // no inode
      temp + std::string("\0a.dat\0\0", 8),                                 // the older form, without one
  };
  for (const std::string& r : records) {
    write(in("a.dat"), "old");
    write(in(temp), "new");
    write(in(kRegistroInsieme), r);
    cartella_uscita c;
    ASSERT_TRUE(c.apri((dir_ / "in").string()).ok);
    EXPECT_TRUE(ripulisci_cartella(c).ok);
    EXPECT_EQ(read(in("a.dat")), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"a.dat"});
  }
}

// One pair of a set record as the set writer leaves it: the temporary name,
// the name and the inode of the file at temp_path (1 when it is gone).
std::string record_entry(const std::string& temp, const std::string& name, const std::string& temp_path) {
  struct stat st;
  const std::string inode = ::lstat(temp_path.c_str(), &st) == 0 ? std::to_string(st.st_ino) : "1";
  return temp + '\0' + name + '\0' + inode + '\0';
}

// The record of a killed run that was to rename one temporary file.
std::string record_for(const std::string& temp, const std::string& name, const std::string& temp_path) {
  return record_entry(temp, name, temp_path) + '\0';
}

// A killed run's set with a rename that fails (a folder stands at a name) is
// not completed: the run that takes the folder reports the name and the
// reason, and keeps the record and the temporary file; once the fault is
// gone, the next run completes the set.
TEST_F(FilesTest, ASetThatCannotBeCompletedKeepsItsRecord) {
  const std::string ta = ".a.dat.sbtmp-AAAAAA", tb = ".b.dat.sbtmp-BBBBBB", tc = ".c.dat.sbtmp-CCCCCC";
  write(in("a.dat"), "new a");  // renamed before the kill: its temporary file is gone
  write(in(tb), "new b");
  write(in(tc), "new c");
  fs::create_directories(dir_ / "in" / "b.dat" / "inside");
  write(in(kRegistroInsieme), record_entry(ta, "a.dat", in(ta)) + record_entry(tb, "b.dat", in(tb)) +
                                  record_entry(tc, "c.dat", in(tc)) + '\0');
  {
    cartella_uscita c;
    std::ostringstream avvisi;
    const esito_file e = apri_e_blocca(c, (dir_ / "in").string(), attesa_blocco::non_attendere, avvisi, "prova");
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.messaggio(), in("b.dat") + ": Is a directory");
  }
  EXPECT_EQ(read(in("a.dat")), "new a");
  EXPECT_EQ(read(in("c.dat")), "new c");  // the renames go on past the failure
  EXPECT_EQ(read(in(tb)), "new b");
  EXPECT_EQ(names(), (std::vector<std::string>{tb, kRegistroInsieme, "a.dat", "b.dat", "c.dat"}));

  fs::remove_all(dir_ / "in" / "b.dat");
  cartella_uscita c;
  ASSERT_TRUE(c.apri((dir_ / "in").string()).ok);
  EXPECT_TRUE(ripulisci_cartella(c).ok);
  EXPECT_EQ(read(in("a.dat")), "new a");
  EXPECT_EQ(read(in("b.dat")), "new b");
  EXPECT_EQ(read(in("c.dat")), "new c");
  EXPECT_EQ(names(), (std::vector<std::string>{"a.dat", "b.dat", "c.dat"}));
}

// A record is obeyed only when it is a regular file of this user that no
// one else may write, naming the temporary files its run created; anything
// else moves nothing it names and is set aside for the folder's owner, with
// a warning, so that it blocks no later write.
TEST_F(FilesTest, AnUntrustedRecordMovesNothing) {
  const std::string temp = ".a.dat.sbtmp-AAAAAA";
  const std::string record = in(kRegistroInsieme);
  const std::string how = "; not trusted, nothing renamed: set aside as " + in(".sb-set.untrusted-");
  struct caso {
    const char* nome;
    std::function<void()> pianta;
    std::string motivo;
  } casi[] = {
      {"a link to a good record",
       [&] {
         write(path("elsewhere"), record_for(temp, "a.dat", in(temp)));
         fs::create_symlink(path("elsewhere"), record);
       },
       "a set record that is a symbolic link"},
      {"a folder", [&] { fs::create_directories(record); }, "a set record that is a folder"},
      {"writable by all",
       [&] {
         write(record, record_for(temp, "a.dat", in(temp)));
         ::chmod(record.c_str(), 0666);
       },
       "a set record that every user may write"},
      {"naming a file its run did not create",
       [&] {
         write(record, record_for(temp, "a.dat", in(temp)));
         write(in("planted"), "planted");
         fs::rename(in("planted"), in(temp));
       },
       "a set record naming " + temp + ", a file its run did not create"},
      {"naming a link",
       [&] {
         write(record, record_for(temp, "a.dat", path("elsewhere")));
         fs::remove(in(temp));
         fs::create_symlink(path("elsewhere"), in(temp));
       },
       "a set record naming " + temp + ", a file its run did not create"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    fs::remove_all(dir_ / "in");
    fs::create_directories(dir_ / "in");
    write(path("elsewhere"), "new");
    write(in("a.dat"), "old");
    write(in(temp), "new");
    c.pianta();
    cartella_uscita folder;
    ASSERT_TRUE(folder.apri((dir_ / "in").string()).ok);
    EXPECT_TRUE(blocca_cartella(folder, attesa_blocco::non_attendere, nullptr).ok);
    ASSERT_EQ(folder.avvisi().size(), 1u);
    const std::string& avviso = folder.avvisi()[0];
    EXPECT_EQ(avviso.substr(0, record.size() + 2 + c.motivo.size() + how.size()), record + ": " + c.motivo + how);
    EXPECT_NE(avviso.find(" for the folder's owner (user " + std::to_string(::geteuid()) + ") to look over"),
              std::string::npos);
    EXPECT_EQ(read(in("a.dat")), "old");
    const std::vector<std::string> after = names();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].rfind(".sb-set.untrusted-", 0), 0u);  // this user's temporary file was swept
    EXPECT_EQ(after[1], "a.dat");
    EXPECT_TRUE(sostituisci_insieme(folder, {{"a.dat", "newer"}, {"b.dat", "b"}}).ok) << "the record blocks nothing";
  }
  // The same record, trusted, completes the set.
  fs::remove_all(dir_ / "in");
  fs::create_directories(dir_ / "in");
  write(in("a.dat"), "old");
  write(in(temp), "new");
  write(record, record_for(temp, "a.dat", in(temp)));
  cartella_uscita folder;
  ASSERT_TRUE(folder.apri((dir_ / "in").string()).ok);
  EXPECT_TRUE(ripulisci_cartella(folder).ok);
  EXPECT_EQ(read(in("a.dat")), "new");
  EXPECT_EQ(names(), std::vector<std::string>{"a.dat"});
}

TEST_F(FilesTest, ASignalBeforeTheRenamesLeavesTheOldSet) {
  write(in("a.dat"), "old a");
  cartella_uscita c;
  ASSERT_TRUE(c.apri((dir_ / "in").string()).ok);
  esito_file e;
  {
    segnali_di_build guard;
    ::raise(SIGTERM);
    e = sostituisci_insieme(c, {{"a.dat", "new a"}, {"b.dat", "new b"}});
    EXPECT_EQ(segnale_arrivato(), 0);  // taken by the replacement
  }
  EXPECT_EQ(e.segnale, SIGTERM);
  EXPECT_EQ(e.messaggio(), (dir_ / "in").string() + ": interrupted by SIGTERM; temporary files removed");
  EXPECT_EQ(read(in("a.dat")), "old a");
  EXPECT_EQ(names(), std::vector<std::string>{"a.dat"});
  EXPECT_EQ(stato_per_segnale(SIGINT), 130);
  EXPECT_EQ(stato_per_segnale(SIGTERM), 143);
}

TEST_F(FilesTest, OneWriterAtATime) {
  const std::string folder = (dir_ / "in").string();
  {
    cartella_uscita first, second;
    ASSERT_TRUE(first.apri(folder).ok);
    ASSERT_TRUE(second.apri(folder).ok);
    ASSERT_TRUE(blocca_cartella(first, attesa_blocco::non_attendere, nullptr).ok);
    esito_file e = blocca_cartella(second, attesa_blocco::non_attendere, nullptr);
    EXPECT_EQ(e.messaggio(), folder + ": another run is writing in this folder");

    // Waiting, a signal ends the wait.
    segnali_di_build guard;
    ::raise(SIGINT);
    e = blocca_cartella(second, attesa_blocco::attendi, nullptr);
    EXPECT_EQ(e.segnale, SIGINT);
  }

  // Waiting, the run is told after a second and goes on once the other ends.
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    cartella_uscita other;
    if (!other.apri(folder).ok || !blocca_cartella(other, attesa_blocco::non_attendere, nullptr).ok) ::_exit(1);
    (void)!::write(pipe_fds[1], "L", 1);
    ::usleep(1300 * 1000);
    ::_exit(0);
  }
  char taken = 0;
  ASSERT_EQ(::read(pipe_fds[0], &taken, 1), 1);
  cartella_uscita waiting;
  ASSERT_TRUE(waiting.apri(folder).ok);
  int told = 0;
  esito_file e = blocca_cartella(waiting, attesa_blocco::attendi, [&] { ++told; });
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(pipe_fds[0]);
  ::close(pipe_fds[1]);
  EXPECT_TRUE(e.ok) << e.messaggio();
  EXPECT_EQ(told, 1);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FilesTest, OnlyRegularFilesAreReadAndOnlyUpToTheLimit) {
  ASSERT_EQ(::mkfifo(in("fifo").c_str(), 0600), 0);
  {
    std::ofstream sparse(in("huge"));
  }
  fs::resize_file(in("huge"), kMassimoByteLettura + 1);
  write(in("small"), "12345");
  struct caso {
    std::string file;
    size_t limite;
    std::string motivo;
  } casi[] = {
      {in("fifo"), kMassimoByteLettura, "not a regular file (a FIFO)"},
      {"/dev/zero", kMassimoByteLettura, "not a regular file (a character device)"},
      {(dir_ / "in").string(), kMassimoByteLettura, "Is a directory"},
      {in("huge"), kMassimoByteLettura, "larger than 67108864 bytes, the limit for a file that is read"},
      {in("small"), 4, "larger than 4 bytes, the limit for a file that is read"},
  };
  for (const caso& c : casi) {
    std::string out = "stale";
    esito_file e = leggi_file(c.file, out, c.limite);
    EXPECT_EQ(e.messaggio(), c.file + ": " + c.motivo);
    EXPECT_EQ(out, "");
  }
  std::string out;
  EXPECT_TRUE(leggi_file(in("small"), out, 5).ok);
  EXPECT_EQ(out, "12345");
}

TEST_F(FilesTest, ReadAndDeleteReportMissingFiles) {
  std::string out;
  esito_file e = leggi_file(path("none"), out);
  EXPECT_EQ(e.messaggio(), path("none") + ": No such file or directory");
  EXPECT_FALSE(cancella_file(path("none")).ok);
  EXPECT_TRUE(cancella_se_esiste(path("none")).ok);
  EXPECT_FALSE(file_esiste(path("none")));
}

}  // namespace
}  // namespace sb
