#include "patch/bps.h"

#include <algorithm>
#include <cstring>

namespace patch {

namespace {

uint32_t ReadU32(Bytes data, size_t at) {
  return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
         uint32_t(data[at + 3]) << 24;
}

bool Fail(Problem& problem, Fault fault, uint64_t offset) {
  problem = Problem{};
  problem.fault = fault;
  problem.offset = offset;
  return false;
}

// Reads a number at `at` (before `end`). Eight bytes spell every size a ROM can have and more;
// a longer number is refused, so no sum below can overflow.
bool ReadNumber(Bytes patch, size_t end, size_t& at, uint64_t& value, Problem& problem) {
  const size_t start = at;
  uint64_t result = 0, shift = 1;
  for (int i = 0; i < 8; ++i) {
    if (at >= end) return Fail(problem, Fault::kEndsEarly, start);
    const uint8_t byte = patch[at++];
    result += (byte & 0x7F) * shift;
    if (byte & 0x80) {
      value = result;
      return true;
    }
    shift <<= 7;
    result += shift;
  }
  return Fail(problem, Fault::kBadNumber, start);
}

// Moves a copy cursor by the signed delta a copy action carries; false when it would leave
// [0, limit).
bool MoveCursor(uint64_t& cursor, uint64_t encoded, uint64_t limit) {
  const uint64_t delta = encoded >> 1;
  if (encoded & 1) {
    if (delta > cursor || cursor - delta >= limit) return false;
    cursor -= delta;
  } else {
    if (delta >= limit || cursor >= limit - delta) return false;
    cursor += delta;
  }
  return true;
}

// A target copy repeats with the period of its distance: after the first stretch the bytes
// behind the write position already hold twice that period, so each step may copy twice as much.
void CopyWithin(uint8_t* data, uint64_t from, uint64_t to, uint64_t length) {
  while (length > 0) {
    const uint64_t n = std::min(length, to - from);
    std::memcpy(data + to, data + from, size_t(n));
    to += n;
    length -= n;
  }
}

}  // namespace

size_t BpsNumberBytes(uint64_t value) {
  size_t bytes = 1;
  while (value >= 0x80) {
    value = (value >> 7) - 1;
    ++bytes;
  }
  return bytes;
}

void AppendBpsNumber(std::vector<uint8_t>& out, uint64_t value) {
  for (;;) {
    const uint8_t low = value & 0x7F;
    value >>= 7;
    if (value == 0) {
      out.push_back(0x80 | low);
      return;
    }
    out.push_back(low);
    --value;
  }
}

bool ReadBpsHeader(Bytes patch, Info& info, size_t& actions_at, Problem& problem) {
  info = Info{};
  info.format = Format::kBps;
  info.patch_size = patch.size();
  if (patch.size() < sizeof kBpsMagic || std::memcmp(patch.data(), kBpsMagic, sizeof kBpsMagic) != 0)
    return Fail(problem, Fault::kNotPatch, 0);
  if (patch.size() < sizeof kBpsMagic + kBpsFooterBytes) return Fail(problem, Fault::kEndsEarly, patch.size());
  const size_t end = patch.size() - kBpsFooterBytes;
  info.source_crc = ReadU32(patch, end);
  info.target_crc = ReadU32(patch, end + 4);
  info.patch_crc = ReadU32(patch, end + 8);
  info.patch_crc_computed = Crc32(patch.first(end + 8));
  size_t at = sizeof kBpsMagic;
  uint64_t metadata_size = 0;
  if (!ReadNumber(patch, end, at, info.source_size, problem)) return false;
  const size_t target_at = at;
  if (!ReadNumber(patch, end, at, info.target_size, problem)) return false;
  const size_t metadata_at = at;
  if (!ReadNumber(patch, end, at, metadata_size, problem)) return false;
  if (metadata_size > end - at) return Fail(problem, Fault::kEndsEarly, metadata_at);
  info.metadata.assign(reinterpret_cast<const char*>(patch.data() + at), size_t(metadata_size));
  actions_at = at + size_t(metadata_size);
  if (info.target_size > kMaxRomBytes) {
    Fail(problem, Fault::kTargetTooLarge, target_at);
    problem.actual_size = info.target_size;
    return false;
  }
  return true;
}

bool ApplyBps(Bytes patch, Bytes source, std::vector<uint8_t>& target, Problem& problem) {
  std::vector<uint8_t>().swap(target);
  Info info;
  size_t at = 0;
  if (!ReadBpsHeader(patch, info, at, problem)) return false;
  const size_t end = patch.size() - kBpsFooterBytes;
  if (info.patch_crc != info.patch_crc_computed) {
    Fail(problem, Fault::kPatchChecksum, end + 8);
    problem.expected_crc = info.patch_crc;
    problem.actual_crc = info.patch_crc_computed;
    return false;
  }
  const uint32_t source_crc = Crc32(source);
  if (source.size() != info.source_size || source_crc != info.source_crc) {
    Fail(problem, Fault::kWrongSource, end);
    problem.expected_crc = info.source_crc;
    problem.actual_crc = source_crc;
    problem.expected_size = info.source_size;
    problem.actual_size = source.size();
    return false;
  }

  std::vector<uint8_t> out(size_t(info.target_size));
  const uint64_t size = out.size();
  uint64_t written = 0, source_cursor = 0, target_cursor = 0;
  while (at < end) {
    const size_t action_at = at;
    if (written == size) return Fail(problem, Fault::kTrailingBytes, action_at);
    uint64_t action = 0, delta = 0;
    if (!ReadNumber(patch, end, at, action, problem)) return false;
    const uint64_t length = (action >> 2) + 1;
    if (length > size - written) return Fail(problem, Fault::kWritesOutsideTarget, action_at);
    switch (action & 3) {
      case kSourceRead:
        if (written + length > source.size()) return Fail(problem, Fault::kReadsOutsideSource, action_at);
        std::memcpy(out.data() + written, source.data() + written, size_t(length));
        break;
      case kTargetRead:
        if (length > end - at) return Fail(problem, Fault::kEndsEarly, action_at);
        std::memcpy(out.data() + written, patch.data() + at, size_t(length));
        at += size_t(length);
        break;
      case kSourceCopy:
        if (!ReadNumber(patch, end, at, delta, problem)) return false;
        if (!MoveCursor(source_cursor, delta, source.size()) || length > source.size() - source_cursor)
          return Fail(problem, Fault::kReadsOutsideSource, action_at);
        std::memcpy(out.data() + written, source.data() + source_cursor, size_t(length));
        source_cursor += length;
        break;
      case kTargetCopy:
        if (!ReadNumber(patch, end, at, delta, problem)) return false;
        // Only bytes already made may be copied: the cursor lies before the write position.
        if (!MoveCursor(target_cursor, delta, written)) return Fail(problem, Fault::kWritesOutsideTarget, action_at);
        CopyWithin(out.data(), target_cursor, written, length);
        target_cursor += length;
        break;
    }
    written += length;
  }
  if (written != size) return Fail(problem, Fault::kEndsEarly, end);
  const uint32_t target_crc = Crc32(out);
  if (target_crc != info.target_crc) {
    Fail(problem, Fault::kResultChecksum, end + 4);
    problem.expected_crc = info.target_crc;
    problem.actual_crc = target_crc;
    return false;
  }
  target = std::move(out);
  problem = Problem{};
  return true;
}

}  // namespace patch
