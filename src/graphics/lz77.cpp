#include "graphics/lz77.h"

#include <algorithm>
#include <bit>
#include <array>
#include <memory>

namespace graphics {

namespace {

constexpr int32_t kMinMatch = 3;
constexpr int32_t kMaxMatch = 18;
constexpr int32_t kFullWindowMaxDistance = 4094;
constexpr int32_t kShortMaxDistance = 4;

struct Match {
  int32_t distance = 0;
  int32_t length = 0;
};

// Length of the match at distance `d` (the decoder's overlapping copy included), up to 18.
int32_t Extend(const uint8_t* input, int32_t pos, int32_t length, int32_t d) {
  int32_t limit = std::min(kMaxMatch, length - pos);
  int32_t k = 0;
  while (k < limit && input[pos + k] == input[pos - d + k]) ++k;
  return k;
}

uint16_t ReferenceItem(Match m) {
  return static_cast<uint16_t>(((m.length - kMinMatch) << 12) | (m.distance - 1));
}

Match FullWindowScan(const uint8_t* input, int32_t pos, int32_t length) {
  Match best;
  int32_t max_d = std::min(pos, kFullWindowMaxDistance);
  for (int32_t d = 2; d <= max_d; ++d) {
    if (input[pos - d] != input[pos]) continue;
    int32_t k = Extend(input, pos, length, d);
    if (k == kMaxMatch) return {d, k};
    if (k >= kMinMatch && k >= best.length) best = {d, k};  // the farthest among equals
  }
  return best;
}

Match ShortScan(const uint8_t* input, int32_t pos, int32_t length) {
  for (int32_t d = 2; d <= std::min(pos, kShortMaxDistance); ++d) {
    int32_t k = Extend(input, pos, length, d);
    if (k >= kMinMatch) return {d, k};
  }
  return {};
}

// The full-window search with an index: chains of earlier positions that share their first
// three bytes, nearest first. Positions are added as the encoder moves on, so every chain
// holds only candidates at distance 2 or more; it answers exactly as FullWindowScan.
class CWindowMatcher {
 public:
  // The tables grow with the input: a sprite of 2 KiB needs a few KiB of index, not the
  // 200 KiB a 64 KiB input uses.
  CWindowMatcher(const uint8_t* input, int32_t length)
      : input_(input),
        length_(length),
        hash_shift_(32 - std::clamp(std::bit_width(uint32_t(std::max(length, 1))), 8u, 15u)),
        head_(size_t(1) << (32 - hash_shift_), -1),
        ring_(size_t(std::clamp(length, 1, kRingMask + 1))) {}

  Match Find(int32_t pos) {
    if (pos < 2 || pos + kMinMatch > length_) return {};
    IndexUpTo(pos - 2);
    const int32_t lowest = pos - std::min(pos, kFullWindowMaxDistance);
    const uint32_t key = Key(pos);
    const uint8_t b = input_[pos];
    const bool run = input_[pos + 1] == b && input_[pos + 2] == b;
    int32_t r = 0;  // length of the run of b at pos, up to the longest match possible here
    if (run) {
      const int32_t limit = std::min(kMaxMatch, length_ - pos);
      while (r < limit && input_[pos + r] == b) ++r;
    }
    Match best;
    // Keeps the scan's rule: 18 ends it, otherwise the longest and among equals the farthest.
    auto consider = [&](int32_t p) {
      int32_t k = Extend(input_, pos, length_, pos - p);
      if (k >= best.length) best = {pos - p, k};
      return k == kMaxMatch;
    };
    for (int32_t p = head_[Hash(key)]; p >= lowest;) {
      const Entry& entry = ring_[p & kRingMask];
      if (entry.key != key) {
        p = entry.prev;
        continue;
      }
      if (run) {
        p = ConsiderRun(p, b, r, lowest, consider);
        if (p == kFound) return best;
        continue;
      }
      // A candidate matters only if it is at least as long as the best so far.
      if (best.length > kMinMatch &&
          input_[p + best.length - 1] != input_[pos + best.length - 1]) {
        p = entry.prev;
        continue;
      }
      if (consider(p)) return best;
      p = entry.prev;
    }
    return best;
  }

 private:
  static constexpr int32_t kRingMask = 8191;  // the ring outlasts the 4094-byte window
  static_assert(kRingMask + 1 > kFullWindowMaxDistance + 2);

  uint32_t Key(int32_t p) const {
    return static_cast<uint32_t>(input_[p]) << 16 | static_cast<uint32_t>(input_[p + 1]) << 8 |
           input_[p + 2];
  }
  uint32_t Hash(uint32_t key) const { return (key * 2654435761u) >> hash_shift_; }

  static constexpr int32_t kFound = -2;

  // `p` is the nearest position, in the window, of a run of byte b that the chain lists
  // position by position down to the run's start s. At pos a run of r b's begins. For a
  // candidate q of this run ending at e, the match is e - q when that is below r, at least r
  // when it is r, and r (or the longest possible) beyond: so only q = e - r and the farthest
  // position can decide the scan's answer. Returns the chain position after the run, or kFound
  // when a match of 18 ended the scan.
  template <class Consider>
  int32_t ConsiderRun(int32_t p, uint8_t b, int32_t r, int32_t lowest, Consider& consider) {
    int32_t end = p + 3;
    while (end < length_ && end <= p + r && input_[end] == b) ++end;
    int32_t special = std::min(p, end - r);
    int32_t start = p;  // walks down to the run's start, no further than the window
    while (start > special && start > lowest && input_[start - 1] == b) --start;
    if (start == special && consider(special)) return kFound;
    while (start > lowest && input_[start - 1] == b) --start;
    if (start != special && consider(start)) return kFound;
    return ring_[start & kRingMask].prev;
  }

  void IndexUpTo(int32_t last) {
    for (; next_ <= last; ++next_) {
      uint32_t key = Key(next_);
      uint32_t h = Hash(key);
      ring_[next_ & kRingMask] = {head_[h], key};
      head_[h] = next_;
    }
  }

  const uint8_t* input_;
  int32_t length_;
  int32_t next_ = 0;  // first position not yet indexed
  uint32_t hash_shift_;
  std::vector<int32_t> head_;
  struct Entry {
    int32_t prev;  // the previous position with the same hash
    uint32_t key;  // this position's first three bytes
  };
  std::vector<Entry> ring_;  // indexed by position & kRingMask
};

// The encoder loop: groups of eight slots, unused slots of the last group written as zeros.
template <class FindMatch>
size_t Encode(const uint8_t* input, int32_t length, uint8_t* output, FindMatch find) {
  length = std::clamp(length, 0, kLz77MaxLength);
  output[0] = 0x10;
  output[1] = static_cast<uint8_t>(length);
  output[2] = static_cast<uint8_t>(length >> 8);
  output[3] = static_cast<uint8_t>(length >> 16);
  size_t out = 4;
  int32_t pos = 0;
  while (pos < length) {
    size_t flag_at = out++;
    uint8_t flag = 0;
    for (int slot = 0; slot < 8; ++slot) {
      if (pos >= length) {
        output[out++] = 0;
        continue;
      }
      Match m = find(pos);
      if (m.length >= kMinMatch) {
        uint16_t item = ReferenceItem(m);
        flag |= static_cast<uint8_t>(0x80 >> slot);
        output[out++] = static_cast<uint8_t>(item >> 8);
        output[out++] = static_cast<uint8_t>(item);
        pos += m.length;
      } else {
        output[out++] = input[pos++];
      }
    }
    output[flag_at] = flag;
  }
  return out;
}

Match Scan(Lz77Search search, const uint8_t* input, int32_t pos, int32_t length) {
  return search == Lz77Search::kShort ? ShortScan(input, pos, length)
                                      : FullWindowScan(input, pos, length);
}

}  // namespace

Lz77Decoded Lz77Decode(std::span<const uint8_t> source, uint8_t* destination, size_t capacity) {
  Lz77Decoded r;
  if (source.empty()) return {Lz77Decoded::kTruncated, 0, 0};
  if (source[0] != 0x10) return {Lz77Decoded::kNotCompressed, 0, 0};
  if (source.size() < 4) return {Lz77Decoded::kTruncated, 0, 0};
  uint32_t remaining = source[1] | source[2] << 8 | source[3] << 16;
  size_t in = 4, out = 0;
  if (remaining == 0) return {Lz77Decoded::kOk, 0, 4};
  auto fail = [&](Lz77Decoded::Status s) {
    r.status = s;
    r.size = static_cast<uint32_t>(out);
    return r;
  };
  for (;;) {
    if (in >= source.size()) return fail(Lz77Decoded::kTruncated);
    uint8_t flag = source[in++];
    for (int slot = 0; slot < 8; ++slot) {
      if (flag & (0x80 >> slot)) {
        if (in + 2 > source.size()) return fail(Lz77Decoded::kTruncated);
        uint8_t a = source[in], b = source[in + 1];
        in += 2;
        size_t distance = static_cast<size_t>(((a & 0x0F) << 8) | b) + 1;
        if (distance > out) return fail(Lz77Decoded::kBadReference);
        for (int k = (a >> 4) + kMinMatch; k > 0 && remaining > 0; --k, --remaining) {
          if (out >= capacity) return fail(Lz77Decoded::kTooLarge);
          destination[out] = destination[out - distance];
          ++out;
        }
      } else {
        if (in >= source.size()) return fail(Lz77Decoded::kTruncated);
        if (out >= capacity) return fail(Lz77Decoded::kTooLarge);
        destination[out++] = source[in++];
        --remaining;
      }
      if (remaining == 0) {
        r.size = static_cast<uint32_t>(out);
        r.consumed = static_cast<uint32_t>(in + 7 - slot);
        return r;
      }
    }
  }
}

uint32_t Lz77DecodedSize(std::span<const uint8_t> source) {
  if (source.size() < 4 || source[0] != 0x10) return 0;
  return source[1] | source[2] << 8 | source[3] << 16;
}

uint32_t Lz77FullWindowSearch(const uint8_t* input, int32_t& pos, int32_t length) {
  Match m = FullWindowScan(input, pos, length);
  if (m.length < kMinMatch) return 0;
  pos += m.length;
  return 0xFFFF0000u | ReferenceItem(m);
}

uint32_t Lz77ShortSearch(const uint8_t* input, int32_t& pos, int32_t length) {
  Match m = ShortScan(input, pos, length);
  if (m.length < kMinMatch) return 0;
  pos += m.length;
  return ReferenceItem(m);
}

size_t Lz77CompressReference(const uint8_t* input, int32_t length, uint8_t* output,
                             Lz77Search search) {
  return Encode(input, length, output,
                [&](int32_t pos) { return Scan(search, input, pos, length); });
}

uint32_t CLZ77::LZ77UnCompress(const uint8_t* source, size_t source_size, uint8_t* destination,
                               uint32_t capacity) const {
  if (!source) return 0;
  Lz77Decoded d = Lz77Decode({source, source_size}, destination, capacity);
  if (d.status == Lz77Decoded::kNotCompressed) return 0xFFFFFFFFu;
  if (d.status != Lz77Decoded::kOk) return 0;
  return d.size << 16 | (d.consumed & 0xFFFF);
}

size_t CLZ77::LZ77Compress(const uint8_t* input, int32_t length, uint8_t* output) const {
  if (nocompress_) return Encode(input, length, output, [](int32_t) { return Match{}; });
  if (search_ == Lz77Search::kShort) {
    return Encode(input, length, output,
                  [&](int32_t pos) { return ShortScan(input, pos, length); });
  }
  auto matcher = std::make_unique<CWindowMatcher>(input, length);
  return Encode(input, length, output, [&](int32_t pos) { return matcher->Find(pos); });
}

std::vector<uint8_t> CLZ77::Compress(std::span<const uint8_t> input) const {
  int32_t length = static_cast<int32_t>(std::min<size_t>(input.size(), kLz77MaxLength));
  std::vector<uint8_t> out(Lz77MaxCompressedSize(static_cast<size_t>(length)));
  out.resize(LZ77Compress(input.data(), length, out.data()));
  return out;
}

uint32_t CLZ77::Search(const uint8_t* input, int32_t& pos, int32_t length) const {
  if (nocompress_) return 0;
  return search_ == Lz77Search::kShort ? Lz77ShortSearch(input, pos, length)
                                       : Lz77FullWindowSearch(input, pos, length);
}

}  // namespace graphics
