#pragma once
// The Game Boy Advance BIOS LZ77 format (type 0x10): decoder, encoder and the match searches.
//
// Stream: 0x10, 24-bit decompressed size, then groups of one flag byte (bit 7 first) and eight
// items; a set bit is a reference A B (length (A >> 4) + 3, distance ((A & 15) << 8 | B) + 1),
// a clear bit a literal byte.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace graphics {

// Which match search the encoder uses.
enum class Lz77Search {
  kFullWindow,  // every distance from 2 to 4094; longest match, the farthest among equals
  kShort,       // distances 2, 3 and 4 only; the first that matches
};

struct Lz77Decoded {
  enum Status { kOk, kNotCompressed, kTooLarge, kTruncated, kBadReference } status = kOk;
  uint32_t size = 0;      // bytes written to the destination
  uint32_t consumed = 0;  // stream bytes the data accounts for (the encoder's output length)
};

// Decodes `source` into `destination` of `capacity` bytes. Never reads past the source nor
// writes past the capacity: a stream that runs out, a reference before the start of the output
// or an output larger than the capacity fails.
Lz77Decoded Lz77Decode(std::span<const uint8_t> source, uint8_t* destination, size_t capacity);

// The decompressed size in a stream's header (0 when it is no LZ77 stream).
uint32_t Lz77DecodedSize(std::span<const uint8_t> source);

// Largest stream the encoder writes for `length` input bytes. Nine bytes per eight input bytes
// is not enough: a last group holding references is still padded to eight slots
// (5 bytes AA AA AA AA AA encode to 14 bytes, not 13), which costs up to 8 bytes more.
constexpr size_t Lz77MaxCompressedSize(size_t length) { return 4 + 9 * ((length + 7) / 8) + 8; }

// Longest input the format describes.
inline constexpr int32_t kLz77MaxLength = 0xFFFFFF;

// The reference searches, as the encoder calls them: on a match they return a nonzero word
// whose low 16 bits are the reference item (A in bits 8-15, B in bits 0-7) and advance `pos`
// by the match length; 0 means a literal. These scan every candidate; the encoder uses an
// indexed search that answers the same.
uint32_t Lz77FullWindowSearch(const uint8_t* input, int32_t& pos, int32_t length);
uint32_t Lz77ShortSearch(const uint8_t* input, int32_t& pos, int32_t length);

// Encodes with the brute-force reference search of the kind given (for tests and benchmarks).
size_t Lz77CompressReference(const uint8_t* input, int32_t length, uint8_t* output,
                             Lz77Search search);

// The codec as the graphics programs own it, with its no-compression switch.
class CLZ77 {
 public:
  explicit CLZ77(Lz77Search search = Lz77Search::kFullWindow) : search_(search) {}

  // While set, the encoder stores every byte as a literal.
  void set_nocompress(bool on) { nocompress_ = on; }
  bool nocompress() const { return nocompress_; }

  // Result word: 0 failure (null source, output past capacity, stream cut short, bad
  // reference), 0xFFFFFFFF no LZ77 stream (first byte not 0x10), else decompressed size in
  // bits 16-31 and consumed length in bits 0-15.
  uint32_t LZ77UnCompress(const uint8_t* source, size_t source_size, uint8_t* destination,
                          uint32_t capacity) const;

  // Writes the stream for `length` (0 to 0xFFFFFF) bytes into `output`, which must hold
  // Lz77MaxCompressedSize(length) bytes, and returns its length (at least 4).
  size_t LZ77Compress(const uint8_t* input, int32_t length, uint8_t* output) const;
  std::vector<uint8_t> Compress(std::span<const uint8_t> input) const;

  // The search of this codec at `pos`, as described above; no match while nocompress is set.
  uint32_t Search(const uint8_t* input, int32_t& pos, int32_t length) const;

 private:
  Lz77Search search_;
  bool nocompress_ = false;
};

}  // namespace graphics
