#pragma once
// The page adapter: what every tessaro page does the same way, written once. A page is its
// portable rules class (tables, load and save passes, what a store does) plus a thin Win32 view
// derived from CPageAdapter<Rules> that fills the controls and handles the page's commands.
//
// A rules class offers:
//   static constexpr int kDialogId;                    // the page's dialog template
//   void Init();                                       // no data, offsets -1, counts 0
//   void LoadSetting(const PageSetup& setup);          // reads its keys; allocates nothing yet
//   bool RomRead(platform::CFile& rom, std::string& error);
//   bool RomSave(platform::CFile& rom, std::string& error);
//   void FreeData();
// RomRead and RomSave return false with a short text in `error`; the adapter hands it to the
// tab system, whose message names the page's own class ("10CItem_Edit::DataRead ...").
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/ini.h"
#include "core/tab_system.h"
#include "core/table_io.h"
#include "core/window_base.h"
#include "platform/file.h"

// What a page's LoadSetting needs to know about the ROM being loaded.
struct PageSetup {
  std::filesystem::path setting_ini;  // Setting.ini in the start-up directory
  const char* game_code = "";         // its section
  uint64_t rom_size = 0;              // no table may reach beyond this
};

// The table Setting.ini places at `offset_key` with `count_key` records of `record_size` bytes:
// offset -1 when its key is absent, no records when the count is absent (and there is no
// default) or below 1.
inline TableSpan SettingSpan(const PageSetup& setup, const char* offset_key, const char* count_key,
                             size_t record_size, int default_count = 0) {
  CINI ini;
  int offset = -1, count = default_count;
  ini.GetInt(setup.setting_ini, setup.game_code, offset_key, offset);
  ini.GetInt(setup.setting_ini, setup.game_code, count_key, count);
  return {offset, count > 0 ? count : 0, record_size};
}

// What the edit history calls a page's record: "トレーナー 0x1A" (no index: the noun alone).
inline std::string RecordSubject(const char* noun, int64_t index = -1) {
  if (index < 0) return noun;
  char number[24];
  std::snprintf(number, sizeof number, " 0x%llX", static_cast<unsigned long long>(index));
  return noun + std::string(number);
}

template <class Rules>
class CPageAdapter : public CWindowBase {
 public:
  Rules& rules() { return rules_; }
  const Rules& rules() const { return rules_; }

  void Init(WindowHandle) final { rules_.Init(); }
  // A page without a view shows nothing and handles nothing.
  int InitDialog(WindowHandle) override { return 1; }
  intptr_t DialogProc(unsigned, uintptr_t, intptr_t) override { return 0; }
  int LoadSetting(const char* game_code) final {
    CTabSystem& tabs = TabSystem();
    rules_.LoadSetting(PageSetup{tabs.SettingPath(), game_code, tabs.rom_size()});
    return 1;
  }
  bool RomRead(platform::CFile& rom) final { return Pass(&Rules::RomRead, rom); }
  bool RomSave(platform::CFile& rom) final { return Pass(&Rules::RomSave, rom); }
  void FreeData() final { rules_.FreeData(); }
  int GetDialogId() final { return Rules::kDialogId; }
  void Copies(std::vector<std::span<uint8_t>>& out) final {
    if constexpr (requires { rules_.Copies(out); }) rules_.Copies(out);
  }
  std::string Subject() const override {
    if constexpr (requires { rules_.Subject(); }) return rules_.Subject();
    else return {};
  }
  int CurrentRecord() const override {
    if constexpr (requires { rules_.current(); }) return int(rules_.current());
    else return -1;
  }
  void ShowRecord(int record) override {
    if constexpr (requires { rules_.set_current(record); }) {
      if (record >= 0) rules_.set_current(record);
    }
  }

 protected:
  // Shows a rules outcome in the status bar (an empty text clears it).
  void ShowStatus(const std::string& text) { TabSystem().ShowStatus(text); }

 private:
  bool Pass(bool (Rules::*pass)(platform::CFile&, std::string&), platform::CFile& rom) {
    std::string error;
    if ((rules_.*pass)(rom, error)) return true;
    TabSystem().SetErrorText(error);
    return false;
  }

  Rules rules_;
};

// The rules of a page that has no tables of its own.
template <int DialogId>
struct CNoTables {
  static constexpr int kDialogId = DialogId;
  void Init() {}
  void LoadSetting(const PageSetup&) {}
  bool RomRead(platform::CFile&, std::string&) { return true; }
  bool RomSave(platform::CFile&, std::string&) { return true; }
  void FreeData() {}
};
