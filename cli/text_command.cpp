#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "platform/sjis.h"
#include "text/vantari_text.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari text decode [--utf8] [--hide-terminator] [HEX...]\n"
    "       vantari text encode [--utf8] [TEXT]\n"
    "Without HEX or TEXT the input is read from standard input. --utf8: the text is UTF-8\n"
    "instead of Shift-JIS.\n";

std::string ReadAll(std::FILE* in) {
  std::string data;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) data.append(buf, n);
  return data;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = char(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "06 FF FF", "06FFFF" or "0x06,0xFF": pairs of hex digits, separators ignored.
bool ParseHex(const std::string& hex, std::vector<uint8_t>& bytes) {
  int high = -1;
  for (size_t i = 0; i < hex.size(); ++i) {
    char c = hex[i];
    if (c == '0' && i + 1 < hex.size() && (hex[i + 1] == 'x' || hex[i + 1] == 'X') && high < 0) {
      ++i;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
      if (high >= 0) return false;
      continue;
    }
    int v = HexValue(c);
    if (v < 0) return false;
    if (high < 0) {
      high = v;
    } else {
      bytes.push_back(uint8_t(high << 4 | v));
      high = -1;
    }
  }
  return high < 0;
}

struct Options {
  bool utf8 = false;
  bool hide = false;
  std::string input;
  bool has_input = false;
};

bool ParseOptions(std::span<const std::string_view> args, bool decode, Options& options) {
  for (std::string_view arg : args) {
    if (arg == "--utf8") {
      options.utf8 = true;
    } else if (decode && arg == "--hide-terminator") {
      options.hide = true;
    } else if (arg.starts_with("--")) {
      return false;
    } else {
      if (options.has_input) options.input += ' ';
      options.input += arg;
      options.has_input = true;
    }
  }
  return true;
}

// UTF-8 text to the Shift-JIS the codec reads. A character with no Shift-JIS form is one the
// games cannot show, and it gives no code, as a double-byte character outside the codec's
// tables gives none; the converter's '?' for it would be a code of its own.
bool Utf8ToCodecText(const std::string& utf8, std::string& sjis) {
  if (platform::Utf8ToSjis(utf8).empty() && !utf8.empty()) return false;
  std::string out;
  for (size_t at = 0; at < utf8.size();) {
    size_t end = at + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    const std::string_view character(utf8.data() + at, end - at);
    std::string converted = platform::Utf8ToSjis(character);
    // The converter's mark for a character it cannot hold (one per UTF-16 unit).
    const bool unmapped = character != "?" && converted.find_first_not_of('?') == std::string::npos;
    if (!unmapped) out += converted;
    at = end;
  }
  sjis = std::move(out);
  return true;
}

int Decode(const Options& options, const Io& io) {
  std::vector<uint8_t> bytes;
  if (!ParseHex(options.has_input ? options.input : ReadAll(io.in), bytes)) {
    std::fputs("vantari: the codes must be pairs of hexadecimal digits\n", io.err);
    return 1;
  }
  text::CVantariText codec;
  codec.set_hide_terminator(options.hide);
  std::string shown;
  codec.binary2string(bytes.data(), int(bytes.size()), shown);
  if (options.utf8) shown = platform::SjisToUtf8(shown);
  return std::fwrite(shown.data(), 1, shown.size(), io.out) == shown.size() ? 0 : 1;
}

int Encode(const Options& options, const Io& io) {
  std::string input = options.input;
  if (!options.has_input) {
    input = ReadAll(io.in);
    // The line end a shell or an editor adds is not part of the text; CR LF is a line break.
    if (input.ends_with('\n') && !input.ends_with("\r\n")) input.pop_back();
  }
  if (options.utf8 && !Utf8ToCodecText(input, input)) {
    std::fputs("vantari: the text is not valid UTF-8\n", io.err);
    return 1;
  }
  std::vector<uint8_t> bytes;
  text::CVantariText().string2binary(input, bytes);
  std::string hex;
  char pair[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(pair, sizeof pair, i ? " %02X" : "%02X", bytes[i]);
    hex += pair;
  }
  hex += '\n';
  return std::fputs(hex.c_str(), io.out) >= 0 ? 0 : 1;
}

}  // namespace

int TextCommand(std::span<const std::string_view> args, const Io& io) {
  Options options;
  bool decode = !args.empty() && args[0] == "decode";
  bool encode = !args.empty() && args[0] == "encode";
  if ((!decode && !encode) || !ParseOptions(args.subspan(1), decode, options)) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  return decode ? Decode(options, io) : Encode(options, io);
}

}  // namespace cli
