#pragma once
// CFinddummyspace: finds free space in the ROM file for tables that grew. Free space is a run of
// 32-bit words 0xFFFFFFFF read from a region's start (aligned to that start); results are ROM
// offsets rounded up to a multiple of 4, and never leave the placed bytes outside free words.
// The searches read the file as saved, by path, and close it before they return. Up to three
// regions come from the game's "domain%d" / "domain%dend" keys, read again on every ROM load.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct FreeRegion {
  uint32_t start = 0;  // 0: absent
  uint32_t length = 0;
};

class CFinddummyspace {
 public:
  static constexpr int kRegions = 3;

  // Reads the regions of section `game_code` (strtoul base 0). A region without its start key
  // is absent; a start without its end key ends the reading (that region and the ones after it
  // are absent); an end not above its start leaves the region absent.
  void ReadRegions(const std::filesystem::path& setting_ini, const char* game_code);
  // True with the region's start and length; false for an index outside 0-2 or an absent region.
  bool GetRegion(int index, uint32_t& start, uint32_t& length) const;
  void SetRegion(int index, FreeRegion region);

  // The file the searches read.
  void set_rom(const std::filesystem::path& rom) { rom_ = rom; }
  const std::filesystem::path& rom() const { return rom_; }
  // A ROM was loaded: its game's regions, and the searches read it.
  void FollowLoad(const std::filesystem::path& setting_ini, const char* game_code,
                  const std::filesystem::path& rom) {
    ReadRegions(setting_ini, game_code);
    set_rom(rom);
  }
  // Where messages go (tessaro: the status bar). Without one they are dropped.
  void set_report(std::function<void(const std::string&)> report) { report_ = std::move(report); }

  // The first place in [start, end) where `n` bytes fit: the start of the first free run longer
  // than n + 4 bytes, rounded up; 0 when there is none or on a file error.
  uint32_t Finddummyspace(uint32_t start, uint32_t end, uint32_t n);
  // Up to `maximum` places in [start, end) for `n` bytes, each one free word into its run, in
  // file order (a maximum of 0 asks for none); false with the list empty on a file error.
  bool Finddummyspacelist(uint32_t start, uint32_t end, uint32_t n, std::vector<uint32_t>& list,
                          uint64_t maximum);
  // Pads the file with 0xFF to a multiple of 4 and returns its size; 0 on error.
  uint32_t Finddummyspaceadd();

  // What the last search reported of its failure (a file that could not be read), or "" when it
  // ran through: a caller that found no place can tell "none" from "could not look".
  const std::string& last_failure() const { return last_failure_; }

  // The searches read the file in blocks of this many bytes (a multiple of 4, at least 4).
  static constexpr size_t kBlockSize = size_t(1) << 20;
  // For tests: smaller blocks, so that runs and hits fall across block boundaries.
  void set_block_size(size_t bytes) { block_size_ = bytes < 4 ? 4 : bytes & ~size_t(3); }

  // The byte count going into the choose-space dialog and the offset coming out (0: none).
  uint32_t value = 0;

 private:
  void Report(const std::string& text);

  FreeRegion regions_[kRegions];
  std::filesystem::path rom_;
  std::function<void(const std::string&)> report_;
  std::string last_failure_;
  size_t block_size_ = kBlockSize;
};

// The program's one finder.
CFinddummyspace& FreeSpace();
