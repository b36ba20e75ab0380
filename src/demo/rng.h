#pragma once
// A small deterministic generator (splitmix64): the same seed gives the same workspace on every
// host and compiler, which the standard library's distributions do not promise.
#include <cstdint>

namespace demo {

class CRng {
 public:
  explicit CRng(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1 (0 when n is 0).
  uint32_t Below(uint32_t n) { return n ? uint32_t(Next() % n) : 0; }
  // lo .. hi inclusive.
  int Range(int lo, int hi) { return lo + int(Below(uint32_t(hi - lo + 1))); }
  bool Percent(int percent) { return Below(100) < uint32_t(percent); }
  uint8_t Byte() { return uint8_t(Next()); }

 private:
  uint64_t state_;
};

}  // namespace demo
