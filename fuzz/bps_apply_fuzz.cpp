// BPS apply on arbitrary bytes, with the original's and the patch's checksums put right so the
// actions are reached: it never reads or writes out of bounds, refuses with an empty result, and
// what it makes survives a round trip through the encoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "patch/bps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  patch::Info info;
  patch::Problem problem;
  size_t actions_at = 0;
  const bool header = patch::ReadBpsHeader(bytes, info, actions_at, problem);
  std::vector<uint8_t> source(header && info.source_size <= (1u << 16) ? size_t(info.source_size) : 256);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i * 31 ^ i >> 7);
  if (header) {
    // Stored little-endian, as the hosts the fuzzer runs on hold them.
    const size_t end = bytes.size() - patch::kBpsFooterBytes;
    const uint32_t source_crc = patch::Crc32(source);
    std::memcpy(bytes.data() + end, &source_crc, 4);
    const uint32_t own = patch::Crc32(std::span(bytes).first(end + 8));
    std::memcpy(bytes.data() + end + 8, &own, 4);
  }
  std::vector<uint8_t> target;
  if (!patch::ApplyBps(bytes, source, target, problem)) {
    if (!target.empty()) std::abort();
    return 0;
  }
  if (target.size() != info.target_size) std::abort();
  const std::vector<uint8_t> again = patch::MakeBps(source, target);
  std::vector<uint8_t> back;
  if (!patch::ApplyBps(again, source, back, problem) || back != target) std::abort();
  return 0;
}
