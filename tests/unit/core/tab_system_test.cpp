// The load and save passes over the pages, with pages that record what they are asked to do,
// and the save against what the file system and the user put in its way: a protected ROM, a
// ROM reached through a link, a full disk, a copy left by a killed save, and a save with
// nothing loaded. Each leaves the ROM byte for byte as it was, or changes exactly the bytes the
// pages wrote, and says what happened.
#include "core/tab_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/error_text.h"
#include "unit/test_dir.h"

// Test pages live in the global namespace, as the real ones do, so their run-time names read
// like "12CRecordPage". Each adds one to its byte when saved; `during_save` runs while it
// writes (a user acting while the pages write).
class CRecordPage : public CWindowBase {
 public:
  CRecordPage(std::vector<std::string>& log, uint32_t offset, bool fail_read = false, bool fail_save = false,
              void (*during_save)() = nullptr)
      : log_(log), offset_(offset), fail_read_(fail_read), fail_save_(fail_save), during_save_(during_save) {}
  void Init(WindowHandle) override { log_.push_back("Init"); }
  int InitDialog(WindowHandle) override {
    log_.push_back("InitDialog");
    return 1;
  }
  intptr_t DialogProc(unsigned message, uintptr_t, intptr_t) override { return message == 7 ? 1 : 0; }
  int LoadSetting(const char* code) override {
    log_.push_back(std::string("LoadSetting ") + code);
    return 1;
  }
  bool RomRead(platform::CFile& rom) override {
    log_.push_back("RomRead");
    if (fail_read_ || !rom.ReadAt(offset_, &value_, 1)) {
      TabSystem().SetErrorText(fail_read_ ? "read refused" : rom.ErrorText());
      return false;
    }
    return true;
  }
  bool RomSave(platform::CFile& rom) override {
    log_.push_back("RomSave");
    if (during_save_) during_save_();
    uint8_t changed = uint8_t(value_ + 1);
    if (!rom.WriteAt(offset_, &changed, 1)) return false;
    if (fail_save_) TabSystem().SetErrorText("save refused");
    return !fail_save_;
  }
  void FreeData() override { log_.push_back("FreeData"); }
  int GetDialogId() override { return 0; }

 private:
  std::vector<std::string>& log_;
  uint32_t offset_;
  bool fail_read_, fail_save_;
  void (*during_save_)();
  uint8_t value_ = 0;
};

namespace {

namespace fs = std::filesystem;

constexpr const char* kRomWriteFailure = "10CTabSystem::RomWrite を実行中にエラーが発生しました。";
#ifdef _WIN32
constexpr int kAccessDenied = 5;  // ERROR_ACCESS_DENIED
#else
constexpr int kAccessDenied = EACCES;
#endif

struct Sink : IStatusSink {
  std::vector<std::string> texts;
  std::vector<int> progress;
  bool save_enabled = false;
  void SetText(const std::string& text) override { texts.push_back(text); }
  void SetProgress(int percent) override { progress.push_back(percent); }
  void EnableSave(bool enabled) override { save_enabled = enabled; }
  std::string last() const { return texts.empty() ? "" : texts.back(); }
};

void MakeReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

class TabSystemPasses : public testing::Test {
 protected:
  void SetUp() override {
    TabSystem().ShutDown();
    TabSystem().set_status(&sink);
    rom = std::string(rom_size, '\0');
    rom.replace(0xAC, 4, "BPRJ");
    for (int i = 0; i < 10; ++i) rom[size_t(0x100 + i)] = char(i * 3);
    path = dir.Write("rom.gba", rom);
  }
  void TearDown() override {
    TabSystem().ShutDown();
    TabSystem().set_status(nullptr);
    std::error_code ec;
    // Read-only files are made writable again so that the directory can be removed.
    for (const auto& entry : fs::recursive_directory_iterator(dir.path(), ec))
      if (!entry.is_symlink(ec)) fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
  }
  // Ten pages, as the program has; `failing` (if any) fails its read or save.
  void AddPages(int failing_read = -1, int failing_save = -1, void (*during_save)() = nullptr) {
    for (int i = 0; i < 10; ++i)
      TabSystem().AddPage(
          std::make_unique<CRecordPage>(log, 0x100 + i, i == failing_read, i == failing_save, during_save), "page");
  }
  // The pages and the ROM `name` (in the test's directory), loaded through `opened`.
  fs::path LoadRom(void (*during_save)() = nullptr, std::string_view name = "rom.gba", std::string_view opened = {}) {
    AddPages(-1, -1, during_save);
    fs::path file = dir.Write(name, rom);
    EXPECT_EQ(TabSystem().DataRead(opened.empty() ? file : dir / opened), 1);
    return file;
  }
  std::string Saved() const {
    std::string edited = rom;
    for (int i = 0; i < 10; ++i) edited[size_t(0x100 + i)] = char(i * 3 + 1);
    return edited;
  }
  std::string Bytes(const fs::path& file) const { return dir.Read(file.lexically_relative(dir.path()).string()); }
  static bool NoCopyBeside(const fs::path& file) {
    fs::path copy = file;
    copy += ".tessaro-save";
    return !fs::exists(fs::symlink_status(copy));
  }
  size_t Saves() const { return size_t(std::count(log.begin(), log.end(), "RomSave")); }

  TestDir dir;
  fs::path path;
  size_t rom_size = 0x200;
  std::string rom;
  Sink sink;
  std::vector<std::string> log;
};

TEST_F(TabSystemPasses, LoadRunsEveryPageInOrderWithTheProgressSteps) {
  AddPages();
  log.clear();
  EXPECT_EQ(TabSystem().DataRead(path), 1);
  EXPECT_STREQ(TabSystem().game_code(), "BPRJ");
  EXPECT_EQ(sink.last(), "読み込み完了。");
  EXPECT_TRUE(sink.save_enabled);
  EXPECT_TRUE(TabSystem().loaded());
  std::vector<int> expected{0};
  for (int i = 1; i <= 21; ++i) expected.push_back(3 * i);
  expected.push_back(100);
  EXPECT_EQ(sink.progress, expected);
  ASSERT_EQ(log.size(), 21u);
  EXPECT_EQ(log[0], "LoadSetting BPRJ");
  EXPECT_EQ(log[10], "RomRead");
  EXPECT_EQ(log[20], "InitDialog");
}

TEST_F(TabSystemPasses, AFailingReadStopsTheLoadAndNamesThePage) {
  AddPages(/*failing_read=*/4);
  log.clear();
  EXPECT_EQ(TabSystem().DataRead(path), 0);
  EXPECT_EQ(sink.last(), "11CRecordPage::DataRead を実行中にエラーが発生しました。read refused");
  EXPECT_TRUE(TabSystem().loaded()) << "the next load frees what was read";
  EXPECT_FALSE(sink.save_enabled);
  EXPECT_EQ(std::count(log.begin(), log.end(), "RomRead"), 5);
}

TEST_F(TabSystemPasses, FilesThatCannotBeReadCallNoPage) {
  AddPages();
  log.clear();
  EXPECT_EQ(TabSystem().DataRead(dir.Write("short.gba", std::string(0xAF, 'x'))), 2);
  EXPECT_EQ(sink.last(), platform::kShortReadText);
  EXPECT_EQ(TabSystem().DataRead(dir / "missing.gba"), 2);
  EXPECT_FALSE(sink.last().empty());
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(sink.save_enabled);
}

TEST_F(TabSystemPasses, SaveWritesEveryPageThenReplacesTheRom) {
  AddPages();
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  sink.progress.clear();
  EXPECT_EQ(TabSystem().DataWrite(path), 1);
  EXPECT_EQ(sink.last(), "保存しました。");
  EXPECT_EQ(sink.progress, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
  EXPECT_EQ(dir.Read("rom.gba"), Saved());
  EXPECT_TRUE(NoCopyBeside(path));
}

TEST_F(TabSystemPasses, AFailingSaveLeavesTheRomByteForByte) {
  AddPages(-1, /*failing_save=*/6);
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  EXPECT_EQ(TabSystem().DataWrite(path), 0);
  EXPECT_EQ(sink.last(), "11CRecordPage::DataWrite を実行中にエラーが発生しました。save refused");
  EXPECT_EQ(dir.Read("rom.gba"), rom);
  EXPECT_TRUE(NoCopyBeside(path));
}

TEST_F(TabSystemPasses, ARomDeletedAfterLoadingIsNotCreatedAgain) {
  AddPages();
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  fs::remove(path);
  EXPECT_EQ(TabSystem().DataWrite(path), 0);
  EXPECT_FALSE(fs::exists(path));
  ASSERT_EQ(sink.last().rfind(kRomWriteFailure, 0), 0u) << sink.last();
  EXPECT_GT(sink.last().size(), std::string(kRomWriteFailure).size()) << "the system's text follows";
}

// Before any load, after an unload, and after a load that failed in a page (the ROM too short
// for them), the save command has nothing to save.
TEST_F(TabSystemPasses, NothingLoadedSavesNothing) {
  const char* kNothing = "保存するデータがありません。";
  AddPages();
  EXPECT_EQ(TabSystem().DataWrite(path), 0);
  EXPECT_EQ(sink.last(), kNothing);
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  TabSystem().Unload();
  EXPECT_EQ(TabSystem().DataWrite(path), 0);
  EXPECT_EQ(sink.last(), kNothing);
  fs::path short_rom = dir.Write("short.gba", rom.substr(0, 0xB0));
  ASSERT_EQ(TabSystem().DataRead(short_rom), 0);
  EXPECT_EQ(TabSystem().DataWrite(short_rom), 0);
  EXPECT_EQ(sink.last(), kNothing);
  EXPECT_EQ(Saves(), 0u);
  EXPECT_EQ(Bytes(path), rom);
  EXPECT_EQ(Bytes(short_rom), rom.substr(0, 0xB0));
  EXPECT_TRUE(NoCopyBeside(path) && NoCopyBeside(short_rom));
}

// What a save would change is found in a scratch copy; the ROM itself is never written.
TEST_F(TabSystemPasses, UnsavedChangesAreWhatASaveWouldWrite) {
  AddPages();
  TabSystem().Unload();
  EXPECT_EQ(TabSystem().UnsavedChanges(path), 0) << "nothing loaded";
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  EXPECT_EQ(TabSystem().UnsavedChanges(path), 1) << "each page writes its byte plus one";
  EXPECT_EQ(dir.Read("rom.gba"), rom);
  EXPECT_FALSE(fs::exists(dir / "rom.gba.tessaro-check"));
  ASSERT_EQ(TabSystem().DataWrite(path), 1);
  EXPECT_EQ(TabSystem().UnsavedChanges(path), 0);
  fs::remove(path);
  EXPECT_EQ(TabSystem().UnsavedChanges(path), -1);
  EXPECT_FALSE(TabSystem().error_text().empty());
}

TEST_F(TabSystemPasses, UnloadBroadcastAndShutDown) {
  AddPages();
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  log.clear();
  TabSystem().Unload();
  EXPECT_EQ(std::count(log.begin(), log.end(), "FreeData"), 10);
  EXPECT_FALSE(TabSystem().loaded());
  EXPECT_FALSE(sink.save_enabled);
  EXPECT_EQ(TabSystem().Broadcast(7, 0, 0), 1);
  EXPECT_EQ(TabSystem().Broadcast(8, 0, 0), 0);
  EXPECT_EQ(TabSystem().AddPage(nullptr, "none"), -1);
  TabSystem().ShutDown();
  EXPECT_EQ(TabSystem().page_count(), 0u);
  EXPECT_EQ(TabSystem().Forward(7, 0, 0), 0);
}

#ifndef _WIN32
// Runs the save, from root, as the ordinary user "nobody" in a child process; the status text
// comes back through a pipe. False when that cannot be arranged.
bool SaveAsNobody(const fs::path& rom, int& result, std::string& status) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return false;
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    close(pipe_ends[0]);
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
    Sink child_sink;
    TabSystem().set_status(&child_sink);
    int saved = TabSystem().DataWrite(rom);
    ssize_t ignored = write(pipe_ends[1], child_sink.last().data(), child_sink.last().size());
    (void)ignored;
    _exit(saved);
  }
  close(pipe_ends[1]);
  status.clear();
  char buffer[512];
  for (ssize_t n; (n = read(pipe_ends[0], buffer, sizeof buffer)) > 0;) status.append(buffer, size_t(n));
  close(pipe_ends[0]);
  int wait_status = 0;
  waitpid(child, &wait_status, 0);
  if (!WIFEXITED(wait_status) || WEXITSTATUS(wait_status) == 99) return false;
  result = WEXITSTATUS(wait_status);
  return true;
}
#endif

// A ROM the user could not write in place is not replaced: read-only by its permission bits
// (the attribute on Windows) ...
TEST_F(TabSystemPasses, AReadOnlyRomIsLeftAsItWas) {
  fs::path file = LoadRom();
  MakeReadOnly(file);
  const fs::perms before = fs::status(file).permissions();
  EXPECT_EQ(TabSystem().DataWrite(file), 0);
  EXPECT_EQ(sink.last(), kRomWriteFailure + platform::SystemErrorText(kAccessDenied));
  EXPECT_EQ(Bytes(file), rom);
  EXPECT_EQ(fs::status(file).permissions(), before) << "still read-only";
  EXPECT_EQ(Saves(), 0u) << "refused before copying";
  EXPECT_TRUE(NoCopyBeside(file));
}

// ... or another user's file that this user may only read.
TEST_F(TabSystemPasses, AnotherUsersRomIsLeftAsItWas) {
#ifdef _WIN32
  GTEST_SKIP() << "needs a second account, which the Wine prefix has not";
#else
  if (geteuid() != 0) GTEST_SKIP() << "making another user's file needs root";
  fs::path file = LoadRom();  // root's, mode 0644
  int result = -1;
  std::string status;
  if (!SaveAsNobody(file, result, status)) GTEST_SKIP() << "cannot switch to an ordinary user here";
  EXPECT_EQ(result, 0);
  EXPECT_EQ(status, kRomWriteFailure + platform::SystemErrorText(kAccessDenied));
  EXPECT_EQ(Bytes(file), rom);
  EXPECT_TRUE(NoCopyBeside(file));
#endif
}

void ProtectTheRom() { MakeReadOnly(TabSystem().rom_path()); }

TEST_F(TabSystemPasses, ARomProtectedWhileThePagesWriteIsLeftAsItWas) {
  fs::path file = LoadRom(&ProtectTheRom);
  TabSystem().set_rom_path(file);
  EXPECT_EQ(TabSystem().DataWrite(file), 0);
  EXPECT_EQ(sink.last(), kRomWriteFailure + platform::SystemErrorText(kAccessDenied));
  EXPECT_EQ(Saves(), 10u);
  EXPECT_EQ(Bytes(file), rom);
  EXPECT_TRUE(NoCopyBeside(file));
}

// The save goes into the file the link leads to, beside it, and the link stays a link; the
// file keeps its permissions.
TEST_F(TabSystemPasses, ARomOpenedThroughALinkStaysLinked) {
  fs::create_directories(dir / "roms");
  fs::path link = dir / "link.gba";
  std::error_code ec;
  fs::create_symlink(fs::path("roms") / "rom.gba", link, ec);
  if (ec || !fs::is_symlink(link)) GTEST_SKIP() << "symbolic links cannot be made here";
  fs::path real = LoadRom(nullptr, "roms/rom.gba", "link.gba");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms mode = fs::status(real).permissions();
  EXPECT_EQ(TabSystem().DataWrite(link), 1);
  EXPECT_EQ(sink.last(), "保存しました。");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), fs::path("roms") / "rom.gba");
  EXPECT_EQ(Bytes(real), Saved());
  EXPECT_EQ(fs::status(real).permissions(), mode);
  EXPECT_TRUE(NoCopyBeside(real) && NoCopyBeside(link));
}

// A copy a killed save left behind, even a link to another file, is neither read nor written
// through: the next save makes its own and the other file is untouched.
TEST_F(TabSystemPasses, AStaleCopyIsReplaced) {
  fs::path file = LoadRom();
  fs::path stale = file;
  stale += ".tessaro-save";
  fs::path other = dir.Write("other.bin", "not a ROM");
  std::error_code ec;
  fs::create_symlink(other, stale, ec);
  if (ec || !fs::is_symlink(stale)) dir.Write("rom.gba.tessaro-save", "half a copy");
  EXPECT_EQ(TabSystem().DataWrite(file), 1);
  EXPECT_EQ(Bytes(file), Saved());
  EXPECT_EQ(Bytes(other), "not a ROM");
  EXPECT_TRUE(NoCopyBeside(file));
}

// A disk too full for the copy: the save fails with the system's text, and the ROM is as it was.
TEST_F(TabSystemPasses, AFullDiskLeavesTheRomAsItWas) {
#ifdef _WIN32
  GTEST_SKIP() << "no small file system can be mounted from a Windows program";
#else
  fs::path mount_point = dir / "small";
  fs::create_directories(mount_point);
  if (mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here (" << platform::LastSystemErrorText() << ")";
  struct Unmount {
    fs::path at;
    ~Unmount() { umount(at.c_str()); }
  } unmount{mount_point};
  rom_size = 40 * 1024;  // the ROM fits, a copy beside it does not
  SetUp();
  fs::path file = LoadRom(nullptr, "small/rom.gba");
  EXPECT_EQ(TabSystem().DataWrite(file), 0);
  EXPECT_EQ(sink.last(), kRomWriteFailure + platform::SystemErrorText(ENOSPC));
  EXPECT_EQ(Bytes(file), rom);
  EXPECT_TRUE(NoCopyBeside(file));
#endif
}

}  // namespace
