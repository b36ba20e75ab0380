#include "patch/patch.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "patch/bps.h"
#include "patch/ips.h"

namespace patch {

bool Inspect(Bytes patch, Info& info, Problem& problem) {
  size_t actions_at = 0;
  switch (FormatOfBytes(patch)) {
    case Format::kBps: return ReadBpsHeader(patch, info, actions_at, problem);
    case Format::kIps: return InspectIps(patch, info, problem);
    default:
      info = Info{};
      problem = Problem{Fault::kNotPatch};
      return false;
  }
}

bool Apply(Bytes patch, Bytes source, std::vector<uint8_t>& target, Problem& problem) {
  switch (FormatOfBytes(patch)) {
    case Format::kBps: return ApplyBps(patch, source, target, problem);
    case Format::kIps: return ApplyIps(patch, source, target, problem);
    default:
      target.clear();
      problem = Problem{Fault::kNotPatch};
      return false;
  }
}

bool Make(Format format, Bytes source, Bytes target, std::vector<uint8_t>& patch, Problem& problem,
          std::string_view metadata) {
  problem = Problem{};
  patch.clear();
  if (source.size() > kMaxRomBytes || target.size() > kMaxRomBytes) {
    problem.fault = Fault::kInputTooLarge;
    problem.expected_size = kMaxRomBytes;
    return false;
  }
  if (format == Format::kIps) return MakeIps(source, target, patch, problem);
  if (format != Format::kBps) {
    problem.fault = Fault::kNotPatch;
    return false;
  }
  patch = MakeBps(source, target, metadata);
  return true;
}

}  // namespace patch
