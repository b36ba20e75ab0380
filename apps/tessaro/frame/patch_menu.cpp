#include "frame/patch_menu.h"

#include <commdlg.h>

#include <string>
#include <system_error>

#include "core/tab_system.h"
#include "patch/patch_files.h"
#include "platform/sjis.h"
#include "platform/win/wide.h"
#include "toolkit/win/file_dialogs.h"

namespace {

using platform::win::Wide;

constexpr const char* kRomFilter = "GBA Roms(*.gba)\0*.gba\0All files(*.*)\0*.*\0";
constexpr const char* kNewPatchFilter = "BPSパッチ(*.bps)\0*.bps\0IPSパッチ(*.ips)\0*.ips\0";
constexpr const char* kPatchFilter = "パッチ(*.bps;*.ips)\0*.bps;*.ips\0All files(*.*)\0*.*\0";
constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

int Ask(HWND owner, const std::string& text, const char* title, UINT type) {
  return MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), type);
}

void Report(HWND owner, const PatchReport& report, bool ok, const std::string& text) {
  report(text);
  if (!ok) MessageBoxW(owner, Wide(text).c_str(), L"Error", MB_OK | MB_ICONERROR);
}

// A name beside `rom` for the dialogs to start with.
std::string Beside(std::filesystem::path rom, const char* ending) {
  rom.replace_extension();
  rom += ending;
  return platform::SjisFromPath(rom);
}

// False when the user cancels, or asked for a save that failed (its status says why).
bool SavedOrLeftOut(HWND owner, const std::filesystem::path& rom) {
  CTabSystem& tabs = TabSystem();
  const int unsaved = tabs.UnsavedChanges(rom);
  if (unsaved == 0) return true;
  std::string question = unsaved > 0 ? std::string("保存されていない変更があります。")
                                     : "保存されていない変更があるか確かめられませんでした。" + tabs.error_text();
  question += "\n保存してからパッチを作成しますか?\n(「いいえ」: 保存済みのROMからパッチを作成します)";
  switch (Ask(owner, question, "注意", MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return tabs.DataWrite(rom) == 1;
    case IDNO: return true;
    default: return false;
  }
}

}  // namespace

void MakePatchFromMenu(HWND frame, const PatchReport& report) {
  const std::filesystem::path rom = TabSystem().rom_path();
  if (rom.empty()) {
    Report(frame, report, false, "ROMを読み込んでからパッチを作成してください。");
    return;
  }
  if (!SavedOrLeftOut(frame, rom)) return;
  const std::filesystem::path* chosen =
      toolkit::win::opendiag(frame, kRomFilter, "gba", "元のROMを指定してください", kOpenFlags, nullptr);
  if (!chosen) return;
  const std::filesystem::path original = *chosen;
  chosen = toolkit::win::savediag(frame, kNewPatchFilter, "bps", "パッチの保存先を指定してください",
                                  Beside(rom, ".bps").c_str(), kSaveFlags);
  if (!chosen) return;
  std::string text;
  const bool ok = patch::MakePatchFile(original, rom, *chosen, text);
  Report(frame, report, ok, text);
}

void ApplyPatchFromMenu(HWND frame, const PatchReport& report,
                        const std::function<void(const std::filesystem::path&)>& open) {
  const std::filesystem::path loaded = TabSystem().rom_path();
  std::filesystem::path rom = loaded;
  const std::filesystem::path* chosen = nullptr;
  if (rom.empty()) {
    chosen = toolkit::win::opendiag(frame, kRomFilter, "gba", "パッチを当てるROMを指定してください", kOpenFlags, nullptr);
    if (!chosen) return;
    rom = *chosen;
  }
  chosen = toolkit::win::opendiag(frame, kPatchFilter, "bps", "パッチを指定してください", kOpenFlags, nullptr);
  if (!chosen) return;
  const std::filesystem::path patch_file = *chosen;
  chosen = toolkit::win::savediag(frame, kRomFilter, "gba", "パッチを当てたROMの保存先を指定してください",
                                  Beside(rom, "_patched.gba").c_str(), kSaveFlags);
  if (!chosen) return;
  const std::filesystem::path out = *chosen;
  // The pages hold the loaded ROM's tables: a later save would write them over the patch.
  std::error_code ec;
  if (!loaded.empty() && std::filesystem::equivalent(out, loaded, ec)) {
    Report(frame, report, false, "読み込み中のROMには書き込めません。別のファイル名を指定してください。");
    return;
  }
  std::string text;
  if (!patch::ApplyPatchFile(rom, patch_file, out, text)) {
    Report(frame, report, false, text);
    return;
  }
  report(text);
  if (Ask(frame, text + "\nパッチを当てたROMを開きますか?", "question", MB_YESNO | MB_ICONQUESTION) == IDYES) open(out);
}
