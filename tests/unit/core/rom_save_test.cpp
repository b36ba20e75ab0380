// The save pass against what the file system and the user put in its way: a protected ROM, a
// ROM reached through a link, a full disk, a copy left by a killed save, and a save with
// nothing loaded. Each leaves the ROM byte for byte as it was, or changes exactly the bytes the
// pages wrote, and says what happened.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/tab_system.h"
#include "platform/error_text.h"
#include "unit/test_dir.h"

// Adds one to the byte at its offset; `during_save` runs while it writes (a user acting while
// the pages write). In the global namespace, as the program's pages are.
class CPricePage : public CWindowBase {
 public:
  CPricePage(uint32_t offset, void (*during_save)() = nullptr) : offset_(offset), during_save_(during_save) {}
  void Init(WindowHandle) override {}
  int InitDialog(WindowHandle) override { return 1; }
  intptr_t DialogProc(unsigned, uintptr_t, intptr_t) override { return 0; }
  int LoadSetting(const char*) override { return 1; }
  bool RomRead(platform::CFile& rom) override { return rom.ReadAt(offset_, &value_, 1); }
  bool RomSave(platform::CFile& rom) override {
    ++saves;
    if (during_save_) during_save_();
    uint8_t changed = uint8_t(value_ + 1);
    return rom.WriteAt(offset_, &changed, 1);
  }
  void FreeData() override {}
  int GetDialogId() override { return 0; }

  static inline int saves = 0;

 private:
  uint32_t offset_;
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
  std::string text;
  void SetText(const std::string& t) override { text = t; }
  void SetProgress(int) override {}
  void EnableSave(bool) override {}
};

void MakeReadOnly(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

class RomSave : public testing::Test {
 protected:
  void SetUp() override {
    TabSystem().ShutDown();
    TabSystem().set_status(&sink);
    CPricePage::saves = 0;
    rom_bytes = std::string(size_t(rom_size), '\0');
    rom_bytes.replace(0xAC, 4, "AXVJ");
    rom_bytes[0x100] = 0x40;
    rom_bytes[0x101] = 0x50;
  }
  void TearDown() override {
    TabSystem().ShutDown();
    TabSystem().set_status(nullptr);
    std::error_code ec;
    // Read-only files are made writable again so that the directory can be removed.
    for (const auto& entry : fs::recursive_directory_iterator(dir.path(), ec))
      if (!entry.is_symlink(ec)) fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
  }
  // Two pages and the ROM `name` (in the test's directory), loaded through `opened`.
  fs::path LoadRom(void (*during_save)() = nullptr, std::string_view name = "rom.gba",
                   std::string_view opened = {}) {
    TabSystem().AddPage(std::make_unique<CPricePage>(0x100, during_save), "a");
    TabSystem().AddPage(std::make_unique<CPricePage>(0x101), "b");
    fs::path rom = dir.Write(name, rom_bytes);
    EXPECT_EQ(TabSystem().DataRead(opened.empty() ? rom : dir / opened), 1);
    return rom;
  }
  std::string Saved() const {
    std::string edited = rom_bytes;
    edited[0x100] = 0x41;
    edited[0x101] = 0x51;
    return edited;
  }
  std::string Bytes(const fs::path& file) const { return dir.Read(file.lexically_relative(dir.path()).string()); }
  bool NoCopyBeside(const fs::path& rom) const {
    fs::path copy = rom;
    copy += ".tessaro-save";
    return !fs::exists(fs::symlink_status(copy));
  }

  TestDir dir;
  Sink sink;
  uint32_t rom_size = 0x200;
  std::string rom_bytes;
};

// Before any load, after an unload, and after a load that failed in a page (the ROM too short
// for them), the save command has nothing to save.
TEST_F(RomSave, NothingLoadedSavesNothing) {
  const char* kNothing = "保存するデータがありません。";
  TabSystem().AddPage(std::make_unique<CPricePage>(0x100), "a");
  fs::path rom = dir.Write("rom.gba", rom_bytes);
  EXPECT_EQ(TabSystem().DataWrite(rom), 0);
  EXPECT_EQ(sink.text, kNothing);
  ASSERT_EQ(TabSystem().DataRead(rom), 1);
  TabSystem().Unload();
  EXPECT_EQ(TabSystem().DataWrite(rom), 0);
  EXPECT_EQ(sink.text, kNothing);
  ASSERT_EQ(TabSystem().DataRead(rom), 1);
  fs::path short_rom = dir.Write("short.gba", rom_bytes.substr(0, 0xB0));
  ASSERT_EQ(TabSystem().DataRead(short_rom), 0);
  EXPECT_EQ(TabSystem().DataWrite(short_rom), 0);
  EXPECT_EQ(sink.text, kNothing);
  EXPECT_EQ(CPricePage::saves, 0);
  EXPECT_EQ(Bytes(rom), rom_bytes);
  EXPECT_EQ(Bytes(short_rom), rom_bytes.substr(0, 0xB0));
  EXPECT_TRUE(NoCopyBeside(rom) && NoCopyBeside(short_rom));
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
    ssize_t ignored = write(pipe_ends[1], child_sink.text.data(), child_sink.text.size());
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
TEST_F(RomSave, AReadOnlyRomIsLeftAsItWas) {
  fs::path rom = LoadRom();
  MakeReadOnly(rom);
  const fs::perms before = fs::status(rom).permissions();
  EXPECT_EQ(TabSystem().DataWrite(rom), 0);
  EXPECT_EQ(sink.text, kRomWriteFailure + platform::SystemErrorText(kAccessDenied));
  EXPECT_EQ(Bytes(rom), rom_bytes);
  EXPECT_EQ(fs::status(rom).permissions(), before) << "still read-only";
  EXPECT_EQ(CPricePage::saves, 0) << "refused before copying";
  EXPECT_TRUE(NoCopyBeside(rom));
}

// ... or another user's file that this user may only read.
TEST_F(RomSave, AnotherUsersRomIsLeftAsItWas) {
#ifdef _WIN32
  GTEST_SKIP() << "needs a second account, which the Wine prefix has not";
#else
  if (geteuid() != 0) GTEST_SKIP() << "making another user's file needs root";
  fs::path rom = LoadRom();  // root's, mode 0644
  int result = -1;
  std::string status;
  if (!SaveAsNobody(rom, result, status)) GTEST_SKIP() << "cannot switch to an ordinary user here";
  EXPECT_EQ(result, 0);
  EXPECT_EQ(status, kRomWriteFailure + platform::SystemErrorText(kAccessDenied));
  EXPECT_EQ(Bytes(rom), rom_bytes);
  EXPECT_TRUE(NoCopyBeside(rom));
#endif
}

void ProtectTheRom() { MakeReadOnly(TabSystem().rom_path()); }

TEST_F(RomSave, ARomProtectedWhileThePagesWriteIsLeftAsItWas) {
  fs::path rom = LoadRom(&ProtectTheRom);
  TabSystem().set_rom_path(rom);
  EXPECT_EQ(TabSystem().DataWrite(rom), 0);
  EXPECT_EQ(sink.text, kRomWriteFailure + platform::SystemErrorText(kAccessDenied));
  EXPECT_EQ(CPricePage::saves, 2);
  EXPECT_EQ(Bytes(rom), rom_bytes);
  EXPECT_TRUE(NoCopyBeside(rom));
}

// The save goes into the file the link leads to, beside it, and the link stays a link; the
// file keeps its permissions.
TEST_F(RomSave, ARomOpenedThroughALinkStaysLinked) {
  fs::create_directories(dir / "roms");
  fs::path link = dir / "link.gba";
  std::error_code ec;
  fs::create_symlink(fs::path("roms") / "rom.gba", link, ec);
  if (ec || !fs::is_symlink(link)) GTEST_SKIP() << "symbolic links cannot be made here";
  fs::path real = LoadRom(nullptr, "roms/rom.gba", "link.gba");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms mode = fs::status(real).permissions();
  EXPECT_EQ(TabSystem().DataWrite(link), 1);
  EXPECT_EQ(sink.text, "保存しました。");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), fs::path("roms") / "rom.gba");
  EXPECT_EQ(Bytes(real), Saved());
  EXPECT_EQ(fs::status(real).permissions(), mode);
  EXPECT_TRUE(NoCopyBeside(real) && NoCopyBeside(link));
}

// A copy a killed save left behind, even a link to another file, is neither read nor written
// through: the next save makes its own and the other file is untouched.
TEST_F(RomSave, AStaleCopyIsReplaced) {
  fs::path rom = LoadRom();
  fs::path stale = rom;
  stale += ".tessaro-save";
  fs::path other = dir.Write("other.bin", "not a ROM");
  std::error_code ec;
  fs::create_symlink(other, stale, ec);
  if (ec || !fs::is_symlink(stale)) dir.Write("rom.gba.tessaro-save", "half a copy");
  EXPECT_EQ(TabSystem().DataWrite(rom), 1);
  EXPECT_EQ(Bytes(rom), Saved());
  EXPECT_EQ(Bytes(other), "not a ROM");
  EXPECT_TRUE(NoCopyBeside(rom));
}

// A disk too full for the copy: the save fails with the system's text, and the ROM is as it was.
TEST_F(RomSave, AFullDiskLeavesTheRomAsItWas) {
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
  fs::path rom = LoadRom(nullptr, "small/rom.gba");
  EXPECT_EQ(TabSystem().DataWrite(rom), 0);
  EXPECT_EQ(sink.text, kRomWriteFailure + platform::SystemErrorText(ENOSPC));
  EXPECT_EQ(Bytes(rom), rom_bytes);
  EXPECT_TRUE(NoCopyBeside(rom));
#endif
}

}  // namespace
