// IPS apply on arbitrary bytes over a small original: never out of bounds, refuses with an empty
// result, and what it makes (when IPS can say it) survives a round trip through the encoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "patch/ips.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> source(size > 0 ? size_t(data[0]) * 64 : 0);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i * 13 ^ i >> 5);
  std::vector<uint8_t> target, again, back;
  patch::Problem problem;
  if (!patch::ApplyIps({data, size}, source, target, problem)) {
    if (!target.empty()) std::abort();
    return 0;
  }
  if (!patch::MakeIps(source, target, again, problem)) {
    if (problem.fault != patch::Fault::kIpsOutOfReach) std::abort();
    return 0;
  }
  if (!patch::ApplyIps(again, source, back, problem) || back != target) std::abort();
  return 0;
}
