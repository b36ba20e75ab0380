#include "core/free_space.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/ini.h"
#include "core/rom_writer.h"
#include "core/failure_text.h"
#include "platform/file.h"

namespace {

constexpr uint32_t kFreeWord = 0xFFFFFFFF;

uint32_t RoundUp4(uint64_t offset) { return static_cast<uint32_t>((offset + 3) & ~uint64_t(3)); }

enum class Scan { kRangeEnd, kStopped, kReadFailed };

// Visits the words read at start, start + 4, ... for every word that begins before `end` (the
// last one may reach up to 3 bytes past it), reading the file in blocks of `block` bytes.
// `visit(position, free)` gets the number of bytes read from `start` up to the end of the word
// and whether the word is 0xFFFFFFFF; returning true stops the scan. A word that is not wholly
// inside the file is a read failure, met only when the scan gets that far.
template <class Visit>
Scan ScanWords(platform::CFile& file, uint32_t start, uint32_t end, size_t block, Visit visit) {
  if (end <= start) return Scan::kRangeEnd;
  const uint64_t words = (uint64_t(end) - start + 3) / 4;
  uint64_t size = 0;
  if (!file.Size(size)) return Scan::kReadFailed;
  const uint64_t present = size > start ? (size - start) / 4 : 0;
  uint64_t left = std::min(words, present);
  if (left > 0) {
    if (!file.Seek(start)) return Scan::kReadFailed;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(block, left * 4)));
    uint64_t position = 0;
    while (left > 0) {
      const size_t count = static_cast<size_t>(std::min<uint64_t>(buffer.size() / 4, left));
      if (!file.Read(buffer.data(), count * 4)) return Scan::kReadFailed;
      const uint8_t* p = buffer.data();
      for (size_t i = 0; i < count; ++i, p += 4) {
        uint32_t word;
        std::memcpy(&word, p, 4);
        position += 4;
        if (visit(position, word == kFreeWord)) return Scan::kStopped;
      }
      left -= count;
    }
  }
  return present < words ? Scan::kReadFailed : Scan::kRangeEnd;
}

// Profile values are 32-bit offsets; a longer unsigned long saturates as it does on Windows.
uint32_t ToOffset(unsigned long value) {
  return static_cast<uint32_t>(std::min<uint64_t>(value, 0xFFFFFFFF));
}

}  // namespace

void CFinddummyspace::Report(const std::string& text) {
  last_failure_ = text;
  if (report_) report_(text);
}

void CFinddummyspace::ReadRegions(const std::filesystem::path& setting_ini, const char* game_code) {
  for (FreeRegion& region : regions_) region = {};
  CINI ini;
  for (int i = 0; i < kRegions; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "domain%d", i + 1);
    const std::string end_key = std::string(key) + "end";
    unsigned long start = 0, end = 0;
    if (!ini.GetULong(setting_ini, game_code, key, start)) continue;
    if (!ini.GetULong(setting_ini, game_code, end_key.c_str(), end)) break;
    if (ToOffset(end) > ToOffset(start)) {
      regions_[i] = {ToOffset(start), ToOffset(end) - ToOffset(start)};
    }
  }
}

bool CFinddummyspace::GetRegion(int index, uint32_t& start, uint32_t& length) const {
  if (index < 0 || index >= kRegions || regions_[index].start == 0) return false;
  start = regions_[index].start;
  length = regions_[index].length;
  return true;
}

void CFinddummyspace::SetRegion(int index, FreeRegion region) {
  if (index >= 0 && index < kRegions) regions_[index] = region;
}

uint32_t CFinddummyspace::Finddummyspace(uint32_t start, uint32_t end, uint32_t n) {
  last_failure_.clear();
  platform::CFile file;
  if (!file.Open(rom_, platform::OpenMode::kReadExisting)) {
    Report(FailureOf(*this, "CFinddummyspace", file.ErrorText()));
    return 0;
  }
  // A run longer than n + 4 bytes holds the data from its first byte rounded up (by at most 3):
  // at least 2 free bytes stay behind it, more than 4 when the start is a multiple of 4.
  const uint64_t need = uint64_t(n) + 4;
  uint64_t run = 0;
  uint32_t result = 0;
  Scan scan = ScanWords(file, start, end, block_size_, [&](uint64_t position, bool free) {
    if (!free) {
      run = 0;
      return false;
    }
    run += 4;
    if (run <= need) return false;
    result = RoundUp4(start + position - run);
    return true;
  });
  file.Close();
  if (scan == Scan::kReadFailed) {
    Report(std::string(RunTimeName(*this)) + "::CFinddummyspace 読み込みに失敗しました。" + file.ErrorText());
    return 0;
  }
  return result;
}

bool CFinddummyspace::Finddummyspacelist(uint32_t start, uint32_t end, uint32_t n,
                                         std::vector<uint32_t>& list, uint64_t maximum) {
  list.clear();
  last_failure_.clear();
  platform::CFile file;
  if (!file.Open(rom_, platform::OpenMode::kReadExisting)) {
    Report(FailureOf(*this, "Finddummyspacelist", file.ErrorText()));
    return false;
  }
  if (maximum == 0) return true;
  // A place starts one word into its run and is rounded up to a multiple of 4. Runs begin at
  // the region start plus a multiple of 4, so the rounding adds the same `skew` to every place;
  // the run must hold it as well as the n bytes, or the data would end past the free words.
  const uint32_t skew = (0u - start) & 3u;
  const uint64_t need = uint64_t(n) + 4 + skew;
  uint64_t run = 0;
  Scan scan = ScanWords(file, start, end, block_size_, [&](uint64_t position, bool free) {
    if (!free) {
      run = 0;
      return false;
    }
    run += 4;
    if (run < need) return false;
    list.push_back(RoundUp4(start + position - run + 4));
    run = 0;
    return list.size() >= maximum;
  });
  file.Close();
  if (scan == Scan::kReadFailed) {
    list.clear();
    Report(std::string(RunTimeName(*this)) + "::Finddummyspacelist 読み込みに失敗しました。" + file.ErrorText());
    return false;
  }
  return true;
}

uint32_t CFinddummyspace::Finddummyspaceadd() {
  last_failure_.clear();
  // The pad is a change of its own through the ROM writer: whole or not at all.
  CRomChange change(rom_);
  if (!change.Open()) {
    Report(FailureOf(*this, "Finddummyspaceadd", change.error()));
    return 0;
  }
  if (!change.PadTo(4)) {
    Report(std::string("CFinddummyspace::Finddummyspaceadd ") + change.error());
    return 0;
  }
  // Data appended there must still fit the cartridge.
  if (change.size() >= kCartridgeBytes) {
    change.Abandon();
    Report(std::string("CFinddummyspace::Finddummyspaceadd ") + kCartridgeFullText);
    return 0;
  }
  change.Commit();
  return static_cast<uint32_t>(change.size());
}

CFinddummyspace& FreeSpace() {
  static CFinddummyspace finder;
  return finder;
}
