#pragma once
// The one way to change an existing ROM file in place (everything but the save pass, which
// replaces the file whole). A change opens the ROM once and groups any number of writes, appends
// and one final cut; it is applied whole or not at all:
//   - the ROM must exist: it is never created;
//   - a write lies inside the file, or is an append that starts exactly at its end; nothing is
//     written before 0, and the file never grows past the cartridge's 32 MiB;
//   - the bytes each write replaces are read first, so a failure (of the change's own I/O, or a
//     refused step) puts them back in reverse order and cuts the file to its old size: after any
//     failure the file is byte for byte as it was;
//   - the caller orders the steps (data and terminator first, the pointer that leads there last).
// The first change of a run to a ROM makes its backup first (see rom_backup.h). Each finished
// change is handed to the program's change observer, with what it replaced (undo builds on it).
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/file.h"

// The cartridge's address space: no ROM grows past it and no pointer leads beyond it.
inline constexpr uint64_t kCartridgeBytes = uint64_t(32) << 20;

inline constexpr const char* kWriteOutsideRomText = "書き込み先がROMファイルの範囲外です。";
inline constexpr const char* kCartridgeFullText = "ROMが32MB(カートリッジの大きさ)を超えてしまいます。";
inline constexpr const char* kChangeNotUndoneText = "変更を元に戻せませんでした。";
inline constexpr const char* kRomChangedText =
    "ROMファイルが変更後に書き換えられています。元に戻せません。";

// True when a place of `bytes` bytes at ROM offset `offset` lies inside the cartridge, so a
// pointer may lead there.
inline bool FitsCartridge(uint64_t offset, uint64_t bytes = 0) {
  return offset <= kCartridgeBytes && bytes <= kCartridgeBytes - offset;
}

// The ROM file's size now (direct writes may have grown it since the load); 0 when it cannot
// be read.
uint64_t CurrentRomSize(const std::filesystem::path& rom);

// One step of a change: `before` the bytes it replaced (empty for an append, the bytes removed
// for a cut), `after` the bytes it wrote (empty for a cut).
struct RomPiece {
  uint64_t offset = 0;
  std::vector<uint8_t> before, after;
};

// What a finished change did to a file.
struct RomChangeRecord {
  std::filesystem::path rom;
  uint64_t old_size = 0, new_size = 0;
  std::vector<RomPiece> pieces;  // in the order they were written
  bool empty() const { return pieces.empty(); }
};

class CRomChange {
 public:
  explicit CRomChange(std::filesystem::path rom);
  ~CRomChange();  // a change that was not committed is undone
  CRomChange(const CRomChange&) = delete;
  CRomChange& operator=(const CRomChange&) = delete;

  // Backs the ROM up (first change of the run) and opens it; false with error().
  bool Open();
  // Before Open: no backup for this change (a file the program has just made).
  void set_backup(bool backup) { backup_ = backup; }
  // The file's size now, appends and the cut included.
  uint64_t size() const { return size_; }

  // Reads inside the file as the change has left it so far.
  bool Read(uint64_t offset, void* buffer, size_t bytes);
  // Writes `bytes` at `offset`: inside the file, or an append at exactly its end. A negative
  // offset (or one beyond 2^63) is refused.
  bool Write(int64_t offset, std::span<const uint8_t> bytes);
  bool Write(int64_t offset, const void* data, size_t bytes) {
    return Write(offset, std::span(static_cast<const uint8_t*>(data), bytes));
  }
  // Appends at the end; `at` gets the offset the bytes went to.
  bool Append(std::span<const uint8_t> bytes, uint64_t* at = nullptr);
  // Appends `fill` bytes until the size is a multiple of `multiple`.
  bool PadTo(uint64_t multiple, uint8_t fill = 0xFF);
  // Cuts the file to `new_size` bytes (not longer than it is); nothing may follow it.
  bool Cut(uint64_t new_size);
  // Makes the file hold `target` exactly: writes only the runs that differ (in file order), then
  // the bytes past the old end, or cuts the file.
  bool Rewrite(std::span<const uint8_t> target);

  // Closes the file; the change stands. False (with the change undone) when a step failed.
  bool Commit();
  // Undoes every step so far; the file is as it was when the change opened.
  void Abandon();

  bool failed() const { return failed_; }
  // The text of the failure: the system's text, or one of the refusals above.
  const std::string& error() const { return error_; }
  const RomChangeRecord& record() const { return record_; }

 private:
  bool Refuse(const char* text);
  bool FailIo();
  bool Usable();
  // Cuts the file without closing the change to further steps (an undo's cut of an append).
  bool Shrink(uint64_t new_size);
  // Puts the replaced bytes back, last step first; false when the file could not be restored.
  bool Restore();

  friend bool RevertRomChange(const RomChangeRecord&, bool, std::string&);

  platform::CFile file_;
  RomChangeRecord record_;
  uint64_t size_ = 0;
  bool open_ = false, failed_ = false, cut_ = false, committed_ = false;
  bool observed_ = true;  // an undo or redo is not a change of its own
  bool backup_ = true;
  std::string error_;
};

// Program-wide: who hears of each committed change (tessaro's edit history). Null: nobody.
// Returns the observer it replaces.
std::function<void(const RomChangeRecord&)> SetRomChangeObserver(std::function<void(const RomChangeRecord&)> observer);

// Puts a committed change back (`undo`: the file as it was before it) or applies it again,
// through a change of its own. Refused with kRomChangedText, the file untouched, when the file no
// longer holds what the change left (or, for a redo, what it found).
bool RevertRomChange(const RomChangeRecord& change, bool undo, std::string& error);
