#include "patch/ips.h"

#include <algorithm>
#include <cstring>

namespace patch {

namespace {

constexpr char kIpsMagic[5] = {'P', 'A', 'T', 'C', 'H'};
constexpr char kIpsEnd[3] = {'E', 'O', 'F'};
constexpr size_t kRecordHeader = 5;  // offset and size
constexpr size_t kRunRecord = 8;     // offset, 0, count, byte

uint32_t ReadBE(Bytes data, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | data[at + size_t(i)];
  return value;
}

void AppendBE(std::vector<uint8_t>& out, uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

bool Fail(Problem& problem, Fault fault, uint64_t offset) {
  problem = Problem{};
  problem.fault = fault;
  problem.offset = offset;
  return false;
}

// Walks every record in order, calling on_record(offset, bytes or null for a run, length, run
// byte); fills `info`. False at the first record that is cut short or bytes that follow the end.
template <class OnRecord>
bool WalkIps(Bytes patch, Info& info, Problem& problem, OnRecord on_record) {
  info = Info{};
  info.format = Format::kIps;
  info.patch_size = patch.size();
  if (patch.size() < sizeof kIpsMagic || std::memcmp(patch.data(), kIpsMagic, sizeof kIpsMagic) != 0)
    return Fail(problem, Fault::kNotPatch, 0);
  size_t at = sizeof kIpsMagic;
  for (;;) {
    const size_t left = patch.size() - at;
    if (left >= sizeof kIpsEnd && std::memcmp(patch.data() + at, kIpsEnd, sizeof kIpsEnd) == 0) break;
    if (left < kRecordHeader) return Fail(problem, Fault::kEndsEarly, at);
    const uint32_t offset = ReadBE(patch, at, 3);
    size_t length = ReadBE(patch, at + 3, 2);
    if (length > 0) {
      if (left - kRecordHeader < length) return Fail(problem, Fault::kEndsEarly, at);
      on_record(offset, patch.data() + at + kRecordHeader, length, uint8_t(0));
      at += kRecordHeader + length;
    } else {
      if (left < kRunRecord) return Fail(problem, Fault::kEndsEarly, at);
      length = ReadBE(patch, at + kRecordHeader, 2);
      on_record(offset, nullptr, length, patch[at + kRecordHeader + 2]);
      at += kRunRecord;
      ++info.run_records;
    }
    ++info.records;
    info.write_end = std::max<uint64_t>(info.write_end, offset + length);
  }
  at += sizeof kIpsEnd;
  if (patch.size() - at == 3) {
    info.truncates = true;
    info.truncated_size = ReadBE(patch, at, 3);
  } else if (patch.size() != at) {
    return Fail(problem, Fault::kTrailingBytes, at);
  }
  return true;
}

class CIpsWriter {
 public:
  CIpsWriter(Bytes target, std::vector<uint8_t>& out) : target_(target), out_(out) {}

  // The target's bytes [start, end) as records of plain data.
  void Data(uint64_t start, uint64_t end) {
    while (start < end) {
      const uint64_t n = std::min<uint64_t>(end - start, kIpsMaxRecord);
      Record(start, n, false);
      start += n;
    }
  }
  // The run of target[start] over [start, end) as run records.
  void Run(uint64_t start, uint64_t end) {
    while (start < end) {
      const uint64_t n = std::min<uint64_t>(end - start, kIpsMaxRecord);
      Record(start, n, true);
      start += n;
    }
  }

 private:
  void Record(uint64_t offset, uint64_t length, bool run) {
    if (offset == kIpsEofOffset) {
      // It would read as the end marker: the record starts one byte earlier, as plain data.
      const uint64_t n = std::min<uint64_t>(length + 1, kIpsMaxRecord);
      Record(offset - 1, n, false);
      if (n < length + 1) run ? Run(offset - 1 + n, offset + length) : Data(offset - 1 + n, offset + length);
      return;
    }
    AppendBE(out_, offset, 3);
    if (run) {
      AppendBE(out_, 0, 2);
      AppendBE(out_, length, 2);
      out_.push_back(target_[size_t(offset)]);
    } else {
      AppendBE(out_, length, 2);
      out_.insert(out_.end(), target_.begin() + ptrdiff_t(offset), target_.begin() + ptrdiff_t(offset + length));
    }
  }

  Bytes target_;
  std::vector<uint8_t>& out_;
};

// Writes the changed stretch [start, end) with a run record for each run long enough to pay for
// the records it adds: a run costs 8 bytes, and each piece of plain data beside it 5 more.
void WriteStretch(CIpsWriter& writer, Bytes target, size_t start, size_t end) {
  size_t data_start = start;
  for (size_t k = start; k < end;) {
    size_t run = 1;
    while (k + run < end && target[k + run] == target[k]) ++run;
    const size_t worth = 3 + (k > data_start ? kRecordHeader : 0) + (k + run < end ? kRecordHeader : 0);
    if (run > worth) {
      writer.Data(data_start, k);
      writer.Run(k, k + run);
      data_start = k + run;
    }
    k += run;
  }
  writer.Data(data_start, end);
}

}  // namespace

bool InspectIps(Bytes patch, Info& info, Problem& problem) {
  return WalkIps(patch, info, problem, [](uint32_t, const uint8_t*, size_t, uint8_t) {});
}

bool ApplyIps(Bytes patch, Bytes source, std::vector<uint8_t>& target, Problem& problem) {
  std::vector<uint8_t>().swap(target);
  std::vector<uint8_t> out(source.begin(), source.end());
  Info info;
  auto write = [&](uint32_t offset, const uint8_t* bytes, size_t length, uint8_t value) {
    if (offset + length > out.size()) out.resize(offset + length, 0);
    if (bytes)
      std::memcpy(out.data() + offset, bytes, length);
    else
      std::fill_n(out.begin() + offset, length, value);
  };
  if (!WalkIps(patch, info, problem, write)) return false;
  if (info.truncates) {
    // The mark only ever shortens: a size beyond the result names bytes that are not there.
    if (info.truncated_size > out.size()) return Fail(problem, Fault::kWritesOutsideTarget, patch.size() - 3);
    out.resize(info.truncated_size);
  }
  target = std::move(out);
  problem = Problem{};
  return true;
}

bool MakeIps(Bytes source, Bytes target, std::vector<uint8_t>& patch, Problem& problem) {
  patch.clear();
  const size_t n = target.size();
  if (n < source.size() && n >= kIpsReach) return Fail(problem, Fault::kIpsOutOfReach, n);
  auto differs = [&](size_t i) { return i >= source.size() || source[i] != target[i]; };
  std::vector<uint8_t> out(kIpsMagic, kIpsMagic + sizeof kIpsMagic);
  CIpsWriter writer(target, out);
  for (size_t i = 0; i < n;) {
    if (!differs(i)) {
      ++i;
      continue;
    }
    if (i >= kIpsReach) return Fail(problem, Fault::kIpsOutOfReach, i);
    // One stretch while fewer unchanged bytes lie between changes than a new record costs.
    size_t end = i + 1;
    for (size_t j = end; j < n && j - end < kRecordHeader; ++j) {
      if (differs(j)) end = j + 1;
    }
    if (end > kIpsReach) {
      size_t first = kIpsReach;
      while (!differs(first)) ++first;
      return Fail(problem, Fault::kIpsOutOfReach, first);
    }
    WriteStretch(writer, target, i, end);
    i = end;
  }
  out.insert(out.end(), kIpsEnd, kIpsEnd + sizeof kIpsEnd);
  if (n < source.size()) AppendBE(out, n, 3);
  patch = std::move(out);
  problem = Problem{};
  return true;
}

}  // namespace patch
