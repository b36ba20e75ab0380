#pragma once
// The sprite and palette tables and the graphics they point to. A table is an array of 8-byte
// entries: the GBA address of the graphics, then a word the page carries unchanged. Sprites are
// 64 × 64 frames of 4-bit tiles (2048 bytes a frame), LZ77-compressed but for the trainers'
// back-view frames, which are stored raw one after another; palettes are 16 BGR555 colours,
// compressed.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace image_layout {

inline constexpr size_t kEntrySize = 8;
inline constexpr size_t kAddress = 0;  // 32-bit GBA address
inline constexpr size_t kExtra = 4;    // kept as read
// Stored addresses become ROM offsets by clearing bit 27; new ones are written with it set.
inline constexpr uint32_t kOffsetMask = 0xF7FFFFFF;
inline constexpr uint32_t kAddressBit = 0x08000000;

inline constexpr int kSide = 64;
inline constexpr uint32_t kFrameBytes = 2048;
// The page shows and edits up to this many frames of a sprite.
inline constexpr int kMaxFrames = 4;
inline constexpr int kColours = 16;
inline constexpr uint32_t kPaletteBytes = 32;

// What one read takes at most: a compressed sprite, a compressed palette (the encoder's worst
// case for 32 bytes is 48, not the 40 of literals alone), a raw back-view frame. Near the end of
// the file a read takes what is there and the bounded decoder decides.
inline constexpr size_t kSpriteReadCap = 10240;
inline constexpr size_t kPaletteReadCap = 48;
inline constexpr size_t kBackViewReadCap = kFrameBytes;
// The decoder's output buffer.
inline constexpr uint32_t kWorkBytes = 16384;

// The back-view palette of frame `frame`: frames are grouped per trainer, and Emerald has two
// more trainers than the other games. Frames outside the groups use palette 0.
inline int BackViewPalette(const char* game_code, int frame) {
  static constexpr int kEmerald[] = {4, 8, 13, 18, 22, 26, 30, 34};  // first frame after group
  static constexpr int kOthersEnd[] = {5, 10, 14, 18, 22, 26};
  static constexpr int kOthersPalette[] = {0, 1, 4, 5, 2, 3};
  if (frame < 0) return 0;
  if (game_code && std::strstr(game_code, "BPEJ")) {
    for (int p = 0; p < 8; ++p)
      if (frame < kEmerald[p]) return p;
    return 0;
  }
  for (int g = 0; g < 6; ++g)
    if (frame < kOthersEnd[g]) return kOthersPalette[g];
  return 0;
}

}  // namespace image_layout
