// The load and save passes over the pages, with pages that record what they are asked to do.
#include "core/tab_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error_text.h"
#include "unit/test_dir.h"

// Test pages live in the global namespace, as the real ones do, so their run-time names read
// like "12CRecordPage".
class CRecordPage : public CWindowBase {
 public:
  CRecordPage(std::vector<std::string>& log, uint32_t offset, bool fail_read = false,
              bool fail_save = false)
      : log_(log), offset_(offset), fail_read_(fail_read), fail_save_(fail_save) {}
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
  uint8_t value_ = 0;
};

namespace {

struct Sink : IStatusSink {
  std::vector<std::string> texts;
  std::vector<int> progress;
  bool save_enabled = false;
  void SetText(const std::string& text) override { texts.push_back(text); }
  void SetProgress(int percent) override { progress.push_back(percent); }
  void EnableSave(bool enabled) override { save_enabled = enabled; }
};

class TabSystemPasses : public testing::Test {
 protected:
  void SetUp() override {
    TabSystem().ShutDown();
    TabSystem().set_status(&sink);
    std::string rom(0x200, '\0');
    rom.replace(0xAC, 4, "BPRJ");
    for (int i = 0; i < 10; ++i) rom[size_t(0x100 + i)] = char(i * 3);
    path = dir.Write("rom.gba", rom);
  }
  void TearDown() override {
    TabSystem().ShutDown();
    TabSystem().set_status(nullptr);
  }
  // Ten pages, as the program has; `failing` (if any) fails its read or save.
  void AddPages(int failing_read = -1, int failing_save = -1) {
    for (int i = 0; i < 10; ++i)
      TabSystem().AddPage(std::make_unique<CRecordPage>(log, 0x100 + i, i == failing_read, i == failing_save),
                          "page");
  }

  TestDir dir;
  std::filesystem::path path;
  Sink sink;
  std::vector<std::string> log;
};

TEST_F(TabSystemPasses, LoadRunsEveryPageInOrderWithTheProgressSteps) {
  AddPages();
  log.clear();
  EXPECT_EQ(TabSystem().DataRead(path), 1);
  EXPECT_STREQ(TabSystem().game_code(), "BPRJ");
  EXPECT_EQ(sink.texts.back(), "読み込み完了。");
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
  EXPECT_EQ(sink.texts.back(), "11CRecordPage::DataRead を実行中にエラーが発生しました。read refused");
  EXPECT_TRUE(TabSystem().loaded()) << "the next load frees what was read";
  EXPECT_FALSE(sink.save_enabled);
  EXPECT_EQ(std::count(log.begin(), log.end(), "RomRead"), 5);
}

TEST_F(TabSystemPasses, FilesThatCannotBeReadCallNoPage) {
  AddPages();
  log.clear();
  EXPECT_EQ(TabSystem().DataRead(dir.Write("short.gba", std::string(0xAF, 'x'))), 2);
  EXPECT_EQ(sink.texts.back(), platform::kShortReadText);
  EXPECT_EQ(TabSystem().DataRead(dir / "missing.gba"), 2);
  EXPECT_FALSE(sink.texts.back().empty());
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(sink.save_enabled);
}

TEST_F(TabSystemPasses, SaveWritesEveryPageThenReplacesTheRom) {
  AddPages();
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  sink.progress.clear();
  EXPECT_EQ(TabSystem().DataWrite(path), 1);
  EXPECT_EQ(sink.texts.back(), "保存しました。");
  EXPECT_EQ(sink.progress, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
  std::string rom = dir.Read("rom.gba");
  ASSERT_EQ(rom.size(), 0x200u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(uint8_t(rom[size_t(0x100 + i)]), uint8_t(i * 3 + 1));
  EXPECT_FALSE(std::filesystem::exists(dir / "rom.gba.tessaro-save"));
}

TEST_F(TabSystemPasses, AFailingSaveLeavesTheRomByteForByte) {
  AddPages(-1, /*failing_save=*/6);
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  std::string before = dir.Read("rom.gba");
  EXPECT_EQ(TabSystem().DataWrite(path), 0);
  EXPECT_EQ(sink.texts.back(), "11CRecordPage::DataWrite を実行中にエラーが発生しました。save refused");
  EXPECT_EQ(dir.Read("rom.gba"), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "rom.gba.tessaro-save"));
}

TEST_F(TabSystemPasses, ARomDeletedAfterLoadingIsNotCreatedAgain) {
  AddPages();
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  std::filesystem::remove(path);
  EXPECT_EQ(TabSystem().DataWrite(path), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  const std::string prefix = "10CTabSystem::RomWrite を実行中にエラーが発生しました。";
  ASSERT_EQ(sink.texts.back().rfind(prefix, 0), 0u) << sink.texts.back();
  EXPECT_GT(sink.texts.back().size(), prefix.size()) << "the system's text follows";
}

// What a save would change is found in a scratch copy; the ROM itself is never written.
TEST_F(TabSystemPasses, UnsavedChangesAreWhatASaveWouldWrite) {
  AddPages();
  TabSystem().Unload();
  EXPECT_EQ(TabSystem().UnsavedChanges(path), 0) << "nothing loaded";
  ASSERT_EQ(TabSystem().DataRead(path), 1);
  const std::string before = dir.Read("rom.gba");
  EXPECT_EQ(TabSystem().UnsavedChanges(path), 1) << "each page writes its byte plus one";
  EXPECT_EQ(dir.Read("rom.gba"), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "rom.gba.tessaro-check"));
  ASSERT_EQ(TabSystem().DataWrite(path), 1);
  EXPECT_EQ(TabSystem().UnsavedChanges(path), 0);
  std::filesystem::remove(path);
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

}  // namespace
