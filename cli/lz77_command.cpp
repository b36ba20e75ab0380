#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "cli/numbers.h"
#include "graphics/lz77.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari lz77 encode [--search full|short] [--no-compress] IN OUT\n"
    "       vantari lz77 decode IN OUT [--offset N]\n"
    "IN may be - for the standard input. N is decimal, or hexadecimal after 0x (0100 is one\n"
    "hundred).\n";

// Separates the file names from the options; `option` takes the option at args[i] (and may
// consume its value) or returns false for one it does not know. False: bad usage, reported.
template <class Option>
bool SplitArgs(std::span<const std::string_view> args, Option option,
               std::vector<std::string_view>& files, const Io& io) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (!args[i].starts_with("--")) {
      files.push_back(args[i]);
    } else if (!option(i)) {
      std::fputs(kUsage, io.err);
      return false;
    }
  }
  if (files.size() == 2) return true;
  std::fputs(kUsage, io.err);
  return false;
}

int Encode(std::span<const std::string_view> args, const Io& io) {
  auto search = graphics::Lz77Search::kFullWindow;
  bool no_compress = false;
  std::vector<std::string_view> files;
  auto option = [&](size_t& i) {
    if (args[i] == "--no-compress") {
      no_compress = true;
      return true;
    }
    if (args[i] != "--search" || i + 1 >= args.size()) return false;
    std::string_view kind = args[++i];
    search = kind == "short" ? graphics::Lz77Search::kShort : graphics::Lz77Search::kFullWindow;
    return kind == "short" || kind == "full";
  };
  if (!SplitArgs(args, option, files, io)) return 2;
  std::string input;
  // The most a stream can hold, refused before it is read whole.
  if (!ReadInput(files[0], input, io, uint64_t(graphics::kLz77MaxLength))) return 1;
  graphics::CLZ77 codec(search);
  codec.set_nocompress(no_compress);
  std::vector<uint8_t> stream =
      codec.Compress({reinterpret_cast<const uint8_t*>(input.data()), input.size()});
  return WriteOutput(files[1], stream.data(), stream.size(), io) ? 0 : 1;
}

int Decode(std::span<const std::string_view> args, const Io& io) {
  uint64_t offset = 0;
  std::vector<std::string_view> files;
  auto option = [&](size_t& i) {
    if (args[i] != "--offset" || i + 1 >= args.size()) return false;
    return ParseNumber(args[++i], offset);
  };
  if (!SplitArgs(args, option, files, io)) return 2;
  std::string input;
  if (!ReadInput(files[0], input, io)) return 1;
  if (offset > input.size()) {
    std::fprintf(io.err, "vantari: offset 0x%llX lies past the end of the file\n",
                 static_cast<unsigned long long>(offset));
    return 1;
  }
  std::span<const uint8_t> source(reinterpret_cast<const uint8_t*>(input.data()) + offset,
                                  input.size() - offset);
  std::vector<uint8_t> out(graphics::Lz77DecodedSize(source));
  graphics::Lz77Decoded d = graphics::Lz77Decode(source, out.data(), out.size());
  switch (d.status) {
    case graphics::Lz77Decoded::kOk: break;
    case graphics::Lz77Decoded::kNotCompressed:
      std::fprintf(io.err, "vantari: no LZ77 data at 0x%llX (first byte is not 0x10)\n",
                   static_cast<unsigned long long>(offset));
      return 1;
    default:
      std::fprintf(io.err, "vantari: the LZ77 data at 0x%llX is damaged after %u bytes\n",
                   static_cast<unsigned long long>(offset), d.size);
      return 1;
  }
  if (!WriteOutput(files[1], out.data(), out.size(), io)) return 1;
  // The data alone goes to the output; the report to the error stream.
  std::fprintf(io.err, "%u bytes from %u bytes of stream\n", d.size, d.consumed);
  return 0;
}

}  // namespace

int Lz77Command(std::span<const std::string_view> args, const Io& io) {
  if (!args.empty() && args[0] == "encode") return Encode(args.subspan(1), io);
  if (!args.empty() && args[0] == "decode") return Decode(args.subspan(1), io);
  std::fputs(kUsage, io.err);
  return 2;
}

}  // namespace cli
