#include "core/edit_history.h"

#include <algorithm>
#include <utility>

size_t HistoryEntry::bytes() const {
  size_t total = label.size();
  for (const CopyRun& run : copies) total += run.before.size() + run.after.size();
  for (const RomChangeRecord& change : changes)
    for (const RomPiece& piece : change.pieces) total += piece.before.size() + piece.after.size();
  return total;
}

std::vector<std::span<uint8_t>> CEditHistory::Copies() const {
  std::vector<std::span<uint8_t>> copies;
  if (copies_) copies_(copies);
  return copies;
}

void CEditHistory::Begin(std::string label, int page, int record) {
  if (depth_++ > 0) return;
  pending_ = HistoryEntry{std::move(label), page, record, {}, {}};
  picture_.clear();
  for (std::span<uint8_t> copy : Copies()) picture_.emplace_back(copy.begin(), copy.end());
  outer_observer_ = SetRomChangeObserver([this](const RomChangeRecord& change) {
    pending_.changes.push_back(change);
    if (outer_observer_) outer_observer_(change);
  });
}

void CEditHistory::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  SetRomChangeObserver(std::move(outer_observer_));
  outer_observer_ = nullptr;
  const std::vector<std::span<uint8_t>> now = Copies();
  // Copies are compared where they kept their size; one that changed size belongs to a new
  // load, which clears the history anyway.
  for (size_t c = 0; c < now.size() && c < picture_.size(); ++c) {
    const std::vector<uint8_t>& was = picture_[c];
    const std::span<uint8_t> is = now[c];
    if (was.size() != is.size()) continue;
    for (size_t i = 0; i < is.size();) {
      if (was[i] == is[i]) {
        ++i;
        continue;
      }
      size_t end = i;
      // Runs a few equal bytes apart are one run: fewer, slightly longer runs.
      for (size_t equal = 0; end < is.size() && equal < 8; ++end) equal = was[end] == is[end] ? equal + 1 : 0;
      while (end > i && was[end - 1] == is[end - 1]) --end;
      pending_.copies.push_back(CopyRun{c, i, std::vector<uint8_t>(was.begin() + ptrdiff_t(i), was.begin() + ptrdiff_t(end)),
                                        std::vector<uint8_t>(is.begin() + ptrdiff_t(i), is.begin() + ptrdiff_t(end))});
      i = end;
    }
  }
  picture_.clear();
  if (!pending_.copies.empty() || !pending_.changes.empty()) Push(std::move(pending_));
  pending_ = {};
}

void CEditHistory::Track(std::string label, int page, int record, const std::function<void()>& action) {
  Begin(std::move(label), page, record);
  action();
  End();
}

void CEditHistory::Push(HistoryEntry entry) {
  // A new operation drops what could have been redone.
  while (entries_.size() > applied_) {
    bytes_ -= entries_.back().bytes();
    entries_.pop_back();
  }
  bytes_ += entry.bytes();
  entries_.push_back(std::move(entry));
  applied_ = entries_.size();
  while (entries_.size() > 1 && (entries_.size() > kMaxEntries || bytes_ > kMaxBytes)) {
    bytes_ -= entries_.front().bytes();
    entries_.pop_front();
    --applied_;
  }
}

const std::string& CEditHistory::UndoLabel() const {
  static const std::string none;
  return CanUndo() ? entries_[applied_ - 1].label : none;
}

const std::string& CEditHistory::RedoLabel() const {
  static const std::string none;
  return CanRedo() ? entries_[applied_].label : none;
}

HistoryStep CEditHistory::Undo() { return Step(true); }
HistoryStep CEditHistory::Redo() { return Step(false); }

HistoryStep CEditHistory::Step(bool undo) {
  HistoryStep step;
  if (undo ? !CanUndo() : !CanRedo()) {
    step.status = undo ? kNothingToUndoText : kNothingToRedoText;
    return step;
  }
  const HistoryEntry& entry = entries_[undo ? applied_ - 1 : applied_];
  step.page = entry.page;
  step.record = entry.record;
  // The file first: an undo takes the last change back first, a redo makes the first again
  // first. A change that cannot be reverted stops the step, and those already reverted are
  // made again, so the file and the copies stay as the entry left them.
  const size_t n = entry.changes.size();
  for (size_t k = 0; k < n; ++k) {
    const RomChangeRecord& change = entry.changes[undo ? n - 1 - k : k];
    std::string error;
    if (RevertRomChange(change, undo, error)) continue;
    for (size_t back = k; back-- > 0;) {
      std::string ignored;
      RevertRomChange(entry.changes[undo ? n - 1 - back : back], !undo, ignored);
    }
    step.status = error;
    return step;
  }
  const std::vector<std::span<uint8_t>> copies = Copies();
  for (const CopyRun& run : entry.copies) {
    if (run.copy >= copies.size()) continue;
    const std::vector<uint8_t>& bytes = undo ? run.before : run.after;
    std::span<uint8_t> copy = copies[run.copy];
    if (run.offset + bytes.size() <= copy.size()) std::copy(bytes.begin(), bytes.end(), copy.begin() + ptrdiff_t(run.offset));
  }
  applied_ = undo ? applied_ - 1 : applied_ + 1;
  step.done = true;
  step.status = (undo ? kUndoneText : kRedoneText) + entry.label;
  return step;
}

void CEditHistory::Clear() {
  entries_.clear();
  applied_ = 0;
  bytes_ = 0;
}

CEditHistory& EditHistory() {
  static CEditHistory history;
  return history;
}
