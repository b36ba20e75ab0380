#include "core/rom_writer.h"

#include <algorithm>
#include <utility>

#include "core/rom_backup.h"
#include "platform/error_text.h"

namespace {

std::function<void(const RomChangeRecord&)>& Observer() {
  static std::function<void(const RomChangeRecord&)> observer;
  return observer;
}

}  // namespace

std::function<void(const RomChangeRecord&)> SetRomChangeObserver(std::function<void(const RomChangeRecord&)> observer) {
  return std::exchange(Observer(), std::move(observer));
}

uint64_t CurrentRomSize(const std::filesystem::path& rom) {
  platform::CFile file;
  uint64_t size = 0;
  return file.Open(rom, platform::OpenMode::kReadShared) && file.Size(size) ? size : 0;
}

CRomChange::CRomChange(std::filesystem::path rom) { record_.rom = std::move(rom); }

CRomChange::~CRomChange() {
  if (open_ && !committed_) Abandon();
}

bool CRomChange::Refuse(const char* text) {
  error_ = text;
  failed_ = true;
  if (open_ && !Restore()) error_ += kChangeNotUndoneText;
  return false;
}

bool CRomChange::FailIo() {
  error_ = file_.ErrorText();
  failed_ = true;
  if (open_ && !Restore()) error_ += kChangeNotUndoneText;
  return false;
}

bool CRomChange::Usable() {
  if (failed_) return false;
  if (!open_ || cut_) return Refuse(platform::kNotOpenText);
  return true;
}

bool CRomChange::Open() {
  if (open_ || failed_) return !failed_;
  std::string reason;
  if (backup_ && !RomBackup().BeforeWrite(record_.rom, reason)) {
    error_ = reason;
    failed_ = true;
    return false;
  }
  // Never created: a ROM that vanished is an error.
  if (!file_.Open(record_.rom, platform::OpenMode::kReadWriteExisting) || !file_.Size(size_)) {
    error_ = file_.ErrorText();
    failed_ = true;
    file_.Close();
    return false;
  }
  record_.old_size = record_.new_size = size_;
  open_ = true;
  return true;
}

bool CRomChange::Read(uint64_t offset, void* buffer, size_t bytes) {
  if (!Usable()) return false;
  if (offset > size_ || bytes > size_ - offset) return Refuse(kWriteOutsideRomText);
  return file_.ReadAt(offset, buffer, bytes) || FailIo();
}

bool CRomChange::Write(int64_t offset, std::span<const uint8_t> bytes) {
  if (!Usable()) return false;
  if (offset < 0 || uint64_t(offset) > size_) return Refuse(kWriteOutsideRomText);
  const uint64_t at = uint64_t(offset);
  const bool append = at == size_;
  if (!append && bytes.size() > size_ - at) return Refuse(kWriteOutsideRomText);
  if (!FitsCartridge(at, bytes.size())) return Refuse(kCartridgeFullText);
  if (bytes.empty()) return true;
  RomPiece piece;
  piece.offset = at;
  if (!append) {
    piece.before.resize(bytes.size());
    if (!file_.ReadAt(at, piece.before.data(), piece.before.size())) return FailIo();
  }
  piece.after.assign(bytes.begin(), bytes.end());
  // Recorded before it is written: a write that fails part-way is put back too.
  record_.pieces.push_back(std::move(piece));
  if (append) size_ += bytes.size();
  if (!file_.WriteAt(at, bytes.data(), bytes.size())) return FailIo();
  record_.new_size = size_;
  return true;
}

bool CRomChange::Append(std::span<const uint8_t> bytes, uint64_t* at) {
  if (!Usable()) return false;
  const uint64_t place = size_;
  if (!Write(int64_t(place), bytes)) return false;
  if (at) *at = place;
  return true;
}

bool CRomChange::PadTo(uint64_t multiple, uint8_t fill) {
  if (!Usable()) return false;
  if (multiple < 2 || size_ % multiple == 0) return true;
  const std::vector<uint8_t> pad(size_t(multiple - size_ % multiple), fill);
  return Append(pad);
}

bool CRomChange::Cut(uint64_t new_size) {
  if (!Shrink(new_size)) return false;
  cut_ = true;
  return true;
}

bool CRomChange::Shrink(uint64_t new_size) {
  if (!Usable()) return false;
  if (new_size > size_) return Refuse(kWriteOutsideRomText);
  if (new_size == size_) return true;
  RomPiece piece;
  piece.offset = new_size;
  piece.before.resize(size_t(size_ - new_size));
  if (!file_.ReadAt(new_size, piece.before.data(), piece.before.size())) return FailIo();
  record_.pieces.push_back(std::move(piece));
  if (!file_.Truncate(new_size)) return FailIo();
  size_ = record_.new_size = new_size;
  return true;
}

bool CRomChange::Rewrite(std::span<const uint8_t> target) {
  if (!Usable()) return false;
  if (target.size() > kCartridgeBytes) return Refuse(kCartridgeFullText);
  const uint64_t common = std::min<uint64_t>(size_, target.size());
  std::vector<uint8_t> now(size_t(1) << 20);
  for (uint64_t block = 0; block < common; block += now.size()) {
    const size_t n = size_t(std::min<uint64_t>(now.size(), common - block));
    if (!file_.ReadAt(block, now.data(), n)) return FailIo();
    for (size_t i = 0; i < n;) {
      if (now[i] == target[block + i]) {
        ++i;
        continue;
      }
      size_t end = i;
      while (end < n && now[end] != target[block + end]) ++end;
      if (!Write(int64_t(block + i), target.subspan(size_t(block + i), end - i))) return false;
      i = end;
    }
  }
  if (target.size() > size_) return Append(target.subspan(size_t(size_)));
  if (target.size() < size_) return Cut(target.size());
  return true;
}

bool CRomChange::Restore() {
  bool ok = true;
  for (auto piece = record_.pieces.rbegin(); piece != record_.pieces.rend(); ++piece) {
    if (!piece->before.empty() && !file_.WriteAt(piece->offset, piece->before.data(), piece->before.size()))
      ok = false;
  }
  uint64_t now = 0;
  if (file_.Size(now) && now != record_.old_size && !file_.Truncate(record_.old_size)) ok = false;
  record_.pieces.clear();
  size_ = record_.new_size = record_.old_size;
  file_.Close();
  open_ = false;
  return ok;
}

void CRomChange::Abandon() {
  if (open_ && !Restore()) error_ += kChangeNotUndoneText;
  failed_ = true;
}

bool CRomChange::Commit() {
  if (failed_ || !open_) return false;
  file_.Close();
  open_ = false;
  committed_ = true;
  if (observed_ && !record_.empty() && Observer()) Observer()(record_);
  return true;
}

bool RevertRomChange(const RomChangeRecord& change, bool undo, std::string& error) {
  CRomChange revert(change.rom);
  revert.observed_ = false;
  if (!revert.Open()) {
    error = revert.error();
    return false;
  }
  // Step by step, each piece checked against what the file must hold at that point.
  auto holds = [&](uint64_t offset, const std::vector<uint8_t>& bytes) {
    if (offset > revert.size() || bytes.size() > revert.size() - offset) return false;
    std::vector<uint8_t> now(bytes.size());
    return bytes.empty() || (revert.file_.ReadAt(offset, now.data(), now.size()) && now == bytes);
  };
  auto changed = [&] {
    revert.Abandon();
    error = kRomChangedText;
    return false;
  };
  if (revert.size() != (undo ? change.new_size : change.old_size)) return changed();
  if (undo) {
    for (auto piece = change.pieces.rbegin(); piece != change.pieces.rend(); ++piece) {
      if (!holds(piece->offset, piece->after)) return changed();
      if (piece->after.empty()) {  // a cut: the bytes come back at the end
        if (piece->offset != revert.size() || !revert.Append(piece->before)) break;
      } else if (piece->before.empty()) {  // an append: cut back
        if (piece->offset + piece->after.size() != revert.size()) return changed();
        if (!revert.Shrink(piece->offset)) break;
      } else if (!revert.Write(int64_t(piece->offset), piece->before)) {
        break;
      }
    }
  } else {
    for (const RomPiece& piece : change.pieces) {
      if (!holds(piece.offset, piece.before)) return changed();
      if (piece.after.empty()) {
        if (piece.offset + piece.before.size() != revert.size() || !revert.Shrink(piece.offset)) break;
      } else if (!revert.Write(int64_t(piece.offset), piece.after)) {
        break;
      }
    }
  }
  if (revert.failed() || !revert.Commit()) {
    error = revert.error();
    return false;
  }
  return true;
}
