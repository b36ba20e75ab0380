// Making a BPS patch: a greedy walk over the target that at each place takes the cheapest way to
// make the most bytes. Its candidates:
//   - the original's bytes at the same place (unchanged data: a source read);
//   - the original's bytes where the last source copy left off, as they were or shifted by the
//     bytes made since (a moved block with a few changes inside);
//   - the byte before, and where the last target copy left off (runs, repeated new data);
//   - places found through a hash of the next eight bytes: every fourth place of the original
//     and every place of the new data looked at, so data that moved anywhere costs a copy.
// A match found late is extended backwards over the new bytes not yet written. The walk costs a
// hash lookup a byte only inside new data, and fewer the longer that runs.
#include <algorithm>
#include <bit>
#include <cstring>

#include "patch/bps.h"

namespace patch {

namespace {

constexpr size_t kKey = 8;          // bytes a hash stands for
constexpr size_t kSourceStep = 4;   // every kSourceStep-th place of the original is indexed
constexpr size_t kWays = 4;         // places kept per hash bucket, newest first
constexpr size_t kMaxPeriod = 64;   // repeats with a period up to this are indexed once
constexpr size_t kMaxLiteralStep = 15;  // the widest step through new data
constexpr size_t kGoodEnough = 4096;  // a match this long is taken without looking further

uint64_t Load64(const uint8_t* p) {
  uint64_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

// How many bytes from a and b agree, up to n.
size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t n) {
  size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= n; i += 8) {
      const uint64_t differ = Load64(a + i) ^ Load64(b + i);
      if (differ) return i + size_t(std::countr_zero(differ) / 8);
    }
  }
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

// Places (below 4 GiB) by the hash of the kKey bytes there.
class CPlaceIndex {
 public:
  explicit CPlaceIndex(size_t places) {
    size_t buckets = 256;
    while (buckets < places) buckets <<= 1;
    shift_ = 64 - std::countr_zero(buckets);
    slots_.assign(buckets * kWays, 0);
  }
  void Add(uint64_t key, uint32_t place) {
    uint32_t* bucket = Bucket(key);
    std::memmove(bucket + 1, bucket, (kWays - 1) * sizeof *bucket);
    bucket[0] = place + 1;
  }
  // Calls `visit(place)` for each place kept under the key's bucket (other keys' places too).
  template <class Visit>
  void ForEach(uint64_t key, Visit visit) const {
    const uint32_t* bucket = Bucket(key);
    for (size_t way = 0; way < kWays && bucket[way]; ++way) visit(bucket[way] - 1);
  }

 private:
  uint32_t* Bucket(uint64_t key) { return &slots_[size_t((key * 0x9E3779B97F4A7C15ull) >> shift_) * kWays]; }
  const uint32_t* Bucket(uint64_t key) const {
    return &slots_[size_t((key * 0x9E3779B97F4A7C15ull) >> shift_) * kWays];
  }
  int shift_ = 0;
  std::vector<uint32_t> slots_;
};

struct Candidate {
  BpsAction action = kTargetRead;
  uint64_t from = 0;   // where the copied bytes start, after extending backwards
  size_t length = 0;   // bytes made, the backward extension included
  size_t back = 0;     // of which before the current place
  long score = 0;      // bytes made less the bytes the action costs
};

class CBpsEncoder {
 public:
  CBpsEncoder(Bytes source, Bytes target, std::vector<uint8_t>& out)
      : source_(source), target_(target), out_(out),
        source_index_(source.size() / kSourceStep / kWays),
        target_index_(target.size() / kWays / 8) {
    for (size_t place = 0; place + kKey <= source.size(); place += kSourceStep) {
      const uint64_t key = Load64(source.data() + place);
      if (!Repeats(place, key)) source_index_.Add(key, uint32_t(place));
    }
  }

  void Run() {
    size_t place = 0;
    while (place < target_.size()) {
      const Candidate best = Best(place);
      if (best.score < 2) {
        if (place + kKey <= target_.size()) target_index_.Add(Load64(target_.data() + place), uint32_t(place));
        place = std::min(place + LiteralStep(place), target_.size());
        continue;
      }
      FlushLiterals(place - best.back);
      Emit(best);
      place += best.length - best.back;
      literal_start_ = place;
    }
    FlushLiterals(place);
  }

 private:
  size_t Remaining(size_t place) const { return target_.size() - place; }

  // Deep inside new data, places are looked at ever more sparsely (a match found later is
  // extended back over the places skipped). The step stays odd, so that it meets every fourth
  // place of a moved block, where the original's places are indexed, within four looks.
  size_t LiteralStep(size_t place) const {
    return std::min<size_t>(1 + 2 * ((place - literal_start_) >> 7), kMaxLiteralStep);
  }

  // Inside a run, or data repeating with a short period, only the first period is indexed: the
  // match from there reaches furthest, and the repeats do not crowd out other places.
  bool Repeats(size_t place, uint64_t key) const {
    for (size_t period = kSourceStep; period <= kMaxPeriod && period <= place; period += kSourceStep)
      if (key == Load64(source_.data() + place - period)) return true;
    return false;
  }

  // Scores a copy (or a source read) of the bytes at `from` for the target at `place`.
  void Consider(Candidate& best, BpsAction action, uint64_t from, size_t place) {
    const uint8_t* base = action == kTargetCopy ? target_.data() : source_.data();
    const uint64_t limit = action == kTargetCopy ? place : source_.size();
    if (from >= limit) return;
    size_t n = Remaining(place);
    if (action != kTargetCopy) n = std::min<uint64_t>(n, source_.size() - from);
    const size_t forward = MatchLength(base + from, target_.data() + place, n);
    if (forward == 0) return;
    size_t back = 0;
    const size_t back_limit = std::min<uint64_t>(place - literal_start_, from);
    while (back < back_limit && base[from - back - 1] == target_[place - back - 1]) ++back;
    Candidate c{action, from - back, forward + back, back, 0};
    c.score = long(c.length) - long(BpsNumberBytes(uint64_t(c.length - 1) << 2));
    if (action == kSourceCopy) c.score -= long(BpsNumberBytes(Delta(source_cursor_, c.from)));
    if (action == kTargetCopy) c.score -= long(BpsNumberBytes(Delta(target_cursor_, c.from)));
    if (c.score > best.score) best = c;
  }

  Candidate Best(size_t place) {
    Candidate best;
    Consider(best, kSourceRead, place, place);
    if (best.length >= kGoodEnough) return best;
    Consider(best, kSourceCopy, source_cursor_, place);
    Consider(best, kSourceCopy, source_cursor_ + (place - source_copy_end_), place);
    if (place > 0) {
      Consider(best, kTargetCopy, place - 1, place);
      Consider(best, kTargetCopy, target_cursor_, place);
    }
    if (best.length >= kGoodEnough || place + kKey > target_.size()) return best;
    const uint64_t key = Load64(target_.data() + place);
    source_index_.ForEach(key, [&](uint32_t from) {
      if (best.length < kGoodEnough && Load64(source_.data() + from) == key) Consider(best, kSourceCopy, from, place);
    });
    target_index_.ForEach(key, [&](uint32_t from) {
      if (best.length < kGoodEnough && Load64(target_.data() + from) == key) Consider(best, kTargetCopy, from, place);
    });
    return best;
  }

  static uint64_t Delta(uint64_t cursor, uint64_t to) {
    return to >= cursor ? (to - cursor) << 1 : (cursor - to) << 1 | 1;
  }

  void FlushLiterals(size_t end) {
    if (end <= literal_start_) return;
    AppendBpsNumber(out_, uint64_t(end - literal_start_ - 1) << 2 | kTargetRead);
    out_.insert(out_.end(), target_.begin() + ptrdiff_t(literal_start_), target_.begin() + ptrdiff_t(end));
    literal_start_ = end;
  }

  void Emit(const Candidate& c) {
    AppendBpsNumber(out_, uint64_t(c.length - 1) << 2 | c.action);
    if (c.action == kSourceCopy) {
      AppendBpsNumber(out_, Delta(source_cursor_, c.from));
      source_cursor_ = c.from + c.length;
      source_copy_end_ = literal_start_ + c.length;
    } else if (c.action == kTargetCopy) {
      AppendBpsNumber(out_, Delta(target_cursor_, c.from));
      target_cursor_ = c.from + c.length;
    }
  }

  Bytes source_, target_;
  std::vector<uint8_t>& out_;
  CPlaceIndex source_index_, target_index_;
  size_t literal_start_ = 0;        // the new bytes not yet written start here
  uint64_t source_cursor_ = 0, target_cursor_ = 0;
  uint64_t source_copy_end_ = 0;    // where in the target the last source copy ended
};

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> MakeBps(Bytes source, Bytes target, std::string_view metadata) {
  std::vector<uint8_t> out(kBpsMagic, kBpsMagic + sizeof kBpsMagic);
  AppendBpsNumber(out, source.size());
  AppendBpsNumber(out, target.size());
  AppendBpsNumber(out, metadata.size());
  out.insert(out.end(), metadata.begin(), metadata.end());
  CBpsEncoder(source, target, out).Run();
  AppendU32(out, Crc32(source));
  AppendU32(out, Crc32(target));
  AppendU32(out, Crc32(out));
  return out;
}

}  // namespace patch
