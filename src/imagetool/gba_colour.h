#pragma once
// GBA colours (BGR555: red in bits 0-4, green 5-9, blue 10-14, bit 15 unused) and the screen
// colours pictoma keeps (COLORREF: red in bits 0-7, green 8-15, blue 16-23). Each channel moves
// by a shift of 3: the low three bits of a screen channel are dropped on the way to the GBA.
#include <cstdint>

namespace imagetool {

constexpr uint32_t Bgr555ToColorref(uint16_t c) {
  return uint32_t(c & 0x1F) << 3 | uint32_t((c >> 5) & 0x1F) << 11 | uint32_t((c >> 10) & 0x1F) << 19;
}

constexpr uint16_t ColorrefToBgr555(uint32_t c) {
  return static_cast<uint16_t>((c & 0xFF) >> 3 | ((c >> 8) & 0xFF) >> 3 << 5 | ((c >> 16) & 0xFF) >> 3 << 10);
}

}  // namespace imagetool
