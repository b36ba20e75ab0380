// The game-text codec on arbitrary bytes, both ways: game codes shown and stored again keep
// every byte, and any typed text converts without reading or writing out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "text/vantari_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  text::CVantariText codec;
  std::string shown;
  codec.binary2string(data, int(size), shown);
  std::vector<uint8_t> back;
  codec.string2binary(shown, back);
  std::vector<uint8_t> expected(data, data + size);
  if (!expected.empty() && expected.back() != 0xFF) expected.push_back(0xFF);
  if (back != expected) std::abort();

  // The same bytes typed as text: into a whole buffer and into a field sized by the first byte.
  std::string_view typed(reinterpret_cast<const char*>(data), size);
  codec.string2binary(typed, back);
  std::vector<uint8_t> field(size > 0 ? data[0] % 16 + 1 : 1, 0xAA);
  codec.string2binaryFixed(field.data(), int(field.size()), typed);
  return 0;
}
