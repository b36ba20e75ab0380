#include "core/tab_system.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>
#include <system_error>

#include "core/edit_history.h"
#include "core/rom_backup.h"
#include "platform/error_text.h"
#include "text/shared_tables.h"

CTabSystem& TabSystem() {
  static CTabSystem tab_system;
  return tab_system;
}

void CTabSystem::Attach(WindowHandle tab_control, WindowHandle main_window) {
  tab_control_ = tab_control;
  main_window_ = main_window;
}

int CTabSystem::AddPage(std::unique_ptr<CWindowBase> page, const char* caption) {
  if (!page) return -1;
  page->hParent = tab_control_;
  page->Init(tab_control_);
  InsertTab(caption);
  pages_.push_back(std::move(page));
  captions_.emplace_back(caption);
  return int(pages_.size());
}

CWindowBase* CTabSystem::CurrentPage() const {
  return current_ >= 0 && size_t(current_) < pages_.size() ? pages_[size_t(current_)].get() : nullptr;
}

WindowHandle CTabSystem::CurrentPageWindow() const {
  CWindowBase* page = CurrentPage();
  return page ? page->hWnd : nullptr;
}

intptr_t CTabSystem::Forward(unsigned message, uintptr_t wparam, intptr_t lparam) {
  CWindowBase* page = CurrentPage();
  return page ? page->DialogProc(message, wparam, lparam) : 0;
}

intptr_t CTabSystem::Broadcast(unsigned message, uintptr_t wparam, intptr_t lparam) {
  for (auto& page : pages_)
    if (intptr_t result = page->DialogProc(message, wparam, lparam)) return result;
  return 0;
}

void CTabSystem::SetErrorText(const std::string& text) { error_text_ = text.substr(0, 255); }

void CTabSystem::Status(const std::string& text) {
  if (status_) status_->SetText(text);
}

void CTabSystem::Progress(int percent) {
  if (status_) status_->SetProgress(percent);
}

int CTabSystem::IndexOf(const CWindowBase* page) const {
  for (size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i].get() == page) return int(i);
  return -1;
}

void CTabSystem::Copies(std::vector<std::span<uint8_t>>& out) const {
  for (const auto& page : pages_) page->Copies(out);
  text::CSharedTables& shared = text::SharedTables();
  for (text::CRecordTable* table : {&shared.species, &shared.moves, &shared.classes, &shared.items})
    out.emplace_back(table->bytes());
}

int CTabSystem::DataRead(const std::filesystem::path& rom) {
  error_text_.clear();
  saveable_ = false;
  // A new ROM, or the same one again: the history starts empty.
  EditHistory().Clear();
  EditHistory().set_copies([this](std::vector<std::span<uint8_t>>& out) { Copies(out); });
  platform::CFile file;
  if (!file.Open(rom, platform::OpenMode::kReadExisting)) {
    Status(file.ErrorText());
    return 2;
  }
  char code[4];
  if (!file.ReadAt(kGameCodeOffset, code, 4)) {
    Status(file.ErrorText());
    return 2;
  }
  if (!file.Size(rom_size_)) {
    Status(file.ErrorText());
    return 2;
  }
  std::copy(code, code + 4, game_code_);
  game_code_[4] = '\0';
  if (load_hook_) load_hook_(SettingPath(), game_code_, rom);

  int progress = 0;
  Progress(progress);
  const int step = pages_.empty() ? 0 : int(100 / pages_.size()) / 3;
  for (auto& page : pages_) {
    page->LoadSetting(game_code_);
    Progress(progress += step);
  }
  for (auto& page : pages_) {
    if (!page->RomRead(file)) {
      file.Close();
      Status(Failure(RunTimeName(*page), "DataRead"));
      loaded_ = true;
      return 0;
    }
    Progress(progress += step);
  }
  file.Close();
  if (CWindowBase* shown = CurrentPage()) shown->InitDialog(nullptr);
  Progress(progress += step);

  loaded_ = true;
  saveable_ = true;
  Progress(100);
  if (status_) status_->EnableSave(true);
  Status("読み込み完了。");
  return 1;
}

bool CTabSystem::CopyToWorkFile(const std::filesystem::path& rom, const std::filesystem::path& work) {
  platform::CFile source, copy;
  uint64_t size = 0;
  // The ROM must still exist: saving never creates it.
  if (!source.Open(rom, platform::OpenMode::kReadExisting) || !source.Size(size)) {
    SetErrorText(source.ErrorText());
    return false;
  }
  // A copy left by a save that was killed is never opened: it is removed and made afresh.
  std::error_code ignored;
  std::filesystem::remove(work, ignored);
  if (!copy.Open(work, platform::OpenMode::kCreateNew)) {
    SetErrorText(copy.ErrorText());
    return false;
  }
  std::vector<char> buffer(1 << 20);
  for (uint64_t done = 0; done < size;) {
    size_t n = size_t(std::min<uint64_t>(buffer.size(), size - done));
    if (!source.Read(buffer.data(), n)) {
      SetErrorText(source.ErrorText());
      return false;
    }
    if (!copy.Write(buffer.data(), n)) {
      SetErrorText(copy.ErrorText());
      return false;
    }
    done += n;
  }
  return true;
}

bool CTabSystem::RomWritable(const std::filesystem::path& rom) {
  std::string error;
  if (platform::CheckWritable(rom, error)) return true;
  SetErrorText(error);
  return false;
}

int CTabSystem::DataWrite(const std::filesystem::path& rom) {
  error_text_.clear();
  if (!saveable_) {
    Status("保存するデータがありません。");
    return 0;
  }
  // A ROM opened through a link is saved into the file the link leads to; the copy is made
  // beside that file, so the replace is a rename within one folder and the link stays a link.
  const std::filesystem::path target = platform::FinalPath(rom);
  std::filesystem::path work = target;
  work += ".tessaro-save";
  std::error_code ignored;
  auto fail = [&](const char* class_name, const char* operation) {
    std::filesystem::remove(work, ignored);
    Status(Failure(class_name, operation));
    return 0;
  };
  // A ROM the user could not write in place is not replaced either: read-only stays read-only.
  if (!RomWritable(target)) return fail(RunTimeName(*this), "RomWrite");
  // The first write of a run into this ROM keeps a copy of it first.
  std::string backup_error;
  if (!RomBackup().BeforeWrite(target, backup_error)) {
    SetErrorText(backup_error);
    return fail(RunTimeName(*this), "RomWrite");
  }
  if (!CopyToWorkFile(target, work)) return fail(RunTimeName(*this), "RomWrite");

  platform::CFile file;
  if (!file.Open(work, platform::OpenMode::kReadWriteExisting)) {
    SetErrorText(file.ErrorText());
    return fail(RunTimeName(*this), "RomWrite");
  }
  int progress = 0;
  Progress(progress);
  const int step = pages_.empty() ? 0 : int(100 / pages_.size());
  for (auto& page : pages_) {
    if (!page->RomSave(file)) {
      file.Close();
      return fail(RunTimeName(*page), "DataWrite");
    }
    Progress(progress += step);
  }
  // The copy's bytes are on the disk before it takes the ROM's place.
  if (!file.Flush()) {
    SetErrorText(file.ErrorText());
    file.Close();
    return fail(RunTimeName(*this), "RomWrite");
  }
  file.Close();
  std::string error;
  if (!platform::CopyAttributes(target, work, error)) {
    SetErrorText(error);
    return fail(RunTimeName(*this), "RomWrite");
  }
  // Checked again: the ROM may have been protected while the pages wrote.
  if (!RomWritable(target)) return fail(RunTimeName(*this), "RomWrite");
  if (!platform::MoveOver(work, target, error)) {
    SetErrorText(error);
    return fail(RunTimeName(*this), "RomWrite");
  }
  Progress(100);
  Status("保存しました。");
  return 1;
}

int CTabSystem::UnsavedChanges(const std::filesystem::path& rom) {
  error_text_.clear();
  if (!saveable_) return 0;
  const std::filesystem::path target = platform::FinalPath(rom);
  std::filesystem::path work = target;
  work += ".tessaro-check";
  const int result = CopyToWorkFile(target, work) ? CompareWithSaved(target, work) : -1;
  std::error_code ignored;
  std::filesystem::remove(work, ignored);
  return result;
}

int CTabSystem::CompareWithSaved(const std::filesystem::path& rom, const std::filesystem::path& work) {
  platform::CFile copy, original;
  auto fail = [this](const platform::CFile& file) {
    SetErrorText(file.ErrorText());
    return -1;
  };
  if (!copy.Open(work, platform::OpenMode::kReadWriteExisting)) return fail(copy);
  for (auto& page : pages_)
    if (!page->RomSave(copy)) return -1;  // the page left its reason in the error text
  uint64_t copy_size = 0, size = 0;
  if (!copy.Size(copy_size) || !copy.Seek(0)) return fail(copy);
  if (!original.Open(rom, platform::OpenMode::kReadExisting) || !original.Size(size)) return fail(original);
  if (copy_size != size) return 1;
  std::vector<char> saved(1 << 20), now(1 << 20);
  for (uint64_t done = 0; done < size; done += saved.size()) {
    const size_t n = size_t(std::min<uint64_t>(saved.size(), size - done));
    if (!copy.Read(saved.data(), n)) return fail(copy);
    if (!original.Read(now.data(), n)) return fail(original);
    if (std::memcmp(saved.data(), now.data(), n) != 0) return 1;
  }
  return 0;
}

void CTabSystem::Unload() {
  for (auto& page : pages_) page->FreeData();
  loaded_ = false;
  saveable_ = false;
  if (status_) status_->EnableSave(false);
}

void CTabSystem::ShutDown() {
  for (auto& page : pages_) page->DestroyPage(true);
  for (auto& page : pages_) page->FreeData();
  pages_.clear();
  captions_.clear();
  current_ = 0;
  prepared_ = 0;
  loaded_ = saveable_ = false;
}
