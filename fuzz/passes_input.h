#pragma once
// The input of the passes fuzz target, shared with the seed writer: a small header, the body of
// one game's Setting.ini section, and the ROM as pieces laid over a filled image.
//
//   byte 0       game (index into kGameCodes, modulo 5)
//   byte 1       the byte the image is filled with
//   bytes 2-4    ROM size, 24-bit little-endian, kept within [kMinRomSize, kMaxRomSize]
//   bytes 5-12   four 16-bit signed record numbers every page shows besides its first records
//   byte 13      switches: bit 0 egg moves raw, bit 1 numbered species lists, bit 2 numbered
//                move/item/class lists, bit 3 hidden terminators
//   bytes 14-15  length of the settings text that follows (at most kMaxSettings)
//   then         the settings text ("key=value" lines; the section header is added)
//   then         pieces until the end: 24-bit offset, 16-bit length, the bytes (cut at the end
//                of the input or of the ROM)
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace passes_input {

inline constexpr std::array<const char*, 5> kGameCodes = {"AXVJ", "AXPJ", "BPEJ", "BPRJ", "BPGJ"};
inline constexpr uint32_t kMinRomSize = 0xB0;  // the game code is always there
inline constexpr uint32_t kMaxRomSize = 2 * 1024 * 1024;
inline constexpr size_t kHeaderSize = 16;
inline constexpr int kPicks = 4;
// Setting.ini is read again for every key: a long one costs more than every pass together.
inline constexpr size_t kMaxSettings = 4096;

struct Piece {
  uint32_t offset;
  std::vector<uint8_t> bytes;
};

struct Input {
  int game = 0;
  uint8_t fill = 0;
  uint32_t rom_size = kMinRomSize;
  std::array<int16_t, kPicks> picks{};
  uint8_t switches = 0;
  std::string settings;
  std::vector<Piece> pieces;
};

inline uint32_t Le(const uint8_t* p, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= uint32_t(p[i]) << (8 * i);
  return value;
}

inline void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

// False for an input shorter than the header.
inline bool Parse(const uint8_t* data, size_t size, Input& input) {
  if (size < kHeaderSize) return false;
  input.game = data[0] % int(kGameCodes.size());
  input.fill = data[1];
  input.rom_size = std::clamp(Le(data + 2, 3), kMinRomSize, kMaxRomSize);
  for (int i = 0; i < kPicks; ++i) input.picks[size_t(i)] = int16_t(Le(data + 5 + 2 * i, 2));
  input.switches = data[13];
  size_t at = kHeaderSize;
  size_t text = std::min<size_t>({Le(data + 14, 2), kMaxSettings, size - at});
  input.settings.assign(reinterpret_cast<const char*>(data + at), text);
  at += text;
  while (size - at >= 5) {
    Piece piece;
    piece.offset = Le(data + at, 3);
    size_t length = std::min<size_t>(Le(data + at + 3, 2), size - at - 5);
    at += 5;
    piece.bytes.assign(data + at, data + at + length);
    at += length;
    input.pieces.push_back(std::move(piece));
  }
  return true;
}

inline std::vector<uint8_t> Serialize(const Input& input) {
  std::vector<uint8_t> out;
  out.push_back(uint8_t(input.game));
  out.push_back(input.fill);
  PutLe(out, input.rom_size, 3);
  for (int16_t pick : input.picks) PutLe(out, uint16_t(pick), 2);
  out.push_back(input.switches);
  PutLe(out, uint32_t(input.settings.size()), 2);
  out.insert(out.end(), input.settings.begin(), input.settings.end());
  for (const Piece& piece : input.pieces)
    for (size_t at = 0; at < piece.bytes.size(); at += 0xFFFF) {
      size_t length = std::min<size_t>(0xFFFF, piece.bytes.size() - at);
      PutLe(out, piece.offset + uint32_t(at), 3);
      PutLe(out, uint32_t(length), 2);
      out.insert(out.end(), piece.bytes.begin() + long(at), piece.bytes.begin() + long(at + length));
    }
  return out;
}

// The ROM image the input describes, with the game code in its header, into `rom` (whose
// memory is reused).
inline void Image(const Input& input, std::vector<uint8_t>& rom) {
  rom.assign(input.rom_size, input.fill);
  for (const Piece& piece : input.pieces) {
    if (piece.offset >= rom.size()) continue;
    size_t length = std::min(piece.bytes.size(), rom.size() - piece.offset);
    std::copy_n(piece.bytes.begin(), length, rom.begin() + long(piece.offset));
  }
  std::copy_n(kGameCodes[size_t(input.game)], 4, rom.begin() + 0xAC);
}

}  // namespace passes_input
