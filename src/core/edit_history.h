#pragma once
// tessaro's edit history: every store into a page's copies and every direct write into the ROM
// can be taken back and made again.
//
// An operation (a page command, a dialog it opens, a table import) runs between Begin and End.
// Begin takes a picture of every page copy; End compares it with the copies as they are then,
// and together with the ROM changes the ROM writer committed in between makes one entry: for
// each copy the runs of bytes that changed (before and after), for the file each change with the
// bytes it replaced. Undo puts the file back first, last change first (the pointer before the
// data it led to, appends cut back), then the copy bytes of that entry only, so unsaved stores
// elsewhere stay; redo does the same forwards. A file that no longer holds what the entry left
// is not touched: the undo is refused with the writer's text.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/rom_writer.h"

inline constexpr const char* kUndoneText = "元に戻しました: ";
inline constexpr const char* kRedoneText = "やり直しました: ";
inline constexpr const char* kNothingToUndoText = "元に戻す操作はありません。";
inline constexpr const char* kNothingToRedoText = "やり直す操作はありません。";

// The runs of one copy an operation changed.
struct CopyRun {
  size_t copy = 0;  // index in the list of copies the source gives
  size_t offset = 0;
  std::vector<uint8_t> before, after;
};

struct HistoryEntry {
  std::string label;  // what the operation did, e.g. "トレーナー 0x1A の設定"
  int page = -1;      // the tab it was made on, and the record shown then
  int record = -1;
  std::vector<CopyRun> copies;
  std::vector<RomChangeRecord> changes;  // in the order they were committed
  size_t bytes() const;
};

// The outcome of an undo or redo: the status text and where to show it.
struct HistoryStep {
  bool done = false;
  std::string status;
  int page = -1, record = -1;
};

class CEditHistory {
 public:
  // Bounds: the oldest entries go beyond either (an entry larger than the byte bound alone is
  // kept as the only one).
  static constexpr size_t kMaxEntries = 1000;
  static constexpr size_t kMaxBytes = size_t(64) << 20;

  // Every page copy in a fixed order: the same list, in sizes and order, for one loaded ROM.
  using CopySource = std::function<void(std::vector<std::span<uint8_t>>&)>;
  void set_copies(CopySource source) { copies_ = std::move(source); }

  // An operation: nested Begin/End pairs make one entry (the outermost one's label).
  void Begin(std::string label, int page, int record);
  void End();
  // Begin, `action`, End.
  void Track(std::string label, int page, int record, const std::function<void()>& action);

  bool CanUndo() const { return applied_ > 0; }
  bool CanRedo() const { return applied_ < entries_.size(); }
  const std::string& UndoLabel() const;
  const std::string& RedoLabel() const;
  HistoryStep Undo();
  HistoryStep Redo();

  // A new ROM (or the same one loaded again): the history starts empty.
  void Clear();
  size_t size() const { return entries_.size(); }
  size_t bytes() const { return bytes_; }

 private:
  std::vector<std::span<uint8_t>> Copies() const;
  HistoryStep Step(bool undo);
  void Push(HistoryEntry entry);

  CopySource copies_;
  std::deque<HistoryEntry> entries_;
  size_t applied_ = 0;  // entries before this index are in effect
  size_t bytes_ = 0;
  // The operation under way.
  int depth_ = 0;
  HistoryEntry pending_;
  std::vector<std::vector<uint8_t>> picture_;
  std::function<void(const RomChangeRecord&)> outer_observer_;
};

// tessaro's one history.
CEditHistory& EditHistory();
