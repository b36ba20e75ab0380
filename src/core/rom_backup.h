#pragma once
// The backup a program makes before it first writes into a ROM in a run (the save pass or a
// direct write): a copy in a folder `backup` beside the ROM, named NAME-YYYYMMDD-HHMMSS.gba after
// the ROM's name and the local time. The newest kKept copies of each ROM stay; older ones of
// ours go. Only names of that form are ever removed, and no file is ever replaced: a name that
// is taken (two copies in one second) gets "-2", "-3" ... before ".gba".
#include <ctime>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

inline constexpr const char* kBackupFailedText = "バックアップを作成できませんでした。";

class CRomBackup {
 public:
  static constexpr size_t kKept = 10;

  // Off: no copies are made (tessaro's Backup=0, vantari's --no-backup).
  void set_enabled(bool enabled) { enabled_ = enabled; }
  bool enabled() const { return enabled_; }
  // The time the names carry (tests set their own).
  void set_clock(std::function<std::time_t()> clock) { clock_ = std::move(clock); }

  // Copies `rom` into its backup folder unless this run did so already (or backups are off);
  // false with kBackupFailedText and the reason in `error`, and then nothing may be written.
  bool BeforeWrite(const std::filesystem::path& rom, std::string& error);
  // Forgets which ROMs were backed up: the next write to each makes a new copy.
  void Forget() { done_.clear(); }

  // The backups of `rom` the programs made, oldest first.
  static std::vector<std::filesystem::path> List(const std::filesystem::path& rom);
  static std::filesystem::path Folder(const std::filesystem::path& rom);

 private:
  bool enabled_ = false;
  std::function<std::time_t()> clock_;
  std::set<std::filesystem::path> done_;
};

// The program's one backup keeper; off until the program turns it on.
CRomBackup& RomBackup();
