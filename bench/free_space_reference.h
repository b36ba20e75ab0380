#pragma once
// The free-space searches written the plain way: the file read four bytes at a time. Not part of
// the programs: the benchmark measures the block scan of CFinddummyspace against it, and the
// unit tests use it as the oracle the block scan must agree with on every input. It makes the
// same choices as the finder: an empty or inverted range reads nothing, a maximum of 0 asks for
// no place, a failed read empties the list, and a list place needs n + 4 bytes plus what the
// rounding adds, so that the data never ends past its run.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/file.h"

namespace free_space_reference {

class CWordFinder {
 public:
  std::filesystem::path rom;
  std::function<void(const std::string&)> report;

  uint32_t Finddummyspace(uint32_t start, uint32_t end, uint32_t n) {
    platform::CFile file;
    if (!file.Open(rom, platform::OpenMode::kReadExisting)) {
      Say(std::string(kName) + "::CFinddummyspace を実行中にエラーが発生しました。" +
          file.ErrorText());
      return 0;
    }
    uint32_t position = 0, run = 0;
    bool found = false;
    bool ok = file.Seek(start);
    while (ok && end > start && position < end - start) {
      uint32_t word = 0;
      if (!file.Read(&word, 4)) {
        ok = false;
        break;
      }
      position += 4;
      if (word == 0xFFFFFFFF) {
        run += 4;
        if (uint64_t(run) > uint64_t(n) + 4) {
          found = true;
          break;
        }
      } else {
        run = 0;
      }
    }
    file.Close();
    if (!ok) {
      Say(std::string(kName) + "::CFinddummyspace 読み込みに失敗しました。");
      return 0;
    }
    return found ? RoundUp4(start + position - run) : 0;
  }

  bool Finddummyspacelist(uint32_t start, uint32_t end, uint32_t n, std::vector<uint32_t>& list,
                          uint64_t maximum) {
    list.clear();
    platform::CFile file;
    if (!file.Open(rom, platform::OpenMode::kReadExisting)) {
      Say(std::string(kName) + "::Finddummyspacelist を実行中にエラーが発生しました。" +
          file.ErrorText());
      return false;
    }
    if (maximum == 0) return true;
    const uint32_t skew = (4 - start % 4) % 4;
    uint32_t position = 0, run = 0;
    bool ok = file.Seek(start);
    while (ok && end > start && position < end - start) {
      uint32_t word = 0;
      if (!file.Read(&word, 4)) {
        ok = false;
        break;
      }
      position += 4;
      if (word != 0xFFFFFFFF) {
        run = 0;
        continue;
      }
      run += 4;
      if (uint64_t(run) >= uint64_t(n) + 4 + skew) {
        list.push_back(RoundUp4(start + position - run + 4));
        run = 0;
        if (list.size() >= maximum) break;
      }
    }
    file.Close();
    if (!ok) {
      list.clear();
      Say(std::string(kName) + "::Finddummyspacelist 読み込みに失敗しました。");
      return false;
    }
    return true;
  }

  uint32_t Finddummyspaceadd() {
    platform::CFile file;
    uint64_t size = 0;
    if (!file.Open(rom, platform::OpenMode::kReadWriteExisting) || !file.Size(size)) {
      Say(std::string(kName) + "::Finddummyspaceadd を実行中にエラーが発生しました。" +
          file.ErrorText());
      return 0;
    }
    const uint8_t pad = 0xFF;
    while (size % 4 != 0) {
      if (!file.WriteAt(size, &pad, 1)) {
        Say(std::string("CFinddummyspace::Finddummyspaceadd ") + file.ErrorText());
        return 0;
      }
      ++size;
    }
    return static_cast<uint32_t>(size);
  }

 private:
  static constexpr const char* kName = "15CFinddummyspace";
  static uint32_t RoundUp4(uint32_t offset) { return (offset + 3) & ~3u; }
  void Say(const std::string& text) const {
    if (report) report(text);
  }
};

}  // namespace free_space_reference
