#pragma once
// Pointers stored in a ROM are GBA addresses: the ROM offset plus this base.
#include <cstdint>

inline constexpr uint32_t kGbaBase = 0x08000000;
