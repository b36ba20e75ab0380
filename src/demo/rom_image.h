#pragma once
// A ROM being generated: the bytes, and every block placed in them with its name, so that
// blocks never overlap and the read-me can say where things are.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/rom_address.h"

namespace demo {

using ::kGbaBase;

struct Block {
  std::string name;
  uint32_t offset;
  uint32_t size;
};

class CRomImage {
 public:
  // `size` bytes of 0x00; blocks are placed upwards from `first_free`.
  CRomImage(uint32_t size, uint32_t first_free);

  // Reserves `size` bytes at the next offset aligned to `align`. Throws std::length_error when
  // the ROM is full (a generator bug or a --size too small, reported by the caller).
  uint32_t Place(const std::string& name, uint32_t size, uint32_t align = 4);
  // Places `bytes` and returns their offset.
  uint32_t PlaceBytes(const std::string& name, std::span<const uint8_t> bytes, uint32_t align = 4);
  // Records a block at a fixed place (the header, the free-space regions).
  void Mark(const std::string& name, uint32_t offset, uint32_t size);
  // Moves the placing position forward, leaving a gap.
  void Skip(uint32_t bytes) { next_ += bytes; }

  void Put8(uint32_t at, uint8_t v) { bytes_.at(at) = v; }
  void Put16(uint32_t at, uint16_t v);
  void Put32(uint32_t at, uint32_t v);
  // A GBA address of `target` at `at`.
  void PutPointer(uint32_t at, uint32_t target) { Put32(at, target + kGbaBase); }
  void PutBytes(uint32_t at, std::span<const uint8_t> bytes);
  void Fill(uint32_t at, uint32_t size, uint8_t value);

  uint32_t size() const { return uint32_t(bytes_.size()); }
  uint32_t next_free() const { return next_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t>& bytes() { return bytes_; }
  const std::vector<Block>& blocks() const { return blocks_; }

 private:
  std::vector<uint8_t> bytes_;
  uint32_t next_;
  std::vector<Block> blocks_;
};

}  // namespace demo
