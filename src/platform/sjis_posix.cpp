#include <iconv.h>

#include <cerrno>
#include <memory>

#include "platform/sjis.h"

namespace platform {

namespace {

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Converter Open(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  return Converter(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts `in` with `cd`; on an unconvertible unit, appends `bad` and skips `skip` input bytes.
std::string Convert(iconv_t cd, std::string_view in, std::string_view bad, size_t skip) {
  std::string out;
  char buffer[1024];
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  while (left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out.append(bad);
      size_t n = skip < left ? skip : left;
      src += n;
      left -= n;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace

std::u16string SjisToUtf16(std::string_view sjis) {
  static const Converter cd = Open("UTF-16LE", "CP932");
  if (!cd) return {};
  static const char kMiddleDot[] = {'\xFB', '\x30'};
  std::string bytes = Convert(cd.get(), sjis, std::string_view(kMiddleDot, 2), 1);
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return out;
}

std::string Utf16ToSjis(std::u16string_view utf16) {
  static const Converter cd = Open("CP932", "UTF-16LE");
  if (!cd) return {};
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t c : utf16) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return Convert(cd.get(), bytes, "?", 2);
}

}  // namespace platform
